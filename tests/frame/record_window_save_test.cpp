#include "record_window_fixture.h"

namespace cr::test {
namespace {

class RecordWindowSaveTest : public RecordWindowTest {};

TEST_P(RecordWindowSaveTest, OpenPutsANewRowThenRunsOpenThenLoadPhoto)
{
    auto w = makeWindow();
    ASSERT_TRUE(w->openAdd());
    EXPECT_EQ(w->calls, (QStringList{"open rows=1", "ue_loadphoto 添加"}));
    EXPECT_EQ(w->mode(), QStringLiteral("添加"));
    EXPECT_EQ(message.stringParm, QStringLiteral("添加"));
    EXPECT_EQ(w->dw_1().getItemString(1, "commno"), QStringLiteral("C1"));
    EXPECT_FALSE(w->hasUnsavedEdits());
}

// The validated and the temporary save differ only in the checks and issave.
TEST_P(RecordWindowSaveTest, SaveSequenceAndIssave)
{
    struct Case {
        const char* name;
        bool validated;
        QStringList calls;
        const char* issave;
    };
    const Case cases[] = {
        {"validated", true, {"wf_dw_verify", "wf_update_after key=set issave=1"}, "1"},
        {"temporary", false, {"wf_update_after key=set issave=0"}, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM t_note")));
        ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM t_notelog")));
        ASSERT_TRUE(db().commit());
        auto w = makeWindow();
        ASSERT_TRUE(w->openAdd());
        ASSERT_EQ(w->dw_1().userEdit(1, "title", QStringLiteral("标题")), 0);
        ASSERT_EQ(w->dw_1().userEdit(1, "pages", QStringLiteral("3")), 0);
        w->calls.clear();
        ASSERT_TRUE(w->click(c.validated ? "cb_save" : "cb_tempsave"));
        EXPECT_EQ(w->calls, c.calls);
        EXPECT_EQ(w->mode(), QStringLiteral("修改"));
        EXPECT_EQ(message.stringParm, QStringLiteral("修改"));
        EXPECT_EQ(scalar("SELECT issave FROM t_note").toString(), QString::fromLatin1(c.issave));
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_notelog").toInt(), 1);
        // The key the database assigned is in the row and statuses are reset.
        EXPECT_EQ(w->currentKey().toLongLong(), scalar("SELECT noteno FROM t_note").toLongLong());
        EXPECT_EQ(w->dw_1().getItemStatus(1, QString()), RowStatus::NotModified);
        EXPECT_FALSE(w->hasUnsavedEdits());
        EXPECT_FALSE(db().inTransaction());
        EXPECT_TRUE(ui.messages().isEmpty());
    }
}

TEST_P(RecordWindowSaveTest, RefusedVerifyWritesNothing)
{
    auto w = makeWindow();
    ASSERT_TRUE(w->openAdd());
    w->dw_1().userEdit(1, "title", QStringLiteral("标题"));
    w->dw_1().userEdit(1, "pages", QStringLiteral("3"));
    w->verifyResult = 1;
    w->calls.clear();
    EXPECT_FALSE(w->save());
    EXPECT_EQ(w->calls, QStringList{"wf_dw_verify"});
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_note").toInt(), 0);
    EXPECT_EQ(w->mode(), QStringLiteral("添加"));
    EXPECT_EQ(w->dw_1().getItem(1, "issave"), QVariant());
}

// Required fields (Tag "1", read at run time) are checked in tab order before
// wf_dw_verify, by their label without the colon and blanks.
TEST_P(RecordWindowSaveTest, RequiredFieldsNamedInTabOrder)
{
    struct Case {
        const char* name;
        const char* title;
        const char* pages;
        const char* modify;     // changes the Tag before saving
        const char* message;    // empty: saved
        const char* cursor;
    };
    const Case cases[] = {
        {"both empty: pages comes first by tab order", "", "", "", "“页数”不能为空，请输入！", "pages"},
        {"title only", "", "4", "", "“便笺标题”不能为空，请输入！", "title"},
        {"blank title counts as empty", "   ", "4", "", "“便笺标题”不能为空，请输入！", "title"},
        {"Tag cleared at run time", "", "4", "title.Tag=''", "", ""},
        {"Tag set at run time", "标题", "4", "groupno.Tag='1'", "“分组”不能为空，请输入！", "groupno"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.clearPrompts();
        auto w = makeWindow();
        ASSERT_TRUE(w->openAdd());
        if (*c.modify) ASSERT_EQ(w->dw_1().modify(QString::fromLatin1(c.modify)), QString());
        w->dw_1().setItem(1, "title", QString::fromUtf8(c.title));
        if (*c.pages) w->dw_1().setItem(1, "pages", QString::fromLatin1(c.pages).toInt());
        w->calls.clear();
        const bool saved = w->save();
        if (!*c.message) {
            EXPECT_TRUE(saved);
            EXPECT_TRUE(ui.messages().isEmpty());
            continue;
        }
        EXPECT_FALSE(saved);
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_EQ(ui.messages()[0].title, QStringLiteral("提示"));
        EXPECT_EQ(ui.messages()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(w->dw_1().getColumnName(), QString::fromLatin1(c.cursor));
        EXPECT_TRUE(w->calls.isEmpty()) << "wf_dw_verify must not run";
    }
}

// A failed write rolls everything back, puts back the key and issave the row
// had, keeps the edits and their statuses so that the next save retries.
TEST_P(RecordWindowSaveTest, FailedWriteRollsBackAndRestoresKey)
{
    struct Case {
        const char* name;
        bool stored;          // modify a stored note instead of adding one
        bool dropLog;         // wf_update_after fails instead of the row write
        int pages;
    };
    const Case cases[] = {
        {"insert refused by the database", false, false, -1},
        {"wf_update_after fails after an insert", false, true, 2},
        {"update refused by the database", true, false, -1},
        {"wf_update_after fails after an update", true, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM t_note")));
        db().executeRaw(QStringLiteral("DROP TABLE IF EXISTS t_notelog"));
        ASSERT_TRUE(db().executeRaw(QStringLiteral("CREATE TABLE t_notelog (noteno INTEGER NOT NULL)")));
        ASSERT_TRUE(db().commit());
        qlonglong storedKey = 0;
        if (c.stored) {
            insertNote(QStringLiteral("旧"));
            storedKey = scalar("SELECT noteno FROM t_note").toLongLong();
        }
        if (c.dropLog) {
            ASSERT_TRUE(db().executeRaw(QStringLiteral("DROP TABLE t_notelog")));
            ASSERT_TRUE(db().commit());
        }
        ui.clearPrompts();
        auto w = makeWindow();
        ASSERT_TRUE(c.stored ? w->openModify(storedKey) : w->openAdd());
        w->dw_1().userEdit(1, "title", QStringLiteral("新标题"));
        w->dw_1().userEdit(1, "pages", QString::number(c.pages));
        const RowStatus before = w->dw_1().getItemStatus(1, QString());
        const QVariant issaveBefore = w->dw_1().getItem(1, "issave");

        EXPECT_FALSE(w->save());
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_EQ(ui.messages()[0].title, QStringLiteral("错误"));
        EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("保存失败："))) << ui.messages()[0].text.toStdString();
        EXPECT_GT(ui.messages()[0].text.size(), QStringLiteral("保存失败：").size());
        EXPECT_FALSE(db().inTransaction());

        // Nothing half-written.
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_note").toInt(), c.stored ? 1 : 0);
        if (c.stored) EXPECT_EQ(scalar("SELECT title FROM t_note").toString(), QStringLiteral("旧"));
        // The form keeps the edits, its old key and issave, and its statuses.
        EXPECT_EQ(w->dw_1().getItemString(1, "title"), QStringLiteral("新标题"));
        EXPECT_EQ(w->currentKey(), c.stored ? QVariant(storedKey) : QVariant());
        EXPECT_EQ(w->dw_1().getItem(1, "issave"), issaveBefore);
        EXPECT_EQ(w->dw_1().getItemStatus(1, QString()), before);
        EXPECT_EQ(w->mode(), c.stored ? QStringLiteral("修改") : QStringLiteral("添加"));
        EXPECT_TRUE(w->hasUnsavedEdits());

        // Once the cause is gone the same record saves, exactly once.
        if (c.dropLog) {
            ASSERT_TRUE(db().executeRaw(QStringLiteral("CREATE TABLE t_notelog (noteno INTEGER NOT NULL)")));
            ASSERT_TRUE(db().commit());
        }
        w->dw_1().userEdit(1, "pages", QStringLiteral("5"));
        EXPECT_TRUE(w->save());
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_note").toInt(), 1);
        EXPECT_EQ(scalar("SELECT title FROM t_note").toString(), QStringLiteral("新标题"));
        EXPECT_EQ(w->currentKey().toLongLong(), scalar("SELECT noteno FROM t_note").toLongLong());
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_notelog").toInt(), 1);
    }
}

// Two clerks on one note: the later save must not overwrite the earlier one.
TEST_P(RecordWindowSaveTest, RecordChangedMeanwhileIsRefusedAndTheFormKept)
{
    insertNote(QStringLiteral("原标题"));
    const qlonglong key = scalar("SELECT noteno FROM t_note").toLongLong();
    auto w = makeWindow();
    ASSERT_TRUE(w->openModify(key));
    // Another clerk saves the same note after this window read it.
    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE t_note SET title = '别人的标题'")));
    ASSERT_TRUE(db().commit());

    w->dw_1().userEdit(1, "title", QStringLiteral("我的标题"));
    EXPECT_FALSE(w->save());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("该记录已被其他人修改，请重新读取后再修改。"));
    EXPECT_EQ(scalar("SELECT title FROM t_note").toString(), QStringLiteral("别人的标题"));
    EXPECT_EQ(w->dw_1().getItemString(1, "title"), QStringLiteral("我的标题"));
    EXPECT_TRUE(w->hasUnsavedEdits());
    EXPECT_FALSE(db().inTransaction());

    // A column the other clerk did not touch saves over the fresh row.
    ui.clearPrompts();
    w->restore();
    w->dw_1().userEdit(1, "pages", QStringLiteral("7"));
    EXPECT_TRUE(w->save()) << (ui.messages().isEmpty() ? std::string() : ui.messages()[0].text.toStdString());
    EXPECT_EQ(scalar("SELECT title FROM t_note").toString(), QStringLiteral("别人的标题"));
    EXPECT_EQ(scalar("SELECT pages FROM t_note").toInt(), 7);
}

TEST_P(RecordWindowSaveTest, RestoreBringsBackTheStoredRecordOrANewOne)
{
    insertNote(QStringLiteral("原来"));
    const qlonglong key = scalar("SELECT noteno FROM t_note").toLongLong();
    auto w = makeWindow();
    ASSERT_TRUE(w->openModify(key));
    w->dw_1().userEdit(1, "title", QStringLiteral("改了"));
    ASSERT_TRUE(w->hasUnsavedEdits());
    w->calls.clear();
    w->click("cb_roll");
    EXPECT_EQ(w->dw_1().getItemString(1, "title"), QStringLiteral("原来"));
    EXPECT_EQ(w->calls, QStringList{"ue_loadphoto 修改"});
    EXPECT_FALSE(w->hasUnsavedEdits());

    auto added = makeWindow();
    ASSERT_TRUE(added->openAdd());
    added->dw_1().userEdit(1, "title", QStringLiteral("草稿"));
    added->restore();
    EXPECT_EQ(added->mode(), QStringLiteral("添加"));
    EXPECT_EQ(added->dw_1().rowCount(), 1);
    EXPECT_TRUE(added->dw_1().getItem(1, "title").isNull());
}

// Each record starts from the form's own properties.
TEST_P(RecordWindowSaveTest, LoadingResetsRuntimeProperties)
{
    insertNote(QStringLiteral("甲"));
    const qlonglong key = scalar("SELECT noteno FROM t_note").toLongLong();
    auto w = makeWindow();
    ASSERT_TRUE(w->openModify(key));
    w->dw_1().modify(QStringLiteral("title.Tag='' title.Background.Color='14474460'"));
    w->dw_1().setTabOrder("title", 0);
    w->restore();
    EXPECT_EQ(w->dw_1().describe("title.Tag"), QStringLiteral("1"));
    EXPECT_EQ(w->dw_1().tabOrder("title"), 20);
    EXPECT_NE(w->dw_1().describe("title.Background.Color"), QStringLiteral("14474460"));
}

TEST_P(RecordWindowSaveTest, CloseAsksAboutUnsavedEdits)
{
    struct Case {
        const char* name;
        void (ScriptedUi::*answer)();
        bool closed;
        int stored;
    };
    const Case cases[] = {
        {"cancel stays", &ScriptedUi::answerCancel, false, 0},
        {"no discards", &ScriptedUi::answerNo, true, 0},
        {"yes saves", &ScriptedUi::answerYes, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM t_note")));
        ASSERT_TRUE(db().commit());
        ui.clearPrompts();
        auto w = makeWindow();
        ASSERT_TRUE(w->openAdd());
        w->dw_1().userEdit(1, "title", QStringLiteral("标题"));
        w->dw_1().userEdit(1, "pages", QStringLiteral("1"));
        (ui.*c.answer)();
        w->click("cb_exit");
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_EQ(ui.messages()[0].text, QStringLiteral("数据已修改，是否保存？"));
        EXPECT_EQ(ui.messages()[0].buttons, UiServices::Buttons::YesNoCancel);
        EXPECT_EQ(!w->isOpen(), c.closed);
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_note").toInt(), c.stored);
        EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join('\n').toStdString();
    }
    // Without edits nothing is asked.
    ui.clearPrompts();
    auto w = makeWindow();
    ASSERT_TRUE(w->openAdd());
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(ui.prompts().isEmpty());
}

TEST_P(RecordWindowSaveTest, ModifyOfAMissingRecordDoesNotOpen)
{
    auto w = makeWindow();
    EXPECT_FALSE(w->openModify(qlonglong(4711)));
    EXPECT_FALSE(w->isOpen());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("该记录已不存在，可能已被删除。"));
}

TEST_P(RecordWindowSaveTest, InheritedControlsInOrder)
{
    auto w = makeWindow();
    QStringList names;
    for (const ControlDef& c : w->controls()) names << c.name;
    EXPECT_EQ(names, (QStringList{"mc_1", "cb_help", "cb_last", "cb_next", "cb_prior", "cb_first", "cb_exit",
                                  "cb_save", "cb_roll", "cb_delete", "dw_1", "cb_tempsave"}));
    EXPECT_EQ(w->control("cb_tempsave")->picture, QStringLiteral("bmp/cb_TempSave.bmp"));
    EXPECT_EQ(w->control("cb_tempsave")->tooltip, QStringLiteral("不做数据校验临时保存(Ctrl+T)"));
    EXPECT_EQ(w->control("cb_save")->shortcut, QStringLiteral("Ctrl+S"));
    EXPECT_EQ(w->control("cb_exit")->shortcut, QStringLiteral("Esc"));
    ASSERT_TRUE(w->openAdd());
    w->uf_setenabled("cb_tempsave", false);
    w->dw_1().userEdit(1, "title", QStringLiteral("标题"));
    EXPECT_FALSE(w->click("cb_tempsave")) << "a disabled button does nothing";
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_note").toInt(), 0);
    w->click("cb_help");
    EXPECT_EQ(ui.helpTopics(), QStringList{"便笺帮助"});
}

INSTANTIATE_ENGINES(RecordWindowSaveTest);

} // namespace
} // namespace cr::test
