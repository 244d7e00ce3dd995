#pragma once

#include <QString>
#include <QTextStream>
#include <functional>

namespace cr::admin {

// Exit codes of community-admin.
enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// Where a command writes: results to standard output, problems to standard
// error, both as UTF-8.
class AdminConsole {
public:
    AdminConsole();

    QTextStream& out() { return m_out; }
    // Prints "错误：<text>" on standard error and returns ExitFailed.
    int fail(const QString& text);
    // Prints the problem and a hint to the command's usage; returns ExitUsage.
    int usage(const QString& text, const QString& usageLine);
    // Prints "[ 40%] <step>" as work advances, every tenth part.
    std::function<void(int done, int total)> progress(const QString& step);

private:
    QTextStream m_out;
    QTextStream m_err;
};

} // namespace cr::admin
