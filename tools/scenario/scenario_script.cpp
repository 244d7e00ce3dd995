#include "scenario_script.h"

#include "relative_dates.h"

#include <QFile>
#include <QTextStream>

namespace cr::scenario {

QString ScenarioLine::rest(int count) const
{
    int pos = 0;
    for (int word = 0; word < count; ++word) {
        while (pos < text.size() && text[pos].isSpace()) ++pos;
        while (pos < text.size() && !text[pos].isSpace()) ++pos;
    }
    return text.mid(pos).trimmed();
}

bool ScenarioScript::tokenize(const QString& text, QStringList* tokens, QString* error)
{
    tokens->clear();
    int i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        QString word;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                const QChar c = text[i++];
                if (c == QLatin1Char('"')) {
                    closed = true;
                    break;
                }
                if (c == QLatin1Char('\\') && i < text.size()) {
                    const QChar e = text[i++];
                    if (e == QLatin1Char('r')) word += QLatin1Char('\r');
                    else if (e == QLatin1Char('n')) word += QLatin1Char('\n');
                    else if (e == QLatin1Char('t')) word += QLatin1Char('\t');
                    else word += e;
                    continue;
                }
                word += c;
            }
            if (!closed) {
                *error = QStringLiteral("unterminated quoted text");
                return false;
            }
        } else {
            while (i < text.size() && !text[i].isSpace()) word += text[i++];
        }
        *tokens << word;
    }
    return true;
}

bool ScenarioScript::load(const QString& path, const QDate& today, QList<ScenarioLine>* lines, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: cannot read: %2").arg(path, file.errorString());
        return false;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    int number = 0;
    while (!in.atEnd()) {
        const QString raw = in.readLine();
        ++number;
        QString text = raw.trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char('#'))) continue;
        QString problem;
        if (!replaceRelativeDates(&text, today, &problem)) {
            *error = QStringLiteral("%1:%2: %3").arg(path).arg(number).arg(problem);
            return false;
        }
        ScenarioLine line;
        line.file = path;
        line.number = number;
        line.text = text;
        if (!tokenize(text, &line.tokens, &problem)) {
            *error = QStringLiteral("%1:%2: %3").arg(path).arg(number).arg(problem);
            return false;
        }
        *lines << line;
    }
    return true;
}

} // namespace cr::scenario
