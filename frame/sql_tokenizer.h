#pragma once

#include "frame/sql_token.h"

#include <optional>

namespace cr {

// Splits a statement into tokens and nests them by parentheses. Both steps
// fail (nullopt) on text that is not well formed: an unclosed literal,
// comment or quoted name, or parentheses that do not match.
class SqlTokenizer {
public:
    static std::optional<QList<SqlToken>> tokenize(const QString& sql);
    static std::optional<QList<SqlNode>> nest(const QList<SqlToken>& tokens);
    static std::optional<QList<SqlNode>> parse(const QString& sql);

    // The text of the nodes exactly as they were written.
    static QString text(const QList<SqlNode>& nodes);
};

} // namespace cr
