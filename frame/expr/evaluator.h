#pragma once

#include "frame/expr/node.h"
#include "frame/expr/row_source.h"

namespace cr::expr {

// Evaluates parsed nodes for one row of a row source. Null follows the
// data window rules: arithmetic with null gives null, a comparison with null
// is false, and a condition that is null counts as false.
class Evaluator {
public:
    Evaluator(const RowSource& source, int row) : m_source(source), m_row(row) {}

    QVariant evaluate(const Node& node);
    bool failed() const { return m_error; }

private:
    QVariant aggregate(const Node& node);
    bool condition(const Node& node) { return truthyOf(evaluate(node)); }
    static bool truthyOf(const QVariant& v);

    const RowSource& m_source;
    int m_row;
    bool m_error = false;
};

} // namespace cr::expr
