#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace cr::expr {

struct Token {
    enum class Kind { End, Number, Text, Identifier, Operator, LeftParen, RightParen, Comma };
    Kind kind = Kind::End;
    QString text;      // identifier or operator as written; the unescaped text of a literal
    QVariant number;   // qlonglong or double
    int position = 0;  // 0-based offset in the expression, for messages
};

// Splits an expression into tokens. Text literals stand in single or double
// quotes; inside them a doubled quote or a tilde escape (~' ~" ~~ ~n ~t ~r)
// stands for the character itself.
class Lexer {
public:
    // False with a message when the text holds something that is no token
    // (an unterminated literal, a stray character).
    static bool tokenize(const QString& text, QList<Token>* tokens, QString* error);
};

} // namespace cr::expr
