#pragma once

#include "frame/colors.h"
#include "frame/dataview.h"

#include <QString>
#include <QStringList>
#include <ostream>

namespace cr::test {

// The look of a form field as one word, the way the building register sets
// it: "required", "optional", "grey" or "locked" (grey and tab order 0),
// followed by the tab order: "required 80".
inline QString fieldState(const DataView& form, const QString& column)
{
    QString tag = form.describe(column + QStringLiteral(".Tag"));
    if (tag == QLatin1String("?") || tag == QLatin1String("!")) tag.clear();
    const QString colour = form.describe(column + QStringLiteral(".Background.Color"));
    const int tab = form.tabOrder(column);
    QString look;
    if (colour == colors::text(colors::lockedGrey) && tag.isEmpty())
        look = tab == 0 ? QStringLiteral("locked") : QStringLiteral("grey");
    else if (colour == colors::text(colors::required) && tag == QLatin1String("1"))
        look = QStringLiteral("required");
    else if (colour == colors::text(colors::optional) && tag.isEmpty())
        look = QStringLiteral("optional");
    else
        look = QStringLiteral("odd(colour %1, tag '%2')").arg(colour, tag);
    return QStringLiteral("%1 %2").arg(look).arg(tab);
}

} // namespace cr::test

// Readable failures for QString and QStringList comparisons.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(", ").toStdString() << ']'; }
