// Draws the pictures of docs/exchange.md from a registry: the house list
// with its export button, the print preview of the building list, the
// building list as PDF, the import dialog with a report and ready to
// import, a record's register sheet; and writes the import templates.
// Built on request:
//   cmake --build build --target cr_exchange_pictures
//   QT_QPA_PLATFORM=offscreen build/app/cr_exchange_pictures DB OUTDIR BAD.csv GOOD.csv TEMPLATEDIR
#include "app/import_dialog.h"
#include "app/list_output.h"
#include "app/list_page_widget.h"
#include "app/main_window.h"
#include "app/person_dialog.h"
#include "exchange/import_template.h"
#include "frame/list_page.h"
#include "frame/person_selection.h"
#include "frame/sqlca.h"

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPdfWriter>
#include <QPrinter>
#include <QTabWidget>
#include <cstdio>

using namespace cr;
using namespace cr::app;

namespace {

void settle()
{
    for (int i = 0; i < 8; ++i) QApplication::processEvents();
}

bool save(QWidget* w, const QString& path)
{
    settle();
    const bool ok = w->grab().save(path);
    std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: cr_exchange_pictures DB OUTDIR BAD.csv GOOD.csv TEMPLATEDIR\n");
        return 2;
    }
    DbTarget target;
    target.path = args[1];
    QString error;
    auto sqlca = Sqlca::connect(target, &error);
    if (!sqlca) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QDir out(args[2]);
    MainWindow window(std::move(sqlca));
    window.resize(1200, 720);
    window.show();

    window.openPage(QStringLiteral("房屋"));
    ListPageWidget* houses = window.listPage(QStringLiteral("w_m_ge_houseinfo"));
    houses->applySearch(QStringLiteral("平房"));
    save(&window, out.filePath(QStringLiteral("exchange-list.png")));

    window.openPage(QStringLiteral("楼院"));
    ListPageWidget* buildings = window.listPage(QStringLiteral("w_m_ge_building"));
    settle();
    const ListOutput output(*buildings);
    if (!output.pdfTo(out.filePath(QStringLiteral("buildings.pdf")), &error)) std::fprintf(stderr, "%s\n", qPrintable(error));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintPreviewDialog preview(&printer, &window);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &window,
                         [&output](QPrinter* p) { output.printTo(*p, false); });
        preview.resize(1100, 760);
        preview.show();
        save(&preview, out.filePath(QStringLiteral("exchange-print-preview.png")));
    }
    {
        QPdfWriter sheet(out.filePath(QStringLiteral("building-record.pdf")));
        sheet.setResolution(150);
        buildings->listPage().selectRow(3);
        if (!output.printRecordTo(sheet, &error)) std::fprintf(stderr, "%s\n", qPrintable(error));
    }
    {
        ImportDialog dialog(window.sqlca(), &window);
        dialog.setKind(exchange::ImportKind::Persons);
        dialog.setFile(args[3]);
        dialog.show();
        dialog.check();
        save(&dialog, out.filePath(QStringLiteral("exchange-import-report.png")));
        dialog.setFile(args[4]);
        dialog.check();
        save(&dialog, out.filePath(QStringLiteral("exchange-import-ready.png")));
        dialog.importChecked(false);
    }
    {
        // One of the persons just imported, as the person selection finds them.
        PersonSelection selection(window.sqlca(), window.ui(), *window.context().message, window.context().catalog);
        PersonDialog dialog(&window, QStringLiteral("选择人员"), QStringLiteral("欧阳晓春"),
                            [&selection](const QString& text) { return selection.search(text); });
        dialog.show();
        dialog.runSearch();
        save(&dialog, out.filePath(QStringLiteral("exchange-person-found.png")));
    }
    for (const exchange::ImportKindDef& kind : exchange::importKinds()) {
        const QString path = QDir(args[5]).filePath(exchange::templateFileName(kind.kind));
        if (!exchange::writeTemplate(kind.kind, path, &error)) std::fprintf(stderr, "%s\n", qPrintable(error));
    }
    return 0;
}
