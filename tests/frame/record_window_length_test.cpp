#include "frame/text_length.h"
#include "record_window_fixture.h"

namespace cr::test {
namespace {

class RecordWindowLengthTest : public RecordWindowTest {};

const QString kTooLong61 = QStringLiteral("“便笺标题”最多只能填写60个字，现在是61个字，请改短！");

// Typed text is measured in characters as both engines count them; what does
// not fit is refused before the window's own handler sees it.
TEST_P(RecordWindowLengthTest, TypedTextLongerThanTheColumnIsRefused)
{
    const QString astral = QString::fromUcs4(U"\U00020000");   // one character, two UTF-16 units
    struct Case {
        const char* name;
        QString text;
        int code;              // what userEdit answers
        QString message;       // empty = none
    };
    const QList<Case> cases = {
        {"one character too many", QString(61, QChar(0x957F)), 1, kTooLong61},
        {"exactly the column's length", QString(60, QChar(0x957F)), 0, {}},
        {"characters beyond the basic plane count once", astral.repeated(60), 0, {}},
        {"and one too many of them", astral.repeated(61), 1, kTooLong61},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.clearPrompts();
        auto w = makeWindow();
        ASSERT_TRUE(w->openAdd());
        w->calls.clear();
        EXPECT_EQ(w->dw_1().userEdit(1, "title", c.text), c.code);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(ui.messages().isEmpty());
            EXPECT_EQ(w->dw_1().getItemString(1, "title"), c.text);
            ASSERT_EQ(w->dw_1().userEdit(1, "pages", QStringLiteral("1")), 0);
            EXPECT_TRUE(w->click("cb_save"));
            EXPECT_EQ(scalar("SELECT title FROM t_note ORDER BY noteno DESC").toString(), c.text);
        } else {
            ASSERT_EQ(ui.messages().size(), 1);
            EXPECT_EQ(ui.messages()[0].title, QStringLiteral("提示"));
            EXPECT_EQ(ui.messages()[0].text, c.message);
            EXPECT_TRUE(w->dw_1().getItem(1, "title").isNull());
            EXPECT_TRUE(w->calls.isEmpty()) << w->calls.join(',').toStdString();
        }
    }
}

// A value put there by a rule rather than typed is caught by both saves, with
// the cursor on the field and nothing written.
TEST_P(RecordWindowLengthTest, BothSavesRefuseTextLongerThanTheColumn)
{
    for (const char* button : {"cb_save", "cb_tempsave"}) {
        SCOPED_TRACE(button);
        ui.clearPrompts();
        auto w = makeWindow();
        ASSERT_TRUE(w->openAdd());
        w->dw_1().setItem(1, "title", QString(61, QLatin1Char('x')));
        w->dw_1().setItem(1, "pages", 1);
        w->dw_1().setColumn("pages");
        w->calls.clear();
        w->click(button);
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_EQ(ui.messages()[0].text, kTooLong61);
        EXPECT_EQ(w->dw_1().getColumnName(), QStringLiteral("title"));
        EXPECT_TRUE(w->calls.isEmpty()) << w->calls.join(',').toStdString();
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_note").toInt(), 0);
        EXPECT_FALSE(db().inTransaction());
    }
}

INSTANTIATE_ENGINES(RecordWindowLengthTest);

} // namespace
} // namespace cr::test
