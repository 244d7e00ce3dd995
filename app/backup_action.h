#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

namespace cr {
class Sqlca;
}

namespace cr::app {

// 文件 > 备份数据库…: a copy of the open registry file in a file the user
// picks, made with the engine's online backup, so that it is sound while
// windows are open and edits are pending. A server registry is backed up by
// its administrator (community-admin backup); the menu says so.
void backUpDatabase(QWidget* parent, const Sqlca& sqlca);

// The file name offered: the registry's name and the time, beside the user's documents.
QString suggestedBackupName(const QString& databasePath, const QDateTime& when);

} // namespace cr::app
