#include "dataview_test_support.h"

#include <gtest/gtest.h>

namespace cr::test {
namespace {

struct EditCase {
    const char* column;
    const char* text;
    int handlerAnswer;
    int expected;            // userEdit's result
    bool handlerCalled;
    QVariant valueAfter;     // of the column
};

class UserEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(UserEdits, HandlerDecidesWhetherTheValueIsTaken)
{
    const EditCase& c = GetParam();
    auto v = storedHouses({{{"k", 1}, {"floorno", 3}, {"note", "old"}, {"born", QDate(2000, 1, 1)}}});
    int calls = 0;
    QString seenData, seenColumn;
    v->events().itemChanged = [&](int row, const QString& column, const QString& data) {
        ++calls;
        EXPECT_EQ(row, 1);
        seenColumn = column;
        seenData = data;
        return c.handlerAnswer;
    };
    QList<QString> signalled;
    QObject::connect(v.get(), &DataView::itemChangedValue, [&](int, const QString& col) { signalled << col; });
    EXPECT_EQ(v->userEdit(1, QString::fromUtf8(c.column), QString::fromUtf8(c.text)), c.expected) << c.column << "=" << c.text;
    EXPECT_EQ(calls > 0, c.handlerCalled);
    if (c.handlerCalled) {
        EXPECT_EQ(seenData, QString::fromUtf8(c.text)) << "the handler sees the typed text";
        EXPECT_EQ(seenColumn, QString::fromUtf8(c.column).toLower());
    }
    EXPECT_EQ(v->getItem(1, QString::fromUtf8(c.column)), c.valueAfter) << c.column << "=" << c.text;
    const bool taken = c.expected == 0 && c.handlerCalled;
    EXPECT_EQ(v->getItemStatus(1, QString()), taken ? RowStatus::DataModified : RowStatus::NotModified);
    EXPECT_EQ(signalled.size(), taken ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UserEdits,
    ::testing::Values(EditCase{"note", "new", 0, 0, true, QStringLiteral("new")},
                      EditCase{"note", "new", 1, 1, true, QStringLiteral("old")},
                      EditCase{"note", "new", 2, 2, true, QStringLiteral("old")},
                      EditCase{"FloorNo", "5", 0, 0, true, qlonglong(5)},
                      EditCase{"floorno", "五", 0, -1, false, qlonglong(3)},
                      EditCase{"floorno", "5.5", 0, -1, false, qlonglong(3)},
                      EditCase{"born", "2024/2/29", 0, 0, true, QDate(2024, 2, 29)},
                      EditCase{"floorno", "", 0, 0, true, QVariant()},
                      EditCase{"note", "old", 1, 0, false, QStringLiteral("old")},
                      EditCase{"rowno", "2", 0, -1, false, qlonglong(1)},
                      EditCase{"nosuch", "2", 0, -1, false, QVariant()}));

TEST(UserEdit, HandlerMayWriteTheFieldItselfWhenRejecting)
{
    auto v = storedHouses({{{"k", 1}, {"born", QDate(2000, 1, 1)}}});
    v->events().itemChanged = [&](int row, const QString& column, const QString&) {
        v->setItem(row, column, QVariant());   // "set the changed column to an empty date and return 1"
        return 1;
    };
    EXPECT_EQ(v->userEdit(1, QStringLiteral("born"), QStringLiteral("1899-12-31")), 1);
    EXPECT_FALSE(v->getItem(1, QStringLiteral("born")).isValid());
}

TEST(AcceptText, AppliesPendingTextToTheCurrentRow)
{
    auto v = storedHouses({{{"k", 1}}, {{"k", 2}}});
    v->setRow(2);
    EXPECT_EQ(v->acceptText(), 1) << "nothing pending";
    v->setPendingText(QStringLiteral("note"), QStringLiteral("typed"));
    EXPECT_TRUE(v->hasPendingText());
    EXPECT_EQ(v->acceptText(), 1);
    EXPECT_FALSE(v->hasPendingText());
    EXPECT_EQ(v->getItemString(2, QStringLiteral("note")), QStringLiteral("typed"));

    int answer = 1;
    v->events().itemChanged = [&](int, const QString&, const QString&) { return answer; };
    v->setPendingText(QStringLiteral("note"), QStringLiteral("again"));
    EXPECT_EQ(v->acceptText(), -1) << "refused, the focus stays";
    EXPECT_FALSE(v->hasPendingText()) << "the handler has dealt with the text";
    answer = 2;
    v->setPendingText(QStringLiteral("note"), QStringLiteral("again"));
    EXPECT_EQ(v->acceptText(), 1) << "refused, the focus may move";
    EXPECT_FALSE(v->hasPendingText());
    EXPECT_EQ(v->getItemString(2, QStringLiteral("note")), QStringLiteral("typed"));

    v->setPendingText(QStringLiteral("floorno"), QStringLiteral("x"));
    EXPECT_EQ(v->acceptText(), -1) << "not a number";
    EXPECT_TRUE(v->hasPendingText()) << "stays to be corrected";
    v->clearPendingText();
    EXPECT_EQ(v->acceptText(), 1);
}

// Windows call accepttext inside their itemchanged handler (after a person
// dialog has filled the row): the text being handled is not handled again.
TEST(AcceptText, InsideTheHandlerFindsNothingPending)
{
    auto v = storedHouses({{{"k", 1}}});
    int calls = 0;
    v->events().itemChanged = [&](int row, const QString&, const QString&) {
        ++calls;
        v->setItem(row, QStringLiteral("housenumber"), QStringLiteral("filled by the dialog"));
        EXPECT_EQ(v->acceptText(), 1);
        return 1;
    };
    v->setPendingText(QStringLiteral("note"), QStringLiteral("张"));
    EXPECT_EQ(v->acceptText(), -1);
    EXPECT_EQ(calls, 1);
    v->setPendingText(QStringLiteral("note"), QStringLiteral("李"));
    EXPECT_EQ(v->userEdit(1, QStringLiteral("Note"), QStringLiteral("李")), 1) << "the shell commits the field directly";
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(v->hasPendingText());
    EXPECT_EQ(v->getItemString(1, QStringLiteral("housenumber")), QStringLiteral("filled by the dialog"));
}

TEST(UserActions, RaiseTheirEvents)
{
    DataView v(houseDef());
    QStringList seen;
    v.events().buttonClicked = [&](int row, const QString& c) { seen << QStringLiteral("button %1 %2").arg(row).arg(c); };
    v.events().doubleClicked = [&](int row, const QString& c) { seen << QStringLiteral("double %1 %2").arg(row).arg(c); };
    v.events().getFocus = [&] { seen << QStringLiteral("focus"); };
    v.userButtonClicked(1, QStringLiteral("b_selecthouse"));
    v.userDoubleClicked(2, QStringLiteral("note"));
    v.userFocus();
    EXPECT_EQ(seen, QStringList({"button 1 b_selecthouse", "double 2 note", "focus"}));
    DataView quiet(houseDef());
    quiet.userButtonClicked(1, QStringLiteral("x"));   // no handler: nothing happens
}

} // namespace
} // namespace cr::test
