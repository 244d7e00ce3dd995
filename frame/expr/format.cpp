#include "frame/expr/format.h"

#include "frame/expr/values.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <cmath>

namespace cr::expr {

QString Format::plain(const QVariant& value)
{
    if (values::isNull(value)) return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const QVariant tidy = values::tidyNumber(value.toDouble());
        if (tidy.typeId() == QMetaType::LongLong) return QString::number(tidy.toLongLong());
        QString t = QString::number(value.toDouble(), 'f', 10);
        while (t.endsWith(QLatin1Char('0'))) t.chop(1);
        if (t.endsWith(QLatin1Char('.'))) t.chop(1);
        return t;
    }
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return value.toString();
    }
}

QString Format::apply(const QVariant& value, const QString& format)
{
    if (values::isNull(value)) return {};
    const QString f = format.trimmed();
    if (f.isEmpty() || f.compare(QLatin1String("[general]"), Qt::CaseInsensitive) == 0) return plain(value);
    if (value.typeId() == QMetaType::QDate)
        return dateTime(QDateTime(value.toDate(), QTime(0, 0)), f);
    if (value.typeId() == QMetaType::QDateTime) return dateTime(value.toDateTime(), f);
    if (values::isNumber(value)) return number(value.toDouble(), f);
    return value.toString();   // text keeps its characters
}

QString Format::number(double value, const QString& format)
{
    if (!std::isfinite(value)) return {};
    const QStringList sections = format.split(QLatin1Char(';'));
    if (value == 0.0 && sections.size() > 2 && !sections[2].isEmpty()) return numberSection(0, sections[2], false);
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty()) return numberSection(-value, sections[1], false);
    return numberSection(value, sections[0], true);
}

QString Format::numberSection(double value, const QString& section, bool withSign)
{
    // prefix literal, digits pattern, suffix literal
    int start = 0;
    while (start < section.size() && !QStringLiteral("#0,.").contains(section[start])) ++start;
    int end = start;
    while (end < section.size() && QStringLiteral("#0,.").contains(section[end])) ++end;
    QString prefix = section.left(start), suffix = section.mid(end);
    prefix.remove(QLatin1Char('"'));
    suffix.remove(QLatin1Char('"'));
    const QString pattern = section.mid(start, end - start);
    if (pattern.isEmpty()) return prefix + suffix;   // a section of text only
    if (suffix.contains(QLatin1Char('%'))) value *= 100;

    const int dot = pattern.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? pattern : pattern.left(dot);
    const QString decPart = dot < 0 ? QString() : pattern.mid(dot + 1);
    const bool grouping = intPart.contains(QLatin1Char(','));
    const int minInt = intPart.count(QLatin1Char('0'));
    const int maxDec = decPart.count(QLatin1Char('0')) + decPart.count(QLatin1Char('#'));
    const int minDec = decPart.count(QLatin1Char('0'));

    const bool negative = value < 0;
    // Half away from zero; past 15 decimals a double has nothing left to round.
    const double scale = std::pow(10.0, qMin(maxDec, 15));
    const double scaledUp = std::round(std::fabs(value) * scale) / scale;
    const double rounded = std::isfinite(scaledUp) ? scaledUp : std::fabs(value);
    QString digits = QString::number(rounded, 'f', maxDec);
    QString whole = digits, fraction;
    if (maxDec > 0) {
        whole = digits.section(QLatin1Char('.'), 0, 0);
        fraction = digits.section(QLatin1Char('.'), 1, 1);
        while (fraction.size() > minDec && fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    }
    if (whole == QLatin1String("0") && minInt == 0) whole.clear();
    while (whole.size() < minInt) whole.prepend(QLatin1Char('0'));
    if (grouping)
        for (int i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, QLatin1Char(','));
    QString text = whole;
    if (!fraction.isEmpty()) text += QLatin1Char('.') + fraction;
    if (text.isEmpty()) text = QStringLiteral("0");
    const bool showsZero = rounded == 0.0;
    return (withSign && negative && !showsZero ? QStringLiteral("-") : QString()) + prefix + text + suffix;
}

QString Format::dateTime(const QDateTime& value, const QString& format)
{
    // A date off the calendar has no day of the week, month or year to show.
    if (!value.date().isValid()) return {};
    const QDate d = value.date();
    const QTime t = value.time();
    QString out;
    bool afterHour = false;   // "mm" after an hour means minutes
    int i = 0;
    auto run = [&](QChar c) {
        int n = 0;
        while (i + n < format.size() && format[i + n].toLower() == c) ++n;
        return n;
    };
    while (i < format.size()) {
        const QChar c = format[i].toLower();
        int n = 1;
        if (c == QLatin1Char('y')) {
            n = run(c);
            out += n >= 4 ? QString::number(d.year()) : QString::number(d.year() % 100).rightJustified(2, QLatin1Char('0'));
        } else if (c == QLatin1Char('m')) {
            n = run(c);
            if (afterHour && n <= 2) {
                out += n == 2 ? QString::number(t.minute()).rightJustified(2, QLatin1Char('0')) : QString::number(t.minute());
            } else if (n >= 3) {
                out += QString::number(d.month()) + QStringLiteral("月");
            } else {
                out += n == 2 ? QString::number(d.month()).rightJustified(2, QLatin1Char('0')) : QString::number(d.month());
            }
        } else if (c == QLatin1Char('d')) {
            n = run(c);
            if (n >= 3) {
                static const char* const names[] = {"一", "二", "三", "四", "五", "六", "日"};
                out += QStringLiteral("星期") + QString::fromUtf8(names[d.dayOfWeek() - 1]);
            } else {
                out += n == 2 ? QString::number(d.day()).rightJustified(2, QLatin1Char('0')) : QString::number(d.day());
            }
        } else if (c == QLatin1Char('h')) {
            n = run(c);
            out += n >= 2 ? QString::number(t.hour()).rightJustified(2, QLatin1Char('0')) : QString::number(t.hour());
            afterHour = true;
        } else if (c == QLatin1Char('n')) {
            n = run(c);
            out += QString::number(t.minute()).rightJustified(n >= 2 ? 2 : 1, QLatin1Char('0'));
        } else if (c == QLatin1Char('s')) {
            n = run(c);
            out += QString::number(t.second()).rightJustified(n >= 2 ? 2 : 1, QLatin1Char('0'));
            afterHour = false;
        } else if (c == QLatin1Char('"')) {
            const int close = format.indexOf(QLatin1Char('"'), i + 1);
            n = close < 0 ? format.size() - i : close - i + 1;
            out += format.mid(i + 1, (close < 0 ? format.size() : close) - i - 1);
        } else {
            out += format[i];
        }
        i += n;
    }
    return out;
}

} // namespace cr::expr
