// Whole programs as a clerk starts them, next to the sqlite3 client doing
// the same work: the large demo load, the house list window up to its first
// paint, the generation of a building's 1,584 houses, and a generation that
// finds them all present. Runs are interleaved (ours, reference) and the
// medians compared. SQLite only: the reference is the SQLite client.
//
//   bench_processes [--runs N] [--load-runs N] [--large DBFILE]
//
// --large names the large database the list window reads: an existing file
// is used as it is (the load is not measured), a new one is made by the
// measured load and kept.
#include "bench/bench_support.h"
#include "catalog/module_catalog.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "houses/house_numbering.h"
#include "houses/houses_views.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace cr;
using namespace cr::bench;

namespace {

const QString kAdmin = QStringLiteral(CR_ADMIN_PATH);
const QString kApp = QStringLiteral(CR_APP_PATH);
constexpr int kFloors = 33, kDoors = 6, kPerFloor = 8;

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

bool copyFresh(const QString& from, const QString& to)
{
    QFile::remove(to);
    QFile::remove(to + QStringLiteral("-journal"));
    return QFile::copy(from, to);
}

// 1,584 INSERTs of the generated houses in one transaction, for the client.
QByteArray houseInserts()
{
    QByteArray sql = "BEGIN;\n";
    for (int d = 1; d <= kDoors; ++d)
        for (int f = 1; f <= kFloors; ++f)
            for (int h = 1; h <= kPerFloor; ++h)
                sql += QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, floorno, "
                                      "housenumber, housearea, houseuse, isrent, issave) VALUES ('110105001001', 1, "
                                      "%1, '单元', %2, '%3', 0, '01', '0', '0');\n")
                           .arg(d)
                           .arg(f)
                           .arg(houses::HouseNumbering::batch(kFloors, kPerFloor, f, h))
                           .toUtf8();
    return sql + "COMMIT;\n";
}

struct Pair {
    Samples ours, reference, oursCpu, referenceCpu;
    bool ok = true;

    void add(const ChildResult& a, const ChildResult& b)
    {
        ok = ok && a.ok && b.ok;
        ours << a.wallMs;
        reference << b.wallMs;
        oursCpu << a.cpuMs;
        referenceCpu << b.cpuMs;
    }
    // CPU times say more than wall times on a busy machine.
    QString cpu(const QString& reference) const
    {
        return QStringLiteral("%1; CPU %2 ms vs %3 ms").arg(reference).arg(oursCpu.median(), 0, 'f', 0).arg(referenceCpu.median(), 0, 'f', 0);
    }
};

// The batch grid's query for building 1, its argument written in.
QString houseGridSql()
{
    ViewCatalog catalog;
    houses::registerBatchViews(catalog);
    QString sql = catalog.find(QStringLiteral("d_housemanage_house"))->sql;
    return sql.replace(QStringLiteral(":al_buildingno"), QStringLiteral("1"));
}

void generation(ChildRunner& runner, const QDir& dir, int runs)
{
    const QString tpl = dir.filePath(QStringLiteral("tpl.db"));
    if (!runner.run({kAdmin, QStringLiteral("init"), tpl}).ok ||
        !runner.run({QStringLiteral("sqlite3"), tpl,
                     QStringLiteral("INSERT INTO tc_ge_building (buildingno, commno, buildingname, address, roomtype, "
                                    "upfloornum, unitnum, floorhouesnum, prepare3, issave) VALUES (1, '110105001001', "
                                    "'测试大厦', '测试路1号', '01', %1, %2, %3, '单元', '1')")
                         .arg(kFloors)
                         .arg(kDoors)
                         .arg(kPerFloor)})
             .ok) {
        out() << "  无法准备楼院" << Qt::endl;
        return;
    }
    const QString inserts = dir.filePath(QStringLiteral("inserts.sql"));
    writeFile(inserts, houseInserts());
    const QString ours = dir.filePath(QStringLiteral("ours.db")), theirs = dir.filePath(QStringLiteral("theirs.db"));
    // What the client takes to open the registry and read the building's
    // houses as the grid shows them: the least a generation that adds
    // nothing has to do, and a gauge of the machine's speed at the time.
    const QString gridRead = houseGridSql();
    Pair add;
    Samples nothing, nothingCpu, readOnly;
    for (int i = 0; i < runs; ++i) {
        copyFresh(tpl, ours);
        copyFresh(tpl, theirs);
        const ChildResult a = runner.run({kAdmin, QStringLiteral("generate-houses"), ours, QStringLiteral("--building"),
                                          QStringLiteral("1")},
                                         QString(), true);
        const ChildResult b = runner.run({QStringLiteral("sqlite3"), theirs}, inserts);
        const ChildResult again = runner.run({kAdmin, QStringLiteral("generate-houses"), ours,
                                              QStringLiteral("--building"), QStringLiteral("1")},
                                             QString(), true);
        add.add(a, b);
        add.ok = add.ok && a.output.contains(QStringLiteral("1584套")) && again.ok &&
                 again.output.contains(QStringLiteral("共生成0套"));
        nothing << again.wallMs;
        nothingCpu << again.cpuMs;
        readOnly << runner.run({QStringLiteral("sqlite3"), ours, gridRead}).wallMs;
    }
    if (!add.ok) out() << "  (某次生成没有成功)" << Qt::endl;
    printRow(QStringLiteral("1,584 houses generated and saved (SQLite), whole process"), add.ours.median(),
             add.reference.median(), 1.5, add.cpu(QStringLiteral("sqlite3: 1,584 INSERTs in one transaction")));
    printGoal(QStringLiteral("generation that adds nothing (1,584 houses present), whole process"), nothing.median(), 15,
              readOnly.median(), QStringLiteral("sqlite3: the building's houses read as the grid reads them"));
    out() << QStringLiteral("  (the same, CPU: %1 ms)").arg(nothingCpu.median(), 0, 'f', 1) << Qt::endl;
}

