#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace cr::admin {

// The arguments after the command name: positional values and options of
// the form "--name value" or "--name=value". Only the options a command
// declares are accepted.
class CommandLine {
public:
    // False with a message for an unknown option or one without its value.
    bool parse(const QStringList& args, const QStringList& valueOptions, QString* error,
               const QStringList& flagOptions = {});

    const QStringList& positional() const { return m_positional; }
    bool has(const QString& option) const { return m_values.contains(option); }
    QString value(const QString& option) const { return m_values.value(option); }
    bool wantsHelp() const { return m_help; }

private:
    QStringList m_positional;
    QHash<QString, QString> m_values;
    bool m_help = false;
};

} // namespace cr::admin
