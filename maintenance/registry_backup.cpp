#include "maintenance/registry_backup.h"

#include "maintenance/pg_tools.h"
#include "maintenance/private_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace cr::maintenance {
namespace {

bool writeBackup(const DbTarget& target, const QString& file, const PageProgress& progress, QString* error)
{
    if (target.engine == Engine::Postgres) return pgDump(target, file, error);
    if (!copySqliteDatabase(target.path, file, progress, error)) return false;
    const QString check = sqliteQuickCheck(file);
    if (check == QLatin1String("ok")) return true;
    if (error) *error = QStringLiteral("备份文件检查未通过：%1").arg(check);
    return false;
}

} // namespace

BackupKind backupKind(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return BackupKind::None;
    const QByteArray head = f.read(16);
    if (head == QByteArray("SQLite format 3\0", 16)) return BackupKind::Sqlite;
    if (head.startsWith("PGDMP")) return BackupKind::PgDump;
    return BackupKind::None;
}

bool backupRegistry(const DbTarget& target, const QString& file, bool overwrite, const PageProgress& progress,
                    QString* error)
{
    const QFileInfo info(file);
    if (info.isDir()) {
        if (error) *error = QStringLiteral("%1 是一个文件夹，请给出备份文件的名称").arg(file);
        return false;
    }
    if (target.engine == Engine::Sqlite && info.exists()
        && info.canonicalFilePath() == QFileInfo(target.path).canonicalFilePath()) {
        if (error) *error = QStringLiteral("备份文件不能是数据库文件本身：%1").arg(file);
        return false;
    }
    if (info.exists() && !overwrite) {
        if (error) *error = QStringLiteral("备份文件已存在：%1").arg(file);
        return false;
    }
    if (!info.absoluteDir().exists()) {
        if (error) *error = QStringLiteral("备份文件所在的文件夹不存在：%1").arg(info.absolutePath());
        return false;
    }
    const QString part = QStringLiteral("%1.part-%2").arg(file).arg(QCoreApplication::applicationPid());
    QFile::remove(part);
    if (!createPrivateFile(part, error)) return false;
    if (!writeBackup(target, part, progress, error)) {
        QFile::remove(part);
        return false;
    }
    std::error_code failure;
    std::filesystem::rename(QFile::encodeName(part).toStdString(), QFile::encodeName(file).toStdString(), failure);
    if (failure) {
        QFile::remove(part);
        if (error)
            *error = QStringLiteral("无法把备份写成 %1：%2").arg(file, QString::fromLocal8Bit(failure.message()));
        return false;
    }
    return true;
}

bool restoreRegistry(const DbTarget& target, const QString& file, const PageProgress& progress, QString* error)
{
    const BackupKind kind = backupKind(file);
    const BackupKind wanted = target.engine == Engine::Postgres ? BackupKind::PgDump : BackupKind::Sqlite;
    if (kind == wanted)
        return kind == BackupKind::PgDump ? pgRestore(target, file, error)
                                          : copySqliteDatabase(file, target.path, progress, error);
    if (!error) return false;
    if (!QFileInfo::exists(file))
        *error = QStringLiteral("备份文件不存在：%1").arg(file);
    else if (kind == BackupKind::None)
        *error = QStringLiteral("%1 不是本程序的备份文件（既不是 SQLite 数据库，也不是 pg_dump 备份）").arg(file);
    else if (kind == BackupKind::PgDump)
        *error = QStringLiteral("%1 是 PostgreSQL 的备份，只能恢复到 PostgreSQL 数据库；"
                                "要换到本机文件，请先恢复到服务器，再用 community-admin copy")
                     .arg(file);
    else
        *error = QStringLiteral("%1 是本机数据库文件（SQLite）的备份，只能恢复为数据库文件；"
                                "要换到服务器，请用 community-admin copy")
                     .arg(file);
    return false;
}

} // namespace cr::maintenance
