#include "schema/id_card_number.h"

#include <gtest/gtest.h>

namespace cr::schema {
namespace {

// Check characters worked out by hand with the MOD 11-2 weights
// 7 9 10 5 8 4 2 1 6 3 7 9 10 5 8 4 2 and the table "10X98765432".
struct KnownNumber {
    const char* number;
    int year, month, day;
    bool male;
};

const KnownNumber kKnown[] = {
    {"11010519491231002X", 1949, 12, 31, false},
    {"110105198001010016", 1980, 1, 1, true},
    {"440301199003071230", 1990, 3, 7, true},
    {"370102198811115679", 1988, 11, 11, true},
    {"510104200002294565", 2000, 2, 29, false},
    {"130102196505010007", 1965, 5, 1, false},
};

TEST(IdCardNumber, KnownNumbersAreValidAndCarryTheirBirthDateAndSex)
{
    for (const KnownNumber& k : kKnown) {
        const QString n = QString::fromLatin1(k.number);
        SCOPED_TRACE(k.number);
        EXPECT_TRUE(IdCardNumber::isValid(n));
        EXPECT_EQ(IdCardNumber::checkCharacter(QStringView(n).first(17)), n[17]);
        EXPECT_EQ(IdCardNumber::birthDate(n), QDate(k.year, k.month, k.day));
        EXPECT_EQ(IdCardNumber::isMale(n), k.male);
        // make() rebuilds the same number from its parts.
        EXPECT_EQ(IdCardNumber::make(n.first(6), QDate(k.year, k.month, k.day), n.mid(14, 3).toInt()), n);
    }
}

TEST(IdCardNumber, RejectsMalformedNumbers)
{
    const char* const invalid[] = {
        "110105194912310021",   // wrong check character
        "11010519491231002",    // 17 characters
        "11010519491231002X1",  // 19 characters
        "1101051949123100AX",   // letter inside
        "110105194902300020",   // 30 February (check character right for the digits)
        "110105209901010012",   // born in the future
        "110105189912310015",   // before 1900
        "",
    };
    for (const char* n : invalid) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(IdCardNumber::isValid(QString::fromLatin1(n)));
    }
}

TEST(IdCardNumber, AcceptsLowerCaseCheckCharacter)
{
    EXPECT_TRUE(IdCardNumber::isValid(QStringLiteral("11010519491231002x")));
}

TEST(IdCardNumber, MakeRefusesUnusableParts)
{
    EXPECT_TRUE(IdCardNumber::make(QStringLiteral("11010"), QDate(1980, 1, 1), 1).isEmpty());
    EXPECT_TRUE(IdCardNumber::make(QStringLiteral("11010A"), QDate(1980, 1, 1), 1).isEmpty());
    EXPECT_TRUE(IdCardNumber::make(QStringLiteral("110105"), QDate(), 1).isEmpty());
    EXPECT_TRUE(IdCardNumber::make(QStringLiteral("110105"), QDate(1980, 1, 1), 1000).isEmpty());
    EXPECT_TRUE(IdCardNumber::make(QStringLiteral("110105"), QDate(1980, 1, 1), -1).isEmpty());
    EXPECT_TRUE(IdCardNumber::checkCharacter(QStringLiteral("1101051949123100")).isNull());
}

} // namespace
} // namespace cr::schema
