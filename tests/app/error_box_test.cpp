// The shell's error box: the clerk's sentence as the text, the database's
// own words behind "详细信息".
#include "app/desktop_ui.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

TEST(ErrorBoxTest, TheEngineTextGoesToTheDetails)
{
    DesktopUi ui;
    QString text, detail;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        detail = box->detailedText();
        box->accept();
    });
    ui.errorBox(QStringLiteral("错误"), QStringLiteral("保存失败：数据正被其他人使用，请稍后再试。"),
                QStringLiteral("ERROR:  canceling statement due to lock timeout(55P03)"));
    EXPECT_EQ(text, QStringLiteral("保存失败：数据正被其他人使用，请稍后再试。"));
    EXPECT_EQ(detail, QStringLiteral("ERROR:  canceling statement due to lock timeout(55P03)"));
}

} // namespace
} // namespace cr::app
