#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cr::admin {

class AdminConsole;
class CommandLine;

// One command of community-admin. Adding a command: write its run function
// in a file of its own, declare it below and add a row to the table in
// admin_commands.cpp; help and dispatch follow from the table.
struct AdminCommand {
    QString name;
    QString usage;      // arguments after the program name, e.g. "info DB"
    QString summary;    // one line for --help
    QStringList valueOptions;   // options that take a value, without "--"
    int (*run)(const CommandLine& line, AdminConsole& console);
    QStringList flagOptions = {};   // options without a value (--yes), without "--"
};

const QList<AdminCommand>& adminCommands();
const AdminCommand* findCommand(const QString& name);
void printHelp(AdminConsole& console);

int runInit(const CommandLine& line, AdminConsole& console);
int runDemo(const CommandLine& line, AdminConsole& console);
int runUpgrade(const CommandLine& line, AdminConsole& console);
int runInfo(const CommandLine& line, AdminConsole& console);
int runSetCommNo(const CommandLine& line, AdminConsole& console);
int runGenerateHouses(const CommandLine& line, AdminConsole& console);
int runDeleteHouses(const CommandLine& line, AdminConsole& console);
int runCopy(const CommandLine& line, AdminConsole& console);
int runBackup(const CommandLine& line, AdminConsole& console);
int runRestore(const CommandLine& line, AdminConsole& console);
int runExport(const CommandLine& line, AdminConsole& console);
int runImport(const CommandLine& line, AdminConsole& console);
int runCoverage(const CommandLine& line, AdminConsole& console);

} // namespace cr::admin
