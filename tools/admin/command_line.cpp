#include "tools/admin/command_line.h"

namespace cr::admin {

bool CommandLine::parse(const QStringList& args, const QStringList& valueOptions, QString* error,
                        const QStringList& flagOptions)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            m_help = true;
            continue;
        }
        if (!a.startsWith(QLatin1String("--")) || a == QLatin1String("--")) {
            m_positional << a;
            continue;
        }
        QString name = a.mid(2);
        QString value;
        bool hasValue = false;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            hasValue = true;
        }
        if (flagOptions.contains(name)) {
            if (hasValue) {
                *error = QStringLiteral("选项 --%1 不带取值").arg(name);
                return false;
            }
            m_values.insert(name, QString());
            continue;
        }
        if (!valueOptions.contains(name)) {
            *error = QStringLiteral("未知的选项 --%1").arg(name);
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("选项 --%1 缺少取值").arg(name);
                return false;
            }
            value = args[++i];
        }
        m_values.insert(name, value);
    }
    return true;
}

} // namespace cr::admin
