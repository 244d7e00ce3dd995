// Values as the SQLite library hands them over, whatever the column was
// declared as, come into the data view in the view column's kind: the same
// lenient reading the view has always given a value of the driver.
#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "support/test_db.h"

#include <QDate>

namespace cr::test {
namespace {

TEST(DataViewFetch, StoredValuesOfAnyTypeComeInTheColumnsKind)
{
    const struct {
        const char* name;
        const char* stored;   // SQL literal in an untyped column
        ColumnKind kind;
        QVariant expected;    // invalid: the field is empty
    } cases[] = {
        {"text", "'301室'", ColumnKind::Text, QStringLiteral("301室")},
        {"whole number into text", "12", ColumnKind::Text, QStringLiteral("12")},
        {"decimal into text", "1.5", ColumnKind::Text, QStringLiteral("1.5")},
        {"bytes into text", "x'414243'", ColumnKind::Text, QStringLiteral("ABC")},
        {"null", "NULL", ColumnKind::Text, QVariant()},
        {"whole number", "7", ColumnKind::Integer, qlonglong(7)},
        {"decimal into a whole number, rounded", "2.6", ColumnKind::Integer, qlonglong(3)},
        {"numeric text into a whole number", "'8'", ColumnKind::Integer, qlonglong(8)},
        {"words into a whole number", "'x'", ColumnKind::Integer, QVariant()},
        {"decimal", "85.25", ColumnKind::Decimal, 85.25},
        {"whole number into a decimal", "5", ColumnKind::Decimal, 5.0},
        {"numeric text with a separator into a decimal", "'1,234.50'", ColumnKind::Decimal, 1234.5},
        {"date as text", "'2001-02-03'", ColumnKind::Date, QDate(2001, 2, 3)},
        {"no date", "'garbage'", ColumnKind::Date, QVariant()},
    };
    QString reason;
    auto fresh = openFreshDatabase(Engine::Sqlite, false, &reason);
    ASSERT_TRUE(fresh) << reason.toStdString();
    Sqlca& db = *fresh->sqlca;
    ASSERT_TRUE(db.executeRaw(QStringLiteral("CREATE TABLE t_any (k INTEGER PRIMARY KEY, v)")));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(db.executeRaw(QStringLiteral("DELETE FROM t_any")));
        ASSERT_TRUE(db.executeRaw(QStringLiteral("INSERT INTO t_any (k, v) VALUES (1, %1)").arg(QString::fromUtf8(c.stored))));
        ASSERT_TRUE(db.commit());
        DataViewDef def;
        def.name = QStringLiteral("d_any");
        def.sql = QStringLiteral("SELECT k, v FROM t_any");
        def.columns = {ColumnDef{.name = "k", .kind = ColumnKind::Integer}, ColumnDef{.name = "v", .kind = c.kind}};
        DataView view(def);
        view.setTransObject(&db);
        ASSERT_EQ(view.retrieve(), 1) << view.lastError().toStdString();
        EXPECT_EQ(view.getItem(1, QStringLiteral("v")), c.expected);
    }
}

} // namespace
} // namespace cr::test
