#include "houses/house_batch.h"

#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "houses/houses_views.h"
#include "support/test_db.h"

#include <memory>

namespace cr::houses {
namespace {

class HouseBatchTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        registerViews(catalog);
        db().setCommNo(QStringLiteral("110105001001"));
    }

    qlonglong building(QVariant kind, QVariant floors, QVariant doors, QVariant perFloor,
                       const QString& word = QStringLiteral("单元"))
    {
        const QVariant k = db().insertReturningKey(
            QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype, upfloornum, "
                           "unitnum, floorhouesnum, prepare3) VALUES ('1', :name, :name, :kind, :floors, :doors, "
                           ":per, :word)"),
            {{"name", QStringLiteral("楼%1").arg(++m_buildings)}, {"kind", kind}, {"floors", floors},
             {"doors", doors}, {"per", perFloor}, {"word", word}},
            QStringLiteral("buildingno"));
        EXPECT_FALSE(k.isNull()) << db().sqlErrText().toStdString();
        return k.toLongLong();
    }
    void house(qlonglong b, QVariant door, const QString& number)
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, floorno, "
                                                "housenumber, issave) VALUES ('1', :b, :door, 1, :n, '1')"),
                                 {{"b", b}, {"door", door}, {"n", number}}))
            << db().sqlErrText().toStdString();
    }
    // The building as the batch window's list shows it, and its house grid.
    BatchBuilding load(qlonglong b)
    {
        buildings = std::make_unique<DataView>(*catalog.find(QStringLiteral("d_housemanage")));
        buildings->setTransObject(&db());
        EXPECT_GE(buildings->retrieve(), 1);
        loadGrid(b);
        for (int r = 1; r <= buildings->rowCount(); ++r)
            if (buildings->getItem(r, QStringLiteral("buildingno")).toLongLong() == b)
                return BatchBuilding::fromRow(*buildings, r);
        ADD_FAILURE() << "building not listed";
        return {};
    }
    void loadGrid(qlonglong b)
    {
        grid = std::make_unique<DataView>(*catalog.find(QStringLiteral("d_housemanage_house")));
        grid->setTransObject(&db());
        EXPECT_GE(grid->retrieve({b}), 0);
    }
    BatchOutcome generate(qlonglong b)
    {
        const BatchBuilding values = load(b);
        return HouseBatch(db(), *grid).generate(values);
    }
    qlonglong stored(qlonglong b)
    {
        return db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo WHERE buildingno = :b"),
                                {{"b", b}}).toLongLong();
    }
    QStringList gridColumn(const char* column)
    {
        QStringList out;
        for (int r = 1; r <= grid->rowCount(); ++r) out << grid->getItem(r, QLatin1String(column)).toString();
        return out;
    }

    ViewCatalog catalog;
    std::unique_ptr<DataView> buildings;
    std::unique_ptr<DataView> grid;
    int m_buildings = 0;
};

TEST_P(HouseBatchTest, GeneratesWhatTheCountsCallFor)
{
    const struct {
        QVariant kind, floors, doors, perFloor;
        int expected;
        QStringList firstNumbers;   // grid order: door, floor, number
        QString firstDoor;
    } cases[] = {
        {"01", 6, 2, 2, 24, {"101室", "102室", "201室"}, "1"},
        {"01", 1, 1, 3, 3, {"01室", "02室", "03室"}, "1"},
        {"01", 10, 1, 2, 20, {"0101室", "0102室", "0201室"}, "1"},
        {"02", 1, 0, 5, 5, {"1", "2", "3"}, "0"},            // bungalows: door 0, numbers 1..n
        {QVariant(), 2, 1, 1, 2, {"101室", "201室"}, "1"},    // no kind: multi-storey
        {"03", 2, 1, 1, 2, {"101室", "201室"}, "1"},          // any other kind too
    };
    const auto number = [](const QVariant& v) {
        return v.isNull() ? std::nullopt : std::optional<long long>(v.toLongLong());
    };
    for (const auto& c : cases) {
        const qlonglong b = building(c.kind, c.floors, c.doors, c.perFloor);
        ASSERT_TRUE(db().commit());
        // The values as the selected row holds them (the list shows kinds 01
        // and 02 only; the rule for other kinds is tested all the same).
        loadGrid(b);
        const BatchBuilding values{number(c.floors), number(c.doors), number(c.perFloor), QStringLiteral("单元"), b,
                                   c.kind.toString()};
        const BatchOutcome o = HouseBatch(db(), *grid).generate(values);
        EXPECT_EQ(o.result, BatchOutcome::Result::Done);
        EXPECT_EQ(o.count, c.expected);
        EXPECT_EQ(o.text, QStringLiteral("批量生成房屋成功，此次共生成%1套房屋！").arg(c.expected));
        EXPECT_EQ(stored(b), c.expected);
        EXPECT_EQ(gridColumn("housenumber").mid(0, c.firstNumbers.size()), c.firstNumbers);
        if (c.expected > 0) EXPECT_EQ(grid->getItem(1, QStringLiteral("unitno")).toString(), c.firstDoor);
        EXPECT_FALSE(grid->modifiedCount()) << "rows left unsaved";
    }
}

