#include "frame/dialect.h"

#include "frame/sql_rewriter.h"

namespace cr {

QString Dialect::render(const QString& moduleSql) const
{
    return SqlRewriter(*this).render(moduleSql);
}

} // namespace cr
