#include "schema/id_card_number.h"

namespace cr::schema {
namespace {

bool allDigits(QStringView text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

} // namespace

QChar IdCardNumber::checkCharacter(QStringView first17)
{
    static const int weights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    static const char checks[] = "10X98765432";
    if (first17.size() != 17 || !allDigits(first17)) return {};
    int sum = 0;
    for (int i = 0; i < 17; ++i) sum += (first17[i].unicode() - '0') * weights[i];
    return QLatin1Char(checks[sum % 11]);
}

QDate IdCardNumber::birthDate(QStringView number)
{
    if (number.size() < 14 || !allDigits(number.mid(6, 8))) return {};
    return QDate(number.mid(6, 4).toInt(), number.mid(10, 2).toInt(), number.mid(12, 2).toInt());
}

bool IdCardNumber::isValid(QStringView number)
{
    if (number.size() != 18) return false;
    const QChar check = checkCharacter(number.first(17));
    if (check.isNull()) return false;
    const QDate birth = birthDate(number);
    if (!birth.isValid() || birth.year() < 1900 || birth > QDate::currentDate()) return false;
    return number[17].toUpper() == check;
}

QString IdCardNumber::make(const QString& areaCode, const QDate& birth, int sequence)
{
    if (areaCode.size() != 6 || !allDigits(areaCode) || !birth.isValid() || birth.year() < 1000
        || birth.year() > 9999 || sequence < 0 || sequence > 999)
        return {};
    const QString first17 = areaCode + birth.toString(QStringLiteral("yyyyMMdd"))
                            + QStringLiteral("%1").arg(sequence, 3, 10, QLatin1Char('0'));
    return first17 + checkCharacter(first17);
}

bool IdCardNumber::isMale(QStringView number)
{
    return number.size() >= 17 && (number[16].unicode() - '0') % 2 == 1;
}

} // namespace cr::schema
