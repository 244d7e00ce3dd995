// Several clerks (or programs) on one registry at once, each with a
// connection of its own: two generations of one building, one house edited
// or deleted from two places.
#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "houses/house_batch.h"
#include "houses/houses_views.h"
#include "schema/house_duplicates.h"
#include "schema/schema.h"
#include "support/test_db.h"

#include <QTemporaryDir>
#include <latch>
#include <memory>
#include <thread>

namespace cr::houses {
namespace {

// One registry that several connections open: a file for SQLite (an
// in-memory database belongs to its one connection), a schema of its own on
// the PostgreSQL server.
class ConcurrentClerks : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        QString reason;
        if (GetParam() == Engine::Sqlite) {
            ASSERT_TRUE(m_dir.isValid());
            m_target.engine = Engine::Sqlite;
            m_target.path = m_dir.filePath(QStringLiteral("registry.db"));
            m_first = Sqlca::connect(m_target, &reason);
            ASSERT_TRUE(m_first) << reason.toStdString();
            ASSERT_TRUE(schema::create(*m_first, &reason)) << reason.toStdString();
        } else {
            m_fresh = test::openFreshDatabase(Engine::Postgres, true, &reason);
            if (!m_fresh) {
                if (qEnvironmentVariableIsEmpty("CR_TEST_PG")) GTEST_SKIP() << reason.toStdString();
                FAIL() << reason.toStdString();
            }
            m_target = m_fresh->sqlca->target();
        }
        registerViews(m_catalog);
    }
    void TearDown() override
    {
        m_first.reset();
        m_fresh.reset();
    }

    Sqlca& db() { return m_fresh ? *m_fresh->sqlca : *m_first; }
    std::unique_ptr<Sqlca> connect()
    {
        QString error;
        auto c = Sqlca::connect(m_target, &error);
        EXPECT_TRUE(c) << error.toStdString();
        if (c) c->setCommNo(QStringLiteral("110105001001"));
        return c;
    }
    std::unique_ptr<DataView> view(Sqlca& sqlca, const char* name)
    {
        auto v = std::make_unique<DataView>(*m_catalog.find(QLatin1String(name)));
        v->setTransObject(&sqlca);
        return v;
    }
    qlonglong building(int floors, int doors, int perFloor)
    {
        const QVariant key = db().insertReturningKey(
            QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype, upfloornum, unitnum, "
                           "floorhouesnum, prepare3, issave) VALUES ('1', '同时楼', '同时路1号', '01', :f, :d, :h, '单元', '1')"),
            {{"f", floors}, {"d", doors}, {"h", perFloor}}, QStringLiteral("buildingno"));
        EXPECT_TRUE(db().commit());
        return key.toLongLong();
    }
    qlonglong count(const QString& sql) { return db().selectValue(sql).toLongLong(); }

    QTemporaryDir m_dir;
    DbTarget m_target;
    std::unique_ptr<Sqlca> m_first;
    std::unique_ptr<test::FreshDatabase> m_fresh;
    ViewCatalog m_catalog;
};

// Every clerk has read the building's (empty) house list before any of them
// saves: only the lock and the reading inside it keep the houses single.
TEST_P(ConcurrentClerks, GenerationsOfOneBuildingAtOnceStoreEachHouseOnce)
{
    constexpr int kClerks = 3;
    const qlonglong b = building(6, 2, 4);
    std::latch allLoaded(kClerks);
    BatchOutcome outcomes[kClerks];
    std::vector<std::thread> clerks;
    for (int i = 0; i < kClerks; ++i)
        clerks.emplace_back([&, i] {
            auto sqlca = connect();
            if (!sqlca) {
                allLoaded.count_down();
                return;
            }
            auto list = view(*sqlca, "d_housemanage");
            auto grid = view(*sqlca, "d_housemanage_house");
            list->retrieve();
            grid->retrieve({b});
            const int row = list->find(QStringLiteral("buildingno = %1").arg(b), 1, list->rowCount());
            const BatchBuilding values = BatchBuilding::fromRow(*list, row);
            allLoaded.arrive_and_wait();
            outcomes[i] = HouseBatch(*sqlca, *grid).generate(values);
            grid.reset();
            list.reset();
        });
    for (std::thread& t : clerks) t.join();

    int added = 0;
    for (const BatchOutcome& o : outcomes) {
        EXPECT_EQ(o.result, BatchOutcome::Result::Done) << o.errorText.toStdString();
        added += o.count;
    }
    EXPECT_EQ(added, 48) << "together the clerks added each house once";
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo")), 48);
    const auto duplicates = schema::duplicateHouses(db(), nullptr);
    ASSERT_TRUE(duplicates.has_value());
    EXPECT_TRUE(duplicates->isEmpty());
}

