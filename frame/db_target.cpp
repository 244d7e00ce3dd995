#include "frame/db_target.h"

#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <QUrlQuery>

namespace cr {
namespace {

// libpq parameters an office may need in the address: encryption and
// certificates, time-outs and keep-alives, the application's name, which
// server of several to use. Secrets (password, sslpassword) stay out of
// addresses, and what would change the conversation itself (client_encoding,
// replication, dbname/user given twice) is refused rather than half honoured.
const QSet<QString>& passedOnParameters()
{
    static const QSet<QString> names{
        QStringLiteral("sslmode"),          QStringLiteral("sslrootcert"),       QStringLiteral("sslcert"),
        QStringLiteral("sslkey"),           QStringLiteral("sslcrl"),            QStringLiteral("sslcompression"),
        QStringLiteral("sslsni"),           QStringLiteral("ssl_min_protocol_version"),
        QStringLiteral("ssl_max_protocol_version"),                              QStringLiteral("gssencmode"),
        QStringLiteral("krbsrvname"),       QStringLiteral("channel_binding"),   QStringLiteral("requirepeer"),
        QStringLiteral("connect_timeout"),  QStringLiteral("keepalives"),        QStringLiteral("keepalives_idle"),
        QStringLiteral("keepalives_interval"), QStringLiteral("keepalives_count"), QStringLiteral("tcp_user_timeout"),
        QStringLiteral("application_name"), QStringLiteral("target_session_attrs"), QStringLiteral("passfile"),
        QStringLiteral("hostaddr"),         QStringLiteral("options"),
    };
    return names;
}

bool refuse(QString* error, const QString& text)
{
    if (error) *error = text;
    return false;
}

// A value as libpq reads it in "name=value": quoted when it holds blanks,
// quotes or backslashes.
QString conninfoValue(const QString& value)
{
    if (!value.isEmpty() && !value.contains(QRegularExpression(QStringLiteral("[\\s'\\\\]")))) return value;
    QString v = value;
    v.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    v.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

bool parseParameters(const QUrl& url, DbTarget* t, QString* error)
{
    const QUrlQuery query(url);
    for (const auto& [rawName, value] : query.queryItems(QUrl::FullyDecoded)) {
        const QString name = rawName.trimmed().toLower();
        if (name == QLatin1String("password") || name == QLatin1String("sslpassword"))
            return refuse(error, QStringLiteral("数据库地址中不能包含密码，请使用 PGPASSWORD 或 ~/.pgpass"));
        // The server's local socket: postgresql://clerk@/registry?host=/var/run/postgresql
        if (name == QLatin1String("host") || name == QLatin1String("port")) {
            const bool inAddress = name == QLatin1String("host") ? !t->host.isEmpty() : url.port() != -1;
            bool ok = true;
            const int port = name == QLatin1String("port") ? value.toInt(&ok) : 0;
            if (inAddress || !ok || (name == QLatin1String("port") && (port < 1 || port > 65535)))
                return refuse(error, QStringLiteral("数据库地址中的参数“%1”无效或与地址重复").arg(rawName));
            if (name == QLatin1String("host")) t->host = value;
            else t->port = port;
            continue;
        }
        if (!passedOnParameters().contains(name))
            return refuse(error, QStringLiteral("数据库地址中的参数“%1”不受支持。可用的参数有 sslmode、sslrootcert、"
                                                "connect_timeout、application_name 等").arg(rawName));
        // The SQL driver separates options at ';': such a value cannot pass intact.
        if (value.contains(QLatin1Char(';')))
            return refuse(error, QStringLiteral("数据库地址中参数“%1”的值不能包含分号").arg(rawName));
        t->options.append({name, value});
    }
    return true;
}

} // namespace

bool DbTarget::parse(const QString& text, DbTarget* out, QString* error)
{
    DbTarget t;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return refuse(error, QStringLiteral("未指定数据库"));
    if (trimmed.startsWith(QLatin1String("postgresql://")) || trimmed.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(trimmed, QUrl::StrictMode);
        if (!url.isValid()) return refuse(error, QStringLiteral("数据库地址格式不正确：%1").arg(trimmed));
        if (!url.password().isEmpty())
            return refuse(error, QStringLiteral("数据库地址中不能包含密码，请使用 PGPASSWORD 或 ~/.pgpass"));
        t.engine = Engine::Postgres;
        t.host = url.host(QUrl::FullyDecoded);
        t.port = url.port(5432);
        t.user = url.userName(QUrl::FullyDecoded);
        t.database = url.path(QUrl::FullyDecoded).mid(1);
        if (!parseParameters(url, &t, error)) return false;
        if (t.host.isEmpty()) return refuse(error, QStringLiteral("数据库地址中缺少服务器：%1").arg(trimmed));
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
    // Built as a URL, so that what is shown parses back to the same target.
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(user);
    const bool socketFolder = host.startsWith(QLatin1Char('/'));
    if (socketFolder) {
        url.setHost(QString());
    } else {
        url.setHost(host);
        url.setPort(port);
    }
    url.setPath(QLatin1Char('/') + database);
    QUrlQuery query;
    if (socketFolder) query.addQueryItem(QStringLiteral("host"), host);
    if (socketFolder && port != 5432) query.addQueryItem(QStringLiteral("port"), QString::number(port));
    for (const auto& [name, value] : options) query.addQueryItem(name, value);
    url.setQuery(query);
    QString s = url.toString(QUrl::EncodeSpaces);
    // QUrl leaves out "//" when there is no host; the socket form keeps it.
    if (socketFolder && !s.startsWith(QLatin1String("postgresql://")))
        s.replace(0, int(qstrlen("postgresql:")), QStringLiteral("postgresql://"));
    return s;
}

QString DbTarget::connectOptions() const
{
    QStringList parts;
    for (const auto& [name, value] : options) parts << name + QLatin1Char('=') + conninfoValue(value);
    return parts.join(QLatin1Char(' '));
}

} // namespace cr
