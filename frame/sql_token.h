#pragma once

#include <QList>
#include <QString>

namespace cr {

// One lexical piece of a SQL statement. String literals, quoted names and
// :params are single tokens, so nothing inside them is ever rewritten.
struct SqlToken {
    enum Kind {
        Space,       // blanks, line breaks
        Comment,     // -- ... or /* ... */
        Word,        // keyword or identifier, dotted names included (t.col, t.*)
        Number,
        String,      // '...' with '' inside
        QuotedName,  // "..."
        Param,       // :name
        Operator,    // + - * / % = <> <= >= != || :: ...
        Open,
        Close,
        Comma,
        Semicolon,
        Other,
    };
    Kind kind = Other;
    QString text;

    bool isBlank() const { return kind == Space || kind == Comment; }
    bool isWord(const char* lowerWord) const
    {
        return kind == Word && text.compare(QLatin1String(lowerWord), Qt::CaseInsensitive) == 0;
    }
};

// A token, or a parenthesised group holding the tokens between '(' and ')'.
struct SqlNode {
    SqlToken token;          // for a group: the '(' token
    bool group = false;
    QList<SqlNode> children;

    bool isBlank() const { return !group && token.isBlank(); }
    bool isWord(const char* lowerWord) const { return !group && token.isWord(lowerWord); }
};

} // namespace cr
