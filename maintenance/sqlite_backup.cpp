#include "maintenance/sqlite_backup.h"

#include "maintenance/private_files.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace cr::maintenance {
namespace {

// One connection of the C interface, closed when it goes.
class Connection {
public:
    Connection(const QString& path, int flags, int busyMs)
    {
        m_rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
        if (m_rc == SQLITE_OK) sqlite3_busy_timeout(m_db, busyMs);
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return m_rc == SQLITE_OK; }
    sqlite3* handle() const { return m_db; }
    QString message() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

private:
    sqlite3* m_db = nullptr;
    int m_rc = SQLITE_ERROR;
};

QString explain(int rc, const QString& detail)
{
    switch (rc) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据库正在被其他程序写入，请稍后再试（%1）").arg(detail);
    case SQLITE_NOTADB:
        return QStringLiteral("文件不是 SQLite 数据库（%1）").arg(detail);
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满（%1）").arg(detail);
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return QStringLiteral("无法写入目标文件（%1）").arg(detail);
    default:
        return detail;
    }
}

} // namespace

bool looksLikeSqliteFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3\0", 16);
}

QString sqliteQuickCheck(const QString& path)
{
    Connection db(path, SQLITE_OPEN_READONLY, 0);
    if (!db.ok()) return db.message();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.handle(), "PRAGMA quick_check", -1, &stmt, nullptr) != SQLITE_OK) return db.message();
    QString result;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        if (!result.isEmpty()) result += QLatin1Char('\n');
        result += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    return result.isEmpty() ? db.message() : result;
}

namespace {

bool onlineCopy(const QString& source, const QString& destination, const PageProgress& progress, QString* error,
                int busyMs)
{
    Connection from(source, SQLITE_OPEN_READONLY, busyMs);
    Connection to(destination, SQLITE_OPEN_READWRITE, busyMs);
    if (!from.ok()) {
        if (error) *error = QStringLiteral("无法打开 %1：%2").arg(source, from.message());
        return false;
    }
    if (!to.ok()) {
        if (error) *error = QStringLiteral("无法打开 %1：%2").arg(destination, to.message());
        return false;
    }
    sqlite3_backup* backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
    if (!backup) {
        if (error) *error = explain(sqlite3_errcode(to.handle()), to.message());
        return false;
    }
    int rc = SQLITE_OK;
    // A few hundred pages per step: progress can be shown, and a writer of
    // the source is not held up for long at a time.
    while (rc == SQLITE_OK) {
        rc = sqlite3_backup_step(backup, 256);
        const int total = sqlite3_backup_pagecount(backup);
        if (progress) progress(total - sqlite3_backup_remaining(backup), total);
    }
    // Errors of the backup are kept by the destination's connection.
    const int finished = sqlite3_backup_finish(backup);
    if (rc == SQLITE_DONE && finished == SQLITE_OK) return true;
    if (error) *error = explain(rc == SQLITE_DONE ? finished : rc, to.message());
    return false;
}

} // namespace

bool copySqliteDatabase(const QString& source, const QString& destination, const PageProgress& progress,
                        QString* error, int busyMs)
{
    if (!QFileInfo(source).isFile()) {
        if (error) *error = QStringLiteral("数据库文件不存在：%1").arg(source);
        return false;
    }
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(destination).canonicalFilePath()) {
        if (error) *error = QStringLiteral("源文件和目标文件是同一个文件：%1").arg(source);
        return false;
    }
    const bool newFile = !QFileInfo::exists(destination);
    if (newFile && !createPrivateFile(destination, error)) return false;
    if (onlineCopy(source, destination, progress, error, busyMs)) return true;
    if (newFile) QFile::remove(destination);
    return false;
}

} // namespace cr::maintenance
