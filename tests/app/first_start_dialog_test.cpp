// The first start's question as a hurried clerk answers it.
#include "app/first_start_dialog.h"

#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

QPushButton* button(QWidget& dialog, const QString& textStart)
{
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text().startsWith(textStart)) return b;
    return nullptr;
}

TEST(FirstStartDialogTest, TheOfficesOwnRegistryWantsANumberAndAName)
{
    struct Case {
        const char* name;
        QString commNo;   // typed
        QString communityName;
        bool accepted;
        QString expectedCommNo;
    };
    const Case cases[] = {
        {"nothing typed", {}, {}, false, {}},
        {"a number without a name", QStringLiteral("110105001001"), {}, false, {}},
        {"a name without a number", {}, QStringLiteral("和平里社区"), false, {}},
        {"blanks and punctuation are not typed into the number", QStringLiteral(" 1101-05 001"),
         QStringLiteral("和平里社区"), true, QStringLiteral("110105001")},
        {"both", QStringLiteral("110105001001"), QStringLiteral("  和平里社区 "), true, QStringLiteral("110105001001")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FirstStartDialog dialog;
        dialog.show();
        QPushButton* own = button(dialog, QStringLiteral("新建本社区的登记库"));
        ASSERT_TRUE(own);
        own->click();
        auto edits = dialog.findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 2);
        QTest::keyClicks(edits[0], c.commNo);   // the number, as typed key by key
        edits[1]->setText(c.communityName);
        button(dialog, QStringLiteral("建立登记库"))->click();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
        if (!c.accepted) {
            bool explained = false;
            for (QLabel* l : dialog.findChildren<QLabel*>()) explained = explained || (l->isVisible() && l->text().startsWith(QStringLiteral("请填写")));
            EXPECT_TRUE(explained);
            continue;
        }
        EXPECT_EQ(dialog.choice(), FirstStartDialog::Choice::NewRegistry);
        EXPECT_EQ(dialog.commNo(), c.expectedCommNo);
        EXPECT_EQ(dialog.communityName(), QStringLiteral("和平里社区"));
    }
}

TEST(FirstStartDialogTest, TheDemoAndTheServerAreOneClickAway)
{
    struct Case {
        const char* button;
        FirstStartDialog::Choice choice;
    };
    for (const Case& c : {Case{"使用演示数据", FirstStartDialog::Choice::Demo},
                          Case{"连接单位的数据库服务器", FirstStartDialog::Choice::Connect}}) {
        SCOPED_TRACE(c.button);
        FirstStartDialog dialog;
        button(dialog, QString::fromUtf8(c.button))->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.choice(), c.choice);
    }
}

} // namespace
} // namespace cr::app
