#include "app/application_setup.h"

#include "app/pictures.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cr_version.h>

namespace cr::app {

bool installQtChinese(QCoreApplication& app)
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto* translator = new QTranslator(&app);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void setUpApplication(QApplication& app)
{
    QApplication::setOrganizationName(QStringLiteral("community-registry"));
    QApplication::setApplicationName(QStringLiteral("community-registry"));
    QApplication::setApplicationDisplayName(QStringLiteral("社区居委会信息登记"));
    QApplication::setApplicationVersion(QStringLiteral(CR_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("community-registry"));   // the menu entry's icon
    QApplication::setWindowIcon(appIcon());
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC"), font.family()});
    QApplication::setFont(font);
    installQtChinese(app);   // without it Qt's dialogs fall back to English, nothing worse
}

} // namespace cr::app
