#include "frame/expr/values.h"

#include "frame/expr/node.h"

#include <QRegularExpression>
#include <cmath>

namespace cr::expr::values {

bool isNull(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return true;
    // A null QString (not an empty one) is how C++ code says "no value".
    return v.typeId() == QMetaType::QString && static_cast<const QString*>(v.constData())->isNull();
}

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isText(const QVariant& v)
{
    return v.typeId() == QMetaType::QString;
}

bool isDate(const QVariant& v)
{
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}

std::optional<double> toNumber(const QVariant& v)
{
    if (isNull(v)) return std::nullopt;
    if (isNumber(v)) return v.toDouble();
    if (isText(v)) {
        QString t = v.toString().trimmed();
        t.remove(QLatin1Char(','));
        if (t.isEmpty()) return std::nullopt;
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (ok && std::isfinite(d)) return d;
    }
    return std::nullopt;
}

std::optional<qlonglong> toInteger(const QVariant& v)
{
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) return v.toLongLong();
    const auto d = toNumber(v);
    if (!d || std::trunc(*d) != *d || std::fabs(*d) > 9.0e15) return std::nullopt;
    return static_cast<qlonglong>(*d);
}

QVariant tidyNumber(double d)
{
    if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < 9.0e15) return static_cast<qlonglong>(d);
    return d;
}

QDate parseDate(const QString& text)
{
    static const QRegularExpression separated(
        QStringLiteral("^\\s*(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})(?:[ T].*)?\\s*$"));
    static const QRegularExpression compact(QStringLiteral("^\\s*(\\d{4})(\\d{2})(\\d{2})\\s*$"));
    QRegularExpressionMatch m = separated.match(text);
    if (!m.hasMatch()) m = compact.match(text);
    if (!m.hasMatch()) return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QDateTime parseDateTime(const QString& text)
{
    static const QRegularExpression full(QStringLiteral(
        "^\\s*(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})(?:[ T](\\d{1,2}):(\\d{2})(?::(\\d{2}))?(?:\\.\\d+)?)?\\s*$"));
    const QRegularExpressionMatch m = full.match(text);
    if (!m.hasMatch()) {
        const QDate d = parseDate(text);
        return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
    }
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!d.isValid() || !t.isValid()) return {};
    return QDateTime(d, t);
}

QDate toDate(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    if (isText(v)) return parseDate(v.toString());
    return {};
}

QDateTime toDateTime(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    if (v.typeId() == QMetaType::QDate) return QDateTime(v.toDate(), QTime(0, 0));
    if (isText(v)) return parseDateTime(v.toString());
    return {};
}

namespace {

template <typename T>
int order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

std::optional<int> compare(const QVariant& a, const QVariant& b)
{
    // Values of one kind, the usual case in filters and sorts, compare in place.
    if (a.typeId() == b.typeId() && a.isValid() && !a.isNull() && !b.isNull()) {
        switch (a.typeId()) {
        case QMetaType::LongLong:
            return order(*static_cast<const qlonglong*>(a.constData()), *static_cast<const qlonglong*>(b.constData()));
        case QMetaType::Double:
            return order(*static_cast<const double*>(a.constData()), *static_cast<const double*>(b.constData()));
        case QMetaType::QDate:
            return order(*static_cast<const QDate*>(a.constData()), *static_cast<const QDate*>(b.constData()));
        case QMetaType::QString: {
            const QString& x = *static_cast<const QString*>(a.constData());
            const QString& y = *static_cast<const QString*>(b.constData());
            if (x.isNull() || y.isNull()) return std::nullopt;
            const int c = x.compare(y);
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
        default:
            break;
        }
    }
    if (isNull(a) || isNull(b)) return std::nullopt;
    if (isText(a) && isText(b)) return order(a.toString(), b.toString());
    if (isDate(a) || isDate(b)) {
        if (a.typeId() == QMetaType::QDateTime || b.typeId() == QMetaType::QDateTime) {
            const QDateTime x = toDateTime(a), y = toDateTime(b);
            if (!x.isValid() || !y.isValid()) return std::nullopt;
            return order(x, y);
        }
        const QDate x = toDate(a), y = toDate(b);
        if (!x.isValid() || !y.isValid()) return std::nullopt;
        return order(x, y);
    }
    const bool ai = a.typeId() == QMetaType::LongLong || a.typeId() == QMetaType::Int;
    const bool bi = b.typeId() == QMetaType::LongLong || b.typeId() == QMetaType::Int;
    if (ai && bi) return order(a.toLongLong(), b.toLongLong());
    const auto x = toNumber(a), y = toNumber(b);
    if (!x || !y) return std::nullopt;
    return order(*x, *y);
}

bool truthy(const QVariant& v)
{
    if (isNull(v)) return false;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (isNumber(v)) return v.toDouble() != 0.0;
    return false;
}

QVariant arithmetic(int op, const QVariant& a, const QVariant& b, bool* error)
{
    if (op == Node::Add && isText(a) && isText(b)) return a.toString() + b.toString();
    const bool aNull = isNull(a), bNull = isNull(b);
    const bool aOk = aNull || isNumber(a), bOk = bNull || isNumber(b);
    if (op == Node::Add && (isText(a) || isText(b)) && (aNull || isText(a)) && (bNull || isText(b)))
        return {};   // text + null is null
    if (!aOk || !bOk) {
        *error = true;
        return {};
    }
    if (aNull || bNull) return {};
    const bool integers = a.typeId() != QMetaType::Double && b.typeId() != QMetaType::Double;
    const qlonglong x = a.toLongLong(), y = b.toLongLong();
    switch (op) {
    case Node::Add:
        if (integers) return x + y;
        return a.toDouble() + b.toDouble();
    case Node::Sub:
        if (integers) return x - y;
        return a.toDouble() - b.toDouble();
    case Node::Mul:
        if (integers) return x * y;
        return a.toDouble() * b.toDouble();
    case Node::Div:
        if (b.toDouble() == 0.0) return {};   // no value rather than infinity
        if (integers && x % y == 0) return x / y;
        return a.toDouble() / b.toDouble();
    case Node::Pow:
        return tidyNumber(std::pow(a.toDouble(), b.toDouble()));
    default:
        *error = true;
        return {};
    }
}

namespace {

bool likeAt(const QString& t, int ti, const QString& p, int pi)
{
    while (pi < p.size()) {
        const QChar c = p[pi];
        if (c == QLatin1Char('%')) {
            while (pi < p.size() && p[pi] == QLatin1Char('%')) ++pi;
            if (pi == p.size()) return true;
            for (int k = ti; k <= t.size(); ++k)
                if (likeAt(t, k, p, pi)) return true;
            return false;
        }
        if (ti >= t.size()) return false;
        if (c != QLatin1Char('_') && c != t[ti]) return false;
        ++ti;
        ++pi;
    }
    return ti == t.size();
}

} // namespace

bool like(const QString& text, const QString& pattern)
{
    return likeAt(text, 0, pattern, 0);
}

} // namespace cr::expr::values
