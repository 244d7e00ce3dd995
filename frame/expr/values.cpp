#include "frame/expr/values.h"

#include "frame/expr/node.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace cr::expr::values {

bool isNull(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return true;
    switch (v.typeId()) {
    // A null QString (not an empty one) is how C++ code says "no value".
    case QMetaType::QString: return static_cast<const QString*>(v.constData())->isNull();
    // A date out of the calendar's range (relativedate far off) is no date.
    case QMetaType::QDate: return !static_cast<const QDate*>(v.constData())->isValid();
    case QMetaType::QDateTime: return !static_cast<const QDateTime*>(v.constData())->isValid();
    default: return false;
    }
}

bool isIntegral(const QVariant& v)
{
    return isNumber(v) && v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float;
}

std::optional<qlonglong> truncateToInteger(double d)
{
    // 2^63 is exactly representable; every double below it in size fits.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(d)) return std::nullopt;
    const double t = std::trunc(d);
    if (t >= limit || t < -limit) return std::nullopt;
    return static_cast<qlonglong>(t);
}

std::optional<qlonglong> checkedAdd(qlonglong a, qlonglong b)
{
    qlonglong r;
    if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
    return r;
}

std::optional<qlonglong> checkedSub(qlonglong a, qlonglong b)
{
    qlonglong r;
    if (__builtin_sub_overflow(a, b, &r)) return std::nullopt;
    return r;
}

std::optional<qlonglong> checkedMul(qlonglong a, qlonglong b)
{
    qlonglong r;
    if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
    return r;
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
    if (isIntegral(v)) return v.toLongLong();
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

namespace {

QVariant fromChecked(const std::optional<qlonglong>& r)
{
    return r ? QVariant(*r) : QVariant();
}

QVariant finite(double d)
{
    return std::isfinite(d) ? QVariant(d) : QVariant();
}

} // namespace

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
    const bool integers = isIntegral(a) && isIntegral(b);
    const qlonglong x = integers ? a.toLongLong() : 0, y = integers ? b.toLongLong() : 0;
    const double dx = a.toDouble(), dy = b.toDouble();
    switch (op) {
    case Node::Add:
        return integers ? fromChecked(checkedAdd(x, y)) : finite(dx + dy);
    case Node::Sub:
        return integers ? fromChecked(checkedSub(x, y)) : finite(dx - dy);
    case Node::Mul:
        return integers ? fromChecked(checkedMul(x, y)) : finite(dx * dy);
    case Node::Div:
        if (dy == 0.0) return {};   // no value rather than infinity
        // The smallest integer divided by -1 has no integer result (and traps).
        if (integers && !(x == std::numeric_limits<qlonglong>::min() && y == -1) && x % y == 0) return x / y;
        return finite(dx / dy);
    case Node::Pow: {
        const double p = std::pow(dx, dy);
        return std::isfinite(p) ? tidyNumber(p) : QVariant();
    }
    default:
        *error = true;
        return {};
    }
}

namespace {

// Whether the pattern piece (no '%' in it, '_' matching any character)
// matches the text at position at.
bool pieceMatchesAt(QStringView text, qsizetype at, QStringView piece)
{
    if (at + piece.size() > text.size()) return false;
    for (qsizetype k = 0; k < piece.size(); ++k)
        if (piece[k] != QLatin1Char('_') && piece[k] != text[at + k]) return false;
    return true;
}

} // namespace

bool like(const QString& text, const QString& pattern)
{
    // The pattern is pieces between '%'. The first piece must start the text,
    // the last must end it, and every piece between is taken at its leftmost
    // place after the previous one: a later place can only leave less room,
    // so no choice is ever revisited.
    const QList<QStringView> pieces = QStringView(pattern).split(QLatin1Char('%'));
    const QStringView t(text);
    if (pieces.size() == 1) return t.size() == pattern.size() && pieceMatchesAt(t, 0, pieces.front());
    const QStringView first = pieces.front(), last = pieces.back();
    if (first.size() + last.size() > t.size()) return false;
    if (!pieceMatchesAt(t, 0, first) || !pieceMatchesAt(t, t.size() - last.size(), last)) return false;
    qsizetype at = first.size();
    const qsizetype end = t.size() - last.size();
    for (qsizetype i = 1; i + 1 < pieces.size(); ++i) {
        const QStringView piece = pieces[i];
        if (piece.isEmpty()) continue;
        while (at + piece.size() <= end && !pieceMatchesAt(t, at, piece)) ++at;
        if (at + piece.size() > end) return false;
        at += piece.size();
    }
    return true;
}

} // namespace cr::expr::values
