#include "tools/admin/admin_console.h"

#include <cstdio>

namespace cr::admin {

AdminConsole::AdminConsole() : m_out(stdout), m_err(stderr) {}

int AdminConsole::fail(const QString& text)
{
    m_out.flush();
    m_err << QStringLiteral("错误：") << text << Qt::endl;
    return ExitFailed;
}

int AdminConsole::usage(const QString& text, const QString& usageLine)
{
    m_out.flush();
    m_err << QStringLiteral("错误：") << text << Qt::endl
          << QStringLiteral("用法：community-admin ") << usageLine << Qt::endl
          << QStringLiteral("详见 community-admin --help") << Qt::endl;
    return ExitUsage;
}

std::function<void(int, int)> AdminConsole::progress(const QString& step)
{
    return [this, step, shown = -1](int done, int total) mutable {
        const int tenth = total > 0 ? done * 10 / total : 10;
        if (tenth == shown) return;
        shown = tenth;
        m_out << QStringLiteral("[%1%] %2").arg(tenth * 10, 3).arg(step) << Qt::endl;
    };
}

} // namespace cr::admin
