#pragma once

#include <QList>
#include <QString>

namespace cr {

// A piece of one nesting level of a statement, already rendered.
struct SqlPiece {
    enum Role {
        Blank,      // spaces, comments
        Operand,    // literal, name, :param, function call, (group), CASE ... END
        AddOp,      // + - ||
        MulOp,      // * / %
        Boundary,   // keywords, commas, comparisons: ends an expression
    };
    Role role = Boundary;
    QString text;
    bool texty = false;   // the operand yields text (literal, text cast, space(), ...)
};

// The rendered text of a sequence, with what its callers need to know.
struct SqlRendered {
    QString text;
    bool texty = false;          // one expression, and it yields text
    bool singleOperand = false;  // exactly one operand, no operator or keyword
};

// Turns the pieces of one level into text. Within each additive expression
// a `+` whose left side so far or whose right operand is text becomes `||`
// (NULL-propagating on both engines); numeric `+` stays. Operands are put in
// parentheses where `||` and `+` would otherwise bind differently on the two
// engines (SQLite binds `||` tighter than `*`, PostgreSQL looser than `+`).
class SqlChainAssembler {
public:
    void add(const SqlPiece& piece);
    SqlRendered finish();

private:
    struct Term {
        QString text;
        int parts = 0;       // operands, operators and signs inside the term
        bool texty = false;
        bool compound() const { return parts > 1; }
    };
    struct Op {
        QString before, text, after;
    };

    void closeTerm();
    void closeChain();
    QString renderChain(bool* texty) const;

    QString m_out;
    QString m_blanks;          // blanks not yet placed
    Term m_term;
    bool m_afterOperand = false;
    QList<Term> m_terms;       // the open chain: term (op term)*
    QList<Op> m_ops;
    int m_chains = 0;
    int m_operands = 0;
    bool m_boundary = false;
    bool m_lastChainTexty = false;
    bool m_lastChainSingle = false;
};

} // namespace cr
