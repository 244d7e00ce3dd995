// The resident-team scope on a street-office database: opening the scope
// dialog for all buildings with a scope of 50 codes pre-ticked, next to the
// dialog's three queries run by the engine's own client (sqlite3 / psql);
// ticking and clearing a building of 1,000 items; confirming a scope of 600
// doors; and gf_scope2rprnum on those 600 doors (with the per-door time of
// the statements over the counting view for comparison).
//
//   bench_scope [SQLITE_FILE] [postgresql://user@host:port/db]     (or CR_BENCH_PG)
//
// A SQLite file that holds no registry data yet (or none given: a temporary
// one) gets the large demo community first; so does PostgreSQL, in a schema
// of its own dropped afterwards, unless the database already holds registry
// data. Run by hand; figures go to docs/benchmarks.md.
#include "catalog/module_catalog.h"
#include "frame/message_object.h"
#include "frame/sqlca.h"
#include "frame/ui_services.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "resident_teams/scope_count.h"
#include "resident_teams/scope_tree_model.h"
#include "resident_teams/scope_window.h"
#include "schema/demo/demo_generator.h"
#include "schema/schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <ctime>

using namespace cr;
using resident_teams::ScopeTree;
using resident_teams::ScopeWindow;

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

// Answers nothing, shows nothing.
class QuietUi : public UiServices {
public:
    int messageBox(const QString& title, const QString& text, Icon, Buttons, int) override
    {
        out() << "  消息：" << title << " " << text << Qt::endl;
        return 1;
    }
    std::optional<QString> selectPerson(const QString&, const QString&, const PersonSearch&) override { return {}; }
    StrMultiselect openSelection(const QString&, const StrMultiselect& p) override { return p; }
    std::unique_ptr<Progress> showProgress(const QString&) override { return nullptr; }
    void showHelp(const QString&) override {}
};

class NoProgress : public Progress {
public:
    void setText(const QString&) override {}
    void setValue(int, int) override {}
};

class QuietUiWithProgress : public QuietUi {
public:
    std::unique_ptr<Progress> showProgress(const QString&) override { return std::make_unique<NoProgress>(); }
};

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Median wall time of `runs` runs in milliseconds; the program's own CPU
// time of the same run in `cpu` (the server's work shows in the wall time only).
double medianMs(int runs, const std::function<void()>& work, double* cpu = nullptr)
{
    std::vector<std::pair<double, double>> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        work();
        ms.push_back({t.nsecsElapsed() / 1e6, cpuMs() - c0});
    }
    std::sort(ms.begin(), ms.end());
    if (cpu) *cpu = ms[ms.size() / 2].second;
    return ms[ms.size() / 2].first;
}

QString fixed(double v, int decimals = 1) { return QString::number(v, 'f', decimals); }

QStringList column(Sqlca& sqlca, const QString& sql)
{
    QStringList values;
    if (auto q = sqlca.select(sql))
        while (q->next()) values << q->value(0).toString();
    return values;
}

bool ensureDemo(Sqlca& sqlca)
{
    QString error;
    if (schema::version(sqlca) == 0 && !schema::create(sqlca, &error)) {
        out() << "建库失败：" << error << Qt::endl;
        return false;
    }
    bool holds = false;
    if (!demo::DemoGenerator::holdsRegistryData(sqlca, &holds, &error)) return false;
    if (holds) return true;
    out() << "  生成大型演示数据 ..." << Qt::endl;
    demo::DemoGenerator generator(sqlca, {.size = demo::DemoSize::Large});
    if (!generator.run(nullptr, &error)) {
        out() << "生成数据失败：" << error << Qt::endl;
        return false;
    }
    return true;
}

