// What the rental windows read from the database, on both engines: the
// house a new record shows (its door computed by the database), the
// registration's start, and the tenant count a new or stored tenant is
// checked with.
#include "frame/sqlca.h"
#include "rentals_sanctions/rental_queries.h"
#include "support/test_db.h"

namespace cr::rentals_sanctions {
namespace {

class RentalQueriesTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        run("INSERT INTO tc_ge_building (commno, address, buildingname, roomtype, issave) "
            "VALUES ('1', '和平里1号', '一号楼', '01', '1')");
        // Houses 1..3: door 3, door 0 and no door number, all with the door word
        // (numbers apart: a house without a door number counts as door 0).
        for (const char* door : {"3", "0", "NULL"})
            run(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, housenumber, "
                               "houserownername, contactphone, issave) VALUES ('1', 1, %1, '单元', '%2', '房管所', "
                               "'6500', '1')")
                    .arg(QLatin1String(door), QLatin1String(qstrcmp(door, "NULL") == 0 ? "102室" : "101室")));
        run("INSERT INTO tc_ge_renthousereg (commno, houseno, houseuse, startrentdate, issave) "
            "VALUES ('1', 1, '02', '2006-03-05', '1')");
        run("INSERT INTO tc_ge_renthousereg (commno, houseno, issave) VALUES ('1', 2, '2')");
        run("INSERT INTO tc_ge_rentregistry (commno, orderno, houseno, personno, issave) VALUES ('1', 1, 1, 'P1', '1')");
        ASSERT_TRUE(db().commit());
    }

    void run(const QString& sql) { ASSERT_TRUE(db().execute(sql)) << db().sqlErrText().toStdString(); }
};

TEST_P(RentalQueriesTest, HouseShownWithItsDoorAndOwner)
{
    RentalQueries q(db());
    const struct {
        const char* name;
        QVariant house;
        const char* door;   // nullptr: the house is not found
    } cases[] = {{"door 3", 1, "3单元"}, {"door 0", 2, "单元"}, {"no door number", 3, "单元"},
                 {"no such house", 99, nullptr}, {"no house", QVariant(), nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QVariantMap house = q.houseContext(c.house);
        if (!c.door) {
            EXPECT_TRUE(house.isEmpty());
            continue;
        }
        EXPECT_EQ(house.value(QStringLiteral("newunitname")).toString(), QString::fromUtf8(c.door));
        EXPECT_EQ(house.value(QStringLiteral("address")).toString(), QStringLiteral("和平里1号"));
        EXPECT_EQ(house.value(QStringLiteral("houserownername")).toString(), QStringLiteral("房管所"));
        EXPECT_EQ(house.value(QStringLiteral("hostcontactphone")).toString(), QStringLiteral("6500"));
    }
}

TEST_P(RentalQueriesTest, RegistrationOfAHouse)
{
    RentalQueries q(db());
    EXPECT_EQ(q.registrationStart(1), QDate(2006, 3, 5));
    EXPECT_FALSE(q.registrationStart(2).isValid()) << "a registration without a start";
    EXPECT_FALSE(q.registrationStart(3).isValid()) << "no registration";
    EXPECT_EQ(q.registrationOf(1).value(QStringLiteral("orderno")).toInt(), 1);
    EXPECT_EQ(q.registrationOf(1).value(QStringLiteral("houseuse")).toString(), QStringLiteral("02"));
    EXPECT_TRUE(q.registrationOf(3).isEmpty());
    EXPECT_EQ(q.registrationCount(1, QVariant()), 1);
    EXPECT_EQ(q.registrationCount(1, 1), 0) << "the registration itself is not counted";
}

TEST_P(RentalQueriesTest, TenantCountLeavesTheRecordItselfOut)
{
    RentalQueries q(db());
    const struct {
        const char* name;
        QVariant rental;
        const char* person;
        QVariant except;
        qlonglong count;
    } cases[] = {{"new tenant, same person", 1, "P1", QVariant(), 1},
                 {"stored tenant saved again", 1, "P1", 1, 0},
                 {"another stored tenant changed to the person", 1, "P1", 7, 1},
                 {"another person", 1, "P2", QVariant(), 0},
                 {"another rental", 2, "P1", QVariant(), 0},
                 {"no rental record", QVariant(), "P1", QVariant(), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(q.tenantCount(c.rental, QString::fromUtf8(c.person), c.except), c.count) << c.name;
}

INSTANTIATE_ENGINES(RentalQueriesTest);

} // namespace
} // namespace cr::rentals_sanctions
