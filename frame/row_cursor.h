#pragma once

#include <QByteArrayView>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>

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
    virtual DbValue value(int column) const = 0;
};

// A cursor over a query run by the Qt SQL driver.
class QueryCursor final : public RowCursor {
public:
    explicit QueryCursor(QSqlQuery query);
    int columnCount() const override;
    QString columnName(int column) const override;
    bool next() override;
    QString error() const override;
    DbValue value(int column) const override;

private:
    QSqlQuery m_query;
};

} // namespace cr
