// Batch house generation of one large building (33 floors, 6 doors, 8 houses
// per floor: 1,584 houses), save and commit included, on SQLite and
// PostgreSQL; a generation that finds every house present; the deletion of
// them all; and, to choose how many rows one statement carries on each
// engine, the same rows written with keys read back by one reused
// single-row statement and by multi-row statements of several sizes.
//
//   bench_houses [postgresql://user@host:port/db] [--runs N]   (or CR_BENCH_PG)
#include "bench/bench_support.h"
#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "houses/house_batch.h"
#include "houses/house_numbering.h"
#include "houses/houses_views.h"
#include "schema/schema.h"

#include <QCoreApplication>
#include "frame/row_cursor.h"
#include <QTemporaryDir>
#include <functional>
#include <memory>

using namespace cr;
using namespace cr::bench;

namespace {

constexpr int kFloors = 33, kDoors = 6, kPerFloor = 8, kHouses = kFloors * kDoors * kPerFloor;

struct Bench {
    std::unique_ptr<Sqlca> sqlca;
    std::unique_ptr<Sqlca> admin;   // PostgreSQL: drops the schema again
    QString schema;
    ViewCatalog catalog;
    qlonglong building = 0;
    int runs = 7;

    ~Bench()
    {
        sqlca.reset();
        if (admin && !schema.isEmpty()) {
            admin->executeRaw(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
            admin->commit();
        }
    }
    std::unique_ptr<DataView> view(const char* name)
    {
        auto v = std::make_unique<DataView>(*catalog.find(QLatin1String(name)));
        v->setTransObject(sqlca.get());
        return v;
    }
    void clearHouses()
    {
        sqlca->execute(QStringLiteral("DELETE FROM tc_ge_houseinfo"));
        sqlca->commit();
    }
    houses::BatchOutcome generate()
    {
        auto list = view("d_housemanage");
        auto grid = view("d_housemanage_house");
        list->retrieve();
        grid->retrieve({building});
        const int row = list->find(QStringLiteral("buildingno = %1").arg(building), 1, list->rowCount());
        return houses::HouseBatch(*sqlca, *grid).generate(houses::BatchBuilding::fromRow(*list, row));
    }
};

bool prepare(Bench& b, const DbTarget& target, QString* error)
{
    DbTarget t = target;
    if (t.engine == Engine::Postgres) {
        b.admin = Sqlca::connect(t, error);
        if (!b.admin) return false;
        b.schema = QStringLiteral("bench_houses_%1").arg(QCoreApplication::applicationPid());
        b.admin->executeRaw(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(b.schema));
        if (!b.admin->executeRaw(QStringLiteral("CREATE SCHEMA %1").arg(b.schema)) || !b.admin->commit()) {
            *error = b.admin->sqlErrText();
            return false;
        }
        t.schema = b.schema;
    }
    b.sqlca = Sqlca::connect(t, error);
    if (!b.sqlca || !schema::create(*b.sqlca, error)) return false;
    b.sqlca->setCommNo(QStringLiteral("110105001001"));
    houses::registerViews(b.catalog);
    b.building = b.sqlca
                     ->insertReturningKey(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, "
                                                         "roomtype, upfloornum, unitnum, floorhouesnum, prepare3, "
                                                         "issave) VALUES ('110105001001', '测试大厦', '测试路1号', "
                                                         "'01', :f, :d, :h, '单元', '1')"),
                                          {{"f", kFloors}, {"d", kDoors}, {"h", kPerFloor}},
                                          QStringLiteral("buildingno"))
                     .toLongLong();
    if (!b.sqlca->commit() || b.building == 0) {
        *error = b.sqlca->sqlErrText();
        return false;
    }
    return true;
}

// Medians of `runs` runs, `setup` untimed before each.
struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
};
Timing timed(int runs, const std::function<void()>& setup, const std::function<bool()>& run, bool* ok)
{
    Samples wall, cpu;
    for (int i = 0; i < runs; ++i) {
        setup();
        const Stopwatch watch;
        *ok = run() && *ok;
        wall << watch.wallMs();
        cpu << watch.cpuMs();
    }
    return {wall.median(), cpu.median()};
}

QString line(const Timing& t, const QString& what)
{
    return QStringLiteral("  %1 ms %2 ms  %3\n").arg(t.wallMs, 8, 'f', 1).arg(t.cpuMs, 8, 'f', 1).arg(what);
}

const QStringList kColumns = {"commno", "buildingno", "unitno", "unitname", "floorno",
                              "housenumber", "housearea", "houseuse", "isrent", "issave"};
