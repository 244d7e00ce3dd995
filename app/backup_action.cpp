#include "app/backup_action.h"

#include "app/progress_window.h"
#include "frame/sqlca.h"
#include "maintenance/registry_backup.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>

namespace cr::app {

QString suggestedBackupName(const QString& databasePath, const QDateTime& when)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QStringLiteral("%1-备份-%2.db")
                             .arg(QFileInfo(databasePath).completeBaseName(), when.toString(QStringLiteral("yyyyMMdd-HHmm")));
    return QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(name);
}

void backUpDatabase(QWidget* parent, const Sqlca& sqlca)
{
    const DbTarget& target = sqlca.target();
    if (target.engine != Engine::Sqlite) {
        QMessageBox::information(parent, QStringLiteral("备份数据库"),
                                 QStringLiteral("登记库在数据库服务器 %1 上，由管理员在服务器上备份：\n\n"
                                                "community-admin backup %2 备份文件\n\n"
                                                "（详见管理手册中的“备份和恢复”）。")
                                     .arg(target.host, target.display()));
        return;
    }
    const QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("备份数据库到"),
                                                      suggestedBackupName(target.path, QDateTime::currentDateTime()),
                                                      QStringLiteral("数据库备份 (*.db);;所有文件 (*)"));
    if (file.isEmpty()) return;
    // The dialog has asked already whether an existing file may be replaced.
    QString error;
    bool ok = false;
    {
        ProgressWindow progress(parent, QStringLiteral("正在备份数据库…"));
        ok = maintenance::backupRegistry(target, file, true, [&progress](int done, int total) {
            progress.setValue(done, total);
        }, &error);
    }
    if (!ok) {
        QMessageBox::warning(parent, QStringLiteral("备份失败"), QStringLiteral("没有做成备份：%1").arg(error));
        return;
    }
    QMessageBox::information(parent, QStringLiteral("备份数据库"),
                             QStringLiteral("已把数据库备份到\n%1\n（%2，已检查完好）。\n\n请把备份文件另存到 U 盘或其他电脑。")
                                 .arg(QDir::toNativeSeparators(file),
                                      QLocale().formattedDataSize(QFileInfo(file).size())));
}

} // namespace cr::app
