#include "exchange/import_write.h"
#include "exchange/list_export.h"
#include "exchange/list_extract.h"
#include "exchange/list_search.h"
#include "exchange_fixture.h"
#include "frame/dataview.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace cr::exchange::test {
namespace {

class ListExport : public ExchangeTest {
protected:
    void SetUp() override
    {
        ExchangeTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        addBuilding(QStringLiteral("亮马桥路1号"), QStringLiteral("世纪公寓"), QStringLiteral("01"), 100.5, 2);
        addBuilding(QStringLiteral("花家地街1号"), QStringLiteral("平房院"), QStringLiteral("02"), 200.25, 0);
        addBuilding(QStringLiteral("安华路5号"), QStringLiteral("双井ABC楼"), QStringLiteral("01"), 300, 3);
        buildings = std::make_unique<DataView>(*catalog.find(QStringLiteral("d_ge_building")));
        buildings->setTransObject(&db());
        buildings->setCatalog(&catalog);
        ASSERT_EQ(buildings->retrieve(), 3) << buildings->lastError().toStdString();
    }
    void TearDown() override
    {
        buildings.reset();
        ExchangeTest::TearDown();
    }
    void addBuilding(const QString& address, const QString& name, const QString& kind, double area, int doors)
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_building (commno, address, buildingname, roomtype, "
                                                "buildingarea, unitnum, issave) VALUES ('1', :a, :n, :k, :area, :u, '1')"),
                                 {{"a", address}, {"n", name}, {"k", kind}, {"area", area}, {"u", doors}}))
            << db().sqlErrText().toStdString();
        db().commit();
    }
    QList<int> found(const QString& text) const { return ListSearch(text).rows(*buildings, listColumns(*buildings)); }
    int column(const ListExtract& list, const QString& name) const
    {
        for (int c = 0; c < list.columnCount(); ++c)
            if (list.columns()[c].name == name) return c;
        return -1;
    }

    std::unique_ptr<DataView> buildings;
};

