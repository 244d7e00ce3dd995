#include "frame/sql_chain_assembler.h"

namespace cr {

void SqlChainAssembler::add(const SqlPiece& piece)
{
    // Blanks are placed once we know what follows them: inside a term, after
    // an operator, or before the next expression.
    auto placeBlanks = [this] {
        if (m_term.parts > 0)
            m_term.text += m_blanks;
        else if (!m_ops.isEmpty() && m_ops.size() == m_terms.size())
            m_ops.last().after += m_blanks;
        else
            m_out += m_blanks;
        m_blanks.clear();
    };
    auto addToTerm = [&](const QString& text, bool texty) {
        placeBlanks();
        m_term.text += text;
        m_term.texty = texty;
        ++m_term.parts;
    };

    switch (piece.role) {
    case SqlPiece::Blank:
        m_blanks += piece.text;
        return;
    case SqlPiece::Operand:
        // Two operands in a row (an alias after an expression): the first
        // expression ended before the second operand.
        if (m_afterOperand) closeChain();
        addToTerm(piece.text, piece.texty);
        m_afterOperand = true;
        ++m_operands;
        return;
    case SqlPiece::MulOp:
        if (!m_afterOperand && piece.text == QLatin1String("*")) {
            // count(*), select *: the star stands for columns, not a product.
            addToTerm(piece.text, false);
            m_afterOperand = true;
            return;
        }
        addToTerm(piece.text, false);
        m_afterOperand = false;
        return;
    case SqlPiece::AddOp:
        if (m_afterOperand) {
            closeTerm();
            m_ops.append({m_blanks, piece.text, QString()});
            m_blanks.clear();
        } else {
            addToTerm(piece.text, false);   // a sign: -1, +x
        }
        m_afterOperand = false;
        return;
    case SqlPiece::Boundary:
        closeChain();
        m_out += m_blanks + piece.text;
        m_blanks.clear();
        m_boundary = true;
        return;
    }
}

void SqlChainAssembler::closeTerm()
{
    if (m_term.parts == 0) return;
    m_terms.append(m_term);
    m_term = Term{};
}

void SqlChainAssembler::closeChain()
{
    closeTerm();
    m_afterOperand = false;
    if (m_terms.isEmpty() && m_ops.isEmpty()) return;
    m_out += renderChain(&m_lastChainTexty);
    ++m_chains;
    m_lastChainSingle = m_terms.size() == 1 && m_ops.isEmpty() && m_terms.first().parts == 1;
    m_terms.clear();
    m_ops.clear();
}

QString SqlChainAssembler::renderChain(bool* texty) const
{
    enum class Shape { Single, Compound, Numeric, Concat };
    const Term& first = m_terms.first();
    QString acc = first.text;
    bool accTexty = first.parts == 1 && first.texty;
    Shape shape = first.compound() ? Shape::Compound : Shape::Single;

    for (int i = 0; i < m_ops.size(); ++i) {
        const Op& op = m_ops[i];
        if (i + 1 >= m_terms.size()) {   // an operator without right side: left as written
            acc += op.before + op.text + op.after;
            break;
        }
        const Term& t = m_terms[i + 1];
        const bool termTexty = t.parts == 1 && t.texty;
        const bool concat = op.text == QLatin1String("||")
                            || (op.text == QLatin1String("+") && (accTexty || termTexty));
        if (concat) {
            if (shape == Shape::Numeric || shape == Shape::Compound) acc = QLatin1Char('(') + acc + QLatin1Char(')');
            const QString right = t.compound() ? QLatin1Char('(') + t.text + QLatin1Char(')') : t.text;
            acc += op.before + QLatin1String("||") + op.after + right;
            accTexty = true;
            shape = Shape::Concat;
        } else {
            if (shape == Shape::Concat) acc = QLatin1Char('(') + acc + QLatin1Char(')');
            acc += op.before + op.text + op.after + t.text;
            accTexty = false;
            shape = Shape::Numeric;
        }
    }
    *texty = accTexty;
    return acc;
}

SqlRendered SqlChainAssembler::finish()
{
    closeChain();
    m_out += m_blanks;
    m_blanks.clear();
    SqlRendered r;
    r.text = m_out;
    const bool oneExpression = m_chains == 1 && !m_boundary;
    r.texty = oneExpression && m_lastChainTexty;
    r.singleOperand = oneExpression && m_lastChainSingle;
    return r;
}

} // namespace cr
