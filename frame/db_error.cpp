#include "frame/db_error.h"

#include "frame/dialect_guards.h"

#include <QHash>

namespace cr {
namespace {

using Kind = DbError::Kind;

// SQLite primary result codes (the low byte of extended ones).
Kind fromSqliteCode(int code, const QString& text)
{
    switch (code & 0xff) {
    case 5:    // SQLITE_BUSY
    case 6:    // SQLITE_LOCKED
        return Kind::Busy;
    case 3:    // SQLITE_PERM
    case 23:   // SQLITE_AUTH
        return Kind::NoPermission;
    case 8: return Kind::ReadOnly;
    case 13: return Kind::DiskFull;
    case 11:   // SQLITE_CORRUPT
    case 26:   // SQLITE_NOTADB
        return Kind::NotADatabase;
    case 14: return Kind::CannotConnect;   // SQLITE_CANTOPEN
    case 19:   // SQLITE_CONSTRAINT: which one, only the text says
        if (text.contains(QLatin1String("UNIQUE")) || text.contains(QLatin1String("PRIMARY KEY"))) return Kind::Unique;
        if (text.contains(QLatin1String("NOT NULL"))) return Kind::NotNull;
        if (text.contains(QLatin1String("FOREIGN KEY"))) return Kind::ForeignKey;
        if (text.contains(QLatin1String("CHECK"))) return Kind::Check;
        return Kind::Check;
    case 18: return Kind::TooLong;          // SQLITE_TOOBIG
    default: return Kind::None;
    }
}

Kind fromSqlState(const QString& state)
{
    static const QHash<QString, Kind> exact{
        {QStringLiteral("23505"), Kind::Unique},         {QStringLiteral("23502"), Kind::NotNull},
        {QStringLiteral("23503"), Kind::ForeignKey},     {QStringLiteral("23514"), Kind::Check},
        {QStringLiteral("22001"), Kind::TooLong},        {QStringLiteral("22003"), Kind::OutOfRange},
        {QStringLiteral("22008"), Kind::OutOfRange},     {QStringLiteral("55P03"), Kind::Busy},
        {QStringLiteral("40P01"), Kind::Busy},           {QStringLiteral("40001"), Kind::Busy},
        {QStringLiteral("57014"), Kind::Busy},           {QStringLiteral("53100"), Kind::DiskFull},
        {QStringLiteral("25006"), Kind::ReadOnly},       {QStringLiteral("42501"), Kind::NoPermission},
        {QStringLiteral("28P01"), Kind::WrongPassword},  {QStringLiteral("28000"), Kind::WrongPassword},
        {QStringLiteral("3D000"), Kind::NoSuchDatabase}, {QStringLiteral("57P01"), Kind::ConnectionLost},
        {QStringLiteral("57P02"), Kind::ConnectionLost}, {QStringLiteral("57P03"), Kind::CannotConnect},
    };
    const auto it = exact.constFind(state);
    if (it != exact.constEnd()) return *it;
    if (state.startsWith(QLatin1String("08"))) return Kind::ConnectionLost;   // connection exceptions
    return Kind::None;
}

// What libpq and the SQLite driver say without a code: while connecting,
// and when a transaction cannot begin or commit.
Kind fromText(const QString& text)
{
    static const struct {
        const char* words;
        Kind kind;
    } patterns[] = {
        {"password authentication failed", Kind::WrongPassword},
        {"no password supplied", Kind::PasswordMissing},
        {"fe_sendauth", Kind::PasswordMissing},
        {"role \"", Kind::WrongPassword},   // role "x" does not exist
        {"database \"", Kind::NoSuchDatabase},
        {"server closed the connection", Kind::ConnectionLost},
        {"no connection to the server", Kind::ConnectionLost},
        {"terminating connection", Kind::ConnectionLost},
        {"connection refused", Kind::CannotConnect},
        {"could not connect", Kind::CannotConnect},
        {"could not translate host name", Kind::CannotConnect},
        {"timeout expired", Kind::CannotConnect},
        {"no route to host", Kind::CannotConnect},
        {"support ssl", Kind::CannotConnect},
        {"ssl error", Kind::CannotConnect},
        {"ssl syscall", Kind::CannotConnect},
        {"lock timeout", Kind::Busy},
        {"deadlock detected", Kind::Busy},
        {"database is locked", Kind::Busy},
        {"database table is locked", Kind::Busy},
        {"file is not a database", Kind::NotADatabase},
        {"database disk image is malformed", Kind::NotADatabase},
        {"database or disk is full", Kind::DiskFull},
        {"no space left on device", Kind::DiskFull},
        {"readonly database", Kind::ReadOnly},
        {"unable to open database file", Kind::CannotConnect},
    };
    const QString lower = text.toLower();
    for (const auto& p : patterns)
        if (lower.contains(QLatin1String(p.words))) return p.kind;
    return Kind::None;
}

// A guard's refusal says which way the link broke: a row naming a record
// that does not exist, or a record still named by others.
QString foreignKeySentence(const QString& text)
{
    const QString lower = text.toLower();
    if (lower.contains(QLatin1String(kGuardStillReferenced)) || lower.contains(QLatin1String("update or delete on table")))
        return QStringLiteral("有其他记录引用此记录，不能删除。请先删除或改正引用它的记录。");
    if (lower.contains(QLatin1String(kGuardMissingMaster)) || lower.contains(QLatin1String("insert or update on table")))
        return QStringLiteral("所引用的记录不存在（可能已被删除），不能保存。请重新选择后再保存。");
    return DbError::sentence(Kind::ForeignKey, Engine::Sqlite);
}

} // namespace

QString DbError::sentence(Kind kind, Engine engine)
{
    const bool server = engine == Engine::Postgres;
    switch (kind) {
    case Kind::None: return {};
    case Kind::CannotConnect:
        return server ? QStringLiteral("无法连接数据库服务器。请检查服务器地址和端口是否正确、服务器是否已启动、网络是否通畅。")
                      : QStringLiteral("无法打开数据库文件。请检查文件是否存在、路径是否正确，以及是否有权限读写它。");
    case Kind::WrongPassword:
        return QStringLiteral("数据库用户名或密码不正确，请重新输入；忘记密码请询问管理员。");
    case Kind::PasswordMissing:
        return QStringLiteral("连接数据库需要密码，请输入密码（管理员也可以在 PGPASSWORD 或 ~/.pgpass 中设置）。");
    case Kind::NoSuchDatabase:
        return QStringLiteral("服务器上没有这个数据库。请检查数据库名称，或请管理员先建立数据库。");
    case Kind::NotADatabase:
        return QStringLiteral("这个文件不是数据库文件，或者已经损坏。请选择正确的登记库文件；文件损坏时请用备份恢复。");
    case Kind::NotARegistry:
        return QStringLiteral("这个数据库不是社区登记库，其中已有别的数据表。为免破坏其中的数据，本程序不使用它。"
                              "请选择登记库，或新建一个空的数据库。");
    case Kind::Busy:
        return server ? QStringLiteral("数据正被其他人使用，请稍后再试。")
                      : QStringLiteral("数据库正忙，其他程序正在使用它，请稍后再试。");
    case Kind::DiskFull:
        return QStringLiteral("磁盘空间已满，数据未能保存。请清理磁盘空间（或请管理员处理）后再试。");
    case Kind::ReadOnly:
        return QStringLiteral("数据库是只读的，不能保存修改。请检查数据库文件的权限，或询问管理员。");
    case Kind::NoPermission:
        return QStringLiteral("没有操作这些数据的权限，请询问管理员。");
    case Kind::ConnectionLost:
        return QStringLiteral("与数据库服务器的连接已断开，刚才的修改没有保存。请检查网络，然后重新连接数据库。");
    case Kind::Unique:
        return QStringLiteral("与已有的记录重复，不能保存。请检查输入的名称、编号等是否已经登记过。");
    case Kind::NotNull:
        return QStringLiteral("有必须填写的内容没有填写，不能保存。请填写完整后再保存。");
    case Kind::ForeignKey:
        return QStringLiteral("该记录引用的数据不存在，或者仍被其他记录引用，不能保存或删除。请先检查相关的记录。");
    case Kind::Check:
        return QStringLiteral("输入的内容不符合要求，不能保存。请检查输入的数值。");
    case Kind::TooLong:
        return QStringLiteral("输入的文字太长，超过了该项允许的长度。请缩短后再保存。");
    case Kind::OutOfRange:
        return QStringLiteral("输入的数值或日期超出了允许的范围。请检查后再保存。");
    case Kind::Other:
        return QStringLiteral("数据库操作没有成功。如果再次出现，请把详细信息告诉管理员。");
    }
    return {};
}

DbError DbError::make(Kind kind, Engine engine, const QString& detail)
{
    DbError e;
    e.kind = kind;
    e.message = sentence(kind, engine);
    e.detail = detail.trimmed();
    return e;
}

DbError DbError::fromEngine(Engine engine, const QString& code, const QString& text)
{
    Kind kind = Kind::None;
    bool numeric = false;
    const int number = code.toInt(&numeric);
    if (engine == Engine::Sqlite && numeric) kind = fromSqliteCode(number, text);
    if (engine == Engine::Postgres && !code.isEmpty()) kind = fromSqlState(code);
    if (kind == Kind::None) kind = fromText(text);
    if (kind == Kind::None) kind = Kind::Other;
    QString detail = text.trimmed();
    if (!code.isEmpty() && !detail.contains(code)) detail += QStringLiteral("（错误代码 %1）").arg(code);
    DbError error = make(kind, engine, detail);
    if (kind == Kind::ForeignKey) error.message = foreignKeySentence(text);
    return error;
}

QString DbError::fullText() const
{
    if (detail.isEmpty()) return message;
    return message + QStringLiteral("\n详细信息：") + detail;
}

} // namespace cr