// A negative count once reported "成功…0套": it is refused, nothing stored.
TEST_P(HouseBatchTest, ANegativeCountIsRefusedNotReportedAsSuccess)
{
    const qlonglong b = building("01", -2, 1, 2);
    ASSERT_TRUE(db().commit());
    const BatchOutcome o = generate(b);
    EXPECT_EQ(o.result, BatchOutcome::Result::Refused);
    EXPECT_EQ(o.text, QStringLiteral("此楼院的地上的建筑层数不正确，请改正后再增加！"));
    EXPECT_EQ(stored(b), 0);
    EXPECT_EQ(grid->rowCount(), 0);
}

TEST_P(HouseBatchTest, RunningAgainAddsNothing)
{
    const qlonglong b = building("01", 6, 2, 2);
    ASSERT_TRUE(db().commit());
    ASSERT_EQ(generate(b).count, 24);
    const BatchOutcome again = HouseBatch(db(), *grid).generate(BatchBuilding::fromRow(*buildings, 1));
    EXPECT_EQ(again.result, BatchOutcome::Result::Done);
    EXPECT_EQ(again.count, 0);
    EXPECT_EQ(again.text, QStringLiteral("批量生成房屋成功，此次共生成0套房屋！"));
    EXPECT_EQ(stored(b), 24);
}

TEST_P(HouseBatchTest, ExistingNumbersAreSkippedByDoorOrByCompound)
{
    const qlonglong tower = building("01", 2, 2, 1);
    house(tower, 1, QStringLiteral("101室"));   // entered by hand in door 1
    house(tower, 3, QStringLiteral("201室"));   // door 3 does not hide door 1's 201室
    const qlonglong yard = building("02", 1, 0, 4);
    house(yard, 7, QStringLiteral("3"));        // number 3 anywhere in the compound
    ASSERT_TRUE(db().commit());

    EXPECT_EQ(generate(tower).count, 3);         // 201室 in door 1, 101室 and 201室 in door 2
    EXPECT_EQ(stored(tower), 5);
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo WHERE buildingno = :b "
                                              "AND unitno = 1 AND housenumber = '101室'"),
                               {{"b", tower}}).toInt(),
              1);
    EXPECT_EQ(generate(yard).count, 3);
    EXPECT_EQ(stored(yard), 4);
}

TEST_P(HouseBatchTest, KeysReadBackBelongToTheirRows)
{
    const qlonglong b = building("01", 33, 6, 8);
    ASSERT_TRUE(db().commit());
    ASSERT_EQ(generate(b).count, 1584);
    auto q = db().select(QStringLiteral("SELECT houseno, unitno, housenumber FROM tc_ge_houseinfo "
                                        "WHERE buildingno = :b"), {{"b", b}});
    ASSERT_TRUE(q.has_value());
    QHash<QString, qlonglong> keys;
    while (q->next()) keys.insert(q->value(1).toString() + "/" + q->value(2).toString(), q->value(0).toLongLong());
    ASSERT_EQ(keys.size(), 1584);
    for (int r = 1; r <= grid->rowCount(); ++r) {
        const QString id = grid->getItem(r, "unitno").toString() + "/" + grid->getItem(r, "housenumber").toString();
        ASSERT_EQ(grid->getItem(r, "houseno").toLongLong(), keys.value(id)) << id.toStdString();
    }
    // What the grid shows can be deleted again by those keys.
    EXPECT_EQ(HouseBatch(db(), *grid).removeAll().count, 1584);
    EXPECT_EQ(stored(b), 0);
}

