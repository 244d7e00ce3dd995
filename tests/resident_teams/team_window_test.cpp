#include "resident_teams/team_window.h"

#include "frame/list_page.h"
#include "resident_teams/scope_text.h"
#include "team_fixture.h"

namespace cr::resident_teams::test {
namespace {

const QString kOutsideBmp = QString::fromUcs4(U"\U00020000");   // one character, two UTF-16 units

TEST(ScopeText, CountsAndCutsWholeCharacters)
{
    const struct {
        const char* name;
        QString text;
        int limit;
        int count;
        QString first;
    } cases[] = {
        {"empty", QString(), 3, 0, QString()},
        {"shorter than the limit", QStringLiteral("B7,H3"), 10, 5, QStringLiteral("B7,H3")},
        {"cut", QStringLiteral("B7,H305"), 4, 7, QStringLiteral("B7,H")},
        {"Chinese characters count one each", QStringLiteral("和平里1号楼"), 3, 6, QStringLiteral("和平里")},
        {"a character outside the BMP is one", kOutsideBmp + QStringLiteral("楼"), 1, 2, kOutsideBmp},
        {"never cut in half", QStringLiteral("楼") + kOutsideBmp, 1, 2, QStringLiteral("楼")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(characterCount(c.text), c.count) << c.name;
        EXPECT_EQ(firstCharacters(c.text, c.limit), c.first) << c.name;
    }
    EXPECT_EQ(scopeLines(QStringLiteral("1号楼,101室(2号楼1单元),张一")),
              QStringLiteral("1号楼\r\n101室(2号楼1单元)\r\n张一"));
}

class TeamWindowTest : public TeamWindowFixture {
protected:
    qlonglong addTeam(const QVariant& area, const char* name, const QString& code = QString())
    {
        const qlonglong team = key("INSERT INTO tc_og_inhabitantteam (commno, regionalno, orgname, issave) "
                                   "VALUES ('0001', :a, :n, '1')",
                                   "teamno", {{"a", area}, {"n", QString::fromUtf8(name)}})
                                   .toLongLong();
        if (!code.isNull())
            EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_og_inhabteamscope (commno, teamno, scopename, "
                                                    "scopecode, rprnum, personnum, issave) "
                                                    "VALUES ('0001', :t, :c, :c, 0, 0, '1')"),
                                     {{"t", team}, {"c", expand(code)}}));
        EXPECT_TRUE(db().commit());
        return team;
    }

    RecordWindow* open(qlonglong team)
    {
        window = windows.create(TeamWindow::windowName(), context());
        auto* record = dynamic_cast<RecordWindow*>(window.get());
        EXPECT_TRUE(record && record->openModify(team));
        return record;
    }

    // The scope dialog answers with this code and these names.
    void chooseInDialog(RecordWindow& w, const QString& code, const QString& names)
    {
        ui.answerSelection(StrMultiselect{names, code, QString(), QString()});
        ASSERT_TRUE(w.click(TeamWindow::scopeButton()));
    }

