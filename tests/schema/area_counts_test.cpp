// The area list's household and person counts: the view of version 3 counts
// each household's persons directly; it must give what the first view, which
// grouped the whole person table, gave.
#include "schema/demo/demo_generator.h"
#include "support/test_db.h"

#include <QSqlRecord>

namespace cr::test {
namespace {

QStringList rows(Sqlca& db, const QString& sql)
{
    QStringList out;
    auto q = db.select(sql);
    EXPECT_TRUE(q.has_value()) << db.sqlErrText().toStdString();
    while (q && q->next()) {
        QStringList cells;
        for (int i = 0; i < q->record().count(); ++i) cells << (q->value(i).isNull() ? QStringLiteral("-") : q->value(i).toString());
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

class AreaCountsTest : public DbTest {};

TEST_P(AreaCountsTest, SameCountsAsGroupingAllPersonsFirst)
{
    demo::DemoGenerator generator(db(), demo::DemoOptions{demo::DemoSize::Small, 5});
    QString error;
    ASSERT_TRUE(generator.run(nullptr, &error)) << error.toStdString();
    // Households linked to a second house, one of them without living persons.
    ASSERT_TRUE(db().execute(QStringLiteral(
        "INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno) SELECT '1', MIN(rprno), MAX(houseno) FROM tc_ge_rprownhouse")));
    ASSERT_TRUE(db().execute(QStringLiteral(
        "INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno) SELECT '1', MAX(rprno), MAX(houseno) FROM tc_ge_rprownhouse")));
    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE tc_ge_personinfo SET isdeath = '1' WHERE rprno = "
                                            "(SELECT MIN(rprno) FROM tc_ge_rprownhouse)")));
    ASSERT_TRUE(db().commit());

    const QString grouped = QStringLiteral(
        "SELECT households.regionalno, COUNT(*), COALESCE(SUM(persons.personnum), 0) "
        "FROM (SELECT DISTINCT b.regionalno AS regionalno, o.rprno AS rprno FROM tc_ge_building b "
        "      JOIN tc_ge_houseinfo h ON h.buildingno = b.buildingno JOIN tc_ge_rprownhouse o ON o.houseno = h.houseno "
        "      WHERE b.regionalno IS NOT NULL AND o.rprno IS NOT NULL) households "
        "LEFT JOIN v_tc_ge_personinfo persons ON persons.rprno = households.rprno "
        "GROUP BY households.regionalno ORDER BY households.regionalno");
    const QStringList expected = rows(db(), grouped);
    ASSERT_GE(expected.size(), 3);
    EXPECT_EQ(rows(db(), QStringLiteral("SELECT regionalno, rprnum, personnum FROM v_ge_regionalrprperson ORDER BY regionalno")),
              expected);
}

INSTANTIATE_ENGINES(AreaCountsTest);

} // namespace
} // namespace cr::test
