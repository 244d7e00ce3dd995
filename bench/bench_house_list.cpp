// Retrieves the house list of a large street-office database (every house
// joined with its building, the door name computed by the database) into a
// data view, evaluates the list's area total, and prints time and peak
// memory next to the same query run by the sqlite3 command-line client.
// Runs are interleaved in pairs (view, client) and their medians compared.
//
//   bench_house_list [DBFILE] [--runs N]
//
// Without DBFILE a large demo database is generated in a temporary folder
// first (a minute or two). Run by hand; figures go to docs/benchmarks.md.
#include "bench/bench_support.h"
#include "catalog/module_catalog.h"
#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace cr;
using namespace cr::bench;

int main(int argc, char** argv)
{
    // Before anything grows: the client's memory is measured in a process
    // that does not start as a copy of this one.
    ChildRunner client;
    QCoreApplication app(argc, argv);
    const Options options = Options::parse(app.arguments(), 5);
    QTemporaryDir tmp;
    QString path = options.positional.value(0);
    if (path.isEmpty()) {
        path = tmp.filePath(QStringLiteral("large.db"));
        out() << "生成大型数据库 " << path << " ..." << Qt::endl;
        if (!makeLargeDatabase(path)) return 1;
    }

    ViewCatalog catalog;
    catalog::registerViews(catalog);
    const DataViewDef* def = catalog.find(QStringLiteral("d_ge_houseinfo"));
    QString error;
    DbTarget target;
    DbTarget::parse(path, &target, &error);
    auto sqlca = Sqlca::connect(target, &error);
    if (!sqlca || !def) {
        out() << "打开失败：" << error << Qt::endl;
        return 1;
    }
    const QString sql = sqlca->renderedSql(def->sql);
    const bool haveClient = client.run({QStringLiteral("sqlite3"), path, QStringLiteral("SELECT 1")}).ok;

    Samples viewWall, viewCpu, summaryWall, clientWall, clientCpu;
    long rows = 0;
    QVariant total;
    long clientPeak = 0;
    for (int i = 0; i < options.runs; ++i) {
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
            const ChildResult r = client.run({QStringLiteral("sqlite3"), path, sql});
            clientWall << r.wallMs;
            clientCpu << r.cpuMs;
            clientPeak = std::max(clientPeak, r.peakKiB);
        }
    }
    const long peak = selfPeakKiB();

    out() << QStringLiteral("数据视图 d_ge_houseinfo：%1 行，合计 %2；%3 次交替运行的中位数")
                 .arg(rows)
                 .arg(total.toDouble(), 0, 'f', 2)
                 .arg(options.runs)
          << Qt::endl;
    out() << QStringLiteral("  检索 %1 ms（CPU %2 ms），合计 %3 ms，进程内存峰值 %4 MiB")
                 .arg(viewWall.median(), 0, 'f', 0)
                 .arg(viewCpu.median(), 0, 'f', 0)
                 .arg(summaryWall.median(), 0, 'f', 1)
                 .arg(peak / 1024.0, 0, 'f', 1)
          << Qt::endl;
    if (!haveClient) {
        out() << "  sqlite3 客户端不可用，跳过对比" << Qt::endl;
        return 0;
    }
    out() << QStringLiteral("  sqlite3 客户端同一查询（整个进程，输出丢弃）：%1 ms（CPU %2 ms），内存峰值 %3 MiB")
                 .arg(clientWall.median(), 0, 'f', 0)
                 .arg(clientCpu.median(), 0, 'f', 0)
                 .arg(clientPeak / 1024.0, 0, 'f', 1)
          << Qt::endl;
    printRow(QStringLiteral("house list into a data view"), viewWall.median(), clientWall.median(), 1.5,
             QStringLiteral("memory %1 MiB, goal <= 80 MiB").arg(peak / 1024.0, 0, 'f', 0));
    return 0;
}
