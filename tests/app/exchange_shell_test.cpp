// Getting a list page out as the clerk sees it (searched and sorted, in
// xlsx, CSV and PDF, the current record as a register sheet) and the import
// dialog's check-then-import. Runs on both engines.
#include "app/import_dialog.h"
#include "app/list_output.h"
#include "app/list_page_widget.h"
#include "catalog/module_catalog.h"
#include "exchange/list_extract.h"
#include "exchange/sheet_reader.h"
#include "frame/dataview.h"
#include "frame/list_page.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

namespace cr::app {
namespace {

class ExchangeShell : public test::DbTest {
protected:
    void SetUp() override
    {
        test::DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        db().setCommNo(QStringLiteral("110105001001"));
        addBuilding("亮马桥路1号", "世纪公寓", "01", 100.5);
        addBuilding("花家地街1号", "平房院", "02", 200.25);
        addBuilding("安华路5号", "双井小区", "01", 300);
        ASSERT_TRUE(db().commit());
        catalog::registerViews(catalog);
        catalog::registerWindows(registry);
        context = AppContext{&db(), &ui, &catalog, &registry, &message};
        page = std::make_unique<ListPageWidget>(context, *registry.find(QStringLiteral("w_m_ge_building")));
        ASSERT_EQ(page->retrieve(), 3);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        page.reset();
        test::DbTest::TearDown();
    }
    void addBuilding(const char* address, const char* name, const char* kind, double area)
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_building (commno, address, buildingname, roomtype, "
                                                "buildingarea, issave) VALUES ('1', :a, :n, :k, :area, '1')"),
                                 {{"a", QString::fromUtf8(address)}, {"n", QString::fromUtf8(name)},
                                  {"k", QString::fromLatin1(kind)}, {"area", area}}))
            << db().sqlErrText().toStdString();
    }
    QByteArray fileBytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    test::ScriptedUi ui;
    MessageObject message;
    ViewCatalog catalog;
    WindowRegistry registry;
    AppContext context;
    std::unique_ptr<ListPageWidget> page;
    QTemporaryDir dir;
};

TEST_P(ExchangeShell, TheExportIsTheListAsSearchedAndSorted)
{
    page->applySearch(QStringLiteral("楼房"));
    const int area = page->columns().indexOf(QStringLiteral("buildingarea"));
    page->sortByColumn(area);
    page->sortByColumn(area);   // descending
    const ListOutput output(*page);
    ASSERT_EQ(output.shown().rowCount(), 2);
    const QString file = dir.filePath(QStringLiteral("b.xlsx"));
    ASSERT_TRUE(output.exportTo(file, exchange::ExportFormat::Xlsx).ok());
    const exchange::SheetRead back = exchange::readSheet(file);
    ASSERT_TRUE(back.ok);
    const int address = page->columns().indexOf(QStringLiteral("address"));
    ASSERT_EQ(back.rows.size(), 4) << "heading, two rows, summary";
    EXPECT_EQ(back.rows[1][address].toString(), QStringLiteral("安华路5号")) << "largest area first, as sorted";
    EXPECT_EQ(back.rows[2][address].toString(), QStringLiteral("亮马桥路1号"));
    EXPECT_EQ(back.rows[3][area].toDouble(), 400.5) << "the summary of the rows shown";
}

TEST_P(ExchangeShell, AWideListPrintsSidewaysAndARecordUpright)
{
    const ListOutput output(*page);
    QString error;
    const QString list = dir.filePath(QStringLiteral("list.pdf"));
    ASSERT_TRUE(output.pdfTo(list, &error)) << error.toStdString();
    const QByteArray pdf = fileBytes(list);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 841") || pdf.contains("/MediaBox [0 0 842"))
        << "A4 landscape for the building list's many columns";

    page->listPage().selectRow(2);
    const std::unique_ptr<DataView> record = output.currentRecord(&error);
    ASSERT_TRUE(record) << error.toStdString();
    ASSERT_EQ(record->rowCount(), 1);
    EXPECT_EQ(record->getItemString(1, QStringLiteral("address")), QStringLiteral("花家地街1号")) << "the selected record";
    {
        QPdfWriter record(dir.filePath(QStringLiteral("record.pdf")));
        ASSERT_TRUE(output.printRecordTo(record, &error)) << error.toStdString();
    }
    const QByteArray sheet = fileBytes(dir.filePath(QStringLiteral("record.pdf")));
    EXPECT_TRUE(sheet.contains("/MediaBox [0 0 595")) << "A4 upright";
}

TEST_P(ExchangeShell, TheImportDialogWritesOnlyAFileWithoutProblems)
{
    const QString bad = dir.filePath(QStringLiteral("bad.csv"));
    const QString good = dir.filePath(QStringLiteral("good.csv"));
    auto write = [](const QString& path, const QByteArray& text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write(bad, "户号,户主姓名\nH1,王芳\nH1,王芳\n,李四\n");
    write(good, "户号,户主姓名\nH1,王芳\nH2,李四\n");
    ImportDialog dialog(db());
    dialog.setKind(exchange::ImportKind::Households);
    dialog.setFile(bad);
    dialog.check();
    EXPECT_EQ(dialog.report()->rowCount(), 2);
    EXPECT_EQ(dialog.report()->item(0, 0)->text(), QStringLiteral("3"));
    EXPECT_FALSE(dialog.importButton()->isEnabled());
    EXPECT_FALSE(dialog.importChecked(false));

    dialog.setFile(good);
    EXPECT_FALSE(dialog.importButton()->isEnabled()) << "a new file must be checked first";
    dialog.check();
    EXPECT_TRUE(dialog.importButton()->isEnabled());
    EXPECT_TRUE(dialog.importChecked(false));
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_rpr")).toLongLong(), 2);
    EXPECT_FALSE(dialog.importButton()->isEnabled()) << "the same rows cannot be written twice";
}

INSTANTIATE_ENGINES(ExchangeShell);

} // namespace
} // namespace cr::app
