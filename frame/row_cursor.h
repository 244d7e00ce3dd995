#pragma once

#include <QByteArrayView>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <span>

namespace cr {

// One value of a result row as the database hands it over: numbers and
// UTF-8 text as they are, anything else as the driver's QVariant.
struct DbValue {
    enum class Type { Null, Integer, Real, Text, Other };
    Type type = Type::Null;
    qint64 integer = 0;
    double real = 0;
    QByteArrayView text;   // valid until the cursor moves on
    QVariant other;

    // The value as the Qt driver would give it (null: an invalid QVariant).
    QVariant variant() const
    {
        switch (type) {
        case Type::Null: return {};
        case Type::Integer: return qlonglong(integer);
        case Type::Real: return real;
        case Type::Text: return QString::fromUtf8(text);
        case Type::Other: return other;
        }
        return {};
    }
};

// Reads a query's rows forward, one at a time, without keeping them.
class RowCursor {
public:
    virtual ~RowCursor() = default;
    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // The next row; false after the last one or on failure (error() says why).
    virtual bool next() = 0;
    virtual QString error() const = 0;
    // The engine's own code of that failure (SQLite's number, PostgreSQL's
    // SQLSTATE), so the clerk's sentence names the right cause.
    virtual QString errorCode() const { return {}; }
    virtual DbValue value(int column) const = 0;
};

// A statement prepared once and run again with new positional values (the
// rows of a save); what a run hands back (RETURNING) is read as a cursor.
class PreparedStatement : public RowCursor {
public:
    virtual bool execute(std::span<const QVariant> values) = 0;   // false: error() says why
    virtual qint64 rowsAffected() const = 0;
    // Done with the rows of this run: a statement left open would keep the
    // engine from committing.
    virtual void finish() = 0;
};

// A query of the Qt SQL driver, as a cursor (already run) or as a
// statement (prepared, run by execute()).
class QueryCursor final : public PreparedStatement {
public:
    explicit QueryCursor(QSqlQuery query);
    int columnCount() const override;
    QString columnName(int column) const override;
    bool next() override;
    QString error() const override;
    QString errorCode() const override;
    DbValue value(int column) const override;
    bool execute(std::span<const QVariant> values) override;
    qint64 rowsAffected() const override;
    void finish() override;

private:
    QSqlQuery m_query;
};

} // namespace cr
