#include "frame/expr/lexer.h"

namespace cr::expr {
namespace {

bool isIdentStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isIdentPart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') || c == QLatin1Char('#');
}

QChar tildeEscape(QChar c)
{
    switch (c.unicode()) {
    case 'n': return QLatin1Char('\n');
    case 't': return QLatin1Char('\t');
    case 'r': return QLatin1Char('\r');
    default: return c;
    }
}

// Reads a quoted literal starting at text[*pos] (the opening quote).
bool readLiteral(const QString& text, int* pos, QString* out)
{
    const QChar quote = text[*pos];
    int i = *pos + 1;
    out->clear();
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == QLatin1Char('~') && i + 1 < text.size()) {
            out->append(tildeEscape(text[i + 1]));
            i += 2;
        } else if (c == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                out->append(quote);
                i += 2;
            } else {
                *pos = i + 1;
                return true;
            }
        } else {
            out->append(c);
            ++i;
        }
    }
    return false;
}

bool readNumber(const QString& text, int* pos, Token* token)
{
    int i = *pos;
    bool dot = false;
    while (i < text.size() && (text[i].isDigit() || (text[i] == QLatin1Char('.') && !dot))) {
        if (text[i] == QLatin1Char('.')) dot = true;
        ++i;
    }
    const QString digits = text.mid(*pos, i - *pos);
    bool ok = false;
    if (dot) {
        token->number = digits.toDouble(&ok);
    } else {
        token->number = digits.toLongLong(&ok);
        if (!ok) token->number = digits.toDouble(&ok);   // too long for an integer
    }
    if (!ok) return false;
    token->kind = Token::Kind::Number;
    token->text = digits;
    *pos = i;
    return true;
}

} // namespace

bool Lexer::tokenize(const QString& text, QList<Token>* tokens, QString* error)
{
    tokens->clear();
    int i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.position = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            if (!readLiteral(text, &i, &t.text)) {
                if (error) *error = QStringLiteral("第%1个字符处的文字没有结束引号").arg(t.position + 1);
                return false;
            }
            t.kind = Token::Kind::Text;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < text.size() && text[i + 1].isDigit())) {
            if (!readNumber(text, &i, &t)) {
                if (error) *error = QStringLiteral("第%1个字符处的数字无效").arg(t.position + 1);
                return false;
            }
        } else if (isIdentStart(c)) {
            const int start = i;
            while (i < text.size() && isIdentPart(text[i])) ++i;
            t.kind = Token::Kind::Identifier;
            t.text = text.mid(start, i - start);
        } else if (c == QLatin1Char('(')) {
            t.kind = Token::Kind::LeftParen;
            ++i;
        } else if (c == QLatin1Char(')')) {
            t.kind = Token::Kind::RightParen;
            ++i;
        } else if (c == QLatin1Char(',')) {
            t.kind = Token::Kind::Comma;
            ++i;
        } else {
            static const char* const twoChar[] = {"<>", "!=", "<=", ">="};
            t.kind = Token::Kind::Operator;
            const QString two = text.mid(i, 2);
            bool matched = false;
            for (const char* op : twoChar)
                if (two == QLatin1String(op)) {
                    t.text = two;
                    i += 2;
                    matched = true;
                    break;
                }
            if (!matched) {
                if (!QStringLiteral("=<>+-*/^").contains(c)) {
                    if (error) *error = QStringLiteral("第%1个字符“%2”无法识别").arg(i + 1).arg(c);
                    return false;
                }
                t.text = c;
                ++i;
            }
        }
        tokens->append(t);
    }
    Token end;
    end.position = text.size();
    tokens->append(end);
    return true;
}

} // namespace cr::expr
