#include "frame/dialect.h"

namespace cr {

// Placeholder: statements pass through unchanged until the translator lands.
QString Dialect::render(const QString& moduleSql) const
{
    return moduleSql;
}

} // namespace cr
