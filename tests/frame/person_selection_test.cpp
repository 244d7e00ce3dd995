#include "frame/dataview.h"
#include "frame/message_object.h"
#include "frame/person_selection.h"
#include "frame/sqlca.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <QDate>

namespace cr::test {
namespace {

class PersonSelectionTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const QDate today = QDate::currentDate();
        person("P1", "张三", "110101198001010011", "13800000001", QDate(1980, 1, 1), "0");
        person("P2", "张三丰", "220101200001010022", "13900000002", today.addYears(-6), "0");
        person("P3", "李四", "110101199002020033", "13800000003", today.addYears(-7), "");
        person("P4", "张亡", "330101190001010044", "13700000004", QDate(1900, 1, 1), "1");
        person("P5", "王%五", "440101198505050055", "13600000005", QDate(1985, 5, 5), "0");
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_personotherinfo (commno, personno, isvolunteer) "
                                                "VALUES ('C1', 'P3', '1')")));
        ASSERT_TRUE(db().commit());
    }

    void person(const char* no, const char* name, const char* idcard, const char* phone, const QDate& birth,
                const char* death)
    {
        ASSERT_TRUE(db().execute(
            QStringLiteral("INSERT INTO tc_ge_personinfo (commno, personno, personname, idcard, sex, birthdate, "
                           "contactphone, isdeath) VALUES ('C1', :no, :name, :idcard, '1', :birth, :phone, :death)"),
            {{QStringLiteral("no"), QString::fromLatin1(no)},
             {QStringLiteral("name"), QString::fromUtf8(name)},
             {QStringLiteral("idcard"), QString::fromLatin1(idcard)},
             {QStringLiteral("birth"), birth},
             {QStringLiteral("phone"), QString::fromLatin1(phone)},
             {QStringLiteral("death"), *death ? QVariant(QString::fromLatin1(death)) : QVariant()}}))
            << db().sqlErrText().toStdString();
    }

    static DataViewDef targetDef()
    {
        DataViewDef d;
        d.name = QStringLiteral("d_target_f");
        for (const char* n : {"personno", "personname", "sex", "contactphone", "note", "isvolunteer"}) {
            ColumnDef c;
            c.name = QString::fromLatin1(n);
            d.columns << c;
        }
        ColumnDef age;
        age.name = QStringLiteral("age");
        age.kind = ColumnKind::Integer;
        d.columns << age;
        return d;
    }

    QStringList found(const QString& text, const QString& condition = QString())
    {
        PersonSelection selection(db(), ui, message);
        QStringList numbers;
        for (const PersonCandidate& c : selection.search(text, condition)) numbers << c.personNo;
        return numbers;
    }

    ScriptedUi ui;
    MessageObject message;
};

TEST_P(PersonSelectionTest, SearchByNameIdNumberOrPhoneAndCondition)
{
    struct Case {
        const char* text;
        const char* condition;
        QStringList persons;
    };
    const Case cases[] = {
        {"张", "", {"P1", "P2"}},            // the deceased P4 is never offered
        {"三", "", {"P1", "P2"}},            // any part of the name
        {"110101", "", {"P1", "P3"}},        // start of the ID number
        {"138", "", {"P1", "P3"}},           // start of the phone number
        {"0011", "", {}},                    // not the middle of an ID number
        {"%", "", {"P5"}},                   // a typed % is a percent sign
        {"_", "", {}},
        {"", "", {}},
        {"张", "age>6", {"P1"}},             // P2 is exactly 6
        {"李", "age>6", {"P3"}},
        {"李", "isvolunteer = '1'", {"P3"}},
        {"张", "age >> 6", {}},              // a broken condition lets nobody through
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " ; " + c.condition);
        EXPECT_EQ(found(QString::fromUtf8(c.text), QString::fromLatin1(c.condition)), c.persons);
    }
}

