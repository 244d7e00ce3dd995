#include "frame/dialect_sqlite_cursor.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QTime>
#include <sqlite3.h>

namespace cr {
namespace {

// Values bound the way the Qt SQLite driver binds them, so a statement finds
// the same rows whichever way it runs.
int bindValue(sqlite3_stmt* stmt, int index, const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return sqlite3_bind_null(stmt, index);
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return sqlite3_bind_int64(stmt, index, v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(stmt, index, v.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob64(stmt, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QDateTime: {
        const QByteArray t = v.toDateTime().toString(Qt::ISODateWithMs).toUtf8();
        return sqlite3_bind_text64(stmt, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    case QMetaType::QTime: {
        const QByteArray t = v.toTime().toString(QStringLiteral("hh:mm:ss.zzz")).toUtf8();
        return sqlite3_bind_text64(stmt, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        return sqlite3_bind_text64(stmt, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
}

class SqliteCursor final : public RowCursor {
public:
    explicit SqliteCursor(sqlite3_stmt* stmt) : m_stmt(stmt) {}
    ~SqliteCursor() override { sqlite3_finalize(m_stmt); }

    int columnCount() const override { return sqlite3_column_count(m_stmt); }
    QString columnName(int column) const override
    {
        return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
    }
    bool next() override
    {
        if (m_done) return false;
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        m_done = true;
        if (rc != SQLITE_DONE) m_error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
        return false;
    }
    QString error() const override { return m_error; }
    DbValue value(int column) const override
    {
        DbValue v;
        switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_INTEGER:
            v.type = DbValue::Type::Integer;
            v.integer = sqlite3_column_int64(m_stmt, column);
            break;
        case SQLITE_FLOAT:
            v.type = DbValue::Type::Real;
            v.real = sqlite3_column_double(m_stmt, column);
            break;
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
            v.type = DbValue::Type::Text;
            v.text = QByteArrayView(text, sqlite3_column_bytes(m_stmt, column));
            break;
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
            v.type = DbValue::Type::Other;
            v.other = QByteArray(data, sqlite3_column_bytes(m_stmt, column));
            break;
        }
        default:
            break;
        }
        return v;
    }

private:
    sqlite3_stmt* m_stmt;
    bool m_done = false;
    QString m_error;
};

} // namespace

std::unique_ptr<RowCursor> openSqliteCursor(const QSqlDatabase& db, const QString& sql,
                                            const QList<QPair<QString, QVariant>>& params, QString* error)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        *error = QStringLiteral("数据库连接不可用");
        return nullptr;
    }
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    if (!connection) {
        *error = QStringLiteral("数据库连接不可用");
        return nullptr;
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(connection, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(connection));
        sqlite3_finalize(stmt);
        return nullptr;
    }
    for (const auto& [name, value] : params) {
        const int index = sqlite3_bind_parameter_index(stmt, (QLatin1Char(':') + name).toUtf8().constData());
        if (index > 0 && bindValue(stmt, index, value) != SQLITE_OK) {
            *error = QString::fromUtf8(sqlite3_errmsg(connection));
            sqlite3_finalize(stmt);
            return nullptr;
        }
    }
    return std::make_unique<SqliteCursor>(stmt);
}

} // namespace cr
