#include "frame/expr/builtins.h"

#include "frame/expr/format.h"
#include "frame/expr/values.h"
#include "frame/gf_functions.h"

#include <QHash>
#include <algorithm>
#include <cmath>

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

std::optional<qlonglong> whole(const QVariant& v, bool* error)
{
    const auto d = values::toNumber(v);
    if (!d) {
        *error = true;
        return std::nullopt;
    }
    return static_cast<qlonglong>(std::trunc(*d));
}

QVariant fnRgb(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto r = whole(a[0], error), g = whole(a[1], error), b = whole(a[2], error);
    if (*error) return {};
    return *r + 256 * *g + 65536 * *b;
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
    const auto d = values::toNumber(a[0]);
    if (!d) return {};
    return static_cast<qlonglong>(std::trunc(*d));
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
    return text(a[0]).left(static_cast<int>(qMax<qlonglong>(0, *n)));
}

QVariant fnRight(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto n = whole(a[1], error);
    if (*error) return {};
    return text(a[0]).right(static_cast<int>(qMax<qlonglong>(0, *n)));
}

QVariant fnMid(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto start = whole(a[1], error);
    const auto length = a.size() > 2 ? whole(a[2], error) : std::optional<qlonglong>(-1);
    if (*error) return {};
    if (*start < 1) return QString();
    const QString t = text(a[0]);
    return *length < 0 ? t.mid(static_cast<int>(*start - 1)) : t.mid(static_cast<int>(*start - 1), static_cast<int>(*length));
}

QVariant fnPos(const QVariantList& a, bool* error)
{
    if (anyNull(a)) return {};
    const auto start = a.size() > 2 ? whole(a[2], error) : std::optional<qlonglong>(1);
    if (*error) return {};
    if (*start < 1) return qlonglong(0);
    return static_cast<qlonglong>(text(a[0]).indexOf(text(a[1]), static_cast<int>(*start - 1)) + 1);
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
    return d.addDays(*n);
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
    if (a[0].typeId() == QMetaType::Double) return std::fabs(a[0].toDouble());
    return qAbs(a[0].toLongLong());
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
    const double scale = std::pow(10.0, static_cast<double>(*n));
    return values::tidyNumber(std::round(*d * scale) / scale);
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
    const double scale = std::pow(10.0, static_cast<double>(*n));
    return values::tidyNumber(std::trunc(*d * scale) / scale);
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
