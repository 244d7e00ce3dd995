// Qt's own dialogs speak Chinese once the application is set up.
#include "app/application_setup.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

TEST(ApplicationSetupTest, QtsOwnButtonsSayQueDingAndQuXiao)
{
    const QLocale before;
    ASSERT_TRUE(installQtChinese(*QCoreApplication::instance()))
        << "Qt's Chinese translation is missing (Debian package qt6-translations-l10n)";
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_TRUE(box.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("是")));
    EXPECT_TRUE(box.button(QDialogButtonBox::No)->text().startsWith(QStringLiteral("否")));
    EXPECT_EQ(QLocale().language(), QLocale::Chinese);

    // The other tests run as they would without it.
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QLocale::setDefault(before);
}

} // namespace
} // namespace cr::app
