// Retrieves the house list of a large street-office database (every house
// joined with its building, the door name computed by the database) into a
// data view, evaluates the list's area total, and prints time and peak
// memory next to the same query run by the sqlite3 command-line client.
//
//   bench_house_list [DBFILE]
//
// Without DBFILE a large demo database is generated in a temporary folder
// first (a few minutes). Run by hand; figures go to docs/benchmarks.md.
#include "catalog/module_catalog.h"
#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "schema/demo/demo_generator.h"
#include "schema/schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>
#include <sys/wait.h>

using namespace cr;

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

long peakKiB(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

bool makeLargeDatabase(const QString& path)
{
    QString error;
    DbTarget target;
    DbTarget::parse(path, &target, &error);
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    QString path = app.arguments().value(1);
    if (path.isEmpty()) {
        path = tmp.filePath(QStringLiteral("large.db"));
        out() << "生成大型数据库 " << path << " ..." << Qt::endl;
        QElapsedTimer t;
        t.start();
        if (!makeLargeDatabase(path)) return 1;
        out() << QStringLiteral("  用时 %1 秒").arg(t.elapsed() / 1000.0, 0, 'f', 1) << Qt::endl;
    }
    const long baseline = peakKiB(RUSAGE_SELF);

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

    DataView view(*def);
    view.setTransObject(sqlca.get());
    QElapsedTimer timer;
    timer.start();
    const long rows = view.retrieve();
    const double retrieveSeconds = timer.elapsed() / 1000.0;
    timer.restart();
    const QVariant total = view.summary(0);
    const double summarySeconds = timer.elapsed() / 1000.0;
    const long peak = peakKiB(RUSAGE_SELF);

    out() << QStringLiteral("数据视图 d_ge_houseinfo：%1 行，检索 %2 秒，合计 sum(housearea for all) = %3（%4 秒）")
                 .arg(rows)
                 .arg(retrieveSeconds, 0, 'f', 2)
                 .arg(total.toDouble(), 0, 'f', 2)
                 .arg(summarySeconds, 0, 'f', 3)
          << Qt::endl;
    out() << QStringLiteral("  进程内存峰值 %1 MiB（检索前 %2 MiB）").arg(peak / 1024.0, 0, 'f', 1)
                 .arg(baseline / 1024.0, 0, 'f', 1)
          << Qt::endl;

    // The same query through the sqlite3 client, output discarded.
    const QString sql = sqlca->renderedSql(def->sql);
    QProcess client;
    client.setStandardOutputFile(QProcess::nullDevice());
    timer.restart();
    client.start(QStringLiteral("sqlite3"), {path, sql});
    if (!client.waitForFinished(-1) || client.exitCode() != 0) {
        out() << "  sqlite3 客户端不可用，跳过对比" << Qt::endl;
        return 0;
    }
    out() << QStringLiteral("sqlite3 客户端同一查询：%1 秒，内存峰值 %2 MiB")
                 .arg(timer.elapsed() / 1000.0, 0, 'f', 2)
                 .arg(peakKiB(RUSAGE_CHILDREN) / 1024.0, 0, 'f', 1)
          << Qt::endl;
    return 0;
}
