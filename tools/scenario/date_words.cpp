#include "date_words.h"

#include <QRegularExpression>

namespace cr::scenario {

bool substituteDates(QString* text, const QDate& today, QString* error)
{
    static const QRegularExpression word(QStringLiteral("\\{today([^}]*)\\}"));
    static const QRegularExpression offset(QStringLiteral("^([+-])(\\d{1,5})$"));
    QString result;
    qsizetype from = 0;
    for (auto it = word.globalMatch(*text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        qint64 days = 0;
        if (!m.captured(1).isEmpty()) {
            const QRegularExpressionMatch o = offset.match(m.captured(1));
            if (!o.hasMatch()) {
                *error = QStringLiteral("%1: write {today}, {today+N} or {today-N}").arg(m.captured(0));
                return false;
            }
            days = o.captured(2).toLongLong() * (o.captured(1) == QLatin1String("-") ? -1 : 1);
        }
        result += text->mid(from, m.capturedStart() - from) + today.addDays(days).toString(QStringLiteral("yyyy-MM-dd"));
        from = m.capturedEnd();
    }
    *text = result + text->mid(from);
    return true;
}

} // namespace cr::scenario
