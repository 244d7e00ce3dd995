#include "resident_teams/scope_text.h"

#include <QList>

namespace cr::resident_teams {

int characterCount(const QString& text)
{
    return int(text.toUcs4().size());
}

QString firstCharacters(const QString& text, int limit)
{
    int n = 0;
    qsizetype i = 0;
    for (; i < text.size() && n < limit; ++i, ++n)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    return text.left(i);
}

QString scopeLines(const QString& names)
{
    QString lines = names;
    return lines.replace(QLatin1Char(','), QStringLiteral("\r\n"));
}

} // namespace cr::resident_teams