TEST_P(ListExport, TheSearchFindsWhatTheListShows)
{
    struct Case {
        const char* name;
        QString text;
        QList<int> rows;
    };
    const Case cases[] = {
        {"nothing typed keeps every row", QStringLiteral("  "), {1, 2, 3}},
        {"lookup text of a code", QStringLiteral("平房"), {2}},
        {"case ignored", QStringLiteral("abc"), {3}},
        {"every word must appear", QStringLiteral("楼房 安华"), {3}},
        {"a formatted number", QStringLiteral("200.25"), {2}},
        {"no word across two columns", QStringLiteral("1号世纪"), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(found(c.text), c.rows) << c.name;
}

TEST_P(ListExport, ASearchedExtractNumbersAndSumsItsOwnRows)
{
    const ListExtract list(*buildings, found(QStringLiteral("楼房")), QStringLiteral("社区楼院"));
    ASSERT_EQ(list.rowCount(), 2);
    const int line = column(list, QStringLiteral("rownumber"));
    const int area = column(list, QStringLiteral("buildingarea"));
    const int kind = column(list, QStringLiteral("roomtype"));
    ASSERT_GE(line, 0);
    ASSERT_GE(area, 0);
    EXPECT_EQ(list.columns()[line].heading, QStringLiteral("序号"));
    EXPECT_EQ(list.text(1, line), QStringLiteral("2")) << "line numbers count the rows written";
    EXPECT_EQ(list.text(0, kind), QStringLiteral("楼房")) << "the lookup text, not the code";
    EXPECT_EQ(list.value(1, area).toDouble(), 300.0);
    ASSERT_TRUE(list.hasSummary());
    EXPECT_EQ(list.summary()[area], QStringLiteral("400.50")) << "the searched rows' total, not the whole list's";
    EXPECT_EQ(list.summary()[column(list, QStringLiteral("unitnum"))], QStringLiteral("5"));
    EXPECT_EQ(list.summary()[0], QStringLiteral("合计：")) << "the label in the first column without a sum";
}

TEST_P(ListExport, CsvIsUtf8WithBomAsShown)
{
    const QString file = path(QStringLiteral("b.csv"));
    const ExportOutcome o = exportList(ListExtract(*buildings, QStringLiteral("社区楼院")), file, ExportFormat::Csv);
    ASSERT_TRUE(o.ok()) << o.error.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF序号,楼院地址,楼院俗称,")) << bytes.left(60).toStdString();
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6) << "heading, 3 rows, summary, nothing after the last CR LF";
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2,花家地街1号,平房院,,平房,"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("合计："))) << lines[4].toStdString();
    EXPECT_TRUE(lines[4].contains(QStringLiteral("600.75")));
}

// The workbook opens in a second, independent reader (openpyxl) as a valid
// workbook with a frozen heading row, numbers as numbers and dates as dates.
TEST_P(ListExport, TheWorkbookIsValidForAnotherReader)
{
    const ImportPlan persons = plan(ImportKind::Persons,
                                    csvFile(QStringLiteral("p.csv"), {{"姓名", "证件号码", "民族"},
                                                                      {"王芳", "11010519491231002X", "汉族"}}));
    ASSERT_TRUE(writeImport(db(), persons).ok());
    DataView people(*catalog.find(QStringLiteral("d_ge_personinfo")));
    people.setTransObject(&db());
    people.setCatalog(&catalog);
    ASSERT_EQ(people.retrieve(), 1);
    const QString bookPath = path(QStringLiteral("buildings.xlsx"));
    const QString peoplePath = path(QStringLiteral("people.xlsx"));
    ASSERT_TRUE(exportList(ListExtract(*buildings, QStringLiteral("社区楼院")), bookPath, ExportFormat::Xlsx).ok());
    ASSERT_TRUE(exportList(ListExtract(people, QStringLiteral("人员")), peoplePath, ExportFormat::Xlsx).ok());

    // Our own reader first: the same cells come back.
    const SheetRead back = readSheet(bookPath);
    ASSERT_TRUE(back.ok) << back.error.toStdString();
    ASSERT_EQ(back.rows.size(), 5);
    EXPECT_EQ(back.rows[0][1].toString(), QStringLiteral("楼院地址"));
    EXPECT_EQ(back.rows[2][1].toString(), QStringLiteral("花家地街1号"));
    EXPECT_EQ(readSheet(peoplePath).rows.value(1).value(3), QVariant(QDate(1949, 12, 31)));

    const QString python = QStringLiteral("/usr/bin/python3");
    const char* script = R"py(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1]); sheet = book.active
people = openpyxl.load_workbook(sys.argv[2]).active
rows = list(sheet.iter_rows(values_only=True))
area = rows[0].index("楼院总建筑面积（平方米）")
print(json.dumps({"title": sheet.title, "freeze": sheet.freeze_panes, "rows": len(rows),
  "line": type(rows[1][0]).__name__, "area": rows[2][area], "areaFormat": sheet.cell(3, area + 1).number_format,
  "kind": rows[2][rows[0].index("房屋类型")], "total": rows[4][area], "label": rows[4][0],
  "birth": people.cell(2, 4).value.isoformat() if hasattr(people.cell(2, 4).value, "isoformat") else "not a date",
  "idcard": people.cell(2, 3).value}, ensure_ascii=False))
)py";
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), bookPath, peoplePath});
    if (!p.waitForStarted()) GTEST_SKIP() << "python3 is not installed";
    p.waitForFinished(60000);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (err.contains(QStringLiteral("No module named 'openpyxl'"))) GTEST_SKIP() << "python3-openpyxl is not installed";
    ASSERT_EQ(p.exitCode(), 0) << err.toStdString();
    const QJsonObject r = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(r["title"].toString(), QStringLiteral("社区楼院"));
    EXPECT_EQ(r["freeze"].toString(), QStringLiteral("A2"));
    EXPECT_EQ(r["rows"].toInt(), 5);
    EXPECT_EQ(r["line"].toString(), QStringLiteral("int")) << "line numbers are numbers";
    EXPECT_EQ(r["area"].toDouble(), 200.25);
    EXPECT_EQ(r["areaFormat"].toString(), QStringLiteral("#,##0.00"));
    EXPECT_EQ(r["kind"].toString(), QStringLiteral("平房"));
    EXPECT_EQ(r["total"].toDouble(), 600.75);
    EXPECT_EQ(r["label"].toString(), QStringLiteral("合计："));
    EXPECT_EQ(r["birth"].toString(), QStringLiteral("1949-12-31T00:00:00"));
    EXPECT_EQ(r["idcard"].toString(), QStringLiteral("11010519491231002X")) << "kept as text";
}

