// A register window worked with the keyboard, end to end: opened from its
// list page, a field typed, saved with Ctrl+S, closed with Esc (asking
// first when edits are unsaved), the list showing the result. Uses the
// responsibility area register as it is registered for the shell.

#include "app/field_editor.h"
#include "app/form_view.h"
#include "app/list_page_widget.h"
#include "app/record_window_widget.h"
#include "catalog/module_catalog.h"
#include "frame/list_page.h"
#include "frame/record_window.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace cr::app {
namespace {

class RecordWindowWidgetTest : public test::DbTest {
protected:
    void SetUp() override
    {
        test::DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_regionalmanage (commno, regionalname, issave) "
                                                "VALUES ('110105001001', '第一责任区', '1')")));
        ASSERT_TRUE(db().commit());
        catalog::registerViews(catalog);
        catalog::registerWindows(registry);
        const WindowInfo* info = registry.find(QStringLiteral("w_m_ge_regionalmanage"));
        ASSERT_NE(info, nullptr);
        context = AppContext{&db(), &ui, &catalog, &registry, &message};
        list = std::make_unique<ListPageWidget>(context, *info);
        ASSERT_EQ(list->retrieve(), 1);
    }

    RecordWindowWidget* open(RecordMode mode)
    {
        auto* w = qobject_cast<RecordWindowWidget*>(list->openRecord(mode));
        if (!w) return nullptr;
        QApplication::setActiveWindow(w);
        QApplication::processEvents();
        return w;
    }

    // Typing as the input method delivers Chinese text, into the field
    // that has the cursor.
    static void type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        field->insert(text);
        emit field->textEdited(field->text());
    }

    int areasNamed(const QString& name)
    {
        return db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_regionalmanage WHERE regionalname = :n"),
                                {{"n", name}})
            .toInt();
    }

    ViewCatalog catalog;
    WindowRegistry registry;
    test::ScriptedUi ui;
    MessageObject message;
    AppContext context;
    std::unique_ptr<ListPageWidget> list;
};

TEST_P(RecordWindowWidgetTest, AddSaveAndCloseWithTheKeyboard)
{
    QPointer<RecordWindowWidget> w = open(RecordMode::Add);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("责任区（添加）"));
    // The inherited buttons with their pictures, tooltips and keys.
    ASSERT_NE(w->action(QStringLiteral("cb_save")), nullptr);
    EXPECT_EQ(w->action(QStringLiteral("cb_save"))->toolTip(), QStringLiteral("保存数据(Ctrl+S)"));
    EXPECT_EQ(w->action(QStringLiteral("cb_save"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_FALSE(w->action(QStringLiteral("cb_save"))->icon().isNull());
    EXPECT_FALSE(w->action(QStringLiteral("cb_tempsave"))->isEnabled());   // areas are saved with checks only

    // The cursor starts in the first field.
    auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(w->form().field(QStringLiteral("regionalname"))->isAncestorOf(name));
    type(name, QStringLiteral("第五责任区"));
    QTest::keyClick(name, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(areasNamed(QStringLiteral("第五责任区")), 1);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("责任区（修改）"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().first().text.toStdString();
    EXPECT_TRUE(ui.errors().isEmpty());
    // The list shows the new area, current.
    EXPECT_EQ(list->listPage().rowCount(), 2);
    EXPECT_EQ(list->listPage().dw_1().getItemString(list->listPage().currentRow(), QStringLiteral("regionalname")),
              QStringLiteral("第五责任区"));
}

TEST_P(RecordWindowWidgetTest, ClosingWithUnsavedEditsAsksFirst)
{
    QPointer<RecordWindowWidget> w = open(RecordMode::Modify);
    ASSERT_TRUE(w);
    auto* name = qobject_cast<QLineEdit*>(w->form().field(QStringLiteral("regionalname"))->focusTarget());
    name->setFocus();
    type(name, QStringLiteral("第一责任区（东）"));

    ui.answerCancel();   // stay
    QTest::keyClick(name, Qt::Key_Escape);
    QApplication::processEvents();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages().first().text, QStringLiteral("数据已修改，是否保存？"));

    ui.answerNo();       // let the edits go
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(!w || !w->isVisible());
    EXPECT_EQ(areasNamed(QStringLiteral("第一责任区")), 1);
    EXPECT_TRUE(ui.errors().isEmpty());
}

TEST_P(RecordWindowWidgetTest, ARequiredFieldLeftEmptyGetsTheCursor)
{
    QPointer<RecordWindowWidget> w = open(RecordMode::Add);
    ASSERT_TRUE(w);
    auto* note = w->form().field(QStringLiteral("note"))->focusTarget();
    note->setFocus();
    w->action(QStringLiteral("cb_save"))->trigger();
    QApplication::processEvents();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages().first().text, QStringLiteral("“区域名称”不能为空，请输入！"));
    EXPECT_TRUE(w->form().field(QStringLiteral("regionalname"))->isAncestorOf(QApplication::focusWidget()));
    w->close();
}

INSTANTIATE_ENGINES(RecordWindowWidgetTest);

} // namespace
} // namespace cr::app
