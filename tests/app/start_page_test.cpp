// The start page: shown while no page is open, with the community, the
// registry's figures and the entries clerks use most.

#include "app/main_window.h"
#include "app/start_page.h"
#include "frame/sqlca.h"
#include "frame/window_registry.h"
#include "schema/registry_settings.h"
#include "support/test_db.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

TEST(StartPageTest, ShowsTheCommunityItsFiguresAndOpensTheCommonEntries)
{
    QString reason;
    auto fresh = test::openFreshDatabase(Engine::Sqlite, true, &reason);
    ASSERT_TRUE(fresh) << reason.toStdString();
    Sqlca& db = *fresh->sqlca;
    db.setCommNo(QStringLiteral("110105001001"));
    ASSERT_TRUE(schema::setCommunity(db, QStringLiteral("110105001001"), QStringLiteral("和平里社区")));
    ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO tc_ge_building (commno, address, buildingname, roomtype, "
                                          "upfloornum, unitnum, prepare3, floorhouesnum, issave) VALUES "
                                          "('110105001001', '和平里1号', '一号楼', '01', 6, 2, '单元', 2, '1')")));
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, floorno, "
                                              "housenumber, issave) VALUES ('110105001001', 1, 1, 1, :n, '1')"),
                               {{QStringLiteral("n"), QStringLiteral("10%1室").arg(i)}}));
    ASSERT_TRUE(db.commit());

    MainWindow window(std::move(fresh->sqlca));
    window.show();
    StartPage* start = window.startPage();
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(start->isVisible()) << "the first thing the right side shows";
    EXPECT_FALSE(window.tabs()->isVisible());

    QStringList texts;
    for (QLabel* l : start->findChildren<QLabel*>()) texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("和平里社区")));
    EXPECT_TRUE(texts.contains(QStringLiteral("社区编号：110105001001")));
    struct Figure {
        const char* label;
        const char* count;
    };
    for (const Figure& f : {Figure{"责任区", "0"}, Figure{"楼院", "1"}, Figure{"房屋", "3"}, Figure{"户籍", "0"},
                            Figure{"人员", "0"}, Figure{"居民小组", "0"}, Figure{"出租房屋", "0"}})
        EXPECT_EQ(start->countText(QString::fromUtf8(f.label)), QString::fromUtf8(f.count)) << f.label;

    // Every common entry the program has is a button that opens its page.
    QPushButton* houses = nullptr;
    QStringList buttons;
    for (QPushButton* b : start->findChildren<QPushButton*>()) {
        buttons << b->text();
        if (b->text() == QStringLiteral("房屋")) houses = b;
    }
    QStringList offered;
    for (const QString& label : StartPage::commonEntries()) {
        const WindowInfo* info = window.context().registry->findEntry(label);
        if (info && info->factory) offered << label;
    }
    EXPECT_EQ(buttons, offered);
    EXPECT_GE(buttons.size(), 5);
    ASSERT_NE(houses, nullptr);
    houses->click();
    EXPECT_EQ(window.tabs()->count(), 1);
    EXPECT_EQ(window.tabs()->tabText(0), QStringLiteral("房屋"));
    EXPECT_TRUE(window.tabs()->isVisible());
    EXPECT_FALSE(start->isVisible());

    // Closing the last page brings it back, with the figures read again.
    ASSERT_TRUE(window.sqlca().execute(QStringLiteral("DELETE FROM tc_ge_houseinfo WHERE housenumber = '103室'")));
    ASSERT_TRUE(window.sqlca().commit());
    emit window.tabs()->tabCloseRequested(0);
    QApplication::processEvents();
    EXPECT_EQ(window.tabs()->count(), 0);
    EXPECT_TRUE(start->isVisible());
    EXPECT_EQ(start->countText(QStringLiteral("房屋")), QStringLiteral("2"));
}

} // namespace
} // namespace cr::app
