#include "houses/house_name.h"

#include "frame/sqlca.h"
#include "support/test_db.h"

namespace cr::houses {
namespace {

class HouseNameTest : public test::DbTest {
protected:
    QString key(const QString& sql, const SqlParams& params, const char* keyColumn)
    {
        const QVariant k = db().insertReturningKey(sql, params, QLatin1String(keyColumn));
        EXPECT_FALSE(k.isNull()) << db().sqlErrText().toStdString();
        return k.toString();
    }
    QString building(const QString& name)
    {
        return key(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype) "
                                  "VALUES ('1', :name, :address, '01')"),
                   {{"name", name}, {"address", name + QStringLiteral("路1号")}}, "buildingno");
    }
    QString house(const QString& building, QVariant door, QVariant word, const QString& number)
    {
        return key(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, housenumber) "
                                  "VALUES ('1', :b, :door, :word, :number)"),
                   {{"b", building.toLongLong()}, {"door", door}, {"word", word}, {"number", number}}, "houseno");
    }
    void household(const QString& rprno, QVariant host)
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_rpr (commno, rprno, hostname) "
                                                "VALUES ('1', :rprno, :host)"),
                                 {{"rprno", rprno}, {"host", host}}))
            << db().sqlErrText().toStdString();
    }
};

TEST_P(HouseNameTest, ElementsOfEveryFormAndMissingRows)
{
    const QString b3 = building(QStringLiteral("3号楼"));
    const QString yard = building(QStringLiteral("平房院"));
    const QString h201 = house(b3, 2, QStringLiteral("单元"), QStringLiteral("201室"));
    // A bungalow: door 0 and no door word.
    const QString h3 = house(yard, 0, QVariant(), QStringLiteral("3"));
    household(QStringLiteral("007"), QStringLiteral("张三"));
    household(QStringLiteral("7"), QStringLiteral("李四"));
    household(QStringLiteral("8"), QVariant());
    ASSERT_TRUE(db().commit());

    const struct {
        QString element;
        QString expected;
    } cases[] = {
        {"", ""},
        {"X12", ""},
        {"b" + b3, ""},              // tags are upper case only
        {b3, ""},                    // no tag
        {"B" + b3, "3号楼"},
        {"B" + b3 + "U2", "单元(3号楼)"},
        {"B" + b3 + "U9", "(3号楼)"},            // no house carries door 9
        {"B999999U2", "单元()"},                  // the door is found by number alone
        {"B999999U9", "()"},
        {"B999999", ""},
        {"B", ""},                               // building 0
        {"BU2", "单元()"},
        {"B" + b3 + "U", "(3号楼)"},              // door 0: the bungalow's empty door word
        {"B" + b3 + "U2U4", "(3号楼)"},           // the door piece "2U4" is no number
        {"B" + b3 + "x", ""},
        {"H" + h201, "201室(3号楼单元)"},
        {"H" + h3, "3(平房院)"},
        {"H999999", "()"},
        {"Habc", "()"},
        {"H", "()"},
        {"R007", "张三"},                          // compared as text: zeros count
        {"R7", "李四"},
        {"R0007", ""},
        {"R8", ""},                               // no head of household recorded
        {"R", ""},
    };
    for (const auto& c : cases) {
        const QString got = gf_gethousename(db(), c.element);
        EXPECT_EQ(got, c.expected) << c.element.toStdString() << " -> " << got.toStdString();
    }
    // Reading only: no unit of work was started.
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(HouseNameTest, DoorNameComesFromWhicheverRowTheDatabaseReturnsFirst)
{
    const QString b = building(QStringLiteral("5号楼"));
    house(b, 3, QStringLiteral("单元"), QStringLiteral("101室"));
    house(b, 3, QStringLiteral("门"), QStringLiteral("102室"));
    ASSERT_TRUE(db().commit());
    const QString got = gf_gethousename(db(), "B" + b + "U3");
    EXPECT_TRUE(got == QStringLiteral("单元(5号楼)") || got == QStringLiteral("门(5号楼)")) << got.toStdString();
}

INSTANTIATE_ENGINES(HouseNameTest);

} // namespace
} // namespace cr::houses
