#pragma once

#include <QList>
#include <QString>

namespace cr::schema {

struct CodeEntry {
    const char* tcode;
    const char* tname;     // UTF-8
};

// One lookup list (dddw_...), its entries in display order.
struct CodeList {
    const char* name;
    QList<CodeEntry> entries;
};

// Lists that follow national standards (sources in docs/code-lists.md).
QList<CodeList> nationalCodeLists();
// The module's own lists, with the codes the windows give a meaning to.
QList<CodeList> moduleCodeLists();

} // namespace cr::schema
