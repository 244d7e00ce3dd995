#include "frame/sql_rewriter.h"

#include "frame/dialect.h"
#include "frame/sql_tokenizer.h"

#include <QSet>

namespace cr {
namespace {

// Words that end an expression. A word not listed here is a name (or a
// function when a parenthesis follows).
const QSet<QString>& keywords()
{
    static const QSet<QString> k{
        QStringLiteral("select"), QStringLiteral("from"), QStringLiteral("where"), QStringLiteral("and"),
        QStringLiteral("or"), QStringLiteral("not"), QStringLiteral("on"), QStringLiteral("join"),
        QStringLiteral("inner"), QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("full"),
        QStringLiteral("outer"), QStringLiteral("cross"), QStringLiteral("natural"), QStringLiteral("using"),
        QStringLiteral("group"), QStringLiteral("order"), QStringLiteral("by"), QStringLiteral("having"),
        QStringLiteral("as"), QStringLiteral("is"), QStringLiteral("in"), QStringLiteral("like"),
        QStringLiteral("between"), QStringLiteral("exists"), QStringLiteral("union"), QStringLiteral("except"),
        QStringLiteral("intersect"), QStringLiteral("all"), QStringLiteral("any"), QStringLiteral("some"),
        QStringLiteral("distinct"), QStringLiteral("into"), QStringLiteral("values"), QStringLiteral("set"),
        QStringLiteral("update"), QStringLiteral("insert"), QStringLiteral("delete"), QStringLiteral("case"),
        QStringLiteral("when"), QStringLiteral("then"), QStringLiteral("else"), QStringLiteral("end"),
        QStringLiteral("asc"), QStringLiteral("desc"), QStringLiteral("limit"), QStringLiteral("offset"),
        QStringLiteral("top"), QStringLiteral("with"), QStringLiteral("escape"), QStringLiteral("collate"),
        QStringLiteral("returning"), QStringLiteral("default"), QStringLiteral("create"), QStringLiteral("table"),
        QStringLiteral("view"), QStringLiteral("index"), QStringLiteral("drop"), QStringLiteral("alter"),
        QStringLiteral("primary"), QStringLiteral("key"), QStringLiteral("references"), QStringLiteral("unique"),
        QStringLiteral("check"), QStringLiteral("constraint"), QStringLiteral("if"), QStringLiteral("for"),
    };
    return k;
}

// Functions that always yield text, so a `+` next to them joins texts.
const QSet<QString>& textFunctions()
{
    static const QSet<QString> f{QStringLiteral("upper"), QStringLiteral("lower"), QStringLiteral("ltrim"),
                                 QStringLiteral("rtrim"), QStringLiteral("trim"), QStringLiteral("substring"),
                                 QStringLiteral("substr"), QStringLiteral("replace"), QStringLiteral("left"),
                                 QStringLiteral("right")};
    return f;
}

const QSet<QString>& textTypes()
{
    static const QSet<QString> t{QStringLiteral("char"), QStringLiteral("varchar"), QStringLiteral("nchar"),
                                 QStringLiteral("nvarchar"), QStringLiteral("character"), QStringLiteral("text"),
                                 QStringLiteral("ntext")};
    return t;
}

const QSet<QString>& integerTypes()
{
    static const QSet<QString> t{QStringLiteral("int"), QStringLiteral("integer"), QStringLiteral("smallint"),
                                 QStringLiteral("tinyint"), QStringLiteral("bigint")};
    return t;
}

// A text cast without a length (convert(varchar, x)) keeps 30 characters.
constexpr int kDefaultTextLength = 30;

int nextSignificant(const QList<SqlNode>& nodes, int from)
{
    for (int i = from; i < nodes.size(); ++i)
        if (!nodes[i].isBlank()) return i;
    return -1;
}

QList<SqlNode> significant(const QList<SqlNode>& nodes)
{
    QList<SqlNode> out;
    for (const SqlNode& n : nodes)
        if (!n.isBlank()) out.append(n);
    return out;
}

QList<QList<SqlNode>> splitAtCommas(const QList<SqlNode>& nodes)
{
    QList<QList<SqlNode>> args(1);
    for (const SqlNode& n : nodes) {
        if (!n.group && n.token.kind == SqlToken::Comma)
            args.append(QList<SqlNode>{});
        else
            args.last().append(n);
    }
    return args;
}

bool containsParam(const QList<SqlNode>& nodes)
{
    for (const SqlNode& n : nodes) {
        if (n.group ? containsParam(n.children) : n.token.kind == SqlToken::Param) return true;
    }
    return false;
}

int matchingEnd(const QList<SqlNode>& nodes, int caseIndex)
{
    int depth = 0;
    for (int j = caseIndex + 1; j < nodes.size(); ++j) {
        if (nodes[j].isWord("case")) {
            ++depth;
        } else if (nodes[j].isWord("end")) {
            if (depth == 0) return j;
            --depth;
        }
    }
    return -1;
}

QString parenthesised(const SqlRendered& r)
{
    const QString t = r.text.trimmed();
    return r.singleOperand ? t : QLatin1Char('(') + t + QLatin1Char(')');
}

SqlPiece operand(const QString& text, bool texty = false) { return {SqlPiece::Operand, text, texty}; }

} // namespace

QString SqlRewriter::render(const QString& moduleSql) const
{
    const auto nodes = SqlTokenizer::parse(moduleSql);
    if (!nodes) return moduleSql;
    return renderNodes(*nodes).text;
}

SqlRendered SqlRewriter::renderNodes(QList<SqlNode> nodes) const
{
    const QString limit = takeTop(&nodes);
    // LIMIT goes after the last thing of this level that is not a blank or ';'.
    int tail = nodes.size();
    while (tail > 0 && (nodes[tail - 1].isBlank()
                        || (!nodes[tail - 1].group && nodes[tail - 1].token.kind == SqlToken::Semicolon)))
        --tail;

    SqlChainAssembler out;
    for (int i = 0; i < nodes.size(); ++i) {
        if (i == tail && !limit.isEmpty()) out.add({SqlPiece::Boundary, limit, false});
        const SqlNode& n = nodes[i];
        if (n.group) {
            const SqlRendered inner = renderNodes(n.children);
            out.add(operand(QLatin1Char('(') + inner.text + QLatin1Char(')'), inner.texty));
            continue;
        }
        const SqlToken& t = n.token;
        switch (t.kind) {
        case SqlToken::Space:
        case SqlToken::Comment:
            out.add({SqlPiece::Blank, t.text, false});
            break;
        case SqlToken::String:
            out.add(operand(t.text, true));
            break;
        case SqlToken::Number:
        case SqlToken::Param:
        case SqlToken::QuotedName:
            out.add(operand(t.text));
            break;
        case SqlToken::Operator:
            if (t.text == QLatin1String("+") || t.text == QLatin1String("-") || t.text == QLatin1String("||"))
                out.add({SqlPiece::AddOp, t.text, false});
            else if (t.text == QLatin1String("*") || t.text == QLatin1String("/") || t.text == QLatin1String("%"))
                out.add({SqlPiece::MulOp, t.text, false});
            else
                out.add({SqlPiece::Boundary, t.text, false});
            break;
        case SqlToken::Word: {
            const QString lower = t.text.toLower();
            if (lower == QLatin1String("case")) {
                const int end = matchingEnd(nodes, i);
                if (end > 0) {
                    out.add(renderCase(nodes.mid(i + 1, end - i - 1), t.text, nodes[end].token.text));
                    i = end;
                    break;
                }
            }
            const int next = nextSignificant(nodes, i + 1);
            const bool call = next > 0 && nodes[next].group
                              && (!keywords().contains(lower) || textFunctions().contains(lower));
            if (call) {
                out.add(renderWordCall(n, SqlTokenizer::text(nodes.mid(i + 1, next - i - 1)), nodes[next]));
                i = next;
            } else if (keywords().contains(lower)) {
                out.add({SqlPiece::Boundary, t.text, false});
            } else {
                out.add(operand(t.text));   // a name or a value word (null, current_date)
            }
            break;
        }
        default:
            out.add({SqlPiece::Boundary, t.text, false});
            break;
        }
    }
    if (tail == nodes.size() && !limit.isEmpty()) out.add({SqlPiece::Boundary, limit, false});
    return out.finish();
}

// Removes `top N` after the first `select [distinct|all]` of this level and
// returns the LIMIT clause that replaces it (empty when there is none).
QString SqlRewriter::takeTop(QList<SqlNode>* nodes) const
{
    const int select = [&] {
        for (int i = 0; i < nodes->size(); ++i)
            if ((*nodes)[i].isWord("select")) return i;
        return -1;
    }();
    if (select < 0) return {};
    int top = nextSignificant(*nodes, select + 1);
    if (top > 0 && ((*nodes)[top].isWord("distinct") || (*nodes)[top].isWord("all")))
        top = nextSignificant(*nodes, top + 1);
    if (top < 0 || !(*nodes)[top].isWord("top")) return {};
    const int count = nextSignificant(*nodes, top + 1);
    if (count < 0) return {};
    const SqlNode& c = (*nodes)[count];
    QString limit;
    if (c.group) {
        const auto inner = significant(c.children);
        if (inner.size() == 1 && inner.first().token.kind == SqlToken::Number)
            limit = m_dialect.limitClause(inner.first().token.text.toInt());
        else
            limit = QStringLiteral(" LIMIT (%1)").arg(renderNodes(c.children).text);
    } else if (c.token.kind == SqlToken::Number) {
        limit = m_dialect.limitClause(c.token.text.toInt());
    } else if (c.token.kind == SqlToken::Param) {
        limit = QStringLiteral(" LIMIT ") + c.token.text;
    } else {
        return {};
    }
    int last = count;
    while (last + 1 < nodes->size() && (*nodes)[last + 1].isBlank()) ++last;
    nodes->remove(top, last - top + 1);
    return limit;
}

SqlPiece SqlRewriter::renderWordCall(const SqlNode& word, const QString& between, const SqlNode& group) const
{
    const QString name = word.token.text;
    const QString lower = name.toLower();
    const QString plain = name + between + QLatin1Char('(') + renderNodes(group.children).text + QLatin1Char(')');
    if (lower == QLatin1String("convert")) return renderConvert(splitAtCommas(group.children), plain);
    if (lower == QLatin1String("cast")) return renderCast(group.children, plain);
    if (lower == QLatin1String("space")) return renderSpace(group.children);
    if (lower == QLatin1String("isnull") || lower == QLatin1String("coalesce")) {
        // Text when any of its values is text.
        QStringList args;
        bool texty = false;
        for (const auto& arg : splitAtCommas(group.children)) {
            const SqlRendered r = renderNodes(arg);
            args << r.text;
            texty = texty || r.texty;
        }
        return operand(QStringLiteral("coalesce") + between + QLatin1Char('(') + args.join(QLatin1Char(','))
                           + QLatin1Char(')'),
                       texty);
    }
    return operand(plain, textFunctions().contains(lower));
}

// convert(type, expr [, style])
SqlPiece SqlRewriter::renderConvert(const QList<QList<SqlNode>>& args, const QString& fallback) const
{
    if (args.size() < 2 || significant(args[0]).isEmpty()) return operand(fallback);
    bool texty = false;
    const QString cast = castTo(renderNodes(args[1]).text.trimmed(), args[0], &texty);
    return operand(cast, texty);
}

// cast(expr as type)
SqlPiece SqlRewriter::renderCast(const QList<SqlNode>& inner, const QString& fallback) const
{
    int as = -1;
    for (int i = 0; i < inner.size(); ++i)
        if (inner[i].isWord("as")) as = i;
    if (as < 0 || significant(inner.mid(as + 1)).isEmpty()) return operand(fallback);
    bool texty = false;
    const QString cast = castTo(renderNodes(inner.mid(0, as)).text.trimmed(), inner.mid(as + 1), &texty);
    return operand(cast, texty);
}

QString SqlRewriter::castTo(const QString& expr, const QList<SqlNode>& typeNodes, bool* texty) const
{
    const auto type = significant(typeNodes);
    const QString typeName = type.first().group ? QString() : type.first().token.text.toLower();
    if (textTypes().contains(typeName)) {
        int length = kDefaultTextLength;
        if (type.size() > 1 && type[1].group) {
            const auto inner = significant(type[1].children);
            if (!inner.isEmpty() && inner.first().token.kind == SqlToken::Number)
                length = inner.first().token.text.toInt();
        }
        *texty = true;
        return m_dialect.textCast(expr, length);
    }
    const QString target = integerTypes().contains(typeName) ? m_dialect.integerType()
                                                             : SqlTokenizer::text(typeNodes).trimmed();
    return QStringLiteral("CAST(%1 AS %2)").arg(expr, target);
}

SqlPiece SqlRewriter::renderSpace(const QList<SqlNode>& inner) const
{
    const auto arg = significant(inner);
    if (arg.size() == 1 && !arg.first().group && arg.first().token.kind == SqlToken::Number) {
        bool ok = false;
        const int n = arg.first().token.text.toInt(&ok);
        if (ok && n >= 0 && n <= 8000) return operand(QLatin1Char('\'') + QString(n, QLatin1Char(' ')) + QLatin1Char('\''), true);
    }
    // A computed count: cut the blanks from a long run of them (both engines know substr).
    return operand(QStringLiteral("substr('%1', 1, %2)").arg(QString(255, QLatin1Char(' ')), renderNodes(inner).text.trimmed()),
                   true);
}

SqlPiece SqlRewriter::renderCase(const QList<SqlNode>& inner, const QString& caseWord, const QString& endWord) const
{
    struct Segment {
        QString keyword;      // empty for the operand of a simple CASE
        QList<SqlNode> nodes;
    };
    QList<Segment> segments(1);
    int depth = 0;
    for (const SqlNode& n : inner) {
        if (n.isWord("case")) ++depth;
        if (n.isWord("end")) --depth;
        if (depth == 0 && (n.isWord("when") || n.isWord("then") || n.isWord("else")))
            segments.append({n.token.text, {}});
        else
            segments.last().nodes.append(n);
    }

    QList<SqlRendered> rendered;
    bool texty = false;
    for (const Segment& s : segments) {
        rendered.append(renderNodes(s.nodes));
        const QString k = s.keyword.toLower();
        if (k == QLatin1String("then") || k == QLatin1String("else")) texty = texty || rendered.last().texty;
    }

    // `case x when null then` never matches: x = NULL is unknown. Written as
    // a searched CASE the empty value takes its branch as intended.
    auto isNullValue = [](const Segment& s) {
        const auto v = significant(s.nodes);
        return v.size() == 1 && v.first().isWord("null");
    };
    bool whenNull = false;
    for (int i = 1; i < segments.size(); ++i)
        if (segments[i].keyword.toLower() == QLatin1String("when") && isNullValue(segments[i])) whenNull = true;
    const bool simple = !significant(segments.first().nodes).isEmpty();

    QString text = caseWord;
    if (simple && whenNull && !containsParam(segments.first().nodes)) {
        const QString subject = parenthesised(rendered.first());
        text += QLatin1Char(' ');
        for (int i = 1; i < segments.size(); ++i) {
            if (segments[i].keyword.toLower() != QLatin1String("when")) {
                text += segments[i].keyword + rendered[i].text;
                continue;
            }
            const QString condition = isNullValue(segments[i])
                                          ? subject + QStringLiteral(" IS NULL")
                                          : subject + QStringLiteral(" = ") + parenthesised(rendered[i]);
            text += segments[i].keyword + QLatin1Char(' ') + condition + QLatin1Char(' ');
        }
    } else {
        text += rendered.first().text;
        for (int i = 1; i < segments.size(); ++i) text += segments[i].keyword + rendered[i].text;
    }
    return operand(text + endWord, texty);
}

} // namespace cr
