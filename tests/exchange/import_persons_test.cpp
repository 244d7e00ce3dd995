#include "exchange/import_write.h"
#include "exchange_fixture.h"
#include "frame/message_object.h"
#include "frame/person_selection.h"
#include "support/scripted_ui.h"

#include <QDate>

namespace cr::exchange::test {
namespace {

using Persons = ExchangeTest;

const QStringList kHeadings{QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("证件号码"),
                            QStringLiteral("出生日期"), QStringLiteral("民族"), QStringLiteral("户号"),
                            QStringLiteral("联系电话")};

// 1949-12-31, female; the check character is X.
const QString kWoman = QStringLiteral("11010519491231002X");
QString withCheck(const QString& first17)
{
    static const int weights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    int sum = 0;
    for (int i = 0; i < 17; ++i) sum += first17[i].digitValue() * weights[i];
    return first17 + QLatin1Char("10X98765432"[sum % 11]);
}

// Distinct valid numbers: born in March 1985 on day 1 + n / 1000 (an odd
// sequence is a man).
QString idCard(int n)
{
    return withCheck(QStringLiteral("110105198503%1%2")
                         .arg(1 + n / 1000 % 28, 2, 10, QLatin1Char('0'))
                         .arg(n % 1000, 3, 10, QLatin1Char('0')));
}

TEST_P(Persons, EachFaultOfARowIsNamedWithItsRowAndColumn)
{
    household(QStringLiteral("H001"), QStringLiteral("王芳"));
    struct Case {
        const char* name;
        QStringList row;
        QString column;
        QString message;
    };
    const QString man = idCard(1011);
    const Case cases[] = {
        {"unknown ethnic group", {"张三", "", man, "", "火星族", "", ""}, "民族", "代码表中没有“火星族”"},
        {"wrong check character", {"张三", "", man.left(17) + "0", "", "", "", ""}, "证件号码", "校验位"},
        {"birth date against the card", {"张三", "", man, "1985-03-03", "", "", ""}, "出生日期", "不符"},
        {"sex against the card", {"张三", "女", man, "", "", "", ""}, "性别", "不符"},
        {"household not registered", {"张三", "", man, "", "", "H999", ""}, "户号", "尚未登记"},
        {"name missing", {"", "", man, "", "", "", ""}, "姓名", "不能为空"},
        {"name too long", {QString(51, QChar(0x5F20)), "", man, "", "", "", ""}, "姓名", "过长"},
        {"not a date", {"张三", "", man, "去年", "", "", ""}, "出生日期", "不是日期"},
        {"birth in the future", {"张三", "", man, "2999-01-01", "", "", ""}, "出生日期", "不合理"},
        {"card missing", {"张三", "", "", "", "", "", ""}, "证件号码", "不能为空"},
    };
    for (const Case& c : cases) {
        const ImportPlan p = plan(ImportKind::Persons, csvFile(QStringLiteral("one.csv"), {kHeadings, c.row}));
        ASSERT_EQ(p.problems.size(), 1) << c.name << "\n" << problemsText(p);
        EXPECT_EQ(p.problems[0].row, 2) << c.name;
        EXPECT_EQ(p.problems[0].column, c.column) << c.name;
        EXPECT_TRUE(p.problems[0].message.contains(c.message)) << c.name << ": " << p.problems[0].text().toStdString();
        EXPECT_FALSE(p.canWrite()) << c.name;
    }
}

TEST_P(Persons, ARowIsCompletedFromTheCardAndCodesByTheirNames)
{
    household(QStringLiteral("H001"), QStringLiteral("王芳"));
    const ImportPlan p = plan(ImportKind::Persons,
                              csvFile(QStringLiteral("ok.csv"),
                                      {kHeadings,
                                       {"王芳", "", kWoman.toLower(), "", "汉", "H001", "13800138000"},
                                       {"李四", "男", idCard(1011), "1985/3/2", "01", "", ""}}));
    ASSERT_TRUE(p.problems.isEmpty()) << problemsText(p);
    ASSERT_EQ(p.toAdd.size(), 2);
    const QVariantHash& wang = p.toAdd[0].values;
    EXPECT_EQ(wang.value("idcard").toString(), kWoman) << "stored with a capital X";
    EXPECT_EQ(wang.value("birthdate").toDate(), QDate(1949, 12, 31)) << "birth date from the card";
    EXPECT_EQ(wang.value("sex").toString(), QStringLiteral("2")) << "sex from the card";
    EXPECT_EQ(wang.value("nationality").toString(), QStringLiteral("01")) << "汉 is 汉族";
    EXPECT_EQ(p.toAdd[1].values.value("sex").toString(), QStringLiteral("1"));
}

TEST_P(Persons, TheFileAsAWholeIsChecked)
{
    struct Case {
        const char* name;
        QList<QStringList> lines;
        QString message;
    };
    const Case cases[] = {
        {"empty file", {}, "没有内容"},
        {"only blank lines", {{""}, {"", ""}}, "没有内容"},
        {"headings without rows", {kHeadings}, "没有数据行"},
        {"headings of another table", {{"楼院地址", "房号"}, {"一", "二"}}, "不是人员表的表头"},
        {"required column missing", {{"姓名", "性别"}, {"张三", "男"}}, "缺少这一必填列"},
        {"column twice", {{"姓名", "证件号码", "身份证号"}, {"张三", idCard(1011), idCard(1011)}}, "出现了两次"},
    };
    for (const Case& c : cases) {
        const ImportPlan p = plan(ImportKind::Persons, csvFile(QStringLiteral("f.csv"), c.lines));
        ASSERT_FALSE(p.problems.isEmpty()) << c.name;
        EXPECT_TRUE(p.problems[0].message.contains(c.message)) << c.name << ": " << problemsText(p);
        EXPECT_TRUE(p.toAdd.isEmpty()) << c.name;
    }
    // Headings as clerks write them: marks, blanks, remarks in brackets.
    const ImportPlan marked = plan(ImportKind::Persons,
                                   csvFile(QStringLiteral("m.csv"), {{"*姓名", " 身份证号码（必填）", "备注"},
                                                                     {"张三", idCard(1011), "x"}}));
    EXPECT_TRUE(marked.problems.isEmpty()) << problemsText(marked);
    EXPECT_EQ(marked.ignoredHeadings, QStringList{QStringLiteral("备注")});
}

TEST_P(Persons, ImportingTwiceAddsNobodyTwiceAndTheSelectionFindsThem)
{
    const QString file = csvFile(QStringLiteral("p.csv"), {kHeadings,
                                                            {"王芳", "", kWoman, "", "", "", "13800138000"},
                                                            {"李四", "", idCard(1011), "", "", "", ""},
                                                            {"李四", "", idCard(1011), "", "", "", ""}});
    const ImportPlan repeated = plan(ImportKind::Persons, file);
    ASSERT_EQ(repeated.problems.size(), 1) << problemsText(repeated);
    EXPECT_EQ(repeated.problems[0].row, 4);
    EXPECT_TRUE(repeated.problems[0].message.contains(QStringLiteral("与第3行重复")));
    EXPECT_EQ(writeImport(db(), repeated).result, ImportWriteOutcome::Result::Failed) << "a plan with problems";
    EXPECT_EQ(count(QStringLiteral("tc_ge_personinfo")), 0);

    const QString fixed = csvFile(QStringLiteral("p2.csv"), {kHeadings,
                                                              {"王芳", "", kWoman, "", "", "", "13800138000"},
                                                              {"李四", "", idCard(1011), "", "", "", ""}});
    const ImportWriteOutcome first = writeImport(db(), plan(ImportKind::Persons, fixed));
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    EXPECT_EQ(first.added, 2);
    const ImportPlan again = plan(ImportKind::Persons, fixed);
    EXPECT_TRUE(again.toAdd.isEmpty());
    EXPECT_EQ(again.present, (QList<int>{2, 3}));
    EXPECT_EQ(count(QStringLiteral("tc_ge_personinfo")), 2);

    cr::test::ScriptedUi ui;
    MessageObject message;
    PersonSelection selection(db(), ui, message, &catalog);
    const QList<PersonCandidate> found = selection.search(QStringLiteral("王芳"));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].idCard, kWoman);
    EXPECT_EQ(found[0].birthDate, QStringLiteral("1949-12-31"));
    EXPECT_TRUE(found[0].personNo.startsWith(QLatin1Char('P')));
}

