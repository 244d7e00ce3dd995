#pragma once

#include "frame/sql_chain_assembler.h"
#include "frame/sql_token.h"

namespace cr {

class Dialect;

// Rewrites a statement of the module dialect into the engine's SQL, one
// nesting level at a time:
//   select top N ...                 -> select ... LIMIT N (end of that select)
//   convert(varchar(n), x)           -> the dialect's text cast
//   cast(x as char(n) / varchar(n))  -> the dialect's text cast (no blank padding)
//   space(n)                         -> a literal of n blanks
//   isnull(a, b)                     -> coalesce(a, b)
//   text + text                      -> text || text
//   case x when null then ...        -> case when x is null then ...
// Literals, quoted names and :params pass through untouched; identifiers are
// never quoted. Text that does not tokenize is returned unchanged, so the
// database reports the error as it is.
class SqlRewriter {
public:
    explicit SqlRewriter(const Dialect& dialect) : m_dialect(dialect) {}

    QString render(const QString& moduleSql) const;

private:
    SqlRendered renderNodes(QList<SqlNode> nodes) const;
    SqlPiece renderWordCall(const SqlNode& word, const QString& between, const SqlNode& group) const;
    SqlPiece renderConvert(const QList<QList<SqlNode>>& args, const QString& fallback) const;
    SqlPiece renderCast(const QList<SqlNode>& inner, const QString& fallback) const;
    SqlPiece renderSpace(const QList<SqlNode>& inner) const;
    SqlPiece renderCase(const QList<SqlNode>& inner, const QString& caseWord, const QString& endWord) const;
    QString takeTop(QList<SqlNode>* nodes) const;
    QString castTo(const QString& expr, const QList<SqlNode>& typeNodes, bool* texty) const;

    const Dialect& m_dialect;
};

} // namespace cr
