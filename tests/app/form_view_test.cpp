// The rendered register form: fields from the definition, required
// marking, keyboard order, run-time properties, and how a field's value is
// handed to the data view's item-changed handling.

#include "app/field_editor.h"
#include "app/form_view.h"
#include "frame/colors.h"
#include "frame/dataview.h"
#include "frame/view_catalog.h"
#include "support/scripted_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

DataViewDef formDefinition()
{
    const QString required = colors::text(colors::required);
    DataViewDef d;
    d.name = QStringLiteral("d_test_building_f");
    d.columns = {
        ColumnDef{.name = "buildingno", .kind = ColumnKind::Integer, .inForm = false},
        ColumnDef{.name = "address", .label = "楼院地址:", .readOnly = true},
        ColumnDef{.name = "buildingname", .label = "楼院俗称:", .tabOrder = 20, .tag = "1", .background = required},
        ColumnDef{.name = "upfloornum", .kind = ColumnKind::Integer, .label = "地上层数:", .tabOrder = 10},
        ColumnDef{.name = "roomtype", .label = "房屋类型:", .edit = EditStyle::CodeList,
                  .values = {{"楼房", "01"}, {"平房", "02"}}, .tabOrder = 30},
        ColumnDef{.name = "unitname1", .label = "楼门（单元）名称:", .tabOrder = 40},
        ColumnDef{.name = "istoilet", .label = "是否有公厕:", .edit = EditStyle::RadioButtons,
                  .values = {{"是", "1"}, {"否", "0"}}, .tabOrder = 50},
        ColumnDef{.name = "note", .label = "备注:", .edit = EditStyle::MultiLine, .tabOrder = 60, .group = "其他"},
    };
    return d;
}

// A list the window fills itself (no query), as door lists are.
DataViewDef unitList()
{
    DataViewDef d;
    d.name = QStringLiteral("dddw_test_unit");
    d.columns = {ColumnDef{.name = "unitno", .kind = ColumnKind::Integer}, ColumnDef{.name = "unitname1"}};
    return d;
}

class FormViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        catalog.add(unitList());
        view = std::make_unique<DataView>(formDefinition());
        view->setCatalog(&catalog);
        const int row = view->insertRow(0);
        view->setItem(row, QStringLiteral("address"), QStringLiteral("太阳宫路2号"));
        view->setItem(row, QStringLiteral("buildingname"), QStringLiteral("星河苑1号楼"));
        view->setItem(row, QStringLiteral("upfloornum"), 6);
        view->setRow(row);
        form = std::make_unique<FormView>(*view, ui);
    }

    QLineEdit* line(const QString& column) const
    {
        return qobject_cast<QLineEdit*>(form->field(column)->focusTarget());
    }

    // Shows the form as the active window so that focus moves as for a user.
    void showActive()
    {
        form->show();
        QApplication::setActiveWindow(form.get());
        QApplication::processEvents();
    }

    ViewCatalog catalog;
    test::ScriptedUi ui;
    std::unique_ptr<DataView> view;
    std::unique_ptr<FormView> form;
};

TEST_F(FormViewTest, RendersTheFormColumnsInTheirKeyboardOrder)
{
    // A field nobody tabs into keeps its place after the one it follows.
    EXPECT_EQ(form->columns(), QStringList({"address", "upfloornum", "buildingname", "roomtype", "unitname1",
                                            "istoilet", "note"}));
    EXPECT_EQ(form->tabChain(), QStringList({"upfloornum", "buildingname", "roomtype", "unitname1", "istoilet", "note"}));
    EXPECT_FALSE(form->field(QStringLiteral("address"))->isEditable());
    EXPECT_EQ(form->field(QStringLiteral("roomtype"))->style(), FieldEditor::Style::CodeList);
    EXPECT_EQ(form->field(QStringLiteral("istoilet"))->style(), FieldEditor::Style::Radio);
    EXPECT_EQ(form->field(QStringLiteral("upfloornum"))->style(), FieldEditor::Style::Number);
    EXPECT_EQ(line(QStringLiteral("address"))->text(), QStringLiteral("太阳宫路2号"));

    QGroupBox* group = nullptr;
    for (QGroupBox* box : form->findChildren<QGroupBox*>())
        if (box->title() == QStringLiteral("其他")) group = box;
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->isAncestorOf(form->field(QStringLiteral("note"))));
}

