#pragma once

#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::admin {

// Schema version of an opened database for the commands: 0 with a reason
// when it holds no registry (or cannot be read), the version otherwise.
int registryVersion(Sqlca& sqlca, const QString& display, QString* problem);

// A message when the version is not the one this program writes, empty
// when it is.
QString versionMismatch(int version);

} // namespace cr::admin
