#include "schema/demo/bulk_loader.h"

#include "frame/sqlca.h"

namespace cr::demo {

BulkLoader::BulkLoader(Sqlca& sqlca) : m_sqlca(sqlca) {}

BulkTable& BulkLoader::addTable(const QString& table, const QStringList& columns)
{
    m_tables.push_back(std::make_unique<BulkTable>(table, columns, m_sqlca.dialect().maxBoundValues()));
    return *m_tables.back();
}

bool BulkLoader::add(BulkTable& table, QVariantList row)
{
    table.add(std::move(row));
    return !table.full() || flushUpTo(&table);
}

bool BulkLoader::flushAll()
{
    return flushUpTo(nullptr);
}

bool BulkLoader::flushUpTo(const BulkTable* last)
{
    if (!m_error.isEmpty()) return false;
    // Earlier tables first: the rows of `last` may refer to theirs.
    for (auto& t : m_tables) {
        if (!t->isEmpty() && !t->flush(m_sqlca, &m_error)) return false;
        if (t.get() == last) break;
    }
    return true;
}

} // namespace cr::demo
