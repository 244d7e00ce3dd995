#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringView>

namespace cr::schema {

// Resident identity card numbers of 18 characters: a 6-digit area code, the
// birth date as yyyyMMdd, a 3-digit sequence (odd for men, even for women) and
// a check character computed with ISO 7064 MOD 11-2 ('0'-'9' or 'X').
class IdCardNumber {
public:
    // Check character for 17 leading digits; a null QChar when the text is
    // not exactly 17 ASCII digits.
    static QChar checkCharacter(QStringView first17);

    // Birth date of a number; invalid when the digits do not form a date.
    static QDate birthDate(QStringView number);

    // 18 characters, 17 digits, a real birth date no later than today and
    // the right check character (a lower-case 'x' is accepted as 'X').
    static bool isValid(QStringView number);

    // Builds a number; an empty text when the area code is not 6 digits, the
    // date is invalid or the sequence is outside 0..999.
    static QString make(const QString& areaCode, const QDate& birth, int sequence);

    // Sex digit: odd sequence = male.
    static bool isMale(QStringView number);
};

} // namespace cr::schema
