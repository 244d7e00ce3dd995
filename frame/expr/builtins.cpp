#include "frame/expr/builtins.h"

#include "frame/expr/format.h"
#include "frame/expr/values.h"
#include "frame/gf_functions.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>

namespace cr::expr {
namespace {

using values::isNull;

bool anyNull(const QVariantList& a)
{
    for (const QVariant& v : a)
        if (isNull(v)) return true;
    return false;
}

// Text arguments: texts as they are, numbers and dates as their plain text.
QString text(const QVariant& v)
{
    return values::isText(v) ? v.toString() : Format::plain(v);
}

// Whole-number arguments (lengths, positions, days): huge ones are cut to
// +-2^53, which is more than any text or calendar holds and leaves room to
// compute with them without overflow.
std::optional<qlonglong> whole(const QVariant& v, bool* error)
{
    constexpr double limit = 9007199254740992.0;
    const auto d = values::toNumber(v);
    if (!d || !std::isfinite(*d)) {
        *error = true;
        return std::nullopt;
    }
    return static_cast<qlonglong>(std::trunc(std::clamp(*d, -limit, limit)));
}

// A count or position as a text index: 0 up to the text's own size.
qsizetype textIndex(qlonglong n, const QString& t)
{
    return static_cast<qsizetype>(std::clamp<qlonglong>(n, 0, t.size()));
}

QVariant fnRgb(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto r = whole(a[0], error), g = whole(a[1], error), b = whole(a[2], error);
    if (*error) return {};
    using values::checkedAdd, values::checkedMul;
    const auto green = checkedMul(256, *g), blue = checkedMul(65536, *b);
    const auto rg = green ? checkedAdd(*r, *green) : std::nullopt;
    const auto rgb = rg && blue ? checkedAdd(*rg, *blue) : std::nullopt;
    return rgb ? QVariant(*rgb) : QVariant();
}

QVariant fnIsNull(const QVariantList& a, bool*)
{
    return isNull(a[0]);
}

QVariant fnString(const QVariantList& a, bool*)
{
    if (isNull(a[0])) return {};
    if (a.size() > 1 && !isNull(a[1])) return Format::apply(a[0], a[1].toString());
    return text(a[0]);
}

QVariant fnNumber(const QVariantList& a, bool*)
{
    const auto d = values::toNumber(a[0]);
    if (!d) return {};
    return values::tidyNumber(*d);
}

QVariant fnInteger(const QVariantList& a, bool*)
{
    if (values::isIntegral(a[0])) return a[0].toLongLong();
    const auto d = values::toNumber(a[0]);
    const auto n = d ? values::truncateToInteger(*d) : std::nullopt;
    return n ? QVariant(*n) : QVariant();   // beyond the integers: no value
}

QVariant fnReal(const QVariantList& a, bool*)
{
    const auto d = values::toNumber(a[0]);
    if (!d) return {};
    return *d;
}

QVariant fnTrim(const QVariantList& a, bool*)
{
    if (isNull(a[0])) return {};
    return text(a[0]).trimmed();
}

QVariant fnLeftTrim(const QVariantList& a, bool*)
{
    if (isNull(a[0])) return {};
    const QString t = text(a[0]);
    int i = 0;
    while (i < t.size() && t[i].isSpace()) ++i;
    return t.mid(i);
}

QVariant fnRightTrim(const QVariantList& a, bool*)
{
    if (isNull(a[0])) return {};
    QString t = text(a[0]);
    while (!t.isEmpty() && t.back().isSpace()) t.chop(1);
    return t;
}

QVariant fnLen(const QVariantList& a, bool*)
{
    if (isNull(a[0])) return {};
    return static_cast<qlonglong>(text(a[0]).size());
}

QVariant fnLeft(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto n = whole(a[1], error);
    if (*error) return {};
    const QString t = text(a[0]);
    return t.left(textIndex(*n, t));
}

QVariant fnRight(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto n = whole(a[1], error);
    if (*error) return {};
    const QString t = text(a[0]);
    return t.right(textIndex(*n, t));
}

QVariant fnMid(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto start = whole(a[1], error);
    const auto length = a.size() > 2 ? whole(a[2], error) : std::optional<qlonglong>(-1);
    if (*error) return {};
    if (*start < 1) return QString();
    const QString t = text(a[0]);
    const qsizetype from = textIndex(*start - 1, t);
    return *length < 0 ? t.mid(from) : t.mid(from, textIndex(*length, t));
}

QVariant fnPos(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto start = a.size() > 2 ? whole(a[2], error) : std::optional<qlonglong>(1);
    if (*error) return {};
    if (*start < 1) return qlonglong(0);
    const QString t = text(a[0]);
    if (*start - 1 > t.size()) return qlonglong(0);
    return static_cast<qlonglong>(t.indexOf(text(a[1]), textIndex(*start - 1, t)) + 1);
}

QVariant fnUpper(const QVariantList& a, bool*)
{
    if (isNull(a[0])) return {};
    return text(a[0]).toUpper();
}

QVariant fnLower(const QVariantList& a, bool*)
{
    if (isNull(a[0])) return {};
    return text(a[0]).toLower();
}

QVariant fnSpace(const QVariantList& a, bool* error)
{
    if (isNull(a[0])) return {};
    const auto n = whole(a[0], error);
    if (*error) return {};
    return QString(static_cast<int>(std::clamp<qlonglong>(*n, 0, 10000)), QLatin1Char(' '));
}

QVariant fnToday(const QVariantList&, bool*)
{
    return today();
}

QVariant fnDate(const QVariantList& a, bool*)
{
    const QDate d = values::toDate(a[0]);
    return d.isValid() ? QVariant(d) : QVariant();
}

QVariant datePart(const QVariant& v, int which)
{
    const QDate d = values::toDate(v);
    if (!d.isValid()) return {};
    return static_cast<qlonglong>(which == 0 ? d.year() : which == 1 ? d.month() : d.day());
}

QVariant fnYear(const QVariantList& a, bool*) { return datePart(a[0], 0); }
QVariant fnMonth(const QVariantList& a, bool*) { return datePart(a[0], 1); }
QVariant fnDay(const QVariantList& a, bool*) { return datePart(a[0], 2); }

QVariant fnRelativeDate(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const QDate d = values::toDate(a[0]);
    const auto n = whole(a[1], error);
    if (*error || !d.isValid()) return {};
    const QDate moved = d.addDays(*n);
    return moved.isValid() ? QVariant(moved) : QVariant();   // off the calendar: no date
}

QVariant fnDaysAfter(const QVariantList& a, bool*)
{
    const QDate x = values::toDate(a[0]), y = values::toDate(a[1]);
    if (!x.isValid() || !y.isValid()) return {};
    return static_cast<qlonglong>(x.daysTo(y));
}

QVariant fnPersonAge(const QVariantList& a, bool*)
{
    const auto age = f_getpersonage(values::toDate(a[0]), values::toDate(a[1]));
    return age ? QVariant(static_cast<qlonglong>(*age)) : QVariant();
}

QVariant fnAbs(const QVariantList& a, bool* error)
{
    if (isNull(a[0])) return {};
    if (!values::isNumber(a[0])) {
        *error = true;
        return {};
    }
    if (!values::isIntegral(a[0])) return std::fabs(a[0].toDouble());
    const qlonglong n = a[0].toLongLong();
    if (n == std::numeric_limits<qlonglong>::min()) return {};   // no positive counterpart
    return qAbs(n);
}

// round/truncate to `places` decimals. Beyond what a double holds (17
// digits) there is nothing left to cut; far to the left all is cut away.
QVariant scaled(double value, qlonglong places, double (*cut)(double))
{
    if (places > 17) return values::tidyNumber(value);
    if (places < -308) return qlonglong(0);
    const double scale = std::pow(10.0, static_cast<double>(places));
    const double r = cut(value * scale) / scale;
    return std::isfinite(r) ? values::tidyNumber(r) : values::tidyNumber(value);
}

QVariant fnRound(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto d = values::toNumber(a[0]);
    const auto n = a.size() > 1 ? whole(a[1], error) : std::optional<qlonglong>(0);
    if (!d || *error) {
        *error = true;
        return {};
    }
    return scaled(*d, *n, [](double x) { return std::round(x); });
}

QVariant fnTruncate(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto d = values::toNumber(a[0]);
    const auto n = whole(a[1], error);
    if (!d || *error) {
        *error = true;
        return {};
    }
    return scaled(*d, *n, [](double x) { return std::trunc(x); });
}

QVariant fnMod(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto x = values::toNumber(a[0]), y = values::toNumber(a[1]);
    if (!x || !y) {
        *error = true;
        return {};
    }
    if (*y == 0.0) return {};
    return values::tidyNumber(std::fmod(*x, *y));
}

// Two-argument max/min compare values; with one argument they are aggregates.
QVariant pick(const QVariantList& a, bool wantMax)
{
    if (anyNull(a)) return {};
    const auto c = values::compare(a[0], a[1]);
    if (!c) return {};
    return (*c >= 0) == wantMax ? a[0] : a[1];
}

QVariant fnMax(const QVariantList& a, bool*) { return pick(a, true); }
QVariant fnMin(const QVariantList& a, bool*) { return pick(a, false); }

const Builtin kBuiltins[] = {
    {"rgb", 3, 3, fnRgb},
    {"isnull", 1, 1, fnIsNull},
    {"string", 1, 2, fnString},
    {"number", 1, 1, fnNumber},
    {"integer", 1, 1, fnInteger},
    {"long", 1, 1, fnInteger},
    {"real", 1, 1, fnReal},
    {"double", 1, 1, fnReal},
    {"dec", 1, 1, fnReal},
    {"trim", 1, 1, fnTrim},
    {"lefttrim", 1, 1, fnLeftTrim},
    {"righttrim", 1, 1, fnRightTrim},
    {"len", 1, 1, fnLen},
    {"left", 2, 2, fnLeft},
    {"right", 2, 2, fnRight},
    {"mid", 2, 3, fnMid},
    {"pos", 2, 3, fnPos},
    {"upper", 1, 1, fnUpper},
    {"lower", 1, 1, fnLower},
    {"space", 1, 1, fnSpace},
    {"today", 0, 0, fnToday},
    {"date", 1, 1, fnDate},
    {"year", 1, 1, fnYear},
    {"month", 1, 1, fnMonth},
    {"day", 1, 1, fnDay},
    {"relativedate", 2, 2, fnRelativeDate},
    {"daysafter", 2, 2, fnDaysAfter},
    {"f_getpersonage", 2, 2, fnPersonAge},
    {"abs", 1, 1, fnAbs},
    {"round", 1, 2, fnRound},
    {"truncate", 2, 2, fnTruncate},
    {"mod", 2, 2, fnMod},
    {"max", 2, 2, fnMax},
    {"min", 2, 2, fnMin},
};

} // namespace

const Builtin* Builtin::find(const QString& name)
{
    static const QHash<QString, const Builtin*> byName = [] {
        QHash<QString, const Builtin*> h;
        for (const Builtin& b : kBuiltins) h.insert(QString::fromLatin1(b.name), &b);
        return h;
    }();
    return byName.value(name.toLower(), nullptr);
}

} // namespace cr::expr
