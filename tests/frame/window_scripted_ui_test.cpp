#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace cr::test {
namespace {

using Buttons = UiServices::Buttons;
using Icon = UiServices::Icon;

// Each question against each queued answer: the answer the window gets, or
// an error when the answer does not fit the buttons.
TEST(ScriptedUi, QuestionsTakeTheAnswerThatFits)
{
    struct Case {
        const char* name;
        void (ScriptedUi::*queue)();
        Buttons buttons;
        int answer;
        bool error;
    };
    const Case cases[] = {
        {"yes to yes/no", &ScriptedUi::answerYes, Buttons::YesNo, 1, false},
        {"no to yes/no", &ScriptedUi::answerNo, Buttons::YesNo, 2, false},
        {"cancel to yes/no/cancel", &ScriptedUi::answerCancel, Buttons::YesNoCancel, 3, false},
        {"ok to ok/cancel", &ScriptedUi::answerOk, Buttons::OkCancel, 1, false},
        {"cancel to ok/cancel", &ScriptedUi::answerCancel, Buttons::OkCancel, 2, false},
        {"cancel to yes/no is wrong", &ScriptedUi::answerCancel, Buttons::YesNo, 2, true},
        {"ok to yes/no/cancel is wrong", &ScriptedUi::answerOk, Buttons::YesNoCancel, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        (ui.*c.queue)();
        EXPECT_EQ(ui.messageBox("提示", "确定吗？", Icon::Question, c.buttons, 1), c.answer);
        EXPECT_EQ(ui.errors().size(), c.error ? 1 : 0);
        EXPECT_EQ(ui.pendingAnswers(), 0);
    }
}

TEST(ScriptedUi, UnexpectedPromptsAreErrorsWithHarmlessAnswers)
{
    ScriptedUi ui;
    EXPECT_EQ(ui.messageBox("提示", "删除吗？", Icon::Question, Buttons::YesNo, 1), 2);
    EXPECT_EQ(ui.messageBox("提示", "保存吗？", Icon::Question, Buttons::YesNoCancel, 1), 3);
    EXPECT_FALSE(ui.selectPerson("选择人员", "张", [](const QString&) { return QList<PersonCandidate>{}; }));
    StrMultiselect sent;
    sent.s_str = QStringLiteral("B1");
    sent.s_dw = QStringLiteral("1号楼");
    const StrMultiselect back = ui.openSelection("w_multiselect_floor", sent);
    EXPECT_TRUE(back.cancelled());
    EXPECT_EQ(back.s_dw, QStringLiteral("1号楼"));
    EXPECT_EQ(ui.errors().size(), 4);
    EXPECT_EQ(ui.prompts().size(), 4);
}

TEST(ScriptedUi, PlainMessagesNeedNoAnswerAndLeaveQueuedOnesAlone)
{
    ScriptedUi ui;
    ui.answerYes();
    EXPECT_EQ(ui.messageBox("提示", "保存成功"), 1);
    EXPECT_EQ(ui.pendingAnswers(), 1) << "a plain message must not eat the answer meant for a question";
    EXPECT_EQ(ui.messageBox("提示", "继续吗？", Icon::Question, Buttons::YesNo), 1);
    ui.answerOk();
    EXPECT_EQ(ui.messageBox("提示", "好"), 1);
    EXPECT_EQ(ui.pendingAnswers(), 0);
    EXPECT_TRUE(ui.errors().isEmpty());
    ASSERT_EQ(ui.messages().size(), 3);
    EXPECT_EQ(ui.messages()[1].buttons, Buttons::YesNo);
}

TEST(ScriptedUi, PersonAnswersPickAmongTheOfferedPersons)
{
    const QList<PersonCandidate> offered{{"P1", "张三", {}, {}, {}, {}, {}}, {"P2", "张四", {}, {}, {}, {}, {}}};
    auto search = [&offered](const QString& text) {
        return text == QStringLiteral("张") ? offered : QList<PersonCandidate>{};
    };
    struct Case {
        const char* name;
        int index;              // 0: by number
        const char* personNo;
        std::optional<QString> chosen;
        bool error;
    };
    const Case cases[] = {
        {"second offered", 2, "", QStringLiteral("P2"), false},
        {"beyond the offer", 3, "", std::nullopt, true},
        {"by number", 0, "P1", QStringLiteral("P1"), false},
        {"number not offered", 0, "P9", std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        if (c.index) ui.answerPerson(c.index);
        else ui.answerPersonNo(QString::fromLatin1(c.personNo));
        EXPECT_EQ(ui.selectPerson("选择人员", "张", search), c.chosen);
        EXPECT_EQ(ui.errors().size(), c.error ? 1 : 0);
        EXPECT_EQ(ui.lastCandidates().size(), 2);
    }
    ScriptedUi ui;
    ui.answerPersonCancel();
    EXPECT_FALSE(ui.selectPerson("选择人员", "张", search));
    EXPECT_TRUE(ui.errors().isEmpty());
}

TEST(ScriptedUi, AnswersOfTheWrongKindStayQueued)
{
    ScriptedUi ui;
    ui.answerPerson(1);
    EXPECT_EQ(ui.messageBox("提示", "继续吗？", Icon::Question, Buttons::YesNo), 2);
    EXPECT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(ui.pendingDescriptions(), QStringList{"person 1"});

    StrMultiselect chosen;
    chosen.s_str = QStringLiteral("B1U2");
    ui.clearAnswers();
    ui.answerSelection(chosen);
    EXPECT_EQ(ui.openSelection("w_inhabitantteam_scope", {}).s_str, QStringLiteral("B1U2"));
    ui.answerSelectionCancel();
    EXPECT_TRUE(ui.openSelection("w_inhabitantteam_scope", {}).cancelled());
}

TEST(ScriptedUi, ProgressAndHelpAreRecordedNeverFail)
{
    ScriptedUi ui;
    {
        auto progress = ui.showProgress("正在读取楼院、房屋数据");
        progress->setText("第二步");
        progress->setValue(1, 2);
    }
    ui.showHelp("房屋信息批量维护");
    EXPECT_EQ(ui.progressTexts(), (QStringList{"正在读取楼院、房屋数据", "第二步"}));
    EXPECT_EQ(ui.helpTopics(), QStringList{"房屋信息批量维护"});
    EXPECT_TRUE(ui.errors().isEmpty());
}

} // namespace
} // namespace cr::test