TEST_P(HouseBatchTest, CountsThatDoNotAllowGenerationAreRefused)
{
    const struct {
        QVariant kind, floors, doors, perFloor;
        const char* message;
    } cases[] = {
        {"02", 1, 0, 0, "平房楼院只有填写的每单元每层户数大于0时才能生成批量生成房屋！"},
        {"02", 1, 0, QVariant(), "平房楼院只有填写的每单元每层户数大于0时才能生成批量生成房屋！"},
        {"01", 0, 2, 2, "此楼院的地上的建筑层数不正确，请改正后再增加！"},
        {"01", QVariant(), 2, 2, "此楼院的地上的建筑层数不正确，请改正后再增加！"},
        {"01", 6, 0, 2, "此楼院的单元数填写不正确，请改正后再增加！"},
        {"01", 6, 2, QVariant(), "此楼院的每单元每层户数填写不正确，请改正后再增加！"},
    };
    for (const auto& c : cases) {
        const qlonglong b = building(c.kind, c.floors, c.doors, c.perFloor);
        ASSERT_TRUE(db().commit());
        const BatchOutcome o = generate(b);
        EXPECT_EQ(o.result, BatchOutcome::Result::Refused);
        EXPECT_EQ(o.title, QStringLiteral("提示"));
        EXPECT_EQ(o.text, QString::fromUtf8(c.message));
        EXPECT_EQ(grid->rowCount(), 0);
        EXPECT_EQ(stored(b), 0);
    }
}

// What someone else stored after the grid was read counts as existing: it is
// read inside the generation's own locked unit of work, and the grid then
// shows it as well.
TEST_P(HouseBatchTest, HousesStoredMeanwhileAreFoundNotDoubled)
{
    const qlonglong b = building("01", 6, 2, 2);
    ASSERT_TRUE(db().commit());
    const BatchBuilding values = load(b);
    house(b, 2, QStringLiteral("602室"));
    ASSERT_TRUE(db().commit());

    const BatchOutcome o = HouseBatch(db(), *grid).generate(values);
    EXPECT_EQ(o.result, BatchOutcome::Result::Done);
    EXPECT_EQ(o.count, 23);
    EXPECT_EQ(stored(b), 24);
    EXPECT_EQ(grid->rowCount(), 24);
    EXPECT_EQ(grid->modifiedCount(), 0);
    EXPECT_EQ(gridColumn("housenumber").count(QStringLiteral("602室")), 2) << "door 1 generated, door 2 stored";
}

