#include "frame/row_store.h"

#include <QDate>
#include <QDateTime>
#include <gtest/gtest.h>

namespace cr {
namespace {

// Columns of every kind, and a computed one that has no cell.
RowStore makeStore()
{
    return RowStore({ColumnKind::Text, ColumnKind::Integer, ColumnKind::Decimal, ColumnKind::Date, ColumnKind::DateTime,
                     ColumnKind::Text},
                    {false, false, false, false, false, true});
}

TEST(RowStore, ValuesComeBackInTheirColumnsKind)
{
    const struct {
        const char* name;
        int column;
        QVariant value;
    } cases[] = {
        {"empty text", 0, QStringLiteral("")},
        {"ascii code", 0, QStringLiteral("01")},
        {"seven bytes, kept in the cell", 0, QStringLiteral("0101室")},
        {"eight bytes, kept aside", 0, QStringLiteral("10101室")},
        {"a CJK character cut by no boundary", 0, QStringLiteral("单元单元")},
        {"long address", 0, QStringLiteral("北京市朝阳区太阳宫路二号院三号楼")},
        {"text with a NUL inside", 0, QString::fromUtf16(u"a\0b", 3)},
        {"negative whole number", 1, qlonglong(-42)},
        {"largest whole number", 1, std::numeric_limits<qlonglong>::max()},
        {"decimal", 2, 85.5},
        {"negative zero decimal", 2, -0.0},
        {"date", 3, QDate(1990, 5, 6)},
        {"date long ago", 3, QDate(1, 1, 1)},
        {"time", 4, QDateTime(QDate(2024, 6, 30), QTime(8, 30, 15, 250))},
    };
    RowStore store = makeStore();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataRow* row = store.newRow();
        EXPECT_TRUE(store.isNull(row, c.column));
        store.setValue(row, c.column, c.value);
        EXPECT_FALSE(store.isNull(row, c.column));
        EXPECT_EQ(store.value(row, c.column), c.value);
        EXPECT_TRUE(store.equals(row, c.column, c.value));
        store.setValue(row, c.column, QVariant());
        EXPECT_TRUE(store.isNull(row, c.column));
        EXPECT_FALSE(store.value(row, c.column).isValid());
    }
}

TEST(RowStore, EmptyIsNotEmptyText)
{
    RowStore store = makeStore();
    DataRow* row = store.newRow();
    EXPECT_TRUE(store.equals(row, 0, QVariant()));
    EXPECT_FALSE(store.equals(row, 0, QStringLiteral("")));
    store.setValue(row, 0, QStringLiteral(""));
    EXPECT_FALSE(store.equals(row, 0, QVariant()));
    EXPECT_TRUE(store.equals(row, 0, QStringLiteral("")));
    EXPECT_TRUE(store.isNull(row, 5)) << "a computed column has no cell";
}

TEST(RowStore, CellsOfOneRowAndOfOtherRowsStayApart)
{
    RowStore store = makeStore();
    std::vector<DataRow*> rows;
    for (int i = 0; i < 5000; ++i) {   // more than one chunk of rows and texts
        DataRow* r = store.newRow();
        store.setUtf8(r, 0, QStringLiteral("楼院地址%1号").arg(i % 7).toUtf8(), true);
        store.setInteger(r, 1, i);
        store.setReal(r, 2, i / 4.0);
        rows.push_back(r);
    }
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(store.value(rows[i], 0), QVariant(QStringLiteral("楼院地址%1号").arg(i % 7))) << i;
        ASSERT_EQ(store.value(rows[i], 1), QVariant(qlonglong(i))) << i;
        ASSERT_EQ(store.value(rows[i], 2), QVariant(i / 4.0)) << i;
        ASSERT_TRUE(store.isNull(rows[i], 3)) << i;
    }
    // A shared text changed in one row stays in the others.
    store.setValue(rows[0], 0, QStringLiteral("改"));
    EXPECT_EQ(store.value(rows[7], 0), QVariant(QStringLiteral("楼院地址0号")));
}

TEST(RowStore, ChangeRecordsComeAndGoWithTheirRows)
{
    RowStore store = makeStore();
    DataRow* row = store.newRow();
    EXPECT_EQ(row->changes, nullptr);
    RowChanges& c = store.changes(row);
    EXPECT_EQ(&store.changes(row), &c) << "one record per row";
    EXPECT_EQ(c.modified.size(), 6u);
    store.dropChanges(row);
    EXPECT_EQ(row->changes, nullptr);
    store.changes(row);
    store.clear();   // frees rows and records alike (checked by the sanitizers)
}

} // namespace
} // namespace cr
