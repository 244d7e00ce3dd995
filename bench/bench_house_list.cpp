// Retrieves the house list of a large street-office database (every house
// joined with its building, the door name computed by the database) into a
// data view, evaluates the list's area total, and prints time and peak
// memory next to the same query run by the engine's own client (sqlite3,
// psql) as a whole process. Runs are interleaved in pairs (view, client) and
// their medians compared.
//
//   bench_house_list [DBFILE] [--pg postgresql://user@host:port/db] [--runs N]
//
// Without DBFILE a large demo database is generated in a temporary folder
// first; with --pg the same is loaded into a schema of its own on that
// server (dropped afterwards) and measured as well. Figures go to
// docs/benchmarks.md.
#include "bench/bench_support.h"
#include "catalog/module_catalog.h"
#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"

#include <QCoreApplication>
#include <QTemporaryDir>

using namespace cr;
using namespace cr::bench;

namespace {

// peakIsTheViews: the process's peak is the view's only while nothing larger ran
// in this process before (the PostgreSQL load does).
void measure(ChildRunner& client, const DbTarget& target, const QStringList& clientCommand, int runs, bool peakIsTheViews)
{
    ViewCatalog catalog;
    catalog::registerViews(catalog);
    const DataViewDef* def = catalog.find(QStringLiteral("d_ge_houseinfo"));
    QString error;
    auto sqlca = Sqlca::connect(target, &error);
    if (!sqlca || !def) {
        out() << "打开失败：" << error << Qt::endl;
        return;
    }
    const QString sql = sqlca->renderedSql(def->sql);
    QStringList command = clientCommand;
    command.replaceInStrings(QStringLiteral("@SQL@"), sql);
    const bool haveClient = client.run(QStringList(command).replaceInStrings(sql, QStringLiteral("SELECT 1"))).ok;

    Samples viewWall, viewCpu, summaryWall, clientWall, clientCpu;
    long rows = 0;
    QVariant total;
    long clientPeak = 0;
    for (int i = 0; i < runs; ++i) {
        {
            DataView view(*def);
            view.setTransObject(sqlca.get());
            const Stopwatch watch;
            rows = view.retrieve();
            viewWall << watch.wallMs();
            viewCpu << watch.cpuMs();
            const Stopwatch sum;
            total = view.summary(0);
            summaryWall << sum.wallMs();
        }
        if (haveClient) {
            const ChildResult r = client.run(command);
            clientWall << r.wallMs;
            clientCpu << r.cpuMs;
            clientPeak = std::max(clientPeak, r.peakKiB);
        }
    }
    const QString engine = sqlca->dialect().displayName();
    out() << QStringLiteral("%1：数据视图 d_ge_houseinfo %2 行，合计 %3；%4 次交替运行的中位数，负载 %5")
                 .arg(engine)
                 .arg(rows)
                 .arg(total.toDouble(), 0, 'f', 2)
                 .arg(runs)
                 .arg(loadAverage())
          << Qt::endl;
    out() << QStringLiteral("  检索 %1 ms（CPU %2 ms），合计 %3 ms，进程内存峰值 %4 MiB")
                 .arg(viewWall.median(), 0, 'f', 0)
                 .arg(viewCpu.median(), 0, 'f', 0)
                 .arg(summaryWall.median(), 0, 'f', 1)
                 .arg(selfPeakKiB() / 1024.0, 0, 'f', 1)
          << Qt::endl;
    if (!haveClient) {
        out() << QStringLiteral("  客户端 %1 不可用，跳过对比").arg(command.first()) << Qt::endl;
        return;
    }
    out() << QStringLiteral("  %1 同一查询（整个进程，输出丢弃）：%2 ms（CPU %3 ms），内存峰值 %4 MiB")
                 .arg(command.first())
                 .arg(clientWall.median(), 0, 'f', 0)
                 .arg(clientCpu.median(), 0, 'f', 0)
                 .arg(clientPeak / 1024.0, 0, 'f', 1)
          << Qt::endl;
    printRow(QStringLiteral("house list into a data view (%1)").arg(engine), viewWall.median(), clientWall.median(), 1.5,
             peakIsTheViews ? QStringLiteral("memory %1 MiB, goal <= 80 MiB").arg(selfPeakKiB() / 1024.0, 0, 'f', 0)
                            : QStringLiteral("memory: the load ran in this process before"));
}

} // namespace

int main(int argc, char** argv)
{
    // Before anything grows: the client's memory is measured in a process
    // that does not start as a copy of this one.
    ChildRunner client;
    QCoreApplication app(argc, argv);
    Options options = Options::parse(app.arguments(), 5);
    QString pgUri;
    const qsizetype pg = options.positional.indexOf(QStringLiteral("--pg"));
    if (pg >= 0 && pg + 1 < options.positional.size()) {
        pgUri = options.positional.takeAt(pg + 1);
        options.positional.removeAt(pg);
    }
    QTemporaryDir tmp;
    QString path = options.positional.value(0);
    QString error;
    DbTarget sqlite;
    if (path.isEmpty()) {
        path = tmp.filePath(QStringLiteral("large.db"));
        DbTarget::parse(path, &sqlite, &error);
        out() << "生成大型数据库 " << path << " ..." << Qt::endl;
        if (!makeLargeDatabase(sqlite)) return 1;
    }
    DbTarget::parse(path, &sqlite, &error);
    measure(client, sqlite, {QStringLiteral("sqlite3"), path, QStringLiteral("@SQL@")}, options.runs,
            !options.positional.isEmpty());
    if (pgUri.isEmpty()) return 0;

    DbTarget server;
    if (!DbTarget::parse(pgUri, &server, &error)) {
        out() << "PostgreSQL: " << error << Qt::endl;
        return 1;
    }
    auto admin = Sqlca::connect(server, &error);
    if (!admin) {
        out() << "PostgreSQL: " << error << Qt::endl;
        return 1;
    }
    const QString schema = QStringLiteral("bench_list_%1").arg(QCoreApplication::applicationPid());
    admin->executeRaw(QStringLiteral("CREATE SCHEMA %1").arg(schema));
    admin->commit();
    DbTarget target = server;
    target.schema = schema;
    out() << "在 PostgreSQL 中生成大型数据库 ..." << Qt::endl;
    if (makeLargeDatabase(target))
        measure(client,
                target,
                {QStringLiteral("psql"), QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-h"), server.host,
                 QStringLiteral("-p"), QString::number(server.port), QStringLiteral("-U"), server.user,
                 QStringLiteral("-d"), server.database, QStringLiteral("-c"),
                 QStringLiteral("SET search_path TO %1").arg(schema), QStringLiteral("-c"), QStringLiteral("@SQL@")},
                options.runs, false);
    admin->executeRaw(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schema));
    admin->commit();
    return 0;
}
