#include "relative_dates.h"

#include <QRegularExpression>

namespace cr::scenario {

bool replaceRelativeDates(QString* text, const QDate& today, QString* error)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{today([^}]*)\\}"));
    static const QRegularExpression step(QStringLiteral("([+-])(\\d+)([ymd])"));
    QString result;
    qsizetype done = 0;
    for (auto it = placeholder.globalMatch(*text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QDate date = today;
        const QString steps = m.captured(1);
        qsizetype at = 0;
        while (at < steps.size()) {
            const QRegularExpressionMatch s = step.match(steps, at, QRegularExpression::NormalMatch,
                                                         QRegularExpression::AnchorAtOffsetMatchOption);
            if (!s.hasMatch()) {
                *error = QStringLiteral("cannot read the date %1 (write {today-16y+1d})").arg(m.captured(0));
                return false;
            }
            const int n = (s.captured(1) == QLatin1String("-") ? -1 : 1) * s.captured(2).toInt();
            const QChar unit = s.captured(3).front();
            if (unit == QLatin1Char('y')) date = date.addYears(n);
            else if (unit == QLatin1Char('m')) date = date.addMonths(n);
            else date = date.addDays(n);
            at += s.capturedLength();
        }
        result += text->mid(done, m.capturedStart() - done) + date.toString(Qt::ISODate);
        done = m.capturedEnd();
    }
    result += text->mid(done);
    *text = result;
    return true;
}

} // namespace cr::scenario
