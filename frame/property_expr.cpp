#include "frame/property_expr.h"

namespace cr {
namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#') || c == QLatin1Char('$');
}

void skipBlanks(const QString& t, int* i)
{
    while (*i < t.size() && t[*i].isSpace()) ++*i;
}

// A dotted name starting at *i; empty when there is none.
QString readName(const QString& t, int* i)
{
    const int start = *i;
    while (*i < t.size() && (isNameChar(t[*i]) || (t[*i] == QLatin1Char('.') && *i > start))) ++*i;
    return t.mid(start, *i - start);
}

bool readQuoted(const QString& t, int* i, QString* out)
{
    const QChar quote = t[*i];
    out->clear();
    for (int k = *i + 1; k < t.size(); ++k) {
        const QChar c = t[k];
        if (c == QLatin1Char('~') && k + 1 < t.size()) {
            const QChar e = t[++k];
            out->append(e == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                        : e == QLatin1Char('n') ? QChar(QLatin1Char('\n'))
                        : e == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                                 : e);
        } else if (c == quote) {
            if (k + 1 < t.size() && t[k + 1] == quote) {
                out->append(quote);
                ++k;
            } else {
                *i = k + 1;
                return true;
            }
        } else {
            out->append(c);
        }
    }
    return false;
}

bool splitName(const QString& name, QString* object, QString* path)
{
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == name.size() - 1 || name.endsWith(QLatin1Char('.'))) return false;
    *object = name.left(dot).toLower();
    *path = name.mid(dot + 1).toLower();
    return true;
}

} // namespace

bool PropertyExpr::parseModify(const QString& text, QList<PropertySetting>* settings, QString* error)
{
    settings->clear();
    int i = 0;
    auto fail = [&](const QString& message) {
        if (error) *error = QStringLiteral("第%1个字符处：%2").arg(i + 1).arg(message);
        settings->clear();
        return false;
    };
    skipBlanks(text, &i);
    if (i >= text.size()) return fail(QStringLiteral("没有要设置的属性"));
    while (i < text.size()) {
        PropertySetting s;
        const QString name = readName(text, &i);
        if (name.isEmpty()) return fail(QStringLiteral("应为属性名"));
        if (!splitName(name, &s.object, &s.path)) return fail(QStringLiteral("属性名“%1”不完整").arg(name));
        skipBlanks(text, &i);
        if (i >= text.size() || text[i] != QLatin1Char('=')) return fail(QStringLiteral("属性“%1”后缺少“=”").arg(name));
        ++i;
        skipBlanks(text, &i);
        if (i < text.size() && (text[i] == QLatin1Char('\'') || text[i] == QLatin1Char('"'))) {
            if (!readQuoted(text, &i, &s.value)) return fail(QStringLiteral("属性值缺少结束引号"));
            if (i < text.size() && !text[i].isSpace()) return fail(QStringLiteral("属性值后应为空格"));
        } else {
            const int start = i;
            while (i < text.size() && !text[i].isSpace()) ++i;
            s.value = text.mid(start, i - start);
        }
        settings->append(s);
        skipBlanks(text, &i);
    }
    return true;
}

QStringList PropertyExpr::splitDescribe(const QString& text)
{
    QStringList items;
    QString current;
    int depth = 0;
    QChar quote;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            current += c;
            if (c == QLatin1Char('~') && i + 1 < text.size()) current += text[++i];
            else if (c == quote) quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) quote = c;
        else if (c == QLatin1Char('(')) ++depth;
        else if (c == QLatin1Char(')')) --depth;
        if (c.isSpace() && depth <= 0) {
            if (!current.isEmpty()) items << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty()) items << current;
    return items;
}

bool PropertyExpr::parseReference(const QString& item, QString* object, QString* path)
{
    int i = 0;
    const QString name = readName(item, &i);
    return i == item.size() && splitName(name, object, path);
}

bool PropertyExpr::parseEvaluate(const QString& item, QString* expression, int* row)
{
    int i = 0;
    const QString name = readName(item, &i);
    if (name.compare(QLatin1String("evaluate"), Qt::CaseInsensitive) != 0) return false;
    skipBlanks(item, &i);
    if (i >= item.size() || item[i] != QLatin1Char('(')) return false;
    ++i;
    skipBlanks(item, &i);
    if (i >= item.size() || (item[i] != QLatin1Char('\'') && item[i] != QLatin1Char('"'))) return false;
    if (!readQuoted(item, &i, expression)) return false;
    skipBlanks(item, &i);
    if (i >= item.size() || item[i] != QLatin1Char(',')) return false;
    ++i;
    const int close = item.lastIndexOf(QLatin1Char(')'));
    if (close < i || !item.mid(close + 1).trimmed().isEmpty()) return false;
    bool ok = false;
    *row = item.mid(i, close - i).trimmed().toInt(&ok);
    return ok;
}

} // namespace cr
