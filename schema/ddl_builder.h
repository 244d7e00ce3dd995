#pragma once

#include "schema/table_decl.h"

namespace cr {
class Dialect;
}

namespace cr::schema {

// Writes the CREATE statements of declared tables, indexes and views in the
// engine's SQL, with the Dialect's column types. Names stay unquoted so
// that TC_GE_Building and tc_ge_building are the same table on both engines.
class DdlBuilder {
public:
    explicit DdlBuilder(const Dialect& dialect) : m_dialect(dialect) {}

    QString createTable(const TableDecl& table) const;
    QString createIndex(const IndexDecl& index) const;
    QString createView(const ViewDecl& view) const;

private:
    QString columnDefinition(const ColumnDecl& column) const;

    const Dialect& m_dialect;
};

} // namespace cr::schema
