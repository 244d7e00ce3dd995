// A record someone refers to between the deletion's check and its question:
// the database's guard refuses the deletion and the clerk reads why, in
// Chinese; nothing is deleted.
#include "frame/dataview.h"
#include "frame/record_deletion.h"
#include "frame/sqlca.h"
#include "schema/references.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

namespace cr::test {
namespace {

DataViewDef buildingForm()
{
    DataViewDef d;
    d.name = QStringLiteral("d_test_building_form");
    d.sql = QStringLiteral("SELECT buildingno, address FROM tc_ge_building");
    d.updateTable = QStringLiteral("tc_ge_building");
    d.keyColumn = QStringLiteral("buildingno");
    d.columns = {ColumnDef{.name = "buildingno", .kind = ColumnKind::Integer, .dbName = "buildingno"},
                 ColumnDef{.name = "address", .dbName = "address", .heading = "地址"}};
    return d;
}

// Answers the question only after another clerk's house was stored in the building.
class HouseAddedMeanwhile : public ScriptedUi {
public:
    explicit HouseAddedMeanwhile(Sqlca& other) : m_other(other) {}
    int messageBox(const QString& title, const QString& text, Icon icon, Buttons buttons, int defaultButton) override
    {
        if (buttons == Buttons::YesNo) {
            EXPECT_TRUE(m_other.execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (buildingno, housenumber) "
                                                       "VALUES (1, '101')")) && m_other.commit())
                << m_other.sqlErrText().toStdString();
        }
        return ScriptedUi::messageBox(title, text, icon, buttons, defaultButton);
    }

private:
    Sqlca& m_other;
};

class RecordDeletionGuardTest : public DbTest {};

TEST_P(RecordDeletionGuardTest, AHouseStoredWhileAskingKeepsTheBuilding)
{
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_building (buildingno, address) VALUES (1, '和平里1号')")));
    ASSERT_TRUE(db().commit());
    DataView seen(buildingForm());
    seen.setTransObject(&db());
    ASSERT_EQ(seen.retrieve(), 1);

    RecordReferences references;
    for (const RecordReference& r : schema::recordReferences()) references.add(r);
    HouseAddedMeanwhile ui(db());
    ui.answerYes();
    const DeletionSubject subject{.seen = &seen, .row = 1, .form = buildingForm(), .keyColumn = "buildingno",
                                  .what = "社区楼院", .name = "和平里1号"};
    EXPECT_FALSE(RecordDeletion(db(), ui, references).run(subject));

    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messages().last().text,
              QStringLiteral("删除失败：有其他记录引用此记录，不能删除。请先删除或改正引用它的记录。"));
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_building")).toInt(), 1);
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo")).toInt(), 1);
}

INSTANTIATE_ENGINES(RecordDeletionGuardTest);

} // namespace
} // namespace cr::test