// A grid read under the building's lock is taken as the stored houses; one
// read before the lock, or with a deletion pending, makes the generation read
// them again. Either way the same houses are found, none doubled.
TEST_P(HouseBatchTest, AGridReadUnderTheLockIsTakenAsItStands)
{
    enum class Setup { Locked, LockedNarrowGrid, NoUnitOpen, DeletionPending };
    const struct {
        Setup setup;
        int generated;
        qlonglong storedAfter;
        int byHandAfter;   // houses entered by hand, as they were
    } cases[] = {
        {Setup::Locked, 22, 25, 3},             // 101室 in door 1 and 602室 in door 2 exist; door 3 is no door here
        {Setup::LockedNarrowGrid, 22, 25, 3},   // the same from the grid that reads only what is compared
        {Setup::NoUnitOpen, 21, 25, 4},         // and 201室 in door 1, stored after the grid was read
        {Setup::DeletionPending, 22, 24, 2},    // 602室 of door 2 is still stored while its deletion waits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.setup));
        const qlonglong b = building("01", 6, 2, 2);
        house(b, 1, QStringLiteral("101室"));
        house(b, 2, QStringLiteral("602室"));
        house(b, 3, QStringLiteral("101室"));
        ASSERT_TRUE(db().commit());
        if (c.setup != Setup::NoUnitOpen)
            ASSERT_TRUE(db().beginLocked(QStringLiteral("tc_ge_building"), QStringLiteral("buildingno"), b));
        const BatchBuilding values = load(b);
        if (c.setup == Setup::LockedNarrowGrid) {
            grid = std::make_unique<DataView>(houseGridForGeneration());
            grid->setTransObject(&db());
            ASSERT_EQ(grid->retrieve({b}), 3) << grid->lastError().toStdString();
            EXPECT_TRUE(grid->getItem(1, QStringLiteral("issave")).isNull()) << "only the compared columns are read";
        }
        ASSERT_EQ(grid->rowCount(), 3);
        if (c.setup == Setup::NoUnitOpen) {
            house(b, 1, QStringLiteral("201室"));
            ASSERT_TRUE(db().commit());
        }
        if (c.setup == Setup::DeletionPending) {
            for (int r = grid->rowCount(); r >= 1; --r)
                if (grid->getItemString(r, QStringLiteral("housenumber")) == QStringLiteral("602室")) grid->deleteRow(r);
            ASSERT_EQ(grid->deletedCount(), 1);
        }

        const BatchOutcome o = HouseBatch(db(), *grid).generate(values, HouseBatch::GridRead::UnderLock);
        EXPECT_EQ(o.result, BatchOutcome::Result::Done) << o.errorText.toStdString();
        EXPECT_EQ(o.count, c.generated);
        EXPECT_EQ(stored(b), c.storedAfter);
        EXPECT_EQ(grid->rowCount(), c.storedAfter);
        EXPECT_EQ(grid->modifiedCount(), 0);
        EXPECT_FALSE(db().inTransaction());
        EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM (SELECT unitno, housenumber FROM "
                                                  "tc_ge_houseinfo WHERE buildingno = :b GROUP BY unitno, "
                                                  "housenumber HAVING COUNT(*) > 1) d"),
                                   {{"b", b}}).toInt(),
                  0)
            << "a door holds a number twice";
        EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo WHERE buildingno = :b AND "
                                                  "issave = '1'"),
                                   {{"b", b}}).toInt(),
                  c.byHandAfter)
            << "houses stored before keep what they held";
    }
}

