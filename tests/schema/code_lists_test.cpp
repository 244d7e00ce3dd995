#include "support/test_db.h"

namespace cr::test {
namespace {

class CodeListsTest : public DbTest {
protected:
    // A list as the lookup lists read it: "code name" in display order.
    QStringList list(const char* name)
    {
        QStringList out;
        auto q = db().select(QStringLiteral("SELECT tcode, tname FROM tc_codelist WHERE listname = :listname "
                                            "ORDER BY sortno, tcode"),
                             {{QStringLiteral("listname"), QString::fromLatin1(name)}});
        if (!q) return out;
        while (q->next()) out << q->value(0).toString() + QLatin1Char(' ') + q->value(1).toString();
        return out;
    }
};

TEST_P(CodeListsTest, EveryListTheWindowsNameHasEntries)
{
    for (const char* name : {"dddw_gb_sex", "dddw_gb_folk", "dddw_gb_polity", "dddw_gb_edulevel", "dddw_gb_jobstatus",
                             "dddw_ge_rprtype", "dddw_ge_rprstatus", "dddw_ge_roomtype", "dddw_ge_buildinguse",
                             "dddw_ge_houseuse", "dddw_ge_droittype", "dddw_ge_is", "dddw_ge_duty",
                             "dddw_ge_buildingstruture", "dddw_ge_buildingmodel", "dddw_ge_transfertype",
                             "dddw_ge_progcause", "dddw_ge_progresult"})
        EXPECT_GE(list(name).size(), 2) << name;
}

TEST_P(CodeListsTest, FiftySixEthnicGroupsInStandardOrder)
{
    const QStringList folk = list("dddw_gb_folk");
    ASSERT_GE(folk.size(), 56);
    for (int i = 0; i < 56; ++i)
        EXPECT_TRUE(folk[i].startsWith(QStringLiteral("%1 ").arg(i + 1, 2, 10, QLatin1Char('0')))) << folk[i].toStdString();
    EXPECT_EQ(folk.first(), QStringLiteral("01 汉族"));
    EXPECT_EQ(folk[55], QStringLiteral("56 基诺族"));
}

TEST_P(CodeListsTest, CodesTheWindowsGiveAMeaningTo)
{
    EXPECT_EQ(list("dddw_ge_roomtype"), (QStringList{QStringLiteral("01 楼房"), QStringLiteral("02 平房"), QStringLiteral("03 地下室")}));
    EXPECT_EQ(list("dddw_ge_is"), (QStringList{QStringLiteral("1 是"), QStringLiteral("0 否")}));
    EXPECT_EQ(list("dddw_gb_sex").mid(1, 2), (QStringList{QStringLiteral("1 男"), QStringLiteral("2 女")}));
    EXPECT_TRUE(list("dddw_ge_droittype").contains(QStringLiteral("01 私产")));
    EXPECT_TRUE(list("dddw_ge_houseuse").first().startsWith(QStringLiteral("01 ")));
    EXPECT_TRUE(list("dddw_ge_buildingmodel").first().startsWith(QStringLiteral("01 ")));
    EXPECT_EQ(list("dddw_gb_polity").last(), QStringLiteral("13 群众"));
    bool use09 = false;
    for (const QString& e : list("dddw_ge_buildinguse")) use09 = use09 || e.startsWith(QStringLiteral("09 "));
    EXPECT_TRUE(use09);
    // The dean window narrows the duties with "Tcode like '5%'".
    EXPECT_GE(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_codelist WHERE listname = 'dddw_ge_duty' "
                                              "AND tcode LIKE '5%'")).toInt(),
              3);
}

INSTANTIATE_ENGINES(CodeListsTest);

} // namespace
} // namespace cr::test
