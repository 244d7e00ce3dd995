#pragma once

#include <QVariant>

namespace cr::expr {

// The rows an expression is evaluated over. Rows are numbered from 1.
// Expressions never see the data view itself, only this view of its rows,
// so they can be tested over plain tables.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int rowCount() const = 0;
    // The value of a column (by the index the resolver gave at compile time).
    // Sets *error for a value that cannot be produced (a computed column that
    // fails, a row out of range).
    virtual QVariant value(int row, int column, bool* error) const = 0;
    virtual int currentRow() const = 0;
    // Aggregates are reused while identity and revision stay the same; a
    // revision of 0 means "do not reuse".
    virtual quint64 revision() const = 0;
    virtual const void* identity() const { return this; }
};

} // namespace cr::expr