// The three queries of the dialog through the engine's own client, output discarded.
double clientMs(Sqlca& sqlca, const ViewCatalog& catalog, const QTemporaryDir& tmp)
{
    const QString file = tmp.filePath(QStringLiteral("scope_queries.sql"));
    QFile f(file);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const QString& sql : {catalog.find(QStringLiteral("dw_ge_building"))->sql,
                               resident_teams::ScopeSource::housesSql(), resident_teams::ScopeSource::householdsSql()})
        f.write((sqlca.renderedSql(sql) + QStringLiteral(";\n")).toUtf8());
    f.close();
    const DbTarget& t = sqlca.target();
    QProcess client;
    client.setStandardOutputFile(QProcess::nullDevice());
    QString program;
    QStringList args;
    if (t.engine == Engine::Sqlite) {
        program = QStringLiteral("sqlite3");
        args = {t.path};
        client.setStandardInputFile(file);
    } else {
        program = QStringLiteral("psql");
        args = {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"),
                QStringLiteral("-h"), t.host, QStringLiteral("-p"), QString::number(t.port), QStringLiteral("-U"),
                t.user, QStringLiteral("-d"), t.database, QStringLiteral("-f"), file};
        if (!t.schema.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("PGOPTIONS"), QStringLiteral("-c search_path=%1").arg(t.schema));
            client.setProcessEnvironment(env);
        }
    }
    bool ok = true;
    const double ms = medianMs(3, [&] {
        client.start(program, args);
        ok = ok && client.waitForFinished(-1) && client.exitCode() == 0;
    });
    return ok ? ms : -1;
}