    QVariant stored(const char* column, qlonglong team)
    {
        return db().selectValue(QStringLiteral("SELECT %1 FROM tc_og_inhabteamscope WHERE teamno = :t")
                                    .arg(QLatin1String(column)),
                                {{"t", team}});
    }
};

TEST_P(TeamWindowTest, TheDialogIsSentTheAreaTheNameTheScopeAndItsCode)
{
    const struct {
        const char* name;
        QVariant area;
        QString code;
        QString filter;
        QString sentCode;
    } cases[] = {
        {"a team of an area", keys["a1"], QStringLiteral("B{b1}"), QStringLiteral("RegionalNo={a1}"),
         QStringLiteral("B{b1}")},
        {"no area", QVariant(QMetaType(QMetaType::LongLong)), QString(), QString(), QString()},
        {"area 0 is no area", 0, QStringLiteral("H{h5}"), QString(), QStringLiteral("H{h5}")},
    };
    int n = 0;
    for (const auto& c : cases) {
        // The database refuses to store area 0 (no such area): the team is
        // stored without one and the window is given the 0 as read.
        const bool zero = !c.area.isNull() && c.area.toLongLong() == 0;
        const qlonglong team = addTeam(zero ? QVariant(QMetaType(QMetaType::LongLong)) : c.area,
                                       QStringLiteral("组%1").arg(++n).toUtf8().constData(), c.code);
        RecordWindow* w = open(team);
        ASSERT_NE(w, nullptr) << c.name;
        if (zero) {
            ASSERT_EQ(w->dw_1().setItem(1, QStringLiteral("regionalno"), 0), 1);
            w->dw_1().resetUpdate();
        }
        ui.answerSelectionCancel();
        ASSERT_TRUE(w->click(TeamWindow::scopeButton())) << c.name;
        const StrMultiselect sent = ui.lastSelectionParameter();
        EXPECT_EQ(sent.s_filter, expand(c.filter)) << c.name;
        EXPECT_EQ(sent.s_title, QStringLiteral("组%1").arg(n)) << c.name;
        EXPECT_EQ(sent.s_str, expand(c.sentCode)) << c.name;
        EXPECT_FALSE(sent.s_str.isNull()) << c.name << ": a team without scope sends empty text";
        EXPECT_EQ(sent.s_dw, c.code.isNull() ? QString() : expand(c.code)) << c.name;
    }
    EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join(u'\n').toStdString();
}

// The scope row's text columns hold 4000 characters, whatever the characters:
// a long readable scope of Chinese names must still be stored, cut to 4000.
TEST_P(TeamWindowTest, AScopeTooLargeIsCutByCharactersAndStillSaved)
{
    QString longCode;
    while (longCode.size() < kScopeLimit + 10) longCode += expand(QStringLiteral("H{h1},"));
    const QString exactCode = longCode.left(kScopeLimit);
    QString longNames;
    while (longNames.size() < kScopeLimit + 100) longNames += QStringLiteral("和平里甲号楼,");
    const QString warning = QStringLiteral("警告|") + TeamWindow::tooLargeText();

    const struct {
        const char* name;
        QString code;
        QString names;
        bool warned;
    } cases[] = {
        {"exactly the limit", exactCode, QStringLiteral("楼"), false},
        {"one character more", exactCode + QLatin1Char('9'), QStringLiteral("楼"), true},
        {"far more, and long names", longCode, longNames, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        const qlonglong team = addTeam(keys["a1"], QStringLiteral("大组%1").arg(++n).toUtf8().constData());
        RecordWindow* w = open(team);
        ASSERT_NE(w, nullptr) << c.name;
        ui.clearPrompts();
        chooseInDialog(*w, c.code, c.names);
        EXPECT_EQ(messages(), c.warned ? QStringList{warning} : QStringList()) << c.name;
        EXPECT_EQ(w->dw_1().getItemString(1, QStringLiteral("scopecode")), c.code.left(kScopeLimit)) << c.name;
        ASSERT_TRUE(w->save()) << c.name;
        EXPECT_EQ(stored("scopecode", team).toString(), c.code.left(kScopeLimit)) << c.name;
        EXPECT_EQ(characterCount(stored("scopename", team).toString()),
                  qMin(kScopeLimit, characterCount(scopeLines(c.names))))
            << c.name;
        // The cut code is what is counted: its broken last element finds nothing.
        const qlonglong whole = c.code.left(kScopeLimit).split(QLatin1Char(',')).count(expand(QStringLiteral("H{h1}")));
        EXPECT_EQ(stored("rprnum", team).toLongLong(), whole) << c.name;
    }
}

TEST_P(TeamWindowTest, TheListSumsHouseholdsAndPersons)
{
    addTeam(keys["a1"], "一组", QStringLiteral("B{b1}"));
    addTeam(keys["a2"], "二组", QStringLiteral("R0042"));
    addTeam(QVariant(QMetaType(QMetaType::LongLong)), "三组");
    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE tc_og_inhabteamscope SET rprnum = teamno * 10, personnum = teamno")));
    ASSERT_TRUE(db().commit());
    ListPage list(db(), views, *windows.find(TeamWindow::windowName()));
    ASSERT_EQ(list.ue_retrieve(), 3);
    const DataView& rows = list.dw_1();
    ASSERT_EQ(rows.definition().summaries.size(), 2);
    const qlonglong first = rows.getItemInteger(1, QStringLiteral("teamno")).value_or(0);
    EXPECT_EQ(rows.summary(0).toLongLong(), (2 * first + 1) * 10);   // the third team has no scope row
    EXPECT_EQ(rows.summary(1).toLongLong(), 2 * first + 1);
    EXPECT_EQ(rows.definition().summaries[0].column, QStringLiteral("rprnum"));
    EXPECT_EQ(rows.definition().summaries[1].column, QStringLiteral("personnum"));
}

INSTANTIATE_ENGINES(TeamWindowTest);

} // namespace
} // namespace cr::resident_teams::test
