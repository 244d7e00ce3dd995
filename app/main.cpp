#include "app/connect_dialog.h"
#include "app/database_setup.h"
#include "app/main_window.h"
#include "app/pictures.h"
#include "app/progress_window.h"
#include "app/screenshot.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QMessageBox>
#include <cstdio>

namespace {

// The registry to work on: the one asked for, or, when it cannot be opened,
// one the user picks in the connect dialog. nullptr when the user gives up.
std::unique_ptr<cr::Sqlca> openFirstDatabase(const QString& argument, bool interactive)
{
    QString error;
    std::unique_ptr<cr::Sqlca> sqlca;
    {
        std::unique_ptr<cr::app::ProgressWindow> progress;
        if (interactive) progress = std::make_unique<cr::app::ProgressWindow>(nullptr, QStringLiteral("正在打开数据库…"));
        sqlca = cr::app::openOrCreate(argument, &error, [&progress](int percent, const QString& step) {
            if (!progress) return;
            progress->setText(QStringLiteral("正在建立示例数据库：%1").arg(step));
            progress->setValue(percent, 100);
        });
    }
    if (sqlca || !interactive) {
        if (!sqlca) fprintf(stderr, "%s\n", qPrintable(error));
        return sqlca;
    }
    QMessageBox::critical(nullptr, QStringLiteral("无法打开数据库"),
                          error + QStringLiteral("\n\n请选择或连接另一个数据库。"));
    cr::app::ConnectDialog dialog(nullptr);
    while (dialog.exec() == QDialog::Accepted) {
        sqlca = cr::app::openRegistry(dialog.target(), dialog.password(), &error);
        if (sqlca) return sqlca;
        QMessageBox::warning(nullptr, QStringLiteral("无法连接数据库"), error);
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("community-registry"));
    QApplication::setApplicationDisplayName(QStringLiteral("社区居委会信息登记"));
    QApplication::setWindowIcon(cr::app::appIcon());
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC"), font.family()});
    QApplication::setFont(font);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("社区居委会信息登记"));
    parser.addHelpOption();
    const QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("数据库文件或 postgresql://用户@服务器:端口/数据库"),
                                      QStringLiteral("DB"));
    const QCommandLineOption openOption(QStringLiteral("open"), QStringLiteral("打开的窗口（导航中的名称或窗口名）"),
                                        QStringLiteral("WINDOW"));
    const QCommandLineOption recordOption(QStringLiteral("record"), QStringLiteral("在登记窗口中打开这条记录（关键字）"),
                                          QStringLiteral("KEY"));
    const QCommandLineOption addOption(QStringLiteral("add"), QStringLiteral("在登记窗口中新增一条记录"));
    const QCommandLineOption shotOption(QStringLiteral("screenshot"), QStringLiteral("把窗口画到 PNG 文件后退出"),
                                        QStringLiteral("OUT.png"));
    parser.addOptions({dbOption, openOption, recordOption, addOption, shotOption});
    parser.process(app);

    const bool screenshot = parser.isSet(shotOption);
    auto sqlca = openFirstDatabase(parser.value(dbOption), !screenshot);
    if (!sqlca) return 1;

    cr::app::MainWindow window(std::move(sqlca));
    if (screenshot) {
        cr::app::ScreenshotRequest request;
        request.window = parser.value(openOption);
        request.record = parser.value(recordOption);
        request.add = parser.isSet(addOption);
        request.output = parser.value(shotOption);
        return cr::app::takeScreenshot(window, request);
    }
    window.show();
    if (parser.isSet(openOption) && !window.openPage(parser.value(openOption)))
        QMessageBox::information(&window, QStringLiteral("提示"),
                                 QStringLiteral("没有名为“%1”的窗口。").arg(parser.value(openOption)));
    return app.exec();
}
