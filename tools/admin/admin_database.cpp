#include "tools/admin/admin_database.h"

#include "maintenance/private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cr::admin {

std::unique_ptr<AdminDatabase> AdminDatabase::open(const QString& argument, Mode mode, QString* error)
{
    std::unique_ptr<AdminDatabase> db(new AdminDatabase);
    if (!DbTarget::parse(argument, &db->m_target, error)) return nullptr;
    const DbTarget& t = db->m_target;
    if (t.engine == Engine::Sqlite && t.path != QLatin1String(":memory:")) {
        const QFileInfo info(t.path);
        if (info.isDir()) {
            *error = QStringLiteral("%1 是一个文件夹，不是数据库文件").arg(t.path);
            return nullptr;
        }
        if (!info.exists()) {
            if (mode == Mode::MustExist) {
                *error = QStringLiteral("数据库文件不存在：%1").arg(t.path);
                return nullptr;
            }
            if (!info.absoluteDir().exists()) {
                *error = QStringLiteral("数据库文件所在的文件夹不存在：%1").arg(info.absolutePath());
                return nullptr;
            }
            // Made here, before the engine opens it, so that it is private from the start.
            if (!maintenance::createPrivateFile(t.path, error)) return nullptr;
            db->m_newFile = true;
        }
    }
    db->m_sqlca = Sqlca::connect(t, error);
    if (!db->m_sqlca) {
        db->discardIfNew();
        return nullptr;
    }
    return db;
}

AdminDatabase::~AdminDatabase() = default;

void AdminDatabase::discardIfNew()
{
    m_sqlca.reset();
    if (m_newFile) {
        // SQLite's companion files go too (journal, WAL).
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
            const QString path = m_target.path + QLatin1String(suffix);
            if (QFileInfo(path).isFile()) QFile::remove(path);
        }
        m_newFile = false;
    }
}

} // namespace cr::admin