void run(Sqlca& sqlca, const QTemporaryDir& tmp)
{
    ViewCatalog catalog;
    catalog::registerViews(catalog);
    WindowRegistry windows;
    catalog::registerWindows(windows);
    QuietUiWithProgress ui;
    MessageObject message;

    // A scope of 50 codes spread over the street, and one of 600 doors.
    const QStringList buildings = column(sqlca, QStringLiteral("SELECT 'B' + convert(varchar(10), buildingno) "
                                                               "FROM tc_ge_building ORDER BY buildingno"));
    const QStringList doors = column(sqlca, QStringLiteral(
        "SELECT DISTINCT 'B' + convert(varchar(10), h.buildingno) + 'U' + convert(varchar(10), h.unitno) "
        "FROM tc_ge_houseinfo h JOIN tc_ge_building b ON b.buildingno = h.buildingno "
        "WHERE b.roomtype = '01' AND h.unitno > 0 ORDER BY 1"));
    const QStringList houses = column(sqlca, QStringLiteral("SELECT 'H' + convert(varchar(10), houseno) FROM "
                                                            "tc_ge_houseinfo WHERE houseno % 5000 = 1"));
    const QStringList households = column(sqlca, QStringLiteral("SELECT 'R' + rprno FROM tc_ge_rpr WHERE rprno LIKE '%0001'"));
    // 10 buildings, 20 doors, 15 houses and 5 households from all over the street.
    QStringList fifty;
    const auto spread = [&](const QStringList& from, int n) {
        for (int i = 0; i < n && !from.isEmpty(); ++i) fifty << from[qsizetype(i) * from.size() / n];
    };
    spread(buildings, 10);
    spread(doors, 20);
    spread(houses, 15);
    spread(households, 5);
    const QStringList sixHundred = doors.mid(0, 600);
    out() << QStringLiteral("  楼院 %1 个，单元 %2 个；预选范围 %3 个代码").arg(buildings.size()).arg(doors.size()).arg(fifty.size())
          << Qt::endl;

    // Opening the dialog for every building, with the 50 codes pre-ticked.
    std::unique_ptr<Window> window;
    ScopeWindow* scope = nullptr;
    const auto open = [&](const QStringList& codes) {
        window.reset();
        message.powerObjectParm = StrMultiselect{QString(), codes.join(QLatin1Char(',')), QString(), QStringLiteral("一组")};
        window = windows.create(ScopeWindow::windowName(), WindowContext{sqlca, ui, catalog, message});
        window->open();
        scope = qobject_cast<ScopeWindow*>(window.get());
    };
    double openCpu = 0;
    const double openMs = medianMs(3, [&] { open(fifty); }, &openCpu);
    out() << QStringLiteral("  打开范围对话框（全部楼院，预选 50 个代码）：%1 ms（本程序 CPU %4 ms），%2 个树节点；%3")
                 .arg(fixed(openMs, 0))
                 .arg(scope->tree().itemCount())
                 .arg(scope->control(QStringLiteral("st_msg"))->text)
                 .arg(fixed(openCpu, 0))
          << Qt::endl;
    const double clientQueries = clientMs(sqlca, catalog, tmp);
    out() << QStringLiteral("  同样三个查询由 %1 客户端执行：%2 ms（比值 %3）")
                 .arg(sqlca.target().engine == Engine::Sqlite ? QStringLiteral("sqlite3") : QStringLiteral("psql"))
                 .arg(fixed(clientQueries, 0))
                 .arg(clientQueries > 0 ? fixed(openMs / clientQueries, 2) : QStringLiteral("-"))
          << Qt::endl;

    ScopeTree& tree = scope->tree();
    const auto clearAll = [&] {
        for (int r = 0; r < tree.topLevelCount(); ++r) {
            const int b = tree.topLevelItem(r);
            for (int i = b; i < tree.subtreeEnd(b); ++i)
                if (tree.isTicked(i)) tree.setTicked(i, false);
        }
    };
    double preTickMs = 0;
    for (int i = 0; i < 5; ++i) {
        clearAll();
        preTickMs = std::max(preTickMs, medianMs(1, [&] { tree.preTick(fifty.join(QLatin1Char(','))); }));
    }
    out() << QStringLiteral("  其中预选 50 个代码（最慢一次）：%1 ms").arg(fixed(preTickMs, 2)) << Qt::endl;

    // The biggest building, ticked and cleared through the item model a tree view would use.
    int biggest = tree.topLevelItem(0);
    for (int r = 0; r < tree.topLevelCount(); ++r) {
        const int b = tree.topLevelItem(r);
        if (tree.subtreeEnd(b) - b > tree.subtreeEnd(biggest) - biggest) biggest = b;
    }
    resident_teams::ScopeTreeModel model(tree);
    // Something listens, as a tree view would.
    qlonglong heard = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&](const QModelIndex& from, const QModelIndex& to) {
        heard += to.row() - from.row() + 1;
    });
    const int leaf = tree.subtreeEnd(biggest) - 1;
    // Each timed step changes the tick (untimed steps put it back).
    double tickMs = 0, clearMs = 0;
    for (int i = 0; i < 5; ++i) {
        model.setTicked(biggest, false);
        tickMs = std::max(tickMs, medianMs(1, [&] { model.setTicked(biggest, true); }));
        clearMs = std::max(clearMs, medianMs(1, [&] { model.setTicked(leaf, false); }));
    }
    out() << QStringLiteral("  最大楼院 %1（%2 个节点）：勾选（最慢一次）%3 ms，取消其中一户（连同上级）%4 ms；通知 %5 个节点")
                 .arg(tree.label(biggest))
                 .arg(tree.subtreeEnd(biggest) - biggest)
                 .arg(fixed(tickMs, 2))
                 .arg(fixed(clearMs, 2))
                 .arg(heard)
          << Qt::endl;

    // A tower bigger than any of the demo: 6 doors, 33 floors, 4 houses a floor, a household in each.
    {
        resident_teams::ScopeSource source;
        source.buildings = {{1, QStringLiteral("高层1号楼"), QStringLiteral("01")}};
        qlonglong key = 0;
        for (int door = 1; door <= 6; ++door)
            for (int floor = 1; floor <= 33; ++floor)
                for (int n = 1; n <= 4; ++n) {
                    ++key;
                    source.houses.push_back({key, 1, door, QStringLiteral("单元"), QStringLiteral("%1%2室").arg(floor).arg(n, 2, 10, QLatin1Char('0'))});
                    source.households.push_back({key, key, QString::number(900000 + key), QStringLiteral("住户")});
                }
        ScopeTree tower;
        tower.build(std::move(source));
        resident_teams::ScopeTreeModel towerModel(tower);
        QObject::connect(&towerModel, &QAbstractItemModel::dataChanged, [&](const QModelIndex& from, const QModelIndex& to) {
            heard += to.row() - from.row() + 1;
        });
        const int building = tower.topLevelItem(0);
        double towerTick = 0, towerClear = 0;
        for (int i = 0; i < 5; ++i) {
            towerModel.setTicked(building, false);
            towerTick = std::max(towerTick, medianMs(1, [&] { towerModel.setTicked(building, true); }));
            towerClear = std::max(towerClear, medianMs(1, [&] { towerModel.setTicked(tower.itemCount() - 1, false); }));
        }
        out() << QStringLiteral("  虚拟高层楼（%1 个节点）：勾选（最慢一次）%2 ms，取消其中一户 %3 ms")
                     .arg(tower.itemCount())
                     .arg(fixed(towerTick, 2))
                     .arg(fixed(towerClear, 2))
              << Qt::endl;
    }

    // Confirming a scope of 600 doors.
    open(sixHundred);
    QString confirmed;
    double confirmMs = 0;
    for (int i = 0; i < 5; ++i)
        confirmMs = std::max(confirmMs, medianMs(1, [&] { confirmed = scope->tree().selection().code; }));
    out() << QStringLiteral("  确认 600 个单元的范围（最慢一次）：%1 ms（代码 %2 个字符）").arg(fixed(confirmMs, 2)).arg(confirmed.size())
          << Qt::endl;
    window.reset();

    // The count of 600 doors.
    qlonglong rpr = 0, persons = 0;
    const QString code = sixHundred.join(QLatin1Char(','));
    double countCpu = 0;
    const double countMs = medianMs(7, [&] { resident_teams::gf_scope2rprnum(sqlca, code, rpr, persons); }, &countCpu);
    out() << QStringLiteral("  gf_scope2rprnum（600 个单元）：%1 ms（本程序 CPU %4 ms），%2 户 %3 人")
                 .arg(fixed(countMs, 1))
                 .arg(rpr)
                 .arg(persons)
                 .arg(fixed(countCpu, 1))
          << Qt::endl;
    const QString viewSum = QStringLiteral(
        "SELECT SUM(PersonNum) FROM TC_GE_RprOwnHouse, TC_GE_HouseInfo, V_TC_GE_PersonInfo "
        "WHERE TC_GE_RprOwnHouse.RprNo = V_TC_GE_PersonInfo.RprNo AND TC_GE_HouseInfo.HouseNo = TC_GE_RprOwnHouse.HouseNo "
        "AND TC_GE_HouseInfo.UnitNo = :unitno AND TC_GE_HouseInfo.BuildingNo = :buildingno");
    const double viewMs = medianMs(3, [&] {
        for (int i = 0; i < 5; ++i) {
            const QString d = sixHundred.value(i * 100);
            const int u = d.indexOf(QLatin1Char('U'));
            sqlca.selectValue(viewSum, {{"unitno", d.mid(u + 1).toLongLong()}, {"buildingno", d.mid(1, u - 1).toLongLong()}});
        }
    }) / 5;
    out() << QStringLiteral("  对比：按统计视图求和的人数语句，每个单元 %1 ms（600 个单元约 %2 秒）")
                 .arg(fixed(viewMs, 1))
                 .arg(fixed(viewMs * 600 / 1000, 0))
          << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    QString file, uri = qEnvironmentVariable("CR_BENCH_PG");
    for (const QString& a : app.arguments().mid(1)) (a.startsWith(QLatin1String("postgresql:")) ? uri : file) = a;
    if (file.isEmpty()) file = tmp.filePath(QStringLiteral("large.db"));

    QString error;
    DbTarget target;
    DbTarget::parse(file, &target, &error);
    out() << "SQLite " << file << Qt::endl;
    if (auto sqlca = Sqlca::connect(target, &error); sqlca && ensureDemo(*sqlca))
        run(*sqlca, tmp);
    else
        out() << "  打开失败：" << error << Qt::endl;

    if (uri.isEmpty()) {
        out() << "PostgreSQL：跳过（没有给出地址，也没有设置 CR_BENCH_PG）" << Qt::endl;
        return 0;
    }
    if (!DbTarget::parse(uri, &target, &error)) {
        out() << error << Qt::endl;
        return 2;
    }
    out() << "PostgreSQL " << target.display() << Qt::endl;
    auto admin = Sqlca::connect(target, &error);
    if (!admin) {
        out() << "  连接失败：" << error << Qt::endl;
        return 1;
    }
    bool holds = false;
    QString ignored;
    if (schema::version(*admin) == 0 || !demo::DemoGenerator::holdsRegistryData(*admin, &holds, &ignored) || !holds) {
        // A schema of its own for the demo, dropped afterwards.
        target.schema = QStringLiteral("cr_bench_scope_%1").arg(QCoreApplication::applicationPid());
        admin->executeRaw(QStringLiteral("CREATE SCHEMA %1").arg(target.schema));
        admin->commit();
    }
    if (auto sqlca = Sqlca::connect(target, &error); sqlca && ensureDemo(*sqlca)) {
        sqlca->executeRaw(QStringLiteral("ANALYZE"));
        run(*sqlca, tmp);
    } else {
        out() << "  失败：" << error << Qt::endl;
    }
    if (!target.schema.isEmpty()) {
        admin->executeRaw(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(target.schema));
        admin->commit();
    }
    return 0;
}
