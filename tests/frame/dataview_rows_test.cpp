#include "dataview_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace cr::test {
namespace {

using Values = QList<QPair<QString, QVariant>>;

// One row goes through a few operations; its status (and that of the note
// column) must then be as a data window leaves it.
struct StatusCase {
    const char* name;
    bool stored;   // starts as a retrieved row, else as a fresh insertrow
    std::function<void(DataView&)> act;
    RowStatus row;
    RowStatus note;
};

class RowStatuses : public ::testing::TestWithParam<StatusCase> {};

TEST_P(RowStatuses, FollowDataWindowRules)
{
    const StatusCase& c = GetParam();
    std::unique_ptr<DataView> v = c.stored ? storedHouses({{{"k", 5}, {"note", "old"}, {"floorno", 3}}})
                                           : std::make_unique<DataView>(houseDef());
    if (!c.stored) v->insertRow(0);
    c.act(*v);
    EXPECT_EQ(v->getItemStatus(1, QString()), c.row) << c.name;
    EXPECT_EQ(v->getItemStatus(1, QStringLiteral("note")), c.note) << c.name;
}

const auto S = [](const char* col, QVariant value) {
    return [=](DataView& v) { ASSERT_EQ(v.setItem(1, QString::fromLatin1(col), value), 1); };
};
const auto Status = [](const char* col, RowStatus s) {
    return [=](DataView& v) { ASSERT_EQ(v.setItemStatus(1, QString::fromLatin1(col), Buffer::Primary, s), 1); };
};
const auto Both = [](std::function<void(DataView&)> a, std::function<void(DataView&)> b) {
    return [=](DataView& v) { a(v); b(v); };
};

INSTANTIATE_TEST_SUITE_P(
    Transitions, RowStatuses,
    ::testing::Values(
        StatusCase{"inserted", false, [](DataView&) {}, RowStatus::New, RowStatus::NotModified},
        StatusCase{"inserted then set", false, S("note", "x"), RowStatus::NewModified, RowStatus::DataModified},
        StatusCase{"retrieved", true, [](DataView&) {}, RowStatus::NotModified, RowStatus::NotModified},
        StatusCase{"retrieved then set", true, S("note", "new"), RowStatus::DataModified, RowStatus::DataModified},
        StatusCase{"other column set", true, S("floorno", 4), RowStatus::DataModified, RowStatus::NotModified},
        StatusCase{"same value set", true, S("note", "old"), RowStatus::NotModified, RowStatus::NotModified},
        StatusCase{"joined column set", true, S("buildingname", "一号楼"), RowStatus::DataModified, RowStatus::NotModified},
        StatusCase{"loaded then marked modified and not modified", true,
                   Both(S("note", "load"), Both(Status("", RowStatus::DataModified), Status("", RowStatus::NotModified))),
                   RowStatus::NotModified, RowStatus::NotModified},
        StatusCase{"new marked not modified stays new", false, Both(S("note", "x"), Status("", RowStatus::NotModified)),
                   RowStatus::New, RowStatus::NotModified},
        StatusCase{"new marked modified", false, Status("", RowStatus::DataModified), RowStatus::NewModified,
                   RowStatus::NotModified},
        StatusCase{"stored marked new", true, Status("", RowStatus::New), RowStatus::New, RowStatus::NotModified},
        StatusCase{"modified marked new", true, Both(S("note", "y"), Status("", RowStatus::New)),
                   RowStatus::NewModified, RowStatus::NotModified},
        StatusCase{"column marked modified", true, Status("note", RowStatus::DataModified), RowStatus::DataModified,
                   RowStatus::DataModified},
        StatusCase{"column marked not modified", true, Both(S("note", "z"), Status("note", RowStatus::NotModified)),
                   RowStatus::DataModified, RowStatus::NotModified}));

TEST(RowValues, SetItemConvertsToTheColumnKindAndNullEmpties)
{
    DataView v(houseDef());
    const int row = v.insertRow(0);
    EXPECT_EQ(v.setItem(row, QStringLiteral("FloorNo"), QStringLiteral(" 12 ")), 1);
    EXPECT_EQ(v.getItem(row, QStringLiteral("floorno")), QVariant(qlonglong(12)));
    EXPECT_EQ(v.setItem(row, QStringLiteral("area"), 85), 1);
    EXPECT_EQ(v.getItem(row, QStringLiteral("area")).typeId(), QMetaType::Double);
    EXPECT_EQ(v.setItem(row, QStringLiteral("born"), QStringLiteral("1990-5-6")), 1);
    EXPECT_EQ(v.getItemDate(row, QStringLiteral("born")), QDate(1990, 5, 6));
    EXPECT_EQ(v.setItem(row, QStringLiteral("housenumber"), 101), 1);
    EXPECT_EQ(v.getItemString(row, QStringLiteral("housenumber")), QStringLiteral("101"));

    // Values that do not fit are refused and leave the field as it was.
    EXPECT_EQ(v.setItem(row, QStringLiteral("floorno"), QStringLiteral("三")), -1);
    EXPECT_EQ(v.setItem(row, QStringLiteral("floorno"), 2.5), -1);
    EXPECT_EQ(v.setItem(row, QStringLiteral("born"), QStringLiteral("2024-02-30")), -1);
    EXPECT_EQ(v.getItemNumber(row, QStringLiteral("floorno")), 12.0);
    EXPECT_EQ(v.setItem(row, QStringLiteral("rowno"), 3), -1) << "computed column";
    EXPECT_EQ(v.setItem(row, QStringLiteral("nosuch"), 3), -1);
    EXPECT_EQ(v.setItem(row + 1, QStringLiteral("floorno"), 3), -1);

    EXPECT_EQ(v.setItem(row, QStringLiteral("floorno"), QVariant()), 1);
    EXPECT_FALSE(v.getItemNumber(row, QStringLiteral("floorno")).has_value());
    EXPECT_EQ(v.setItem(row, QStringLiteral("note"), QString()), 1);
    EXPECT_TRUE(v.getItemString(row, QStringLiteral("note")).isNull());
    EXPECT_FALSE(v.getItemDate(row, QStringLiteral("note")).isValid());
    EXPECT_EQ(v.computed(row, QStringLiteral("rowno")), QVariant(qlonglong(1)));
}

TEST(RowValues, OriginalValueStaysUntilStored)
{
    auto v = storedHouses({{{"k", 5}, {"note", "old"}}});
    v->setItem(1, QStringLiteral("note"), QStringLiteral("new"));
    v->setItem(1, QStringLiteral("note"), QStringLiteral("newer"));
    EXPECT_EQ(v->originalItem(1, QStringLiteral("note")).toString(), QStringLiteral("old"));
    v->resetUpdate();
    EXPECT_EQ(v->originalItem(1, QStringLiteral("note")).toString(), QStringLiteral("newer"));
}

TEST(RowBuffers, InsertDeleteAndReset)
{
    auto v = storedHouses({{{"k", 1}}, {{"k", 2}}, {{"k", 3}}});
    EXPECT_EQ(v->insertRow(0), 4) << "0 appends";
    EXPECT_EQ(v->insertRow(2), 2) << "inserts before row 2";
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"1", "", "2", "3", ""}));
    EXPECT_EQ(v->insertRow(9), -1);
    EXPECT_EQ(columnTexts(*v, QStringLiteral("rowno")), QStringList({"1", "2", "3", "4", "5"}));

    EXPECT_EQ(v->deleteRow(2), 1) << "a new row";
    EXPECT_EQ(v->deletedCount(), 0) << "new rows vanish";
    EXPECT_EQ(v->deleteRow(1), 1) << "a stored row";
    EXPECT_EQ(v->deletedCount(), 1);
    EXPECT_EQ(v->getItem(1, QStringLiteral("k"), Buffer::Delete), QVariant(qlonglong(1)));
    EXPECT_EQ(columnTexts(*v, QStringLiteral("k")), QStringList({"2", "3", ""}));
    EXPECT_EQ(v->deleteRow(7), -1);
    EXPECT_TRUE(v->hasChanges());

    v->setRow(3);
    EXPECT_EQ(v->deleteRow(0), 1) << "0 deletes the current row";
    EXPECT_EQ(v->rowCount(), 2);
    EXPECT_EQ(v->getRow(), 2) << "the cursor stays on a row";

    EXPECT_EQ(v->reset(), 1);
    EXPECT_EQ(v->rowCount() + v->deletedCount() + v->filteredCount(), 0);
    EXPECT_EQ(v->getRow(), 0);
}

