#include "frame/dialect_sqlite_cursor.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QStringEncoder>
#include <QTime>
#include <span>
#include <sqlite3.h>
#include <vector>

namespace cr {
namespace {

// The UTF-8 forms of one run's texts, bound where they stand until the
// statement runs again: no copy of each text, by us or by the library. The
// room for the run's texts is set aside before the first is written, so
// none of them moves.
class RunTexts {
public:
    void start(std::span<const QVariant> values)
    {
        qsizetype need = 0;
        for (const QVariant& v : values)
            if (v.typeId() == QMetaType::QString)
                need += m_encoder.requiredSpace(static_cast<const QString*>(v.constData())->size());
        if (m_bytes.size() < need) m_bytes.resize(need);
        m_used = 0;
        m_others.clear();
    }
    QByteArrayView add(const QString& text)
    {
        char* begin = m_bytes.data() + m_used;
        char* end = m_encoder.appendToBuffer(begin, text);
        m_used += end - begin;
        return QByteArrayView(begin, end - begin);
    }
    QByteArrayView add(QByteArray text)
    {
        m_others.push_back(std::move(text));   // moving keeps the bytes where they are
        return m_others.back();
    }

private:
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    QByteArray m_bytes;
    qsizetype m_used = 0;
    std::vector<QByteArray> m_others;   // texts of dates and other values
};

// Binds one value the way the Qt SQLite driver binds it, so a statement
// finds the same rows whichever way it runs. With `run`, texts are bound
// where the run keeps them; otherwise the library takes its own copy.
int bindValue(sqlite3_stmt* stmt, int index, const QVariant& v, RunTexts* run = nullptr)
{
    const auto bind = [&](QByteArrayView t, sqlite3_destructor_type keep) {
        return sqlite3_bind_text64(stmt, index, t.data(), sqlite3_uint64(t.size()), keep, SQLITE_UTF8);
    };
    const auto bindText = [&](QByteArray t) {
        return run ? bind(run->add(std::move(t)), SQLITE_STATIC) : bind(t, SQLITE_TRANSIENT);
    };
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
    case QMetaType::QString: {
        const QString& text = *static_cast<const QString*>(v.constData());
        return run ? bind(run->add(text), SQLITE_STATIC) : bind(text.toUtf8(), SQLITE_TRANSIENT);
    }
    case QMetaType::QDateTime:
        return bindText(v.toDateTime().toString(Qt::ISODateWithMs).toUtf8());
    case QMetaType::QTime:
        return bindText(v.toTime().toString(QStringLiteral("hh:mm:ss.zzz")).toUtf8());
    default:
        return bindText(v.toString().toUtf8());
    }
}

// A statement of the SQLite library, read as a cursor or run again and again
// with new values. While it reads, it holds the connection's mutex (the
// library's own lock, which every call would otherwise take and release), so
// the values of the current row are read without locking, cell by cell.
class SqliteStatement final : public PreparedStatement {
public:
    explicit SqliteStatement(sqlite3_stmt* stmt)
        : m_stmt(stmt), m_db(sqlite3_db_handle(stmt)), m_mutex(sqlite3_db_mutex(m_db))
    {
    }
    ~SqliteStatement() override
    {
        release();
        sqlite3_finalize(m_stmt);
    }

    int columnCount() const override { return sqlite3_column_count(m_stmt); }
    QString columnName(int column) const override
    {
        return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
    }
    bool next() override
    {
        if (m_pendingRow) {
            m_pendingRow = false;
            return true;
        }
        return !m_done && step();
    }
    QString error() const override { return m_error; }
    QString errorCode() const override { return m_errorCode; }
    DbValue value(int column) const override
    {
        DbValue v;
        sqlite3_value* cell = sqlite3_column_value(m_stmt, column);
        switch (sqlite3_value_type(cell)) {
        case SQLITE_INTEGER:
            v.type = DbValue::Type::Integer;
            v.integer = sqlite3_value_int64(cell);
            break;
        case SQLITE_FLOAT:
            v.type = DbValue::Type::Real;
            v.real = sqlite3_value_double(cell);
            break;
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
            v.type = DbValue::Type::Text;
            v.text = QByteArrayView(text, sqlite3_value_bytes(cell));
            break;
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_value_blob(cell));
            v.type = DbValue::Type::Other;
            v.other = QByteArray(data, sqlite3_value_bytes(cell));
            break;
        }
        default:
            break;
        }
        return v;
    }

    bool bindByName(const QList<QPair<QString, QVariant>>& params)
    {
        for (const auto& [name, value] : params) {
            const int index = sqlite3_bind_parameter_index(m_stmt, (QLatin1Char(':') + name).toUtf8().constData());
            if (index > 0 && bindValue(m_stmt, index, value) != SQLITE_OK) return fail();
        }
        return true;
    }
    bool execute(std::span<const QVariant> values) override
    {
        finish();
        m_error.clear();
        m_errorCode.clear();
        m_done = false;
        // The last run's texts may go: every parameter is bound afresh (one
        // not given is bound NULL, never left pointing at them).
        if (qsizetype(values.size()) < sqlite3_bind_parameter_count(m_stmt)) sqlite3_clear_bindings(m_stmt);
        m_texts.start(values);
        for (size_t i = 0; i < values.size(); ++i)
            if (bindValue(m_stmt, int(i) + 1, values[i], &m_texts) != SQLITE_OK) return fail();
        if (!step()) return m_error.isEmpty();
        m_pendingRow = true;
        return true;
    }
    qint64 rowsAffected() const override { return m_changes; }
    void finish() override
    {
        m_pendingRow = false;
        m_done = true;
        release();
        sqlite3_reset(m_stmt);
    }

private:
    // One step: true for a row; at the end (or on failure) the mutex goes.
    bool step()
    {
        if (!m_locked) {
            sqlite3_mutex_enter(m_mutex);   // no-op (null) when the library runs without mutexes
            m_locked = true;
        }
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        m_done = true;
        m_changes = sqlite3_changes64(m_db);
        if (rc != SQLITE_DONE) fail();
        release();
        return false;
    }
    bool fail()
    {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        m_errorCode = QString::number(sqlite3_extended_errcode(m_db));
        m_done = true;
        return false;
    }
    void release()
    {
        if (!m_locked) return;
        sqlite3_mutex_leave(m_mutex);
        m_locked = false;
    }

    sqlite3_stmt* m_stmt;
    RunTexts m_texts;   // texts bound in place, until the next run
    sqlite3* m_db;
    sqlite3_mutex* m_mutex;
    bool m_locked = false;
    bool m_done = false;
    bool m_pendingRow = false;
    qint64 m_changes = 0;
    QString m_error;
    QString m_errorCode;
};

sqlite3* connectionOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

std::unique_ptr<SqliteStatement> prepare(const QSqlDatabase& db, const QString& sql, QString* error)
{
    sqlite3* connection = connectionOf(db);
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
    return std::make_unique<SqliteStatement>(stmt);
}

} // namespace

std::unique_ptr<RowCursor> openSqliteCursor(const QSqlDatabase& db, const QString& sql,
                                            const QList<QPair<QString, QVariant>>& params, QString* error)
{
    auto statement = prepare(db, sql, error);
    if (statement && !statement->bindByName(params)) {
        *error = statement->error();
        return nullptr;
    }
    return statement;
}

std::unique_ptr<PreparedStatement> prepareSqliteStatement(const QSqlDatabase& db, const QString& sql, QString* error)
{
    return prepare(db, sql, error);
}

} // namespace cr
