#include "app/about_box.h"
#include "app/application_setup.h"
#include "app/first_start_dialog.h"
#include "app/main_window.h"
#include "app/scope_dialog.h"
#include "app/screenshot.h"
#include "app/start_database.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QSettings>

namespace {

// --dialog NAME --screenshot OUT.png: the first start's question, the About box, the floor
// selection (of the building --record names) or the scope dialog (of the team --record names), drawn.
int screenshotOfDialog(const QString& name, cr::app::MainWindow* window, const QString& output,
                       const QString& record = QString())
{
    std::unique_ptr<QWidget> dialog;
    if (name == QLatin1String("first-start")) dialog = std::make_unique<cr::app::FirstStartDialog>();
    else if (name == QLatin1String("new-registry")) {
        auto first = std::make_unique<cr::app::FirstStartDialog>();
        first->showNewRegistryPage();
        dialog = std::move(first);
    } else if (name == QLatin1String("about") && window) {
        dialog.reset(cr::app::makeAboutBox(nullptr, window->sqlca()));
    } else if (name == QLatin1String("floor-selection") && window) {
        return cr::app::takeFloorDialogScreenshot(*window, record.toLongLong(), output);
    } else if (name == QLatin1String("scope") && window) {
        dialog = std::make_unique<cr::app::ScopeDialog>(
            nullptr, window->context(), cr::app::ScopeDialog::requestForTeam(window->context(), record));
    }
    if (!dialog) {
        fprintf(stderr, "%s\n",
                qPrintable(QStringLiteral("未知的对话框：%1（first-start、new-registry、about、floor-selection、scope、delete-question）").arg(name)));
        return 2;
    }
    return cr::app::takeWidgetScreenshot(*dialog, output);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    cr::app::setUpApplication(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("社区居委会信息登记"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("数据库文件或 postgresql://用户@服务器:端口/数据库"),
                                      QStringLiteral("DB"));
    const QCommandLineOption openOption(QStringLiteral("open"), QStringLiteral("打开的窗口（导航中的名称或窗口名）"),
                                        QStringLiteral("WINDOW"));
    const QCommandLineOption recordOption(QStringLiteral("record"), QStringLiteral("在登记窗口中打开这条记录（关键字）"),
                                          QStringLiteral("KEY"));
    const QCommandLineOption addOption(QStringLiteral("add"), QStringLiteral("在登记窗口中新增一条记录"));
    const QCommandLineOption shotOption(QStringLiteral("screenshot"), QStringLiteral("把窗口画到 PNG 文件（文件名以 .bmp 结尾时为 BMP）后退出"),
                                        QStringLiteral("OUT.png"));
    const QCommandLineOption dialogOption(QStringLiteral("dialog"),
                                    QStringLiteral("与 --screenshot 一起：画出对话框（first-start、new-registry、about、"
                                                   "floor-selection 与 --record 楼院编号、scope 与 --record 居民小组编号、"
                                                   "delete-question 与 --open、--record：删除前的询问，答“否”）"),
                                    QStringLiteral("NAME"));
    const QCommandLineOption searchOption(QStringLiteral("search"), QStringLiteral("与 --open 一起：在列表的查找框中输入"),
                                          QStringLiteral("TEXT"));
    parser.addOptions({dbOption, openOption, recordOption, addOption, shotOption, dialogOption, searchOption});
    parser.process(app);

    const bool screenshot = parser.isSet(shotOption);
    const QString dialogName = parser.value(dialogOption);
    if (screenshot && (dialogName == QLatin1String("first-start") || dialogName == QLatin1String("new-registry")))
        return screenshotOfDialog(dialogName, nullptr, parser.value(shotOption));   // no database needed

    QSettings settings;
    auto sqlca = cr::app::openAtStart(parser.value(dbOption), !screenshot, settings);
    if (!sqlca) return 1;

    cr::app::MainWindow window(std::move(sqlca));
    const bool deleteQuestion = dialogName == QLatin1String("delete-question");
    if (screenshot && !dialogName.isEmpty() && !deleteQuestion)
        return screenshotOfDialog(dialogName, &window, parser.value(shotOption), parser.value(recordOption));
    if (screenshot) {
        cr::app::ScreenshotRequest request;
        request.window = parser.value(openOption);
        request.record = parser.value(recordOption);
        request.add = parser.isSet(addOption);
        request.deleteQuestion = deleteQuestion;
        request.search = parser.value(searchOption);
        request.output = parser.value(shotOption);
        return cr::app::takeScreenshot(window, request);
    }
    window.show();
    if (parser.isSet(openOption) && !window.openPage(parser.value(openOption)))
        QMessageBox::information(&window, QStringLiteral("提示"),
                                 QStringLiteral("没有名为“%1”的窗口。").arg(parser.value(openOption)));
    return app.exec();
}
