// community-admin: the administrator's command-line companion of the registry.
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/command_line.h"

#include <QCoreApplication>
#include <cr_version.h>

using namespace cr::admin;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);   // SQL drivers are plugins: they want an application
    QCoreApplication::setApplicationVersion(QStringLiteral(CR_VERSION));
    AdminConsole console;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")
        || args.first() == QLatin1String("help")) {
        printHelp(console);
        return args.isEmpty() ? ExitUsage : ExitOk;
    }
    if (args.first() == QLatin1String("--version")) {
        console.out() << QStringLiteral("community-admin %1").arg(QStringLiteral(CR_VERSION)) << Qt::endl;
        return ExitOk;
    }
    const QString name = args.takeFirst();
    const AdminCommand* command = findCommand(name);
    if (!command) return console.usage(QStringLiteral("未知的命令：%1").arg(name), QStringLiteral("命令 DB [选项]"));
    CommandLine line;
    QString error;
    if (!line.parse(args, command->valueOptions, &error, command->flagOptions))
        return console.usage(error, command->usage);
    if (line.wantsHelp()) {
        console.out() << QStringLiteral("用法：community-admin ") << command->usage << '\n'
                      << command->summary << Qt::endl;
        return ExitOk;
    }
    return command->run(line, console);
}
