// The keys of a page with a master list and detail lists beneath it: each
// acts on the pane that holds the focus, and none takes an Alt+letter from
// the menu bar.

#include "app/list_page_widget.h"
#include "app/main_window.h"
#include "frame/list_page.h"
#include "frame/sqlca.h"
#include "support/test_db.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

// "文件(&F)" -> 'F'; nothing without a mnemonic.
QChar mnemonic(const QString& text)
{
    const int at = int(text.indexOf(QLatin1Char('&')));
    return at >= 0 && at + 1 < text.size() && text[at + 1] != QLatin1Char('&') ? text[at + 1].toUpper() : QChar();
}

class PageKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString reason;
        auto fresh = test::openFreshDatabase(Engine::Sqlite, true, &reason);
        ASSERT_TRUE(fresh) << reason.toStdString();
        Sqlca& db = *fresh->sqlca;
        db.setCommNo(QStringLiteral("110105001001"));
        ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO tc_ge_regionalmanage (commno, regionalname, issave) "
                                              "VALUES ('110105001001', '一区', '1')")));
        ASSERT_TRUE(db.execute(QStringLiteral(
            "INSERT INTO tc_ge_building (commno, regionalno, address, buildingname, roomtype, upfloornum, unitnum, "
            "prepare3, floorhouesnum, issave) VALUES ('110105001001', 1, '和平里1号', '一号楼', '01', 6, 2, '单元', 2, '1')")));
        ASSERT_TRUE(db.commit());
        window = std::make_unique<MainWindow>(std::move(fresh->sqlca));
        page = window->openPage(QStringLiteral("责任区"));
        ASSERT_NE(page, nullptr);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        for (ListPageWidget* l : page->findChildren<ListPageWidget*>()) {
            if (l->info().name == QLatin1String("w_m_ge_regionalmanage")) areas = l;
            if (l->info().name == QLatin1String("w_m_ge_building")) buildings = l;
        }
        ASSERT_TRUE(areas && buildings);
    }

    void TearDown() override
    {
        for (ListPageWidget* l : {areas, buildings})
            if (l && l->openWindowWidget()) l->openWindowWidget()->close();
    }

    void press(QWidget* where, const QKeySequence& key)
    {
        if (!window->isActiveWindow()) window->activateWindow();
        where->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), where)
            << "active " << (QApplication::activeWindow() == window.get()) << " visible " << where->isVisible();
        QTest::keySequence(where, key);
        QApplication::processEvents();
    }

    std::unique_ptr<MainWindow> window;
    QWidget* page = nullptr;
    ListPageWidget* areas = nullptr;
    ListPageWidget* buildings = nullptr;
};

TEST_F(PageKeysTest, TheFindKeyGoesToTheSearchBoxOfThePaneWithTheFocus)
{
    struct Case {
        const char* name;
        ListPageWidget* pane;
    };
    for (const Case& c : {Case{"the detail list", buildings}, Case{"the master list", areas}}) {
        SCOPED_TRACE(c.name);
        press(c.pane->table(), QKeySequence(QStringLiteral("Ctrl+F")));
        EXPECT_EQ(QApplication::focusWidget(), c.pane->searchBox());
    }
}

TEST_F(PageKeysTest, NewAndOpenActOnlyOnThePaneWithTheFocus)
{
    struct Case {
        const char* name;
        ListPageWidget* pane;
        ListPageWidget* other;
        const char* key;
    };
    const Case cases[] = {
        {"Ctrl+N under the area adds a building", buildings, areas, "Ctrl+N"},
        {"Ctrl+N in the areas adds an area", areas, buildings, "Ctrl+N"},
        {"F2 in the buildings opens the building", buildings, areas, "F2"},
        {"F2 in the areas opens the area", areas, buildings, "F2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        press(c.pane->table(), QKeySequence(QString::fromLatin1(c.key)));
        ASSERT_NE(c.pane->openWindowWidget(), nullptr);
        EXPECT_EQ(c.other->openWindowWidget(), nullptr);
        c.pane->openWindowWidget()->close();
        QApplication::processEvents();
    }
}

// Alt+F is the 文件 menu and nothing else: no label or button of a page
// claims a letter of the menu bar (or any Alt+letter at all).
TEST_F(PageKeysTest, NoPageWidgetTakesAnAltLetter)
{
    QList<QChar> menuLetters;
    for (QAction* a : window->menuBar()->actions())
        if (!mnemonic(a->text()).isNull()) menuLetters << mnemonic(a->text());
    EXPECT_TRUE(menuLetters.contains(QLatin1Char('F')));
    for (const QString& label : {QStringLiteral("责任区"), QStringLiteral("楼院"), QStringLiteral("房屋")}) {
        QWidget* p = window->openPage(label);
        ASSERT_NE(p, nullptr);
        for (QAbstractButton* b : p->findChildren<QAbstractButton*>())
            EXPECT_TRUE(mnemonic(b->text()).isNull()) << label.toStdString() << ": " << b->text().toStdString();
        for (QLabel* l : p->findChildren<QLabel*>())
            EXPECT_TRUE(mnemonic(l->text()).isNull()) << label.toStdString() << ": " << l->text().toStdString();
    }
}

} // namespace
} // namespace cr::app
