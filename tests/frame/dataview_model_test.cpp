#include "dataview_test_support.h"

#include "frame/dataview_model.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace cr::test {
namespace {

std::unique_ptr<DataView> listView(bool lineNumberFirst = true)
{
    DataViewDef d = houseDef();
    // The tester compares the first column before and after rows move; a
    // line number there changes by design.
    if (!lineNumberFirst) d.columns.move(0, d.columns.size() - 1);
    for (ColumnDef& c : d.columns) {
        if (c.name == QLatin1String("k") || c.name == QLatin1String("born")) c.inList = false;
        if (c.name == QLatin1String("note")) c.background = QStringLiteral("255");
    }
    auto v = std::make_unique<DataView>(d);
    addRow(*v, {{"k", 1}, {"building", 1}, {"housenumber", "101室"}, {"area", 1234.5}});
    addRow(*v, {{"k", 2}, {"building", 1}, {"housenumber", "102室"}});
    addRow(*v, {{"k", 3}, {"building", 2}, {"housenumber", "1"}, {"note", "x"}});
    v->resetUpdate();
    return v;
}

TEST(DataViewModel, ShowsListColumnsWithHeadingsTextsAndAlignment)
{
    auto v = listView();
    DataViewModel m(v.get());
    ASSERT_EQ(m.columnCount(), 8) << "rowno building unitno floorno housenumber area note buildingname";
    ASSERT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("序号"));
    EXPECT_EQ(m.headerData(2, Qt::Vertical).toInt(), 3);
    const int area = m.section(QStringLiteral("area"));
    ASSERT_GE(area, 0);
    EXPECT_EQ(m.section(QStringLiteral("k")), -1);
    EXPECT_EQ(m.data(m.index(0, area)).toString(), QStringLiteral("1,234.50"));
    EXPECT_EQ(m.data(m.index(0, area), Qt::EditRole), QVariant(1234.5));
    EXPECT_EQ(m.data(m.index(1, 0)).toString(), QStringLiteral("2"));
    const auto align = m.data(m.index(0, area), Qt::TextAlignmentRole).value<Qt::Alignment>();
    EXPECT_TRUE(align & Qt::AlignRight);
    const int number = m.section(QStringLiteral("housenumber"));
    EXPECT_TRUE(m.data(m.index(0, number), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
    const int note = m.section(QStringLiteral("note"));
    EXPECT_EQ(m.data(m.index(0, note), DataViewModel::ColorNumberRole), QVariant(qlonglong(255)));
    EXPECT_FALSE(m.data(m.index(0, area), DataViewModel::ColorNumberRole).isValid());
    DataViewModel all(v.get(), true);
    EXPECT_EQ(all.columnCount(), 10);
}

// Qt's own checks of a model, while the view changes under it.
TEST(DataViewModel, PassesModelTesterThroughViewChanges)
{
    auto v = listView(false);
    DataViewModel m(v.get());
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);

    const int row = v->insertRow(2);
    v->setItem(row, QStringLiteral("housenumber"), QStringLiteral("新"));
    EXPECT_EQ(m.rowCount(), 4);
    EXPECT_EQ(m.data(m.index(1, m.section(QStringLiteral("housenumber")))).toString(), QStringLiteral("新"));
    v->insertRow(0);
    v->deleteRow(1);
    v->deleteRow(v->rowCount());
    EXPECT_EQ(m.rowCount(), 3);
    v->setFilter(QStringLiteral("building = 1"));
    v->filter();
    EXPECT_EQ(m.rowCount(), 1);
    v->setFilter(QString());
    v->filter();
    m.sort(m.section(QStringLiteral("housenumber")), Qt::DescendingOrder);
    EXPECT_EQ(m.data(m.index(0, m.section(QStringLiteral("housenumber")))).toString(), QStringLiteral("新"));
    v->setRow(2);
    v->modify(QStringLiteral("note.background.color='65280'"));
    EXPECT_EQ(m.data(m.index(0, m.section(QStringLiteral("note"))), DataViewModel::ColorNumberRole),
              QVariant(qlonglong(65280)));
    v->reset();
    EXPECT_EQ(m.rowCount(), 0);
}

TEST(DataViewModel, EditingGoesThroughTheItemChangedHandler)
{
    auto v = listView();
    DataViewModel m(v.get());
    int answer = 0;
    v->events().itemChanged = [&](int, const QString&, const QString&) { return answer; };
    const QModelIndex cell = m.index(0, m.section(QStringLiteral("note")));
    ASSERT_TRUE(m.flags(cell) & Qt::ItemIsEditable);
    EXPECT_TRUE(m.setData(cell, QStringLiteral("ok")));
    EXPECT_EQ(v->getItemString(1, QStringLiteral("note")), QStringLiteral("ok"));
    answer = 1;
    EXPECT_FALSE(m.setData(cell, QStringLiteral("no")));
    EXPECT_EQ(v->getItemString(1, QStringLiteral("note")), QStringLiteral("ok"));
    EXPECT_FALSE(m.flags(m.index(0, 0)) & Qt::ItemIsEditable) << "computed";
    v->modify(QStringLiteral("DataWindow.ReadOnly=yes"));
    EXPECT_FALSE(m.flags(cell) & Qt::ItemIsEditable);
}

} // namespace
} // namespace cr::test
