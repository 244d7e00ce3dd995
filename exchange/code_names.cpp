#include "exchange/code_names.h"

#include "frame/sqlca.h"

namespace cr::exchange {

bool CodeNames::load(Sqlca& sqlca, const QStringList& lists, QString* error)
{
    for (const QString& list : lists) {
        auto q = sqlca.select(QStringLiteral("SELECT tcode, tname FROM tc_codelist WHERE listname = :listname"),
                              {{QStringLiteral("listname"), list}});
        if (!q) {
            *error = QStringLiteral("读取代码表%1失败：%2").arg(list, sqlca.sqlErrText());
            return false;
        }
        while (q->next()) add(list, q->value(0).toString().trimmed(), q->value(1).toString().trimmed());
    }
    return true;
}

void CodeNames::add(const QString& list, const QString& code, const QString& name)
{
    QHash<QString, QString>& entries = m_byName[list];
    entries.insert(code.toUpper(), code);
    if (name.isEmpty()) return;
    if (!entries.contains(name)) entries.insert(name, code);
    // 汉族 is often written 汉, 蒙古族 蒙古.
    if (list == QLatin1String("dddw_gb_folk") && name.endsWith(QChar(0x65CF)) && name.size() >= 2) {
        const QString shortName = name.left(name.size() - 1);
        if (!entries.contains(shortName)) entries.insert(shortName, code);
    }
}

std::optional<QString> CodeNames::code(const QString& list, const QString& written) const
{
    const auto entries = m_byName.constFind(list);
    if (entries == m_byName.constEnd()) return std::nullopt;
    const QString key = written.trimmed();
    auto it = entries->constFind(key);
    if (it == entries->constEnd()) it = entries->constFind(key.toUpper());
    if (it == entries->constEnd()) return std::nullopt;
    return *it;
}

} // namespace cr::exchange