TEST(RowBuffers, FirstInsertBecomesCurrentRow)
{
    DataView v(houseDef());
    EXPECT_EQ(v.getRow(), 0);
    v.insertRow(0);
    EXPECT_EQ(v.getRow(), 1);
    v.insertRow(0);
    EXPECT_EQ(v.getRow(), 1);
}

TEST(RowBuffers, RowsCopyFromAppendsNewModifiedRows)
{
    auto source = storedHouses({{{"k", 1}, {"note", "a"}}, {{"k", 2}, {"note", "b"}}});
    DataView target(houseDef());
    EXPECT_EQ(target.rowsCopyFrom(*source), 1);
    EXPECT_EQ(columnTexts(target, QStringLiteral("note")), QStringList({"a", "b"}));
    EXPECT_EQ(target.getItemStatus(2, QString()), RowStatus::NewModified);
}

// --- what a save writes --------------------------------------------------------

struct PlanCase {
    const char* name;
    std::function<void(DataView&)> act;
    QStringList sql;
    QList<QVariantList> values;
};

class UpdatePlans : public ::testing::TestWithParam<PlanCase> {};

// Statements and values as one readable text, so a failing case shows what differs.
std::string planText(const QStringList& sql, const QList<QVariantList>& values)
{
    QStringList lines;
    for (int i = 0; i < sql.size(); ++i) {
        QStringList shown;
        for (const QVariant& v : values.value(i))
            shown << (v.isValid() ? QStringLiteral("%1:%2").arg(QString::fromLatin1(v.typeName()), v.toString())
                                  : QStringLiteral("null"));
        lines << sql[i] + QStringLiteral("  [") + shown.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}

TEST_P(UpdatePlans, WritesOnlyWhatChanged)
{
    const PlanCase& c = GetParam();
    auto v = storedHouses({{{"k", 5}, {"building", 1}, {"note", "a"}, {"area", 50.5}},
                           {{"k", 6}, {"building", 1}, {"note", "b"}}});
    c.act(*v);
    QStringList sql;
    QList<QVariantList> values;
    for (const auto& s : v->updatePlan()) {
        sql << s.sql;
        values << s.values;
    }
    EXPECT_EQ(planText(sql, values), planText(c.sql, c.values)) << c.name;
}

using V = QVariantList;
const QString kInsertNoteKey = QStringLiteral("INSERT INTO dv_house (building, note) VALUES (?, ?) RETURNING k");
const QString kDeleteReturning = QStringLiteral(
    "DELETE FROM dv_house WHERE k = ? RETURNING k, building, unitno, floorno, housenumber, area, born, note");

INSTANTIATE_TEST_SUITE_P(
    Statements, UpdatePlans,
    ::testing::Values(
        PlanCase{"nothing changed", [](DataView&) {}, {}, {}},
        PlanCase{"untouched new row is skipped", [](DataView& v) { v.insertRow(0); }, {}, {}},
        PlanCase{"new row inserts its non-null stored columns, key read back",
                 [](DataView& v) {
                     const int r = v.insertRow(0);
                     v.setItem(r, QStringLiteral("note"), QStringLiteral("n"));
                     v.setItem(r, QStringLiteral("building"), 2);
                     v.setItem(r, QStringLiteral("buildingname"), QStringLiteral("joined, never written"));
                     v.setItem(r, QStringLiteral("area"), QVariant());
                 },
                 {kInsertNoteKey},
                 {V{qlonglong(2), QStringLiteral("n")}}},
        PlanCase{"modified row sets only changed columns, found by its key and their stored values",
                 [](DataView& v) { v.setItem(1, QStringLiteral("note"), QStringLiteral("z")); },
                 {QStringLiteral("UPDATE dv_house SET note = ? WHERE k = ? AND note IS NOT DISTINCT FROM ?")},
                 {V{QStringLiteral("z"), qlonglong(5), QStringLiteral("a")}}},
        PlanCase{"emptied column is set to null",
                 [](DataView& v) { v.setItem(1, QStringLiteral("area"), QVariant()); },
                 {QStringLiteral("UPDATE dv_house SET area = ? WHERE k = ? AND area IS NOT DISTINCT FROM ?")},
                 {V{QVariant(), qlonglong(5), 50.5}}},
        PlanCase{"changed key is never set, the row is found by its original key",
                 [](DataView& v) {
                     v.setItem(1, QStringLiteral("k"), 99);
                     v.setItem(1, QStringLiteral("floorno"), 7);
                 },
                 {QStringLiteral("UPDATE dv_house SET floorno = ? WHERE k = ? AND floorno IS NOT DISTINCT FROM ?")},
                 {V{qlonglong(7), qlonglong(5), QVariant()}}},
        PlanCase{"a value changed and changed back is still compared with what is stored",
                 [](DataView& v) {
                     v.setItem(1, QStringLiteral("note"), QStringLiteral("x"));
                     v.setItem(1, QStringLiteral("note"), QStringLiteral("y"));
                 },
                 {QStringLiteral("UPDATE dv_house SET note = ? WHERE k = ? AND note IS NOT DISTINCT FROM ?")},
                 {V{QStringLiteral("y"), qlonglong(5), QStringLiteral("a")}}},
        PlanCase{"only a joined column changed: nothing to write",
                 [](DataView& v) { v.setItem(1, QStringLiteral("buildingname"), QStringLiteral("x")); }, {}, {}},
        PlanCase{"deleted stored row by key, handing back what it held; deletes first",
                 [](DataView& v) {
                     v.setItem(1, QStringLiteral("note"), QStringLiteral("q"));
                     v.deleteRow(2);
                 },
                 {kDeleteReturning,
                  QStringLiteral("UPDATE dv_house SET note = ? WHERE k = ? AND note IS NOT DISTINCT FROM ?")},
                 {V{qlonglong(6)}, V{QStringLiteral("q"), qlonglong(5), QStringLiteral("a")}}},
        PlanCase{"row marked modified without changed columns writes and compares all stored columns",
                 [](DataView& v) { v.setItemStatus(2, QString(), Buffer::Primary, RowStatus::DataModified); },
                 {QStringLiteral("UPDATE dv_house SET building = ?, unitno = ?, floorno = ?, housenumber = ?, area = ?, "
                                 "born = ?, note = ? WHERE k = ? AND building IS NOT DISTINCT FROM ? AND unitno IS NOT "
                                 "DISTINCT FROM ? AND floorno IS NOT DISTINCT FROM ? AND housenumber IS NOT DISTINCT "
                                 "FROM ? AND area IS NOT DISTINCT FROM ? AND born IS NOT DISTINCT FROM ? AND note IS "
                                 "NOT DISTINCT FROM ?")},
                 {V{qlonglong(1), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QStringLiteral("b"),
                    qlonglong(6), qlonglong(1), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                    QStringLiteral("b")}}},
        PlanCase{"values a window declared stored without saving are not what the database holds",
                 [](DataView& v) {
                     v.setItem(1, QStringLiteral("note"), QStringLiteral("filled in on loading"));
                     v.setItemStatus(1, QString(), Buffer::Primary, RowStatus::NotModified);
                     v.setItemStatus(1, QStringLiteral("note"), Buffer::Primary, RowStatus::DataModified);
                 },
                 {QStringLiteral("UPDATE dv_house SET note = ? WHERE k = ? AND note IS NOT DISTINCT FROM ?")},
                 {V{QStringLiteral("filled in on loading"), qlonglong(5), QStringLiteral("a")}}},
        PlanCase{"rows a filter keeps out are saved too",
                 [](DataView& v) {
                     v.setItem(2, QStringLiteral("note"), QStringLiteral("hidden"));
                     v.setFilter(QStringLiteral("k = 5"));
                     v.filter();
                 },
                 {QStringLiteral("UPDATE dv_house SET note = ? WHERE k = ? AND note IS NOT DISTINCT FROM ?")},
                 {V{QStringLiteral("hidden"), qlonglong(6), QStringLiteral("b")}}}));

TEST(UpdatePlan, KeyGivenByTheWindowIsInserted)
{
    DataViewDef def = houseDef();
    def.keyAssignedByDatabase = false;
    DataView v(def);
    const int r = v.insertRow(0);
    v.setItem(r, QStringLiteral("k"), 42);
    const auto plan = v.updatePlan();
    ASSERT_EQ(plan.size(), 1);
    EXPECT_EQ(plan[0].sql, QStringLiteral("INSERT INTO dv_house (k) VALUES (?)"));
    EXPECT_EQ(plan[0].kind, PlannedStatement::Kind::Insert);
}

TEST(UpdatePlan, ReadOnlyDefinitionCannotSave)
{
    DataViewDef def = houseDef();
    def.updateTable.clear();
    DataView v(def);
    addRow(v, {{"note", "x"}});
    EXPECT_TRUE(v.updatePlan().isEmpty());
    EXPECT_EQ(v.update(), -1);
    EXPECT_FALSE(v.lastError().isEmpty());
    EXPECT_EQ(v.getItemStatus(1, QString()), RowStatus::NewModified);
}

} // namespace
} // namespace cr::test
