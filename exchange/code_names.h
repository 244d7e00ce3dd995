#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::exchange {

// The entries of lookup lists (tc_codelist), to turn what a clerk wrote
// into a code: the code itself ("01"), its name ("汉族"), or for ethnic
// groups the name without its last character ("汉").
class CodeNames {
public:
    bool load(Sqlca& sqlca, const QStringList& lists, QString* error);
    void add(const QString& list, const QString& code, const QString& name);

    std::optional<QString> code(const QString& list, const QString& written) const;

private:
    QHash<QString, QHash<QString, QString>> m_byName;   // list -> (name or code -> code)
};

} // namespace cr::exchange