QString houseListSql(const QString& db)
{
    ViewCatalog catalog;
    catalog::registerViews(catalog);
    DbTarget target;
    QString error;
    DbTarget::parse(db, &target, &error);
    auto sqlca = Sqlca::connect(target, &error);
    const DataViewDef* def = catalog.find(QStringLiteral("d_ge_houseinfo"));
    return sqlca && def ? sqlca->renderedSql(def->sql) : QString();
}

void listWindow(ChildRunner& runner, const QDir& dir, const QString& db, int runs)
{
    const QString sql = houseListSql(db);
    // The picture only tells that the window has painted: uncompressed, so
    // that packing it is not timed with the window.
    const QString shot = dir.filePath(QStringLiteral("list.bmp"));
    Pair p;
    for (int i = 0; i < runs; ++i) {
        const ChildResult a = runner.run({kApp, QStringLiteral("--db"), db, QStringLiteral("--open"), QStringLiteral("房屋"),
                                          QStringLiteral("--screenshot"), shot},
                                         QString(), false, {QStringLiteral("QT_QPA_PLATFORM=offscreen")});
        const ChildResult b = runner.run({QStringLiteral("sqlite3"), db, sql});
        p.add(a, b);
    }
    if (!p.ok) out() << "  (某次运行没有成功)" << Qt::endl;
    printRow(QStringLiteral("house list window to first paint, whole process"), p.ours.median(), p.reference.median(), 2,
             p.cpu(QStringLiteral("sqlite3: the list's query, whole process")));
}

// Ours: the demo command on a new file (structure, code lists, 1.3 M rows).
// Reference: the client importing the same rows as a data-only dump into the
// same structure.
void largeLoad(ChildRunner& runner, const QDir& dir, const QString& ours, int runs)
{
    const QString schema = dir.filePath(QStringLiteral("schema.sql")), data = dir.filePath(QStringLiteral("data.sql"));
    const QString theirs = dir.filePath(QStringLiteral("import.db"));
    Pair p;
    for (int i = 0; i < runs; ++i) {
        QFile::remove(ours);
        const ChildResult a = runner.run({kAdmin, QStringLiteral("demo"), ours, QStringLiteral("--size"),
                                          QStringLiteral("large"), QStringLiteral("--seed"), QStringLiteral("20240630")});
        if (i == 0) {
            // The structure without the registry's link guards: the dump
            // lists tables in the order they were created, not in the order
            // of their links, and the client imports plain rows.
            const QString guards = runner
                                       .run({QStringLiteral("sqlite3"), ours,
                                             QStringLiteral("SELECT 'DROP TRIGGER ' || name || ';' FROM sqlite_master "
                                                            "WHERE type = 'trigger'")},
                                            QString(), true)
                                       .output;
            writeFile(schema, (runner.run({QStringLiteral("sqlite3"), ours, QStringLiteral(".schema")}, QString(), true)
                                   .output +
                               guards)
                                  .toUtf8());
            // The dump, in one transaction as the load writes it, goes to a
            // file through the shell's own redirection.
            runner.run({QStringLiteral("sh"), QStringLiteral("-c"),
                        QStringLiteral("{ echo 'BEGIN;'; sqlite3 '%1' '.dump --data-only'; echo 'COMMIT;'; } > '%2'")
                            .arg(ours, data)});
        }
        QFile::remove(theirs);
        runner.run({QStringLiteral("sqlite3"), theirs}, schema);
        const ChildResult b = runner.run({QStringLiteral("sqlite3"), theirs}, data);
        p.add(a, b);
    }
    if (!p.ok) out() << "  (某次导入没有成功)" << Qt::endl;
    QFile::remove(theirs);
    QFile::remove(data);
    printRow(QStringLiteral("large demo load, 1.3 M rows (SQLite), whole process"), p.ours.median(), p.reference.median(),
             1.1, p.cpu(QStringLiteral("sqlite3: importing a data-only dump")));
}

} // namespace

int main(int argc, char** argv)
{
    ChildRunner runner;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    Options options = Options::parse(args, 5);
    int loadRuns = 1;
    QString large;
    for (int i = 0; i + 1 < options.positional.size(); ++i) {
        if (options.positional[i] == QLatin1String("--load-runs")) loadRuns = options.positional[i + 1].toInt();
        if (options.positional[i] == QLatin1String("--large")) large = options.positional[i + 1];
    }
    if (!runner.run({QStringLiteral("sqlite3"), QStringLiteral(":memory:"), QStringLiteral("SELECT 1")}).ok) {
        out() << "sqlite3 客户端不可用" << Qt::endl;
        return 1;
    }
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    out() << QStringLiteral("Whole processes, medians of interleaved runs (%1; the load %2); load average %3")
                 .arg(options.runs)
                 .arg(loadRuns)
                 .arg(loadAverage())
          << Qt::endl;
    if (large.isEmpty()) large = dir.filePath(QStringLiteral("large.db"));
    if (!QFile::exists(large)) largeLoad(runner, dir, large, std::max(1, loadRuns));
    listWindow(runner, dir, large, options.runs);
    generation(runner, dir, options.runs * 2);
    out() << QStringLiteral("load average afterwards %1").arg(loadAverage()) << Qt::endl;
    return 0;
}
