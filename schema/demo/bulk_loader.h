#pragma once

#include "schema/bulk_table.h"

#include <memory>
#include <vector>

namespace cr::demo {

using schema::BulkTable;

// The tables of one load, in the order their rows may be written: a row may
// refer only to rows of its own or an earlier table. When one table's batch
// is full it is written after every earlier table, so references (and foreign
// keys) are always satisfied. Later tables wait: nothing earlier refers to them.
class BulkLoader {
public:
    explicit BulkLoader(Sqlca& sqlca);

    BulkTable& addTable(const QString& table, const QStringList& columns);
    bool add(BulkTable& table, QVariantList row);
    bool flushAll();

    const QString& error() const { return m_error; }
    const std::vector<std::unique_ptr<BulkTable>>& tables() const { return m_tables; }

private:
    bool flushUpTo(const BulkTable* last);

    Sqlca& m_sqlca;
    std::vector<std::unique_ptr<BulkTable>> m_tables;
    QString m_error;
};

} // namespace cr::demo
