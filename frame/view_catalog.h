#pragma once

#include "frame/dataview_def.h"
#include "frame/record_references.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace cr {

// All data view definitions of the module by name: list and form views of
// every window, auxiliary views and lookup lists. A dddw_ name that nobody
// registered is served from the code table tc_codelist (tcode, tname).
class ViewCatalog {
public:
    void add(const DataViewDef& def);
    const DataViewDef* find(const QString& name) const;   // case-insensitive
    QStringList names() const;

    static DataViewDef codeListDef(const QString& listName);

    // Which tables refer to which: what the deletion of a record checks.
    RecordReferences& references() { return m_references; }
    const RecordReferences& references() const { return m_references; }

private:
    RecordReferences m_references;
    QHash<QString, DataViewDef> m_defs;
    mutable QHash<QString, DataViewDef> m_codeLists;
};

} // namespace cr
