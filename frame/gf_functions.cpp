#include "frame/gf_functions.h"

namespace cr {
namespace {
QDate g_todayOverride;
}

long gf_substr(const QString& text, const QString& separator, QStringList& pieces, long& count)
{
    pieces.clear();
    if (!text.isEmpty()) {
        if (separator.isEmpty())
            pieces << text;
        else
            pieces = text.split(separator, Qt::KeepEmptyParts);
    }
    count = static_cast<long>(pieces.size());
    return count;
}

QStringList gf_substr(const QString& text, const QString& separator)
{
    QStringList pieces;
    long count = 0;
    gf_substr(text, separator, pieces, count);
    return pieces;
}

QString gf_replaceall(const QString& text, const QString& oldText, const QString& newText)
{
    if (oldText.isEmpty()) return text;
    QString result = text;
    return result.replace(oldText, newText);
}

std::optional<int> f_getpersonage(const QDate& today, const QDate& birthdate)
{
    if (!today.isValid() || !birthdate.isValid()) return std::nullopt;
    if (birthdate > today) return 0;
    int years = today.year() - birthdate.year();
    if (today.month() < birthdate.month() || (today.month() == birthdate.month() && today.day() < birthdate.day()))
        --years;
    return years;
}

QDate today()
{
    return g_todayOverride.isValid() ? g_todayOverride : QDate::currentDate();
}

void setTodayOverride(const QDate& date)
{
    g_todayOverride = date;
}

} // namespace cr
