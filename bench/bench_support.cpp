#include "bench/bench_support.h"

#include "frame/sqlca.h"
#include "schema/demo/demo_generator.h"
#include "schema/schema.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace cr::bench {
namespace {

double cpuNowMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

qint64 monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Moves all of size bytes through read() or write(), across short transfers
// and interrupted calls.
template <typename Transfer, typename Byte>
bool transferAll(Transfer transfer, int fd, Byte* p, size_t size)
{
    while (size > 0) {
        const ssize_t n = transfer(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

bool writeAll(int fd, const void* data, size_t size)
{
    return transferAll(::write, fd, static_cast<const char*>(data), size);
}

bool readAll(int fd, void* data, size_t size)
{
    return transferAll(::read, fd, static_cast<char*>(data), size);
}

bool writeBlock(int fd, const QByteArray& b)
{
    const quint32 n = quint32(b.size());
    return writeAll(fd, &n, sizeof n) && writeAll(fd, b.constData(), n);
}

bool readBlock(int fd, QByteArray* b)
{
    quint32 n = 0;
    if (!readAll(fd, &n, sizeof n)) return false;
    b->resize(qsizetype(n));
    return n == 0 || readAll(fd, b->data(), n);
}

// What the helper reports about one run.
struct Report {
    int status;
    double wallMs;
    double cpuMs;
    long peakKiB;
};

// The helper: small, forked before the benchmark allocated anything. Reads
// a request (command, stdin file, keep output, environment), runs it, answers.
[[noreturn]] void helperLoop(int in, int outFd)
{
    for (;;) {
        QByteArray command, input, keep, environment;
        if (!readBlock(in, &command) || !readBlock(in, &input) || !readBlock(in, &keep) || !readBlock(in, &environment))
            _exit(0);
        int pipeOut[2] = {-1, -1};
        const bool collect = keep == "1";
        if (collect && pipe(pipeOut) != 0) _exit(1);
        const qint64 start = monotonicNs();
        const pid_t child = fork();
        if (child == 0) {
            const int fd = input.isEmpty() ? open("/dev/null", O_RDONLY) : open(input.constData(), O_RDONLY);
            if (fd >= 0) dup2(fd, 0);
            if (collect) {
                dup2(pipeOut[1], 1);
                close(pipeOut[0]);
            } else {
                const int null = open("/dev/null", O_WRONLY);
                dup2(null, 1);
            }
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 2);
            for (const QByteArray& e : environment.split('\0'))
                if (!e.isEmpty()) putenv(strdup(e.constData()));
            QList<QByteArray> parts = command.split('\0');
            std::vector<char*> argv;
            for (QByteArray& p : parts) argv.push_back(p.data());
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        QByteArray output;
        if (collect) {
            close(pipeOut[1]);
            char buffer[4096];
            ssize_t n;
            while ((n = read(pipeOut[0], buffer, sizeof buffer)) > 0)
                if (output.size() < 65536) output.append(buffer, n);
            close(pipeOut[0]);
        }
        int status = -1;
        rusage u{};
        wait4(child, &status, 0, &u);
        const Report r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, double(monotonicNs() - start) / 1e6,
                       (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
                           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0,
                       u.ru_maxrss};
        if (!writeAll(outFd, &r, sizeof r) || !writeBlock(outFd, output)) _exit(0);
    }
}

} // namespace

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

Options Options::parse(const QStringList& arguments, int defaultRuns)
{
    Options o;
    o.runs = defaultRuns;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--runs") && i + 1 < arguments.size()) o.runs = std::max(1, arguments[++i].toInt());
        else o.positional << arguments[i];
    }
    return o;
}

Stopwatch::Stopwatch() : m_wallStart(monotonicNs()), m_cpuStart(cpuNowMs()) {}

double Stopwatch::wallMs() const
{
    return double(monotonicNs() - m_wallStart) / 1e6;
}

double Stopwatch::cpuMs() const
{
    return cpuNowMs() - m_cpuStart;
}

double Samples::median() const
{
    if (m_values.isEmpty()) return 0;
    QList<double> v = m_values;
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long selfPeakKiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

ChildRunner::ChildRunner()
{
    int down[2], up[2];
    if (pipe(down) != 0 || pipe(up) != 0) return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(down[1]);
        close(up[0]);
        helperLoop(down[0], up[1]);
    }
    close(down[0]);
    close(up[1]);
    m_toHelper = down[1];
    m_fromHelper = up[0];
    m_helper = pid;
}

ChildRunner::~ChildRunner()
{
    if (m_helper <= 0) return;
    close(m_toHelper);
    close(m_fromHelper);
    waitpid(m_helper, nullptr, 0);
}

ChildResult ChildRunner::run(const QStringList& command, const QString& stdinFile, bool keepOutput,
                             const QStringList& environment)
{
    ChildResult result;
    if (m_helper <= 0 || command.isEmpty()) return result;
    QByteArray cmd, env;
    for (const QString& c : command) cmd += c.toLocal8Bit() + '\0';
    cmd.chop(1);
    for (const QString& e : environment) env += e.toLocal8Bit() + '\0';
    Report r{};
    QByteArray output;
    if (!writeBlock(m_toHelper, cmd) || !writeBlock(m_toHelper, stdinFile.toLocal8Bit()) ||
        !writeBlock(m_toHelper, keepOutput ? "1" : "0") || !writeBlock(m_toHelper, env) ||
        !readAll(m_fromHelper, &r, sizeof r) || !readBlock(m_fromHelper, &output))
        return result;
    result.ok = r.status == 0;
    result.wallMs = r.wallMs;
    result.cpuMs = r.cpuMs;
    result.peakKiB = r.peakKiB;
    result.output = QString::fromLocal8Bit(output);
    return result;
}

bool makeLargeDatabase(const DbTarget& target)
{
    QString error;
    auto sqlca = Sqlca::connect(target, &error);
    if (!sqlca || !schema::create(*sqlca, &error)) {
        out() << "建库失败：" << error << Qt::endl;
        return false;
    }
    demo::DemoGenerator generator(*sqlca, {.size = demo::DemoSize::Large});
    demo::DemoResult result;
    if (!generator.run(&result, &error)) {
        out() << "生成数据失败：" << error << Qt::endl;
        return false;
    }
    return true;
}

void printRow(const QString& work, double ours, double reference, double goalRatio, const QString& note)
{
    const double ratio = reference > 0 ? ours / reference : 0;
    out() << QStringLiteral("| %1 | reference %2 ms | this %3 ms | %4x | goal <= %5x: %6 |%7")
                 .arg(work)
                 .arg(reference, 0, 'f', reference < 100 ? 1 : 0)
                 .arg(ours, 0, 'f', ours < 100 ? 1 : 0)
                 .arg(ratio, 0, 'f', 2)
                 .arg(goalRatio, 0, 'f', 1)
                 .arg(ratio <= goalRatio ? QStringLiteral("met") : QStringLiteral("NOT met"))
                 .arg(note.isEmpty() ? QString() : QStringLiteral(" %1 |").arg(note))
          << Qt::endl;
}

void printGoal(const QString& work, double ours, double goalMs, double reference, const QString& note)
{
    out() << QStringLiteral("| %1 | %2 | this %3 ms | %4 | goal <= %5 ms: %6 |%7")
                 .arg(work)
                 .arg(reference > 0 ? QStringLiteral("reference %1 ms").arg(reference, 0, 'f', 1) : QStringLiteral("-"))
                 .arg(ours, 0, 'f', 1)
                 .arg(reference > 0 ? QStringLiteral("%1x").arg(ours / reference, 0, 'f', 2) : QString())
                 .arg(goalMs, 0, 'f', 0)
                 .arg(ours <= goalMs ? QStringLiteral("met") : QStringLiteral("NOT met"))
                 .arg(note.isEmpty() ? QString() : QStringLiteral(" %1 |").arg(note))
          << Qt::endl;
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("?");
    return QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 0);
}

} // namespace cr::bench