TEST_P(Persons, TenThousandRowsWithOneBadRowWriteNothingUntilItIsFixed)
{
    QList<QStringList> lines{kHeadings};
    for (int i = 0; i < 10000; ++i) {
        lines << QStringList{QStringLiteral("居民%1").arg(i), QString(), idCard(i),
                             QString(), QStringLiteral("汉族"), QString(), QString()};
    }
    lines[5001][4] = QStringLiteral("火星族");
    const ImportPlan bad = plan(ImportKind::Persons, csvFile(QStringLiteral("big.csv"), lines));
    ASSERT_EQ(bad.problems.size(), 1) << problemsText(bad);
    EXPECT_EQ(bad.problems[0].row, 5002);
    EXPECT_EQ(bad.dataRows, 10000);
    EXPECT_FALSE(writeImport(db(), bad).ok());
    EXPECT_EQ(count(QStringLiteral("tc_ge_personinfo")), 0);

    lines[5001][4] = QStringLiteral("汉族");
    const ImportPlan good = plan(ImportKind::Persons, csvFile(QStringLiteral("big.csv"), lines));
    ASSERT_TRUE(good.problems.isEmpty()) << problemsText(good);
    const ImportWriteOutcome written = writeImport(db(), good);
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    EXPECT_EQ(count(QStringLiteral("tc_ge_personinfo")), 10000);
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(DISTINCT personno) FROM tc_ge_personinfo")).toLongLong(),
              10000);
}

TEST_P(Persons, ACancelledWriteLeavesNoRowBehind)
{
    QList<QStringList> lines{kHeadings};
    for (int i = 0; i < 450; ++i) lines << QStringList{QStringLiteral("居民%1").arg(i), "", idCard(i), "", "", "", ""};
    const ImportPlan p = plan(ImportKind::Persons, csvFile(QStringLiteral("c.csv"), lines));
    ASSERT_EQ(p.toAdd.size(), 450) << problemsText(p);
    int asked = 0;
    const ImportWriteOutcome o = writeImport(db(), p, [&](int done, int) { return ++asked < 2 && done < 400; });
    EXPECT_EQ(o.result, ImportWriteOutcome::Result::Cancelled);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(count(QStringLiteral("tc_ge_personinfo")), 0) << "rows written before the cancel are rolled back";
}

INSTANTIATE_ENGINES(Persons);

} // namespace
} // namespace cr::exchange::test