TEST_F(FormViewTest, RequiredMarkingTabOrderAndColourFollowTheRunTimeProperties)
{
    EXPECT_TRUE(form->isRequiredMarked(QStringLiteral("buildingname")));
    EXPECT_TRUE(form->label(QStringLiteral("buildingname"))->text().contains(QLatin1Char('*')));
    EXPECT_FALSE(form->label(QStringLiteral("upfloornum"))->text().contains(QLatin1Char('*')));

    view->modify(QStringLiteral("upfloornum.Tag='1' buildingname.Tag=''"));
    view->setTabOrder(QStringLiteral("buildingname"), 0);
    view->modify(QStringLiteral("buildingname.Background.Color='14474460'"));

    EXPECT_TRUE(form->label(QStringLiteral("upfloornum"))->text().contains(QLatin1Char('*')));
    EXPECT_FALSE(form->label(QStringLiteral("buildingname"))->text().contains(QLatin1Char('*')));
    EXPECT_FALSE(form->tabChain().contains(QStringLiteral("buildingname")));
    QLineEdit* locked = line(QStringLiteral("buildingname"));
    EXPECT_TRUE(locked->isReadOnly());
    EXPECT_EQ(locked->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(locked->palette().color(QPalette::Base), QColor(220, 220, 220));

    // Back to reachable: tab order 15 puts it between floors and kind.
    view->setTabOrder(QStringLiteral("buildingname"), 15);
    view->modify(QStringLiteral("buildingname.Tag='1'"));
    EXPECT_EQ(form->tabChain().mid(0, 3), QStringList({"upfloornum", "buildingname", "roomtype"}));
    EXPECT_FALSE(line(QStringLiteral("buildingname"))->isReadOnly());
}

TEST_F(FormViewTest, APlainFieldBecomesADropDownWhoseEntriesFollowTheList)
{
    view->modify(QStringLiteral("unitname1.dddw.displaycolumn='unitname1' unitname1.dddw.datacolumn='unitname1' "
                                "unitname1.dddw.name='dddw_test_unit' unitname1.dddw.allowedit=no"));
    FieldEditor* field = form->field(QStringLiteral("unitname1"));
    ASSERT_EQ(field->style(), FieldEditor::Style::DropDown);
    DataView* list = view->getChild(QStringLiteral("unitname1"));
    ASSERT_NE(list, nullptr);
    list->reset();
    for (int door = 1; door <= 3; ++door) {
        const int row = list->insertRow(0);
        list->setItem(row, QStringLiteral("unitno"), door);
        list->setItem(row, QStringLiteral("unitname1"), QStringLiteral("%1单元").arg(door));
    }
    QApplication::processEvents();   // the list is read once the window has filled it
    auto* combo = qobject_cast<QComboBox*>(field->focusTarget());
    ASSERT_NE(combo, nullptr);
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
    EXPECT_EQ(entries, QStringList({"", "1单元", "2单元", "3单元"}));
    EXPECT_FALSE(combo->isEditable());

    view->modify(QStringLiteral("unitname1.dddw.allowedit=Yes"));
    EXPECT_TRUE(qobject_cast<QComboBox*>(field->focusTarget())->isEditable());

    // Naming no list turns the field back into a plain one.
    view->modify(QStringLiteral("unitname1.dddw.name=''"));
    EXPECT_NE(field->style(), FieldEditor::Style::DropDown);
}

TEST_F(FormViewTest, ValuesSetByHandlersShowAtOnce)
{
    view->setItem(1, QStringLiteral("roomtype"), QStringLiteral("02"));
    view->setItem(1, QStringLiteral("istoilet"), QStringLiteral("1"));
    view->setItem(1, QStringLiteral("buildingname"), QStringLiteral("安华路2号平房院"));
    EXPECT_EQ(qobject_cast<QComboBox*>(form->field(QStringLiteral("roomtype"))->focusTarget())->currentText(),
              QStringLiteral("平房"));
    EXPECT_EQ(form->field(QStringLiteral("istoilet"))->editText(), QStringLiteral("1"));
    EXPECT_EQ(line(QStringLiteral("buildingname"))->text(), QStringLiteral("安华路2号平房院"));
}

// What the user typed into the floors field and where the focus ends up,
// by the item-changed answer.
struct Answer {
    const char* name;
    int code;
    bool handlerSetsTwo;     // the handler writes a safe value itself
    const char* shown;       // the field afterwards
    bool focusStays;
    QVariant stored;
};

class ItemChangedFocusTest : public FormViewTest, public ::testing::WithParamInterface<Answer> {};

TEST_P(ItemChangedFocusTest, TheAnswerDecidesValueAndFocus)
{
    const Answer a = GetParam();
    QStringList calls;
    view->events().itemChanged = [&](int row, const QString& column, const QString& data) {
        calls << QStringLiteral("%1:%2=%3").arg(row).arg(column, data);
        if (a.handlerSetsTwo) view->setItem(row, column, 2);
        return a.code;
    };
    showActive();
    QLineEdit* floors = line(QStringLiteral("upfloornum"));
    floors->setFocus();
    ASSERT_TRUE(floors->hasFocus());
    floors->selectAll();
    QTest::keyClicks(floors, QStringLiteral("9"));
    QTest::keyClick(floors, Qt::Key_Tab);   // leave the field the way a user does
    QApplication::processEvents();

    EXPECT_EQ(calls, QStringList({"1:upfloornum=9"}));
    EXPECT_EQ(floors->hasFocus(), a.focusStays);
    if (!a.focusStays) EXPECT_TRUE(line(QStringLiteral("buildingname"))->hasFocus());
    EXPECT_EQ(view->getItem(1, QStringLiteral("upfloornum")).toLongLong(), a.stored.toLongLong());
    EXPECT_EQ(floors->text(), QLatin1String(a.shown));
    EXPECT_TRUE(ui.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ItemChangedFocusTest,
    ::testing::Values(Answer{"Accepted", 0, false, "9", false, 9},
                      Answer{"RefusedFocusStays", 1, false, "6", true, 6},
                      Answer{"RefusedFocusMoves", 2, false, "6", false, 6},
                      Answer{"RefusedWithSafeValue", 1, true, "2", true, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormViewTest, ATextThatIsNoNumberIsRefusedWithAMessageAndTheFocusStays)
{
    int calls = 0;
    view->events().itemChanged = [&](int, const QString&, const QString&) { return ++calls, 0; };
    showActive();
    QLineEdit* floors = line(QStringLiteral("upfloornum"));
    floors->setFocus();
    floors->selectAll();
    QTest::keyClicks(floors, QStringLiteral("6F"));
    QTest::keyClick(floors, Qt::Key_Tab);
    QApplication::processEvents();

    EXPECT_EQ(calls, 0);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages().first().title, QStringLiteral("提示"));
    EXPECT_EQ(ui.messages().first().text, QStringLiteral("“地上层数”的值不正确，请重新输入！"));
    EXPECT_TRUE(floors->hasFocus());
    EXPECT_EQ(view->getItem(1, QStringLiteral("upfloornum")).toLongLong(), 6);
}

TEST_F(FormViewTest, TypingIsPendingUntilTheFieldIsLeft)
{
    int calls = 0;
    view->events().itemChanged = [&](int, const QString&, const QString&) { return ++calls, 0; };
    showActive();
    QLineEdit* name = line(QStringLiteral("buildingname"));
    name->setFocus();
    name->selectAll();
    // Typed text as the input method delivers it.
    name->insert(QStringLiteral("世纪苑"));
    emit name->textEdited(name->text());
    EXPECT_EQ(calls, 0);
    // A save pressed while still in the field takes the typed text first.
    EXPECT_EQ(view->acceptText(), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(view->getItem(1, QStringLiteral("buildingname")).toString(), QStringLiteral("世纪苑"));
}

TEST_F(FormViewTest, ChoosingAnEntryOrARadioButtonFinishesTheField)
{
    QStringList calls;
    view->events().itemChanged = [&](int, const QString& column, const QString& data) {
        calls << column + QLatin1Char('=') + data;
        return 0;
    };
    showActive();
    auto* kind = qobject_cast<QComboBox*>(form->field(QStringLiteral("roomtype"))->focusTarget());
    kind->setFocus();
    kind->setCurrentIndex(kind->findText(QStringLiteral("平房")));
    emit kind->activated(kind->currentIndex());
    auto* yes = qobject_cast<QAbstractButton*>(form->field(QStringLiteral("istoilet"))->focusTarget());
    QTest::mouseClick(yes, Qt::LeftButton);
    EXPECT_EQ(calls, QStringList({"roomtype=02", "istoilet=1"}));
    EXPECT_EQ(view->getItem(1, QStringLiteral("roomtype")).toString(), QStringLiteral("02"));
    EXPECT_EQ(view->getItem(1, QStringLiteral("istoilet")).toString(), QStringLiteral("1"));
}

} // namespace
} // namespace cr::app
