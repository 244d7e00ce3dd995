#pragma once

// What the benchmarks share: timing, medians, child processes measured on
// their own, and the line that puts a figure next to its reference.

#include "frame/db_target.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <ctime>

namespace cr::bench {

QTextStream& out();

// Arguments: positional ones, and --runs N.
struct Options {
    QStringList positional;
    int runs = 5;
    static Options parse(const QStringList& arguments, int defaultRuns);
};

// Wall and CPU time (this process, user and system) since construction.
class Stopwatch {
public:
    Stopwatch();
    double wallMs() const;
    double cpuMs() const;

private:
    qint64 m_wallStart;
    double m_cpuStart;
};

class Samples {
public:
    Samples& operator<<(double v)
    {
        m_values << v;
        return *this;
    }
    double median() const;
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    QList<double> m_values;
};

long selfPeakKiB();

struct ChildResult {
    bool ok = false;        // started and exited with 0
    double wallMs = 0;
    double cpuMs = 0;       // user + system of the child alone
    long peakKiB = 0;       // the child's own peak resident memory
    QString output;         // what it wrote to stdout (first 64 KiB), when asked for
};

// Runs programs as whole processes and measures each by itself. The runner
// forks a small helper at once, which starts the programs: a process forked
// from a large benchmark would report the benchmark's memory as its own.
// Create it first thing in main().
class ChildRunner {
public:
    ChildRunner();
    ~ChildRunner();
    ChildRunner(const ChildRunner&) = delete;
    ChildRunner& operator=(const ChildRunner&) = delete;

    // stdinFile: read as standard input (empty: none); keepOutput: collect stdout
    // (otherwise discarded). Extra environment entries "NAME=value".
    ChildResult run(const QStringList& command, const QString& stdinFile = QString(), bool keepOutput = false,
                    const QStringList& environment = {});

private:
    int m_toHelper = -1;
    int m_fromHelper = -1;
    int m_helper = -1;
};

// The large demo community in a new database (a minute or two).
bool makeLargeDatabase(const DbTarget& target);

// One row of the comparison: this project's figure next to the reference
// and the goal ratio.
void printRow(const QString& work, double ours, double reference, double goalRatio, const QString& note = QString());
// A row with an absolute goal. A reference, when given, only shows how fast
// the machine ran at the time (what the engine's client takes for part of
// the same work).
void printGoal(const QString& work, double ours, double goalMs, double reference = 0, const QString& note = QString());

// Machine load (1-minute average) now.
QString loadAverage();

} // namespace cr::bench