// The grid the command line reads (only what is compared or written) adds
// houses exactly as the window's grid does, column for column.
TEST_P(HouseBatchTest, TheNarrowGridAddsTheSameHousesAsTheWindowsGrid)
{
    const qlonglong window = building("01", 3, 2, 2, QStringLiteral("门"));
    const qlonglong command = building("01", 3, 2, 2, QStringLiteral("门"));
    ASSERT_TRUE(db().commit());
    ASSERT_EQ(generate(window).count, 12);
    ASSERT_TRUE(db().beginLocked(QStringLiteral("tc_ge_building"), QStringLiteral("buildingno"), command));
    const BatchBuilding values = load(command);
    grid = std::make_unique<DataView>(houseGridForGeneration());
    grid->setTransObject(&db());
    ASSERT_EQ(grid->retrieve({command}), 0) << grid->lastError().toStdString();
    ASSERT_EQ(HouseBatch(db(), *grid).generate(values, HouseBatch::GridRead::UnderLock).count, 12);

    const QString columns = QStringLiteral("commno, unitname, floorno, housenumber, housearea, buildingmodel, houseuse, "
                                           "isrent, droittype, houserownername, contactphone, issave, note, prepare1, "
                                           "prepare2, prepare3, prepare4, prepare5, prepare6, unitno, personno");
    auto rowsOf = [&](qlonglong b) {
        QStringList rows;
        auto q = db().select(QStringLiteral("SELECT %1 FROM tc_ge_houseinfo WHERE buildingno = :b ORDER BY unitno, "
                                            "floorno, housenumber").arg(columns),
                             {{"b", b}});
        EXPECT_TRUE(q.has_value());
        while (q && q->next()) {
            QStringList cells;
            for (int c = 0; c < columns.count(QLatin1Char(',')) + 1; ++c)
                cells << (q->value(c).isNull() ? QStringLiteral("<空>") : q->value(c).toString());
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    };
    const QStringList expected = rowsOf(window);
    ASSERT_EQ(expected.size(), 12);
    EXPECT_EQ(rowsOf(command), expected);
}

// A save that fails part-way leaves the database as it was; the generated
// rows stay in the grid, unsaved, and a later run saves them.
TEST_P(HouseBatchTest, FailedGenerationRollsBackEverything)
{
    // Two houses on one floor of one building cannot both be stored.
    ASSERT_TRUE(db().execute(QStringLiteral("CREATE UNIQUE INDEX t_one_per_floor ON tc_ge_houseinfo "
                                            "(buildingno, floorno)")));
    const qlonglong b = building("01", 6, 2, 2);
    ASSERT_TRUE(db().commit());
    const BatchBuilding values = load(b);

    const BatchOutcome o = HouseBatch(db(), *grid).generate(values);
    EXPECT_EQ(o.result, BatchOutcome::Result::Failed);
    EXPECT_EQ(o.title, QStringLiteral("错误"));
    EXPECT_EQ(o.text, QStringLiteral("数据保存失败！"));
    EXPECT_FALSE(o.errorText.isEmpty());
    EXPECT_EQ(stored(b), 0);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(grid->rowCount(), 24);
    EXPECT_TRUE(grid->modifiedCount());
    for (int r = 1; r <= grid->rowCount(); ++r) EXPECT_TRUE(grid->getItem(r, "houseno").isNull());

    ASSERT_TRUE(db().execute(QStringLiteral("DROP INDEX t_one_per_floor")));
    ASSERT_TRUE(db().commit());
    const BatchOutcome retry = HouseBatch(db(), *grid).generate(values);
    EXPECT_EQ(retry.result, BatchOutcome::Result::Done);
    EXPECT_EQ(retry.count, 0);
    EXPECT_EQ(stored(b), 24);
}

TEST_P(HouseBatchTest, DeletionRemovesAllOrNothing)
{
    const qlonglong b = building("01", 2, 1, 2);
    const qlonglong other = building("01", 1, 1, 1);
    ASSERT_TRUE(db().commit());
    ASSERT_EQ(generate(other).count, 1);
    ASSERT_EQ(generate(b).count, 4);

    // A row elsewhere that still refers to one house makes its DELETE fail.
    ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE t_house_ref (houseno INTEGER REFERENCES "
                                            "tc_ge_houseinfo (houseno))")));
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO t_house_ref (houseno) VALUES (:h)"),
                             {{"h", grid->getItem(3, "houseno")}}));
    ASSERT_TRUE(db().commit());
    const BatchOutcome failed = HouseBatch(db(), *grid).removeAll();
    EXPECT_EQ(failed.result, BatchOutcome::Result::Failed);
    EXPECT_EQ(failed.text, QStringLiteral("保存数据失败！"));
    EXPECT_EQ(stored(b), 4);
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(grid->deletedCount(), 4);

    ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM t_house_ref")));
    ASSERT_TRUE(db().commit());
    const BatchOutcome done = HouseBatch(db(), *grid).removeAll();
    EXPECT_EQ(done.result, BatchOutcome::Result::Nothing);   // the grid is already empty
    load(b);
    const BatchOutcome removed = HouseBatch(db(), *grid).removeAll();
    EXPECT_EQ(removed.result, BatchOutcome::Result::Done);
    EXPECT_EQ(removed.count, 4);
    EXPECT_FALSE(removed.hasMessage());
    EXPECT_EQ(stored(b), 0);
    EXPECT_EQ(stored(other), 1);
}

TEST(HouseBatchCountLine, TextsForHousesAndEmptyBuildings)
{
    EXPECT_EQ(HouseBatch::countLine(24), QStringLiteral("该楼院共有24套房屋。"));
    EXPECT_EQ(HouseBatch::countLine(24, true), QStringLiteral("该楼院共有24套房屋。"));
    EXPECT_EQ(HouseBatch::countLine(0), QStringLiteral("该楼院还没有房屋信息。"));
    EXPECT_EQ(HouseBatch::countLine(0, true), QStringLiteral("该楼院已没有房屋信息。"));
}

INSTANTIATE_ENGINES(HouseBatchTest);

} // namespace
} // namespace cr::houses
