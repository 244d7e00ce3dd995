#include "frame/view_catalog.h"

#include <algorithm>

namespace cr {

void ViewCatalog::add(const DataViewDef& def)
{
    m_defs.insert(def.name.toLower(), def);
}

const DataViewDef* ViewCatalog::find(const QString& name) const
{
    const QString key = name.toLower();
    auto it = m_defs.constFind(key);
    if (it != m_defs.constEnd()) return &*it;
    if (!key.startsWith(QLatin1String("dddw_"))) return nullptr;
    auto cl = m_codeLists.find(key);
    if (cl == m_codeLists.end()) cl = m_codeLists.insert(key, codeListDef(key));
    return &*cl;
}

QStringList ViewCatalog::names() const
{
    QStringList n = m_defs.keys();
    std::sort(n.begin(), n.end());
    return n;
}

DataViewDef ViewCatalog::codeListDef(const QString& listName)
{
    DataViewDef d;
    d.name = listName.toLower();
    d.sql = QStringLiteral("SELECT tcode, tname FROM tc_codelist WHERE listname = :listname ORDER BY sortno, tcode");
    d.arguments = {QStringLiteral("listname")};
    d.defaultArguments = {d.name};
    ColumnDef code;
    code.name = QStringLiteral("tcode");
    code.heading = QStringLiteral("代码");
    ColumnDef text;
    text.name = QStringLiteral("tname");
    text.heading = QStringLiteral("名称");
    d.columns = {code, text};
    return d;
}

} // namespace cr
