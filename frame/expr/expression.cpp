#include "frame/expr/expression.h"

#include "frame/expr/evaluator.h"
#include "frame/expr/values.h"

namespace cr::expr {

std::shared_ptr<const Expression> Expression::compile(const QString& text, const ColumnResolver& columns,
                                                      QString* error)
{
    auto root = Parser::parse(text, columns, error);
    if (!root) return nullptr;
    auto e = std::make_shared<Expression>();
    e->m_text = text;
    e->m_root = std::move(root);
    return e;
}

QVariant Expression::evaluate(const RowSource& source, int row, bool* error) const
{
    Evaluator ev(source, row);
    const QVariant v = ev.evaluate(*m_root);
    if (error) *error = ev.failed();
    return ev.failed() ? QVariant() : v;
}

bool Expression::matches(const RowSource& source, int row, bool* error) const
{
    return values::truthy(evaluate(source, row, error));
}

bool Expression::isColumnEquality(int* column, QVariant* literal) const
{
    const Node& n = *m_root;
    if (n.kind != Node::Kind::Compare || n.op != Node::Eq) return false;
    const Node* a = n.args[0].get();
    const Node* b = n.args[1].get();
    if (a->kind == Node::Kind::Literal) std::swap(a, b);
    if (a->kind != Node::Kind::Column || b->kind != Node::Kind::Literal) return false;
    *column = a->column;
    *literal = b->value;
    return true;
}

} // namespace cr::expr
