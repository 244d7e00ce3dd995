// Loads the demo community into a fresh database on each engine and prints
// rows and seconds per table. Run by hand; figures go to docs/benchmarks.md.
//
//   bench_load [--size small|large] [--seed N] [postgresql://user@host:port/db]
//
// SQLite uses a file in a temporary folder. PostgreSQL uses the URI given or
// the environment variable CR_BENCH_PG (skipped when there is neither); the
// load goes into a schema of its own that is dropped afterwards.
#include "frame/sqlca.h"
#include "schema/demo/demo_generator.h"
#include "schema/schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace cr;

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

double secondsOf(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e9; }

bool load(Sqlca& sqlca, const demo::DemoOptions& options)
{
    QString error;
    QElapsedTimer timer;
    timer.start();
    if (!schema::create(sqlca, &error)) {
        out() << "  建立结构失败：" << error << Qt::endl;
        return false;
    }
    out() << QStringLiteral("  建立结构（表、视图、代码表） %1 秒").arg(secondsOf(timer), 0, 'f', 2) << Qt::endl;

    timer.restart();
    demo::DemoGenerator generator(sqlca, options);
    demo::DemoResult result;
    if (!generator.run(&result, &error)) {
        out() << "  写入失败：" << error << Qt::endl;
        return false;
    }
    const double total = secondsOf(timer);
    double inserts = 0;
    out() << QStringLiteral("  %1 %2 %3").arg(QStringLiteral("表"), -24).arg(QStringLiteral("行数"), 10)
                 .arg(QStringLiteral("INSERT 秒数"), 12)
          << Qt::endl;
    for (const demo::TableLoad& t : result.tables) {
        out() << QStringLiteral("  %1 %2 %3").arg(t.table, -24).arg(t.rows, 10).arg(t.seconds, 12, 'f', 2) << Qt::endl;
        inserts += t.seconds;
    }
    out() << QStringLiteral("  %1 %2 %3").arg(QStringLiteral("合计"), -24).arg(result.totalRows(), 10)
                 .arg(inserts, 12, 'f', 2)
          << Qt::endl
          << QStringLiteral("  生成、写入、读回编号和提交共 %1 秒，每秒 %2 行")
                 .arg(total, 0, 'f', 1)
                 .arg(qRound64(double(result.totalRows()) / total))
          << Qt::endl;
    return true;
}

bool benchSqlite(const demo::DemoOptions& options)
{
    QTemporaryDir dir;
    DbTarget target;
    target.engine = Engine::Sqlite;
    target.path = dir.filePath(QStringLiteral("bench.db"));
    out() << "SQLite：" << target.path << Qt::endl;
    QString error;
    auto sqlca = Sqlca::connect(target, &error);
    if (!sqlca) {
        out() << "  " << error << Qt::endl;
        return false;
    }
    return load(*sqlca, options);
}

bool benchPostgres(const QString& uri, const demo::DemoOptions& options)
{
    DbTarget target;
    QString error;
    if (!DbTarget::parse(uri, &target, &error) || target.engine != Engine::Postgres) {
        out() << "PostgreSQL 地址不可用：" << uri << " " << error << Qt::endl;
        return false;
    }
    out() << "PostgreSQL：" << target.display() << Qt::endl;
    auto admin = Sqlca::connect(target, &error);
    if (!admin) {
        out() << "  " << error << Qt::endl;
        return false;
    }
    const QString schemaName = QStringLiteral("cr_bench_%1").arg(QCoreApplication::applicationPid());
    if (!admin->executeRaw(QStringLiteral("CREATE SCHEMA %1").arg(schemaName)) || !admin->commit()) {
        out() << "  " << admin->sqlErrText() << Qt::endl;
        return false;
    }
    target.schema = schemaName;
    bool ok = false;
    {
        auto sqlca = Sqlca::connect(target, &error);
        if (sqlca) ok = load(*sqlca, options);
        else out() << "  " << error << Qt::endl;
    }
    admin->executeRaw(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schemaName));
    admin->commit();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    demo::DemoOptions options;
    options.size = demo::DemoSize::Large;
    QString uri = qEnvironmentVariable("CR_BENCH_PG");
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--size") && i + 1 < args.size()) {
            if (!demo::parseDemoSize(args[++i], &options.size)) return 2;
        } else if (args[i] == QLatin1String("--seed") && i + 1 < args.size()) {
            options.seed = args[++i].toULongLong();
        } else {
            uri = args[i];
        }
    }
    bool ok = benchSqlite(options);
    if (uri.isEmpty()) out() << "PostgreSQL：跳过（没有给出地址，也没有设置 CR_BENCH_PG）" << Qt::endl;
    else ok = benchPostgres(uri, options) && ok;
    return ok ? 0 : 1;
}
