#include "frame/expr/evaluator.h"

#include "frame/expr/builtins.h"
#include "frame/expr/format.h"
#include "frame/expr/values.h"

#include <cmath>

namespace cr::expr {

bool Evaluator::truthyOf(const QVariant& v)
{
    return values::truthy(v);
}

QVariant Evaluator::evaluate(const Node& node)
{
    if (m_error) return {};
    switch (node.kind) {
    case Node::Kind::Literal:
        return node.value;
    case Node::Kind::Column:
        return m_source.value(m_row, node.column, &m_error);
    case Node::Kind::Negate: {
        const QVariant v = evaluate(*node.args[0]);
        if (values::isNull(v)) return {};
        if (!values::isNumber(v)) {
            m_error = true;
            return {};
        }
        if (!values::isIntegral(v)) return -v.toDouble();
        // The smallest integer has no positive counterpart: no value.
        const auto negated = values::checkedSub(0, v.toLongLong());
        return negated ? QVariant(*negated) : QVariant();
    }
    case Node::Kind::Not:
        return !condition(*node.args[0]);
    case Node::Kind::And:
        return condition(*node.args[0]) && condition(*node.args[1]);
    case Node::Kind::Or:
        return condition(*node.args[0]) || condition(*node.args[1]);
    case Node::Kind::Compare: {
        const QVariant a = evaluate(*node.args[0]);
        const QVariant b = evaluate(*node.args[1]);
        const auto c = values::compare(a, b);
        if (!c) return false;
        switch (node.op) {
        case Node::Eq: return *c == 0;
        case Node::Ne: return *c != 0;
        case Node::Lt: return *c < 0;
        case Node::Gt: return *c > 0;
        case Node::Le: return *c <= 0;
        default: return *c >= 0;
        }
    }
    case Node::Kind::Arithmetic: {
        const QVariant a = evaluate(*node.args[0]);
        const QVariant b = evaluate(*node.args[1]);
        if (m_error) return {};
        return values::arithmetic(node.op, a, b, &m_error);
    }
    case Node::Kind::Like: {
        const QVariant a = evaluate(*node.args[0]);
        const QVariant p = evaluate(*node.args[1]);
        if (values::isNull(a) || values::isNull(p)) return false;
        const bool hit = values::like(Format::plain(a), Format::plain(p));
        return hit != node.negated;
    }
    case Node::Kind::In: {
        const QVariant a = evaluate(*node.args[0]);
        if (values::isNull(a)) return false;
        bool hit = false;
        for (size_t i = 1; i < node.args.size() && !hit; ++i) {
            const auto c = values::compare(a, evaluate(*node.args[i]));
            hit = c && *c == 0;
        }
        return hit != node.negated;
    }
    case Node::Kind::If:
        return condition(*node.args[0]) ? evaluate(*node.args[1]) : evaluate(*node.args[2]);
    case Node::Kind::Call: {
        QVariantList args;
        args.reserve(static_cast<int>(node.args.size()));
        for (const auto& a : node.args) args << evaluate(*a);
        if (m_error) return {};
        return node.builtin->call(args, &m_error);
    }
    case Node::Kind::Aggregate:
        return aggregate(node);
    case Node::Kind::GetRow:
        return static_cast<qlonglong>(m_row);
    case Node::Kind::CurrentRow:
        return static_cast<qlonglong>(m_source.currentRow());
    case Node::Kind::RowCount:
        return static_cast<qlonglong>(m_source.rowCount());
    }
    m_error = true;
    return {};
}

QVariant Evaluator::aggregate(const Node& node)
{
    const quint64 revision = m_source.revision();
    if (revision != 0 && node.cachedSource == m_source.identity() && node.cachedRevision == revision)
        return node.cachedValue;
    const int rows = m_source.rowCount();
    qlonglong count = 0;
    std::optional<qlonglong> intSum = 0;   // nullopt once the whole-number sum overflowed
    double sum = 0;
    bool allIntegers = true;
    QVariant best;
    for (int r = 1; r <= rows; ++r) {
        Evaluator inner(m_source, r);
        const QVariant v = inner.evaluate(*node.args[0]);
        if (inner.failed()) {
            m_error = true;
            return {};
        }
        if (values::isNull(v)) continue;
        ++count;
        if (node.op == Node::Max || node.op == Node::Min) {
            const auto c = best.isValid() ? values::compare(v, best) : std::optional<int>(0);
            if (!best.isValid() || (c && (node.op == Node::Max ? *c > 0 : *c < 0))) best = v;
            continue;
        }
        if (node.op == Node::Count) continue;
        const auto d = values::toNumber(v);
        if (!d || !values::isNumber(v)) {
            m_error = true;
            return {};
        }
        if (!values::isIntegral(v)) allIntegers = false;
        else if (intSum) intSum = values::checkedAdd(*intSum, v.toLongLong());
        sum += *d;
    }
    QVariant result;
    switch (node.op) {
    case Node::Sum:
        // A sum too large for its kind has no value, as with + itself.
        if (allIntegers) result = intSum ? QVariant(*intSum) : QVariant();
        else if (std::isfinite(sum)) result = sum;
        break;
    case Node::Count: result = count; break;
    case Node::Avg: result = count && std::isfinite(sum) ? QVariant(sum / count) : QVariant(); break;
    default: result = best; break;
    }
    node.cachedSource = m_source.identity();
    node.cachedRevision = revision;
    node.cachedValue = result;
    return result;
}

} // namespace cr::expr