QVariantList rowValues(qlonglong building, int n)
{
    const int house = n % kPerFloor + 1, floor = n / kPerFloor % kFloors + 1, door = n / (kPerFloor * kFloors) + 1;
    return {QStringLiteral("110105001001"), building, door, QStringLiteral("单元"), floor,
            houses::HouseNumbering::batch(kFloors, kPerFloor, floor, house), 0, QStringLiteral("01"),
            QStringLiteral("0"), QStringLiteral("0")};
}

// All houses written with keys read back, `rows` rows per statement, each
// statement shape prepared once: what the data view's save does.
bool writeWithKeys(Bench& b, int rows)
{
    const QString one = QLatin1Char('(') + QStringList(kColumns.size(), QStringLiteral("?")).join(QLatin1Char(',')) +
                        QLatin1Char(')');
    auto statement = [&](int count) {
        return QStringLiteral("INSERT INTO tc_ge_houseinfo (%1) VALUES %2 RETURNING houseno%3")
            .arg(kColumns.join(QLatin1Char(',')), QStringList(count, one).join(QLatin1Char(',')),
                 count > 1 ? QStringLiteral(", ") + kColumns.join(QLatin1Char(',')) : QString());
    };
    std::unique_ptr<PreparedStatement> full = b.sqlca->prepare(statement(rows));
    if (!full || !b.sqlca->begin()) return false;
    int keys = 0;
    for (int first = 0; first < kHouses; first += rows) {
        const int count = std::min(rows, kHouses - first);
        std::unique_ptr<PreparedStatement> rest;
        if (count != rows) rest = b.sqlca->prepare(statement(count));
        PreparedStatement* q = count == rows ? full.get() : rest.get();
        QVariantList values;
        for (int i = first; i < first + count; ++i) values << rowValues(b.building, i);
        if (!q || !b.sqlca->runPrepared(*q, values, true)) return false;
        while (q->next()) ++keys;
        q->finish();
    }
    return keys == kHouses && b.sqlca->commit();
}

void runEngine(const DbTarget& target, int runs)
{
    Bench b;
    b.runs = runs;
    QString error;
    if (!prepare(b, target, &error)) {
        out() << target.display() << ": " << error << "\n";
        return;
    }
    out() << "\n" << b.sqlca->dialect().displayName() << " (" << target.display() << "), " << kHouses
          << " houses, median of " << runs << " runs, load " << loadAverage() << "\n";
    bool ok = true;

    const Timing generate = timed(runs, [&] { b.clearHouses(); },
                                  [&] { return b.generate().count == kHouses; }, &ok);
    const Timing nothing = timed(runs, [] {}, [&] { return b.generate().count == 0; }, &ok);
    const Timing remove = timed(
        runs, [&] { if (b.generate().result != houses::BatchOutcome::Result::Done) ok = false; },
        [&] {
            auto grid = b.view("d_housemanage_house");
            grid->retrieve({b.building});
            return houses::HouseBatch(*b.sqlca, *grid).removeAll().count == kHouses;
        },
        &ok);
    b.clearHouses();

    out() << QStringLiteral("      wall   client CPU\n");
    out() << line(generate, QStringLiteral("batch generation (read list and grid, lock, fill, save with keys read back, "
                                           "commit, sort); %1 row(s) per statement")
                                .arg(b.sqlca->dialect().rowsPerStatement()));
    out() << line(nothing, QStringLiteral("generation that finds all houses present"));
    out() << line(remove, QStringLiteral("batch deletion of all houses (read grid, DELETE ... RETURNING, commit)"));
    out() << "  the same rows with keys read back, by rows per statement:\n";
    for (int rows : {1, 10, 50, 100, 250}) {
        const Timing t = timed(runs, [&] { b.clearHouses(); }, [&] { return writeWithKeys(b, rows); }, &ok);
        out() << line(t, QStringLiteral("  %1 row(s) per INSERT ... RETURNING, each shape prepared once").arg(rows));
    }
    if (!ok) out() << "  (some run failed: " << b.sqlca->sqlErrText() << ")\n";
    out().flush();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const Options options = Options::parse(app.arguments(), 7);
    QTemporaryDir dir;
    DbTarget sqlite;
    sqlite.engine = Engine::Sqlite;
    sqlite.path = dir.filePath(QStringLiteral("bench_houses.db"));
    runEngine(sqlite, options.runs);

    const QString uri = options.positional.value(0, qEnvironmentVariable("CR_BENCH_PG"));
    if (uri.isEmpty()) {
        out() << "\nPostgreSQL: skipped (give a URI as argument or in CR_BENCH_PG)\n";
        return 0;
    }
    DbTarget pg;
    QString error;
    if (!DbTarget::parse(uri, &pg, &error)) {
        out() << "\nPostgreSQL: " << error << "\n";
        return 1;
    }
    runEngine(pg, options.runs);
    return 0;
}