TEST_P(ListExport, ACancelledOrFailedExportLeavesTheOldFile)
{
    const QString file = path(QStringLiteral("keep.xlsx"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QList<int> many;
    for (int i = 0; i < 1200; ++i) many << 1 + i % 3;
    const ListExtract list(*buildings, many, QStringLiteral("社区楼院"));
    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        const ExportOutcome o = exportList(list, file, format, [](int done, int) { return done < 500; });
        EXPECT_EQ(o.result, ExportOutcome::Result::Cancelled);
        QFile kept(file);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), QByteArray("old"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left";
    const ExportOutcome missing = exportList(list, path(QStringLiteral("nowhere/x.csv")), ExportFormat::Csv);
    EXPECT_EQ(missing.result, ExportOutcome::Result::Failed);
    EXPECT_TRUE(missing.error.contains(QStringLiteral("不存在")));
}

TEST_P(ListExport, PersonsSurviveAnExportAndAnImportIntoAnotherRegistry)
{
    household(QStringLiteral("H001"), QStringLiteral("王芳"));
    const ImportPlan first = plan(
        ImportKind::Persons,
        csvFile(QStringLiteral("p.csv"),
                {{"姓名", "性别", "证件号码", "出生日期", "民族", "政治面貌", "户号", "居住地址", "联系电话"},
                 {"王芳", "女", "11010519491231002X", "1949-12-31", "汉族", "群众", "H001", "安华路5号", "13800138000"},
                 {"李四", "", "110105198503020118", "", "回族", "", "", "", ""}}));
    ASSERT_TRUE(first.problems.isEmpty()) << problemsText(first);
    ASSERT_TRUE(writeImport(db(), first).ok());
    auto exportPersons = [this](Sqlca& sqlca, const QString& file, ExportFormat format) {
        DataView people(*catalog.find(QStringLiteral("d_ge_personinfo")));
        people.setTransObject(&sqlca);
        people.setCatalog(&catalog);
        people.retrieve();
        return exportList(ListExtract(people, QStringLiteral("人员")), file, format);
    };
    ASSERT_TRUE(exportPersons(db(), path(QStringLiteral("out.xlsx")), ExportFormat::Xlsx).ok());
    ASSERT_TRUE(exportPersons(db(), path(QStringLiteral("a.csv")), ExportFormat::Csv).ok());

    QString skip;
    auto other = cr::test::openFreshDatabase(GetParam(), true, &skip);
    ASSERT_TRUE(other) << skip.toStdString();
    Sqlca& b = *other->sqlca;
    ASSERT_TRUE(b.execute(QStringLiteral("INSERT INTO tc_ge_rpr (commno, rprno, hostname) VALUES ('1', 'H001', '王芳')")));
    b.commit();
    const ImportPlan again = planImport(b, ImportKind::Persons, readSheet(path(QStringLiteral("out.xlsx"))));
    ASSERT_TRUE(again.problems.isEmpty()) << problemsText(again);
    ASSERT_TRUE(writeImport(b, again).ok());
    ASSERT_TRUE(exportPersons(b, path(QStringLiteral("b.csv")), ExportFormat::Csv).ok());
    QFile a(path(QStringLiteral("a.csv"))), c(path(QStringLiteral("b.csv")));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && c.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(c.readAll()).toStdString(), QString::fromUtf8(a.readAll()).toStdString());
}

TEST(ExportFileName, ProposedFromTitleDateAndRows)
{
    const QDate day(2026, 3, 5);
    EXPECT_EQ(proposedFileName(QStringLiteral("房屋信息表"), day, 120, ExportFormat::Xlsx),
              QStringLiteral("房屋信息表_2026-03-05_120条.xlsx"));
    EXPECT_EQ(proposedFileName(QStringLiteral("楼院/房屋:*?"), day, 0, ExportFormat::Csv),
              QStringLiteral("楼院_房屋__2026-03-05_0条.csv"));
    EXPECT_EQ(proposedFileName(QString(), day, 1, ExportFormat::Csv), QStringLiteral("列表_2026-03-05_1条.csv"));
    ExportFormat f;
    EXPECT_TRUE(formatForPath(QStringLiteral("a.XLSX"), &f));
    EXPECT_EQ(f, ExportFormat::Xlsx);
    EXPECT_FALSE(formatForPath(QStringLiteral("a.xls"), &f));
}

INSTANTIATE_ENGINES(ListExport);

} // namespace
} // namespace cr::exchange::test
