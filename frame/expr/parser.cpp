#include "frame/expr/parser.h"

#include "frame/expr/builtins.h"

namespace cr::expr {
namespace {

std::unique_ptr<Node> makeNode(Node::Kind kind, int op = 0)
{
    auto n = std::make_unique<Node>();
    n->kind = kind;
    n->op = op;
    return n;
}

// Keeps the nesting count right on every way out of a rule.
class Nesting {
public:
    Nesting(int* depth) : m_depth(depth) { ++*m_depth; }
    ~Nesting() { --*m_depth; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    int* m_depth;
};

} // namespace

std::unique_ptr<Node> Parser::parse(const QString& text, const ColumnResolver& columns, QString* error)
{
    QList<Token> tokens;
    QString lexError;
    if (!Lexer::tokenize(text, &tokens, &lexError)) {
        if (error) *error = lexError;
        return nullptr;
    }
    Parser p(tokens, columns);
    if (tokens.size() == 1) {
        if (error) *error = QStringLiteral("表达式为空");
        return nullptr;
    }
    auto root = p.orExpr();
    if (root && p.peek().kind != Token::Kind::End)
        root = p.fail(QStringLiteral("第%1个字符处多余的内容").arg(p.peek().position + 1));
    if (!root && error) *error = p.m_error;
    return root;
}

std::unique_ptr<Node> Parser::fail(const QString& message)
{
    if (m_error.isEmpty()) m_error = message;
    return nullptr;
}

std::unique_ptr<Node> Parser::combine(Node::Kind kind, int op, std::unique_ptr<Node> a, std::unique_ptr<Node> b)
{
    auto n = makeNode(kind, op);
    n->adopt(std::move(a));
    n->adopt(std::move(b));
    if (n->height > maxHeight) return fail(QStringLiteral("表达式太长（超过 %1 层运算）").arg(maxHeight));
    return n;
}

bool Parser::roomToNest()
{
    if (m_depth >= maxNesting) {
        fail(QStringLiteral("第%1个字符处嵌套太深（超过 %2 层）").arg(peek().position + 1).arg(maxNesting));
        return false;
    }
    return true;
}

bool Parser::atKeyword(const char* word) const
{
    return peek().kind == Token::Kind::Identifier && peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool Parser::atOperator(const char* op) const
{
    return peek().kind == Token::Kind::Operator && peek().text == QLatin1String(op);
}

bool Parser::expect(Token::Kind kind, const char* what)
{
    if (peek().kind == kind) {
        next();
        return true;
    }
    fail(QStringLiteral("第%1个字符处缺少“%2”").arg(peek().position + 1).arg(QLatin1String(what)));
    return false;
}

std::unique_ptr<Node> Parser::orExpr()
{
    if (!roomToNest()) return nullptr;
    const Nesting nesting(&m_depth);
    auto left = andExpr();
    while (left && atKeyword("or")) {
        next();
        auto right = andExpr();
        if (!right) return nullptr;
        left = combine(Node::Kind::Or, 0, std::move(left), std::move(right));
    }
    return left;
}

std::unique_ptr<Node> Parser::andExpr()
{
    auto left = notExpr();
    while (left && atKeyword("and")) {
        next();
        auto right = notExpr();
        if (!right) return nullptr;
        left = combine(Node::Kind::And, 0, std::move(left), std::move(right));
    }
    return left;
}

std::unique_ptr<Node> Parser::notExpr()
{
    if (atKeyword("not")) {
        if (!roomToNest()) return nullptr;
        const Nesting nesting(&m_depth);
        next();
        auto operand = notExpr();
        if (!operand) return nullptr;
        auto n = makeNode(Node::Kind::Not);
        n->adopt(std::move(operand));
        return n;
    }
    return comparison();
}

std::unique_ptr<Node> Parser::comparison()
{
    auto left = additive();
    if (!left) return nullptr;
    static const struct { const char* text; int op; } ops[] = {
        {"=", Node::Eq}, {"<>", Node::Ne}, {"!=", Node::Ne}, {"<", Node::Lt},
        {">", Node::Gt}, {"<=", Node::Le}, {">=", Node::Ge}};
    for (const auto& o : ops) {
        if (atOperator(o.text)) {
            next();
            auto right = additive();
            if (!right) return nullptr;
            return combine(Node::Kind::Compare, o.op, std::move(left), std::move(right));
        }
    }
    bool negated = false;
    if (atKeyword("not")) {
        const int save = m_pos;
        next();
        if (!atKeyword("like") && !atKeyword("in")) {
            m_pos = save;
            return left;
        }
        negated = true;
    }
    if (atKeyword("like")) {
        next();
        auto pattern = additive();
        if (!pattern) return nullptr;
        auto n = combine(Node::Kind::Like, 0, std::move(left), std::move(pattern));
        if (!n) return nullptr;
        n->negated = negated;
        return n;
    }
    if (atKeyword("in")) {
        next();
        auto n = makeNode(Node::Kind::In);
        n->negated = negated;
        n->adopt(std::move(left));
        if (!expect(Token::Kind::LeftParen, "(")) return nullptr;
        do {
            auto item = orExpr();
            if (!item) return nullptr;
            n->adopt(std::move(item));
        } while (peek().kind == Token::Kind::Comma && (next(), true));
        if (!expect(Token::Kind::RightParen, ")")) return nullptr;
        return n;
    }
    return left;
}

std::unique_ptr<Node> Parser::additive()
{
    auto left = multiplicative();
    while (left && (atOperator("+") || atOperator("-"))) {
        const int op = next().text == QLatin1String("+") ? Node::Add : Node::Sub;
        auto right = multiplicative();
        if (!right) return nullptr;
        left = combine(Node::Kind::Arithmetic, op, std::move(left), std::move(right));
    }
    return left;
}

std::unique_ptr<Node> Parser::multiplicative()
{
    auto left = power();
    while (left && (atOperator("*") || atOperator("/"))) {
        const int op = next().text == QLatin1String("*") ? Node::Mul : Node::Div;
        auto right = power();
        if (!right) return nullptr;
        left = combine(Node::Kind::Arithmetic, op, std::move(left), std::move(right));
    }
    return left;
}

std::unique_ptr<Node> Parser::power()
{
    auto left = unary();
    while (left && atOperator("^")) {
        next();
        auto right = unary();
        if (!right) return nullptr;
        left = combine(Node::Kind::Arithmetic, Node::Pow, std::move(left), std::move(right));
    }
    return left;
}

std::unique_ptr<Node> Parser::unary()
{
    if (!atOperator("-") && !atOperator("+")) return primary();
    if (!roomToNest()) return nullptr;
    const Nesting nesting(&m_depth);
    if (next().text == QLatin1String("+")) return unary();
    auto operand = unary();
    if (!operand) return nullptr;
    auto n = makeNode(Node::Kind::Negate);
    n->adopt(std::move(operand));
    return n;
}

std::unique_ptr<Node> Parser::primary()
{
    const Token t = next();
    switch (t.kind) {
    case Token::Kind::Number: {
        auto n = makeNode(Node::Kind::Literal);
        n->value = t.number;
        return n;
    }
    case Token::Kind::Text: {
        auto n = makeNode(Node::Kind::Literal);
        n->value = t.text;
        return n;
    }
    case Token::Kind::LeftParen: {
        auto inner = orExpr();
        if (!inner || !expect(Token::Kind::RightParen, ")")) return nullptr;
        return inner;
    }
    case Token::Kind::Identifier: {
        if (peek().kind == Token::Kind::LeftParen) return call(t);
        if (t.text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
            t.text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
            auto n = makeNode(Node::Kind::Literal);
            n->value = t.text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
            return n;
        }
        const int column = m_columns ? m_columns(t.text) : -1;
        if (column < 0) return fail(QStringLiteral("未知的列“%1”").arg(t.text));
        auto n = makeNode(Node::Kind::Column);
        n->column = column;
        return n;
    }
    case Token::Kind::End:
        return fail(QStringLiteral("表达式不完整"));
    default:
        return fail(QStringLiteral("第%1个字符处的“%2”不应出现在这里").arg(t.position + 1).arg(t.text.isEmpty() ? QStringLiteral(")") : t.text));
    }
}

std::unique_ptr<Node> Parser::call(const Token& name)
{
    const QString fn = name.text.toLower();
    static const struct { const char* name; int op; } aggregates[] = {
        {"sum", Node::Sum}, {"count", Node::Count}, {"avg", Node::Avg}, {"max", Node::Max}, {"min", Node::Min}};
    // max(a, b) and min(a, b) are plain functions; with one argument they aggregate.
    for (const auto& a : aggregates) {
        if (fn != QLatin1String(a.name)) continue;
        const int save = m_pos;
        next();   // (
        int depth = 0;
        bool twoArguments = false;
        for (int i = m_pos; i < m_tokens.size(); ++i) {
            const auto k = m_tokens[i].kind;
            if (k == Token::Kind::LeftParen) ++depth;
            else if (k == Token::Kind::RightParen && depth-- == 0) break;
            else if (k == Token::Kind::Comma && depth == 0) twoArguments = true;
        }
        m_pos = save;
        if (!twoArguments || a.op == Node::Sum || a.op == Node::Count || a.op == Node::Avg) return aggregate(a.op, name);
    }

    next();   // (
    std::vector<std::unique_ptr<Node>> args;
    if (peek().kind != Token::Kind::RightParen) {
        do {
            auto arg = orExpr();
            if (!arg) return nullptr;
            args.push_back(std::move(arg));
        } while (peek().kind == Token::Kind::Comma && (next(), true));
    }
    if (!expect(Token::Kind::RightParen, ")")) return nullptr;

    const int argc = static_cast<int>(args.size());
    auto noArguments = [&](Node::Kind kind) -> std::unique_ptr<Node> {
        if (argc != 0) return fail(QStringLiteral("函数 %1 不带参数").arg(name.text));
        return makeNode(kind);
    };
    if (fn == QLatin1String("getrow")) return noArguments(Node::Kind::GetRow);
    if (fn == QLatin1String("currentrow")) return noArguments(Node::Kind::CurrentRow);
    if (fn == QLatin1String("rowcount")) return noArguments(Node::Kind::RowCount);
    if (fn == QLatin1String("if")) {
        if (argc != 3) return fail(QStringLiteral("函数 if 需要三个参数"));
        auto n = makeNode(Node::Kind::If);
        for (auto& a : args) n->adopt(std::move(a));
        return n;
    }
    const Builtin* b = Builtin::find(fn);
    if (!b) return fail(QStringLiteral("未知的函数“%1”").arg(name.text));
    if (argc < b->minArgs || argc > b->maxArgs)
        return fail(QStringLiteral("函数 %1 的参数个数不对").arg(name.text));
    auto n = makeNode(Node::Kind::Call);
    n->builtin = b;
    for (auto& a : args) n->adopt(std::move(a));
    return n;
}

std::unique_ptr<Node> Parser::aggregate(int op, const Token& name)
{
    next();   // (
    auto operand = orExpr();
    if (!operand) return nullptr;
    if (atKeyword("for")) {
        next();
        if (!atKeyword("all"))
            return fail(QStringLiteral("%1 只支持 for all").arg(name.text));
        next();
    }
    if (!expect(Token::Kind::RightParen, ")")) return nullptr;
    auto n = makeNode(Node::Kind::Aggregate, op);
    n->adopt(std::move(operand));
    return n;
}

} // namespace cr::expr
