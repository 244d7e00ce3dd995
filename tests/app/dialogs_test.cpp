// The person-selection dialog and the help pages.

#include "app/help_dialog.h"
#include "catalog/module_catalog.h"
#include "frame/window_registry.h"
#include "app/person_dialog.h"

#include <QFile>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

QList<PersonCandidate> persons()
{
    return {{"110105001", "王芳", "女", "110105195203041226", "1952-03-04", "太阳宫路2号1单元101室", "13512345678"},
            {"110105002", "王建国", "男", "110105198011110034", "1980-11-11", "太阳宫路5号2单元302室", "13600001111"}};
}

TEST(PersonDialogTest, SearchesWithTheTypedTextAndOffersTheCandidates)
{
    QStringList searched;
    PersonDialog dialog(nullptr, QStringLiteral("选择人员"), QStringLiteral("王"), [&](const QString& text) {
        searched << text;
        return text == QStringLiteral("王") ? persons() : QList<PersonCandidate>{};
    });
    EXPECT_EQ(searched, QStringList({"王"}));
    ASSERT_EQ(dialog.candidateCount(), 2);
    auto* table = dialog.findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    // Name, sex, birth date, ID number, phone, address: enough to tell two
    // persons of one name apart.
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("王建国"));
    EXPECT_EQ(table->item(1, 1)->text(), QStringLiteral("男"));
    EXPECT_EQ(table->item(1, 2)->text(), QStringLiteral("1980-11-11"));
    EXPECT_EQ(table->item(1, 5)->text(), QStringLiteral("太阳宫路5号2单元302室"));
    EXPECT_EQ(dialog.chosen(), QStringLiteral("110105001"));   // the first is preselected
    table->selectRow(1);
    EXPECT_EQ(dialog.chosen(), QStringLiteral("110105002"));
}

TEST(PersonDialogTest, NothingFoundChoosesNobody)
{
    PersonDialog dialog(nullptr, QString(), QStringLiteral("赵"), [](const QString&) { return QList<PersonCandidate>{}; });
    EXPECT_EQ(dialog.candidateCount(), 0);
    EXPECT_FALSE(dialog.chosen().has_value());
}

TEST(HelpTest, EveryWindowHasItsOwnPage)
{
    WindowRegistry windows;
    catalog::registerWindows(windows);
    QStringList topics{QStringLiteral("房屋信息批量维护"), QStringLiteral("居民小组所辖范围定义")};
    for (const QString& name : windows.names()) {
        topics << name;
        if (!windows.find(name)->helpTopic.isEmpty()) topics << windows.find(name)->helpTopic;
    }
    for (const QString& topic : topics) {
        const QString page = HelpDialog::pageFor(windows, topic);
        EXPECT_NE(page, QStringLiteral("qrc:/help/index.html")) << topic.toStdString();
        EXPECT_TRUE(QFile::exists(page.mid(3))) << page.toStdString();
    }
    EXPECT_EQ(HelpDialog::pageFor(windows, QStringLiteral("房屋信息批量维护")),
              HelpDialog::pageFor(windows, QStringLiteral("w_housemanage")));
    EXPECT_EQ(HelpDialog::pageFor(windows, QStringLiteral("没有这个主题")), QStringLiteral("qrc:/help/index.html"));
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/index.html")));

    HelpDialog dialog(nullptr, windows, QStringLiteral("房屋信息批量维护"));
    EXPECT_TRUE(dialog.currentSource().endsWith(QLatin1String("housemanage.html")));
}

} // namespace
} // namespace cr::app
