#include "date_words.h"

#include <QRegularExpression>

namespace cr::scenario {

bool substituteDates(QString* text, const QDate& today, QString* error)
{
    static const QRegularExpression word(QStringLiteral("\\{today([^}]*)\\}"));
    static const QRegularExpression offset(QStringLiteral("^(?:([+-]\\d{1,3})y)?([+-]\\d{1,5})?$"));
    QString result;
    qsizetype from = 0;
    for (auto it = word.globalMatch(*text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QRegularExpressionMatch o = offset.match(m.captured(1));
        if (!o.hasMatch()) {
            *error = QStringLiteral("%1: write {today}, {today+N}, {today-N}, {today-Ny} or {today-Ny+N}")
                         .arg(m.captured(0));
            return false;
        }
        const QDate date = today.addYears(o.captured(1).toInt()).addDays(o.captured(2).toLongLong());
        result += text->mid(from, m.capturedStart() - from) + date.toString(QStringLiteral("yyyy-MM-dd"));
        from = m.capturedEnd();
    }
    *text = result + text->mid(from);
    return true;
}

} // namespace cr::scenario
