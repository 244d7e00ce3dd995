// The database itself keeps the links between the registry's tables whole:
// a row naming a record that does not exist is refused, and so is the
// deletion of a record still named, whatever program writes. A stored
// database with such rows is upgraded without losing them.
#include "frame/db_error.h"
#include "frame/dialect.h"
#include "schema/orphans.h"
#include "schema/references.h"
#include "schema/schema.h"
#include "schema/schema_baseline.h"
#include "support/test_db.h"

namespace cr::test {
namespace {

const QString kMissing = QStringLiteral("所引用的记录不存在（可能已被删除），不能保存。请重新选择后再保存。");
const QString kStillNamed = QStringLiteral("有其他记录引用此记录，不能删除。请先删除或改正引用它的记录。");

class ReferenceGuardsTest : public DbTest {
protected:
    bool wantsSchema() const override { return false; }

    void create()
    {
        QString error;
        ASSERT_TRUE(schema::create(db(), &error)) << error.toStdString();
    }
    bool run(const QString& sql) { return db().executeRaw(sql); }
    void store(const QString& sql)
    {
        ASSERT_TRUE(run(sql)) << sql.toStdString() << ": " << db().sqlErrText().toStdString();
        ASSERT_TRUE(db().commit());
    }
    qlonglong count(const QString& sql) { return db().selectValue(sql).toLongLong(); }
    // The guards in the catalog: triggers on SQLite, foreign keys on PostgreSQL.
    qlonglong guards()
    {
        return GetParam() == Engine::Sqlite
                   ? count(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'trigger' AND name LIKE 'fk~_%' ESCAPE '~'"))
                   : count(QStringLiteral("SELECT COUNT(*) FROM pg_constraint WHERE contype = 'f' "
                                          "AND connamespace = to_regnamespace(current_schema())"));
    }
    // A statement the database must refuse with `message`; nothing of it stays.
    void expectRefused(const QString& sql, const QString& message)
    {
        EXPECT_FALSE(run(sql)) << sql.toStdString();
        EXPECT_EQ(db().sqlError().kind, DbError::Kind::ForeignKey) << db().sqlErrText().toStdString();
        EXPECT_EQ(db().sqlError().message, message) << db().sqlErrText().toStdString();
        db().rollback();
    }

    // One record of each kind, each linked to the one before: area 1,
    // building 2, house 3, a household link, rental 4 with a tenant and a
    // sanction, dean 5 with his range, team 6 with scope and leader, a manager.
    void storeLinkedRecords()
    {
        for (const char* sql : {
                 "INSERT INTO tc_ge_regionalmanage (regionalno, regionalname) VALUES (1, '一区')",
                 "INSERT INTO tc_ge_building (buildingno, regionalno, address) VALUES (2, 1, '一号楼')",
                 "INSERT INTO tc_ge_houseinfo (houseno, buildingno, housenumber) VALUES (3, 2, '101')",
                 "INSERT INTO tc_ge_rprownhouse (rprno, houseno) VALUES ('R1', 3)",
                 "INSERT INTO tc_ge_renthousereg (orderno, houseno) VALUES (4, 3)",
                 "INSERT INTO tc_ge_rentregistry (orderno, houseno, personno) VALUES (4, 3, 'P1')",
                 "INSERT INTO tc_ge_punishrecord (houseno) VALUES (3)",
                 "INSERT INTO tc_ge_buildingdean (buildingmanagerno, buildingno, personno) VALUES (5, 2, 'P2')",
                 "INSERT INTO tc_ge_buildingmanage (buildingmanagerno, buildingno, scopecode) VALUES (5, 2, '1')",
                 "INSERT INTO tc_og_inhabitantteam (teamno, regionalno, orgname) VALUES (6, 1, '一组')",
                 "INSERT INTO tc_og_inhabteamscope (teamno, scopecode) VALUES (6, '2')",
                 "INSERT INTO tc_og_inhabteamleader (teamno, personno) VALUES (6, 'P3')",
                 "INSERT INTO tc_ge_regionalmanager (regionalno, personno) VALUES (1, 'P4')",
             })
            store(QString::fromUtf8(sql));
        QString error;
        ASSERT_TRUE(schema::resyncKeys(db(), &error)) << error.toStdString();
        ASSERT_TRUE(db().commit());
    }
};

// Every declared link, each of its tables given a row whose links all name
// record 999999, which does not exist.
TEST_P(ReferenceGuardsTest, EveryLinkRefusesARowNamingAMissingRecord)
{
    create();
    for (const RecordReference& r : schema::recordReferences()) {
        SCOPED_TRACE((r.table + QLatin1Char('.') + r.column + QStringLiteral(" -> ") + r.masterTable).toStdString());
        QStringList columns;
        for (const RecordReference& other : schema::recordReferences())
            if (other.table == r.table && !columns.contains(other.column)) columns << other.column;
        const QString values = QStringList(columns.size(), QStringLiteral("999999")).join(QStringLiteral(", "));
        expectRefused(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(r.table, columns.join(QStringLiteral(", ")), values),
                      kMissing);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(r.table)), 0);
    }
}

TEST_P(ReferenceGuardsTest, PlainSqlCannotBreakALink)
{
    create();
    storeLinkedRecords();
    const struct {
        const char* name;
        const char* sql;
        bool stillNamed;   // else: names a missing record
    } cases[] = {
        {"area with buildings", "DELETE FROM tc_ge_regionalmanage WHERE regionalno = 1", true},
        {"building with houses", "DELETE FROM tc_ge_building WHERE buildingno = 2", true},
        {"house with a household, a rental, tenants, a sanction", "DELETE FROM tc_ge_houseinfo WHERE houseno = 3", true},
        {"rental with its tenant", "DELETE FROM tc_ge_renthousereg WHERE orderno = 4", true},
        {"dean whose range is not deleted first", "DELETE FROM tc_ge_buildingdean WHERE buildingmanagerno = 5", true},
        {"team whose scope is not deleted first", "DELETE FROM tc_og_inhabitantteam WHERE teamno = 6", true},
        {"a building's number changed under its houses", "UPDATE tc_ge_building SET buildingno = 20 WHERE buildingno = 2",
         true},
        {"house moved to a missing building", "UPDATE tc_ge_houseinfo SET buildingno = 99 WHERE houseno = 3", false},
        {"tenant moved to a missing rental", "UPDATE tc_ge_rentregistry SET orderno = 99", false},
        {"sanction for a house without rental", "INSERT INTO tc_ge_punishrecord (houseno) VALUES (99)", false},
        {"leader of a missing team", "INSERT INTO tc_og_inhabteamleader (teamno, personno) VALUES (99, 'P5')", false},
        {"house given a building number as text", "INSERT INTO tc_ge_houseinfo (buildingno) VALUES ('99')", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectRefused(QString::fromUtf8(c.sql), c.stillNamed ? kStillNamed : kMissing);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo WHERE buildingno = 2")), 1);

    // Children first, then the records they named: all allowed, in one unit of work.
    for (const char* sql : {"DELETE FROM tc_og_inhabteamscope", "DELETE FROM tc_og_inhabteamleader",
                            "DELETE FROM tc_og_inhabitantteam", "DELETE FROM tc_ge_buildingmanage",
                            "DELETE FROM tc_ge_buildingdean", "DELETE FROM tc_ge_punishrecord",
                            "DELETE FROM tc_ge_rentregistry", "DELETE FROM tc_ge_renthousereg",
                            "DELETE FROM tc_ge_rprownhouse", "DELETE FROM tc_ge_houseinfo",
                            "INSERT INTO tc_ge_houseinfo (buildingno, housenumber) VALUES ('2', '102')",
                            "UPDATE tc_ge_houseinfo SET buildingno = NULL"})
        ASSERT_TRUE(run(QString::fromUtf8(sql))) << sql << ": " << db().sqlErrText().toStdString();
    ASSERT_TRUE(db().commit());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo WHERE buildingno IS NULL")), 1);
}

// A database of an earlier release with rows naming deleted records: the
// upgrade keeps them and lists them, and from then on refuses new ones.
TEST_P(ReferenceGuardsTest, UpgradeKeepsOrphansAndGuardsNewRows)
{
    QString error;
    ASSERT_TRUE(db().begin());
    ASSERT_TRUE(schema::createBaseline(db(), &error)) << error.toStdString();
    ASSERT_TRUE(db().commit());
    store(QStringLiteral("INSERT INTO tc_ge_building (buildingno, address) VALUES (2, '二号楼')"));
    store(QStringLiteral("INSERT INTO tc_ge_houseinfo (houseno, buildingno, housenumber) VALUES (3, 7, '101')"));
    store(QStringLiteral("INSERT INTO tc_ge_rprownhouse (rprno, houseno) VALUES ('R1', 8)"));
    store(QStringLiteral("INSERT INTO tc_ge_rprownhouse (rprno, houseno) VALUES ('R2', 8)"));

    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    EXPECT_EQ(schema::version(db()), schema::currentVersion());
    const qlonglong guarded = guards();
    EXPECT_GT(guarded, 0);
    const auto orphans = schema::findOrphans(db(), &error);
    ASSERT_TRUE(orphans.has_value()) << error.toStdString();
    QStringList found;
    for (const schema::Orphans& o : *orphans) found << o.describe();
    EXPECT_EQ(found, QStringList({QStringLiteral("tc_ge_houseinfo.buildingno：1 行指向不存在的 tc_ge_building.buildingno（房屋）"),
                                  QStringLiteral("tc_ge_rprownhouse.houseno：2 行指向不存在的 tc_ge_houseinfo.houseno（住户居住登记）")}));

    expectRefused(QStringLiteral("INSERT INTO tc_ge_houseinfo (buildingno, housenumber) VALUES (7, '102')"), kMissing);
    store(QStringLiteral("INSERT INTO tc_ge_houseinfo (houseno, buildingno, housenumber) VALUES (4, 2, '101')"));
    expectRefused(QStringLiteral("DELETE FROM tc_ge_building WHERE buildingno = 2"), kStillNamed);
    // The old rows can still be mended: the orphan house moved to a real building.
    store(QStringLiteral("UPDATE tc_ge_houseinfo SET buildingno = 2, housenumber = '103' WHERE houseno = 3"));

    // Twice: nothing more to do, nothing changed.
    ASSERT_TRUE(schema::setSetting(db(), QStringLiteral("schema_version"), QStringLiteral("4")));
    ASSERT_TRUE(db().commit());
    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    EXPECT_EQ(guards(), guarded);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tc_ge_rprownhouse")), 2);
}

INSTANTIATE_ENGINES(ReferenceGuardsTest);

} // namespace
} // namespace cr::test