TEST_P(PersonSelectionTest, ChosenPersonFillsTheListedColumnsThatExist)
{
    DataView target(targetDef());
    ASSERT_EQ(target.insertRow(0), 1);
    target.setRow(1);
    target.setItem(1, "note", QStringLiteral("不动"));
    PersonSelection selection(db(), ui, message);
    ui.answerPerson(2);   // 李四 among the persons whose text matches "1380000000"
    const int rc = selection.open({QStringLiteral("1380000000"),
                                   {"personname", "SEX", "idcard", "age", "contactphone", "isvolunteer", ""}, {}},
                                  target);
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(message.doubleParm, 1);
    EXPECT_EQ(target.getItemString(1, "personno"), QStringLiteral("P3")) << "personno is always filled";
    EXPECT_EQ(target.getItemString(1, "personname"), QStringLiteral("李四"));
    EXPECT_EQ(target.getItemString(1, "sex"), QStringLiteral("1"));
    EXPECT_EQ(target.getItemString(1, "contactphone"), QStringLiteral("13800000003"));
    EXPECT_EQ(target.getItemString(1, "isvolunteer"), QStringLiteral("1"));
    EXPECT_EQ(target.getItemNumber(1, "age"), 7.0);
    EXPECT_EQ(target.getItemString(1, "note"), QStringLiteral("不动"));
    ASSERT_EQ(ui.prompts().size(), 1);
    EXPECT_EQ(ui.prompts()[0].kind, Prompt::Kind::Person);
    EXPECT_EQ(ui.prompts()[0].text, QStringLiteral("1380000000"));
    EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join('\n').toStdString();
}

TEST_P(PersonSelectionTest, CancelLeavesTheRowAsItWas)
{
    DataView target(targetDef());
    target.insertRow(0);
    target.setRow(1);
    target.setItem(1, "personname", QStringLiteral("旧名"));
    message.doubleParm = 5;
    PersonSelection selection(db(), ui, message);
    ui.answerPersonCancel();
    EXPECT_EQ(selection.open({QStringLiteral("张"), {"personno", "personname"}, {}}, target), 0);
    EXPECT_EQ(message.doubleParm, 0);
    EXPECT_EQ(target.getItemString(1, "personname"), QStringLiteral("旧名"));
    EXPECT_TRUE(target.getItem(1, "personno").isNull());
}

TEST_P(PersonSelectionTest, ConditionHoldsForTheChosenPerson)
{
    DataView target(targetDef());
    target.insertRow(0);
    target.setRow(1);
    PersonSelection selection(db(), ui, message);
    ui.answerPersonNo(QStringLiteral("P2"));   // 6 years old: not offered under age>6
    EXPECT_EQ(selection.open({QStringLiteral("张"), {"personno"}, QStringLiteral("age>6")}, target), 0);
    EXPECT_EQ(ui.errors().size(), 1);
    EXPECT_TRUE(target.getItem(1, "personno").isNull());
    EXPECT_EQ(ui.lastCandidates().size(), 1);
}

// What the user typed is searched for as it stands: separators and
// condition syntax in it neither fill other columns nor narrow or widen the
// search.
TEST_P(PersonSelectionTest, TypedTextIsOnlyEverSearchedFor)
{
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_personinfo (commno, personno, personname, sex, isdeath) "
                                            "VALUES ('C1', 'P9', '王;x', '1', '0')")));
    ASSERT_TRUE(db().commit());
    struct Case {
        const char* name;
        const char* typed;
        const char* offered;      // persons the dialog offers, joined by ","
    };
    const Case cases[] = {
        {"semicolon and a condition", "张;age>6", ""},
        {"semicolon before a true condition", "王;1=1", ""},
        {"comma and a column", "张,idcard", ""},
        {"the text with a semicolon itself", "王;x", "P9"},
        {"a name as it stands", "张三", "P1,P2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataView target(targetDef());
        target.insertRow(0);
        target.setRow(1);
        ui.clearPrompts();
        ui.answerPersonCancel();
        PersonSelection selection(db(), ui, message);
        selection.open({QString::fromUtf8(c.typed), {"personname"}, {}}, target);
        ASSERT_FALSE(ui.prompts().isEmpty());
        EXPECT_EQ(ui.prompts().last().text, QString::fromUtf8(c.typed));
        QStringList offered;
        for (const PersonCandidate& p : ui.lastCandidates()) offered << p.personNo;
        EXPECT_EQ(offered.join(QLatin1Char(',')), QString::fromLatin1(c.offered));
    }
    EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join('\n').toStdString();
}

INSTANTIATE_ENGINES(PersonSelectionTest);

} // namespace
} // namespace cr::test