// Clerk A saves first; clerk B's copy of the house is then out of date.
TEST_P(ConcurrentClerks, OneHouseEditedFromTwoConnections)
{
    const qlonglong b = building(1, 1, 2);
    {
        auto grid = view(db(), "d_housemanage_house");
        grid->retrieve({b});
        auto list = view(db(), "d_housemanage");
        list->retrieve();
        ASSERT_EQ(HouseBatch(db(), *grid).generate(BatchBuilding::fromRow(*list, 1)).count, 2);
    }
    auto a = connect();
    auto b2 = connect();
    ASSERT_TRUE(a && b2);
    auto gridA = view(*a, "d_housemanage_house");
    auto gridB = view(*b2, "d_housemanage_house");
    ASSERT_EQ(gridA->retrieve({b}), 2);
    ASSERT_EQ(gridB->retrieve({b}), 2);

    const struct {
        const char* name;
        const char* columnA;
        const char* columnB;
        bool bSaves;
    } cases[] = {
        {"same column: B's save is refused", "houserownername", "houserownername", false},
        {"different columns: both changes stay", "houserownername", "contactphone", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(gridA->retrieve({b}), 2);
        ASSERT_EQ(gridB->retrieve({b}), 2);
        gridA->setItem(1, QLatin1String(c.columnA), QStringLiteral("甲改"));
        ASSERT_EQ(gridA->update(), 1) << gridA->lastError().toStdString();
        ASSERT_TRUE(a->commit());

        gridB->setItem(1, QLatin1String(c.columnB), QStringLiteral("乙改"));
        const int saved = gridB->update();
        if (c.bSaves) {
            EXPECT_EQ(saved, 1) << gridB->lastError().toStdString();
            ASSERT_TRUE(b2->commit());
        } else {
            EXPECT_EQ(saved, -1);
            EXPECT_EQ(gridB->lastError(), DataView::staleRowMessage());
            EXPECT_EQ(gridB->getItemStatus(1, QString()), RowStatus::DataModified) << "the edit is kept";
            ASSERT_TRUE(b2->rollback());
        }
        const QVariant key = gridA->getItem(1, QStringLiteral("houseno"));
        EXPECT_EQ(db().selectValue(QStringLiteral("SELECT %1 FROM tc_ge_houseinfo WHERE houseno = :k").arg(c.columnA),
                                   {{"k", key}}).toString(),
                  QStringLiteral("甲改"))
            << "A's change is never overwritten";
        if (c.bSaves)
            EXPECT_EQ(db().selectValue(QStringLiteral("SELECT %1 FROM tc_ge_houseinfo WHERE houseno = :k").arg(c.columnB),
                                       {{"k", key}}).toString(),
                      QStringLiteral("乙改"));
    }

    // Deleting every house of the building while one of them was changed
    // meanwhile deletes none of them.
    ASSERT_EQ(gridA->retrieve({b}), 2);
    ASSERT_EQ(gridB->retrieve({b}), 2);
    gridA->setItem(2, QStringLiteral("note"), QStringLiteral("甲的备注"));
    ASSERT_EQ(gridA->update(), 1);
    ASSERT_TRUE(a->commit());
    const BatchOutcome removed = HouseBatch(*b2, *gridB).removeAll();
    EXPECT_EQ(removed.result, BatchOutcome::Result::Failed);
    EXPECT_EQ(removed.errorText, DataView::staleRowMessage());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo")), 2);

    gridA.reset();
    gridB.reset();
}

INSTANTIATE_ENGINES(ConcurrentClerks);

} // namespace
} // namespace cr::houses
