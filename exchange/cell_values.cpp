#include "exchange/cell_values.h"

#include "exchange/sheet_reader.h"
#include "schema/id_card_number.h"

#include <QRegularExpression>
#include <cmath>

namespace cr::exchange {

QString cellText(const QVariant& cell)
{
    if (cell.isNull() || !cell.isValid()) return {};
    switch (cell.typeId()) {
    case QMetaType::Double: {
        const double d = cell.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 1e15) return QString::number(qlonglong(d));
        return QString::number(d, 'g', 15);
    }
    case QMetaType::QDate: return cell.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default: return cell.toString().trimmed();
    }
}

QDate cellDate(const QVariant& cell)
{
    if (cell.typeId() == QMetaType::QDate) return cell.toDate();
    if (cell.typeId() == QMetaType::Double) {
        const double serial = cell.toDouble();
        // Plausible serials only: 1900-01-01 .. 2199-12-31; 19850302 is a date written as digits.
        if (serial >= 1 && serial < 109575) return dateFromSerial(serial);
    }
    const QString text = cellText(cell);
    static const QRegularExpression separated(
        QStringLiteral(R"(^(\d{4})\s*[-/.年]\s*(\d{1,2})\s*[-/.月]\s*(\d{1,2})\s*日?(?:\s+\d{1,2}:\d{2}(?::\d{2})?)?$)"));
    static const QRegularExpression compact(QStringLiteral(R"(^(\d{4})(\d{2})(\d{2})$)"));
    QRegularExpressionMatch m = separated.match(text);
    if (!m.hasMatch()) m = compact.match(text);
    if (!m.hasMatch()) return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QString idCardProblem(const QString& number)
{
    using schema::IdCardNumber;
    static const QRegularExpression shape(QStringLiteral(R"(^\d{17}[\dXx]$)"));
    if (number.size() == 15 && number.toULongLong() > 0)
        return QStringLiteral("是15位旧号码，请填写18位公民身份号码");
    if (!shape.match(number).hasMatch()) return QStringLiteral("应为18位：17位数字加1位数字或X");
    const QDate birth = IdCardNumber::birthDate(number);
    if (!birth.isValid() || birth.year() < 1900 || birth > QDate::currentDate())
        return QStringLiteral("其中的出生日期（第7至14位）不是有效日期");
    if (!IdCardNumber::isValid(number)) return QStringLiteral("校验位（最后一位）不正确，请核对号码");
    return {};
}

} // namespace cr::exchange
