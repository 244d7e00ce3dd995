#include "frame/sql_tokenizer.h"

namespace cr {
namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNamePart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

// Reads up to the closing quote; a doubled quote stands for one inside.
// Returns the index after the closing quote, or -1 when there is none.
int endOfQuoted(const QString& s, int start, QChar quote)
{
    for (int i = start + 1; i < s.size(); ++i) {
        if (s[i] != quote) continue;
        if (i + 1 < s.size() && s[i + 1] == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

const char* const kLongOperators[] = {"<>", "<=", ">=", "!=", "||", "::", "!<", "!>"};

} // namespace

std::optional<QList<SqlToken>> SqlTokenizer::tokenize(const QString& s)
{
    QList<SqlToken> out;
    int i = 0;
    const int n = s.size();
    auto push = [&](SqlToken::Kind kind, int from, int to) { out.append({kind, s.mid(from, to - from)}); };
    while (i < n) {
        const QChar c = s[i];
        const QChar next = i + 1 < n ? s[i + 1] : QChar();
        if (c.isSpace()) {
            int j = i;
            while (j < n && s[j].isSpace()) ++j;
            push(SqlToken::Space, i, j);
            i = j;
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            int j = s.indexOf(QLatin1Char('\n'), i);
            if (j < 0) j = n;
            push(SqlToken::Comment, i, j);
            i = j;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const int j = s.indexOf(QLatin1String("*/"), i + 2);
            if (j < 0) return std::nullopt;
            push(SqlToken::Comment, i, j + 2);
            i = j + 2;
        } else if (c == QLatin1Char('\'')) {
            const int j = endOfQuoted(s, i, c);
            if (j < 0) return std::nullopt;
            push(SqlToken::String, i, j);
            i = j;
        } else if ((c == QLatin1Char('N') || c == QLatin1Char('n')) && next == QLatin1Char('\'')) {
            // N'...' (national text) is an ordinary literal on both engines.
            const int j = endOfQuoted(s, i + 1, next);
            if (j < 0) return std::nullopt;
            push(SqlToken::String, i + 1, j);
            i = j;
        } else if (c == QLatin1Char('"')) {
            const int j = endOfQuoted(s, i, c);
            if (j < 0) return std::nullopt;
            push(SqlToken::QuotedName, i, j);
            i = j;
        } else if (isNameStart(c)) {
            int j = i;
            for (;;) {
                while (j < n && isNamePart(s[j])) ++j;
                // Dotted names (table.column, t.*) stay one word.
                if (j + 1 < n && s[j] == QLatin1Char('.') && (isNameStart(s[j + 1]) || s[j + 1] == QLatin1Char('*'))) {
                    j += 2;
                    if (s[j - 1] == QLatin1Char('*')) break;
                    continue;
                }
                break;
            }
            push(SqlToken::Word, i, j);
            i = j;
        } else if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
            int j = i;
            while (j < n && s[j].isDigit()) ++j;
            if (j < n && s[j] == QLatin1Char('.')) {
                ++j;
                while (j < n && s[j].isDigit()) ++j;
            }
            if (j < n && (s[j] == QLatin1Char('e') || s[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (s[k] == QLatin1Char('+') || s[k] == QLatin1Char('-'))) ++k;
                if (k < n && s[k].isDigit()) {
                    while (k < n && s[k].isDigit()) ++k;
                    j = k;
                }
            }
            push(SqlToken::Number, i, j);
            i = j;
        } else if (c == QLatin1Char(':') && isNameStart(next)) {
            int j = i + 1;
            while (j < n && isNamePart(s[j])) ++j;
            push(SqlToken::Param, i, j);
            i = j;
        } else if (c == QLatin1Char('(')) {
            push(SqlToken::Open, i, i + 1);
            ++i;
        } else if (c == QLatin1Char(')')) {
            push(SqlToken::Close, i, i + 1);
            ++i;
        } else if (c == QLatin1Char(',')) {
            push(SqlToken::Comma, i, i + 1);
            ++i;
        } else if (c == QLatin1Char(';')) {
            push(SqlToken::Semicolon, i, i + 1);
            ++i;
        } else if (QStringLiteral("+-*/%=<>!|&^~:").contains(c)) {
            int len = 1;
            for (const char* op : kLongOperators)
                if (s.mid(i, 2) == QLatin1String(op)) len = 2;
            push(SqlToken::Operator, i, i + len);
            i += len;
        } else {
            push(SqlToken::Other, i, i + 1);
            ++i;
        }
    }
    return out;
}

std::optional<QList<SqlNode>> SqlTokenizer::nest(const QList<SqlToken>& tokens)
{
    // A stack of open groups; the bottom entry is the statement itself.
    QList<SqlNode> stack;
    stack.append(SqlNode{});
    for (const SqlToken& t : tokens) {
        if (t.kind == SqlToken::Open) {
            SqlNode g;
            g.token = t;
            g.group = true;
            stack.append(g);
        } else if (t.kind == SqlToken::Close) {
            if (stack.size() < 2) return std::nullopt;
            SqlNode done = stack.takeLast();
            stack.last().children.append(done);
        } else {
            SqlNode leaf;
            leaf.token = t;
            stack.last().children.append(leaf);
        }
    }
    if (stack.size() != 1) return std::nullopt;
    return stack.first().children;
}

std::optional<QList<SqlNode>> SqlTokenizer::parse(const QString& sql)
{
    const auto tokens = tokenize(sql);
    if (!tokens) return std::nullopt;
    return nest(*tokens);
}

QString SqlTokenizer::text(const QList<SqlNode>& nodes)
{
    QString out;
    for (const SqlNode& n : nodes) {
        if (n.group)
            out += QLatin1Char('(') + text(n.children) + QLatin1Char(')');
        else
            out += n.token.text;
    }
    return out;
}

} // namespace cr
