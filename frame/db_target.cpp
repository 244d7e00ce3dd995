#include "frame/db_target.h"

#include <QUrl>

namespace cr {

bool DbTarget::parse(const QString& text, DbTarget* out, QString* error)
{
    DbTarget t;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (error) *error = QStringLiteral("未指定数据库");
        return false;
    }
    if (trimmed.startsWith(QLatin1String("postgresql://")) || trimmed.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(trimmed, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty()) {
            if (error) *error = QStringLiteral("数据库地址格式不正确：%1").arg(trimmed);
            return false;
        }
        if (!url.password().isEmpty()) {
            if (error) *error = QStringLiteral("数据库地址中不能包含密码，请使用 PGPASSWORD 或 ~/.pgpass");
            return false;
        }
        t.engine = Engine::Postgres;
        t.host = url.host();
        t.port = url.port(5432);
        t.user = url.userName();
        t.database = url.path().mid(1);
        if (t.database.isEmpty()) t.database = t.user.isEmpty() ? QStringLiteral("postgres") : t.user;
        *out = t;
        return true;
    }
    t.engine = Engine::Sqlite;
    t.path = trimmed;
    *out = t;
    return true;
}

QString DbTarget::display() const
{
    if (engine == Engine::Sqlite) return path;
    QString s = QStringLiteral("postgresql://");
    if (!user.isEmpty()) s += user + QLatin1Char('@');
    s += host + QLatin1Char(':') + QString::number(port) + QLatin1Char('/') + database;
    return s;
}

} // namespace cr
