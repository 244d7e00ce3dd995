#include "value_text.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

namespace cr::scenario {
namespace {

bool isNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

QString numberText(double d)
{
    if (d == std::floor(d) && std::fabs(d) < 1e15) return QString::number(static_cast<qlonglong>(d));
    QString t = QString::number(d, 'f', 6);
    while (t.endsWith(QLatin1Char('0'))) t.chop(1);
    if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    return t;
}

} // namespace

QString valueText(const QVariant& value)
{
    if (isNull(value)) return QStringLiteral("null");
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return value.toString();
    }
}

bool valueMatches(const QVariant& value, const QString& expected)
{
    if (expected == QLatin1String("null")) return isNull(value);
    if (isNull(value)) return false;
    const QString actual = valueText(value);
    if (actual == expected) return true;
    // Only numbers compare as numbers: the code "01" is not the text "1".
    const int type = value.typeId();
    if (type == QMetaType::QString || type == QMetaType::QDate || type == QMetaType::QDateTime) return false;
    bool a = false, e = false;
    const double av = actual.toDouble(&a);
    const double ev = expected.toDouble(&e);
    return a && e && std::fabs(av - ev) < 1e-9;
}

} // namespace cr::scenario
