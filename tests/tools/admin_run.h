#pragma once

#include <QProcess>
#include <QStringList>

#ifndef CR_ADMIN_PATH
#error "tests/CMakeLists.txt passes the path of community-admin as CR_ADMIN_PATH"
#endif

namespace cr::test {

// One run of the built community-admin: exit code and both outputs.
struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline AdminRun runAdmin(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(CR_ADMIN_PATH), args);
    // No timing is checked; the limit only keeps a hung child from hanging the suite.
    if (!p.waitForFinished(600000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace cr::test
