#include "app/database_setup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("community-registry"));
    QApplication::setApplicationDisplayName(QStringLiteral("社区居委会信息登记"));

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("数据库文件或 postgresql:// 地址"),
                                QStringLiteral("DB"));
    parser.addOption(dbOption);
    parser.process(app);

    QString error;
    auto sqlca = cr::app::openOrCreate(parser.value(dbOption), &error);
    if (!sqlca) {
        QMessageBox::critical(nullptr, QStringLiteral("错误"), error);
        return 1;
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("社区居委会信息登记"));
    window.setCentralWidget(new QLabel(QStringLiteral("数据库：%1").arg(sqlca->target().display())));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
