#include "resident_teams/leader_window.h"

#include "team_fixture.h"

#include <QDate>

namespace cr::resident_teams::test {
namespace {

class LeaderWindowTest : public TeamWindowFixture {
protected:
    void SetUp() override
    {
        TeamWindowFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        team = key("INSERT INTO tc_og_inhabitantteam (commno, orgname, issave) VALUES ('0001', '一组', '1')", "teamno")
                   .toLongLong();
        ASSERT_TRUE(db().commit());
    }

    void addPerson(const QString& personNo, const QVariant& birthdate)
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_personinfo (personno, personname, birthdate, isdeath) "
                                                "VALUES (:p, :n, :b, '0')"),
                                 {{"p", personNo}, {"n", QStringLiteral("候选") + personNo}, {"b", birthdate}}));
        ASSERT_TRUE(db().commit());
    }

    // A new leader of the team, as the team's list of leaders opens it.
    RecordWindow* openNew()
    {
        window = windows.create(LeaderWindow::windowName(), context());
        auto* record = dynamic_cast<RecordWindow*>(window.get());
        EXPECT_TRUE(record && record->openAdd());
        if (record) record->dw_1().setItem(1, QStringLiteral("teamno"), team);
        return record;
    }

    qlonglong team = 0;
};

// Ages are counted from today: the birth dates are made from it.
TEST_P(LeaderWindowTest, WarnsAboutAPersonYoungerThanSixteenOnly)
{
    const QDate today = QDate::currentDate();
    const QString young = QStringLiteral("警告信息|年龄太小！请确认后再保存。");
    const struct {
        const char* name;
        QVariant birthdate;
        bool warned;
    } cases[] = {
        {"sixteen today", today.addYears(-16), false},
        {"sixteen tomorrow", today.addYears(-16).addDays(1), true},
        {"a baby", today.addDays(-30), true},
        {"an adult", today.addYears(-40), false},
        {"no birth date", QVariant(QMetaType(QMetaType::QDate)), false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString personNo = QStringLiteral("Q%1").arg(++n);
        addPerson(personNo, c.birthdate);
        for (const char* how : {"typed", "double-clicked"}) {
            RecordWindow* w = openNew();
            ASSERT_NE(w, nullptr);
            ui.clearPrompts();
            ui.answerPersonNo(personNo);
            const QString name = QStringLiteral("候选") + personNo;
            if (QLatin1String(how) == QLatin1String("typed")) {
                EXPECT_EQ(w->dw_1().userEdit(1, QStringLiteral("personname"), name), 2);
            } else {
                // A double-click searches for the name the field shows.
                w->dw_1().setItem(1, QStringLiteral("personname"), name);
                w->dw_1().userDoubleClicked(1, QStringLiteral("personname"));
            }
            EXPECT_EQ(w->dw_1().getItemString(1, QStringLiteral("personno")), personNo) << c.name << ", " << how;
            EXPECT_EQ(messages(), c.warned ? QStringList{young} : QStringList()) << c.name << ", " << how;
            // A warning only: the leader is saved.
            EXPECT_TRUE(w->save()) << c.name << ", " << how << ": " << messages().join(u'\n').toStdString();
            ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM tc_og_inhabteamleader")));
            ASSERT_TRUE(db().commit());
        }
    }
    EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join(u'\n').toStdString();
}

INSTANTIATE_ENGINES(LeaderWindowTest);

} // namespace
} // namespace cr::resident_teams::test
