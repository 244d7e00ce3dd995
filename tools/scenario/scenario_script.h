#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace cr::scenario {

// One command line of a scenario file.
struct ScenarioLine {
    QString file;
    int number = 0;
    QString text;          // the line as written, trimmed
    QStringList tokens;    // words; "quoted text" is one word, quotes removed

    // The line after its first `count` words, as written (for `sql`).
    QString rest(int count) const;
    QString where() const { return QStringLiteral("%1:%2").arg(file).arg(number); }
};

// Reads a scenario file: one command per line, blank lines and lines starting
// with '#' skipped. Inside "double quotes" \" \\ \r \n and \t are escapes.
// {today}, {today+N} and {today-N} stand for dates counted from `today`.
class ScenarioScript {
public:
    static bool load(const QString& path, const QDate& today, QList<ScenarioLine>* lines, QString* error);
    static bool tokenize(const QString& text, QStringList* tokens, QString* error);
};

} // namespace cr::scenario
