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

} // namespace cr::admin
