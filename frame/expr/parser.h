#pragma once

#include "frame/expr/lexer.h"
#include "frame/expr/node.h"

#include <functional>
#include <memory>

namespace cr::expr {

// Column index for a name (case-insensitive), -1 when there is no such column.
using ColumnResolver = std::function<int(const QString& name)>;

// Parses an expression into nodes. Precedence from loose to tight: or, and,
// not, comparisons (= <> != < > <= >= like in), + -, * /, ^, unary minus.
// Nesting and the height of the tree are bounded, so that neither parsing
// nor evaluating nor freeing a hostile text can exhaust the stack.
class Parser {
public:
    static constexpr int maxNesting = 100;    // parentheses, calls, not, unary signs
    static constexpr int maxHeight = 1000;    // a + b + c ... chains included

    static std::unique_ptr<Node> parse(const QString& text, const ColumnResolver& columns, QString* error);

private:
    Parser(const QList<Token>& tokens, const ColumnResolver& columns) : m_tokens(tokens), m_columns(columns) {}

    std::unique_ptr<Node> orExpr();
    std::unique_ptr<Node> andExpr();
    std::unique_ptr<Node> notExpr();
    std::unique_ptr<Node> comparison();
    std::unique_ptr<Node> additive();
    std::unique_ptr<Node> multiplicative();
    std::unique_ptr<Node> power();
    std::unique_ptr<Node> unary();
    std::unique_ptr<Node> primary();
    std::unique_ptr<Node> call(const Token& name);
    std::unique_ptr<Node> aggregate(int op, const Token& name);

    const Token& peek() const { return m_tokens[m_pos]; }
    Token next() { return m_tokens[m_pos < m_tokens.size() - 1 ? m_pos++ : m_pos]; }
    bool atKeyword(const char* word) const;
    bool atOperator(const char* op) const;
    bool expect(Token::Kind kind, const char* what);
    std::unique_ptr<Node> fail(const QString& message);
    std::unique_ptr<Node> combine(Node::Kind kind, int op, std::unique_ptr<Node> a, std::unique_ptr<Node> b);
    bool roomToNest();                  // false (and failed) when one level deeper is too deep

    const QList<Token>& m_tokens;
    const ColumnResolver& m_columns;
    int m_pos = 0;
    int m_depth = 0;
    QString m_error;
};

} // namespace cr::expr
