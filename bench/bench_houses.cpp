// Batch house generation of one large building (33 floors, 6 doors, 8 houses
// per floor: 1,584 houses), save and commit included, on SQLite and
// PostgreSQL; next to it the same rows written by the grid's own row-by-row
// update() and by a plain bulk insert without key read-back.
//
//   bench_houses [postgresql://user@host:port/db]   (or CR_BENCH_PG)
#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "houses/house_batch.h"
#include "houses/house_numbering.h"
#include "houses/houses_views.h"
#include "schema/schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <functional>
#include <memory>

using namespace cr;

namespace {

constexpr int kFloors = 33, kDoors = 6, kPerFloor = 8, kRuns = 7;
QTextStream out(stdout);

struct Bench {
    std::unique_ptr<Sqlca> sqlca;
    std::unique_ptr<Sqlca> admin;   // PostgreSQL: drops the schema again
    QString schema;
    ViewCatalog catalog;
    qlonglong building = 0;

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

// Wall time and this program's CPU time (the database server's own work is
// in the wall time only), each the median of kRuns runs; `setup` runs untimed
// before each run.
struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
};

Timing timed(const std::function<void()>& setup, const std::function<bool()>& run, bool* ok)
{
    QList<double> wall, cpu;
    for (int i = 0; i < kRuns; ++i) {
        setup();
        QElapsedTimer t;
        const std::clock_t c0 = std::clock();
        t.start();
        *ok = run() && *ok;
        wall << t.nsecsElapsed() / 1e6;
        cpu << 1000.0 * double(std::clock() - c0) / CLOCKS_PER_SEC;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[kRuns / 2], cpu[kRuns / 2]};
}

QString line(const Timing& t, const char* what)
{
    return QStringLiteral("  %1 ms %2 ms  %3\n").arg(t.wallMs, 8, 'f', 1).arg(t.cpuMs, 8, 'f', 1).arg(QLatin1String(what));
}

// The columns and values the generation writes for one house.
const QStringList kColumns = {"commno", "buildingno", "unitno", "unitname", "floorno",
                              "housenumber", "housearea", "houseuse", "isrent", "issave"};
QVariantList rowValues(qlonglong building, int door, int floor, int house)
{
    return {QStringLiteral("110105001001"), building, door, QStringLiteral("单元"), floor,
            houses::HouseNumbering::batch(kFloors, kPerFloor, floor, house), 0, QStringLiteral("01"),
            QStringLiteral("0"), QStringLiteral("0")};
}

houses::BatchBuilding selectedBuilding(Bench& b, DataView& list)
{
    list.retrieve();
    for (int r = 1; r <= list.rowCount(); ++r)
        if (list.getItem(r, QStringLiteral("buildingno")).toLongLong() == b.building)
            return houses::BatchBuilding::fromRow(list, r);
    return {};
}

void runEngine(const DbTarget& target)
{
    Bench b;
    QString error;
    if (!prepare(b, target, &error)) {
        out << target.display() << ": " << error << "\n";
        return;
    }
    const int houses = kFloors * kDoors * kPerFloor;
    out << "\n" << b.sqlca->dialect().displayName() << " (" << target.display() << "), " << houses
        << " houses, median of " << kRuns << " runs\n";
    bool ok = true;
    std::unique_ptr<DataView> list = b.view("d_housemanage");
    std::unique_ptr<DataView> grid;

    // 1. The batch window's generation: grid rows, batched save, commit, sort.
    const Timing generate = timed(
        [&] {
            b.clearHouses();
            grid = b.view("d_housemanage_house");
            grid->retrieve({b.building});
        },
        [&] {
            const houses::BatchOutcome o = houses::HouseBatch(*b.sqlca, *grid).generate(selectedBuilding(b, *list));
            return o.result == houses::BatchOutcome::Result::Done && o.count == houses;
        },
        &ok);
    // 2. Deleting them all again.
    const Timing remove = timed(
        [&] {
            grid = b.view("d_housemanage_house");
            grid->retrieve({b.building});
            if (grid->rowCount() == 0) {
                houses::HouseBatch(*b.sqlca, *grid).generate(selectedBuilding(b, *list));
                grid->retrieve({b.building});
            }
        },
        [&] { return houses::HouseBatch(*b.sqlca, *grid).removeAll().count == houses; }, &ok);

    // The part of the generation that only fills the grid (no database).
    auto fillGrid = [&] {
        for (int d = 1; d <= kDoors; ++d)
            for (int f = 1; f <= kFloors; ++f)
                for (int h = 1; h <= kPerFloor; ++h) {
                    const int r = grid->insertRow(0);
                    const QVariantList v = rowValues(b.building, d, f, h);
                    for (int c = 0; c < kColumns.size(); ++c) grid->setItem(r, kColumns[c], v[c]);
                }
        return grid->rowCount() == houses;
    };
    const Timing fill = timed([&] { grid = b.view("d_housemanage_house"); }, fillGrid, &ok);

    // 3. The same new rows saved by the grid's own update(): one INSERT per row.
    const Timing rowByRow = timed(
        [&] {
            b.clearHouses();
            grid = b.view("d_housemanage_house");
            grid->retrieve({b.building});
            fillGrid();
        },
        [&] { return grid->update() == 1 && b.sqlca->commit(); }, &ok);

    // 4. A plain bulk insert of the same rows: multi-row INSERTs of the same
    // size as the batched save (250 values), no keys read back.
    const Timing bulk = timed([&] { b.clearHouses(); },
                              [&] {
                                  const int perRow = 10;
                                  const int rowsPer = std::max(1, std::min(250, b.sqlca->dialect().maxBoundValues()) / perRow);
                                  QVariantList values;
                                  int rows = 0;
                                  auto flush = [&] {
                                      if (rows == 0) return true;
                                      QStringList marks(rows, QStringLiteral("(?,?,?,?,?,?,?,?,?,?)"));
                                      const bool done = b.sqlca->executeRaw(
                                          QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, "
                                                         "unitname, floorno, housenumber, housearea, houseuse, isrent, "
                                                         "issave) VALUES ") + marks.join(QLatin1Char(',')), values);
                                      values.clear();
                                      rows = 0;
                                      return done;
                                  };
                                  bool done = true;
                                  for (int d = 1; d <= kDoors; ++d)
                                      for (int f = 1; f <= kFloors; ++f)
                                          for (int h = 1; h <= kPerFloor; ++h) {
                                              values << rowValues(b.building, d, f, h);
                                              if (++rows == rowsPer) done = flush() && done;
                                          }
                                  return flush() && done && b.sqlca->commit();
                              },
                              &ok);

    out << QStringLiteral("      wall   client CPU\n");
    out << line(generate, "batch generation (grid rows, batched save with keys read back, commit, sort)");
    out << line(fill, "  of which filling the grid with the new rows (no database)");
    out << line(remove, "batch deletion of all houses (DELETE ... IN, commit)");
    out << line(rowByRow, "same rows by the grid's update(): one INSERT per row, commit");
    out << line(bulk, "plain bulk insert of the same rows (no keys read back), commit");
    if (!ok) out << "  (some run failed: " << b.sqlca->sqlErrText() << ")\n";
    out.flush();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    DbTarget sqlite;
    sqlite.engine = Engine::Sqlite;
    sqlite.path = dir.filePath(QStringLiteral("bench_houses.db"));
    runEngine(sqlite);

    const QString uri = argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("CR_BENCH_PG");
    if (uri.isEmpty()) {
        out << "\nPostgreSQL: skipped (give a URI as argument or in CR_BENCH_PG)\n";
        return 0;
    }
    DbTarget pg;
    QString error;
    if (!DbTarget::parse(uri, &pg, &error)) {
        out << "\nPostgreSQL: " << error << "\n";
        return 1;
    }
    runEngine(pg);
    return 0;
}
