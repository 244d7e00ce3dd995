#include "schema/schema.h"
#include "schema/schema_catalog.h"
#include "support/test_db.h"

namespace cr::test {
namespace {

class SchemaKeysTest : public DbTest {
protected:
    QVariant insertRow(const QString& table, const QString& key)
    {
        return db().insertReturningKey(QStringLiteral("INSERT INTO %1 (commno) VALUES (:commno)").arg(table),
                                       {{QStringLiteral("commno"), db().commNo()}}, key);
    }
};

QList<schema::TableDecl> keyedTables()
{
    QList<schema::TableDecl> out;
    for (const schema::TableDecl& t : schema::allTables())
        if (!t.keyColumn().isEmpty()) out << t;
    return out;
}

TEST_P(SchemaKeysTest, EveryEditedTableHasADatabaseAssignedKey)
{
    const QStringList expected{QStringLiteral("tc_ge_regionalmanage.regionalno"),   QStringLiteral("tc_ge_building.buildingno"),
                               QStringLiteral("tc_ge_houseinfo.houseno"),           QStringLiteral("tc_ge_buildingdean.buildingmanagerno"),
                               QStringLiteral("tc_ge_regionalmanager.orderno"),     QStringLiteral("tc_og_inhabitantteam.teamno"),
                               QStringLiteral("tc_og_inhabteamleader.orderno"),     QStringLiteral("tc_ge_renthousereg.orderno"),
                               QStringLiteral("tc_ge_rentregistry.rentregistryno"), QStringLiteral("tc_ge_punishrecord.orderno"),
                               QStringLiteral("tc_ge_rprownhouse.orderno")};
    QStringList actual;
    for (const schema::TableDecl& t : keyedTables()) actual << t.name + QLatin1Char('.') + t.keyColumn();
    for (const QString& k : expected) EXPECT_TRUE(actual.contains(k)) << k.toStdString();
}

TEST_P(SchemaKeysTest, KeysAreReadBackRightAfterTheInsert)
{
    for (const schema::TableDecl& t : keyedTables()) {
        const QVariant first = insertRow(t.name, t.keyColumn());
        ASSERT_FALSE(first.isNull()) << t.name.toStdString() << ": " << db().sqlErrText().toStdString();
        const QVariant second = insertRow(t.name, t.keyColumn());
        ASSERT_FALSE(second.isNull()) << t.name.toStdString();
        EXPECT_GT(second.toLongLong(), first.toLongLong()) << t.name.toStdString();
        // The key read back names the row just written.
        EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = :k").arg(t.name, t.keyColumn()),
                                   {{QStringLiteral("k"), second}}).toInt(),
                  1)
            << t.name.toStdString();
    }
    ASSERT_TRUE(db().commit());
}

TEST_P(SchemaKeysTest, ExplicitKeysFromABulkLoadDoNotCollideAfterResync)
{
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_building (buildingno, commno) VALUES (41, 'x'), (42, 'x')")))
        << db().sqlErrText().toStdString();
    QString error;
    ASSERT_TRUE(schema::resyncKeys(db(), &error)) << error.toStdString();
    const QVariant next = insertRow(QStringLiteral("tc_ge_building"), QStringLiteral("buildingno"));
    ASSERT_FALSE(next.isNull()) << db().sqlErrText().toStdString();
    EXPECT_GT(next.toInt(), 42);
    ASSERT_TRUE(db().commit());
}

// The houses (5, 7, 8 of building 1) and rental records (1 for house 7, 2 for
// house 8) the rows below name.
void storeHouses(Sqlca& db, bool withRentals)
{
    QStringList statements{QStringLiteral("INSERT INTO tc_ge_building (buildingno, commno) VALUES (1, 'x')"),
                           QStringLiteral("INSERT INTO tc_ge_houseinfo (houseno, buildingno) VALUES (5, 1), (7, 1), (8, 1)")};
    if (withRentals)
        statements << QStringLiteral("INSERT INTO tc_ge_renthousereg (orderno, houseno) VALUES (1, 7), (2, 8)");
    for (const QString& sql : statements) ASSERT_TRUE(db.execute(sql)) << db.sqlErrText().toStdString();
    ASSERT_TRUE(db.commit());
}

TEST_P(SchemaKeysTest, ATenantAppearsOncePerRentalRecord)
{
    storeHouses(db(), true);
    auto addTenant = [&](int orderno, const char* personno) {
        return db().execute(QStringLiteral("INSERT INTO tc_ge_rentregistry (commno, orderno, houseno, personno) "
                                           "VALUES ('x', :o, 7, :p)"),
                            {{QStringLiteral("o"), orderno}, {QStringLiteral("p"), QString::fromLatin1(personno)}});
    };
    ASSERT_TRUE(addTenant(1, "P1"));
    ASSERT_TRUE(addTenant(1, "P2"));     // several tenants share one rental record
    ASSERT_TRUE(addTenant(2, "P1"));     // the same person in another rental record
    ASSERT_TRUE(db().commit());
    EXPECT_FALSE(addTenant(1, "P1"));
    db().rollback();
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM TC_GE_RentRegistry WHERE OrderNo = 1")).toInt(), 2);
}

TEST_P(SchemaKeysTest, AHouseHasAtMostOneRentalRegistration)
{
    storeHouses(db(), false);
    const QString insert = QStringLiteral("INSERT INTO TC_GE_RentHouseReg (CommNo, HouseNo, issigndutybook, isconsignrent, IsSave) "
                                          "VALUES (:c, :h, '0', '0', '2')");
    ASSERT_TRUE(db().execute(insert, {{QStringLiteral("c"), db().commNo()}, {QStringLiteral("h"), 5}}));
    ASSERT_TRUE(db().commit());
    EXPECT_FALSE(db().execute(insert, {{QStringLiteral("c"), db().commNo()}, {QStringLiteral("h"), 5}}));
    db().rollback();
}

INSTANTIATE_ENGINES(SchemaKeysTest);

} // namespace
} // namespace cr::test
