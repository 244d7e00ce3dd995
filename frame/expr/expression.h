#pragma once

#include "frame/expr/node.h"
#include "frame/expr/parser.h"
#include "frame/expr/row_source.h"

#include <QString>
#include <memory>

namespace cr::expr {

// A parsed expression, ready to be evaluated for any row of a row source.
// Parse once, evaluate as often as needed.
class Expression {
public:
    // nullptr with a message when the text is no valid expression.
    static std::shared_ptr<const Expression> compile(const QString& text, const ColumnResolver& columns,
                                                     QString* error = nullptr);

    QString text() const { return m_text; }
    // The value for a row; an invalid QVariant with *error set when it
    // cannot be evaluated.
    QVariant evaluate(const RowSource& source, int row, bool* error = nullptr) const;
    // The value as a condition: null and false do not match.
    bool matches(const RowSource& source, int row, bool* error = nullptr) const;

    // "column = literal": lets filters use an index instead of evaluating
    // every row.
    bool isColumnEquality(int* column, QVariant* literal) const;

private:
    QString m_text;
    std::unique_ptr<Node> m_root;
};

} // namespace cr::expr
