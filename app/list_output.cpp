#include "app/list_output.h"

#include "app/list_page_widget.h"
#include "app/list_print.h"
#include "app/record_print.h"
#include "exchange/list_extract.h"
#include "frame/dataview.h"
#include "frame/list_page.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "schema/schema.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QStandardPaths>

namespace cr::app {
namespace {

void setOrientation(QPagedPaintDevice& device, bool landscape)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

} // namespace

void addOutputActions(QMenu* menu, QWidget* parent, const std::function<ListPageWidget*()>& list, bool shortcuts)
{
    auto add = [&](const QString& text, const QKeySequence& key, auto work) {
        QAction* action = menu->addAction(text, parent, [parent, list, work] {
            ListPageWidget* page = list();
            if (!page) {
                QMessageBox::information(parent, QStringLiteral("提示"), QStringLiteral("请先打开一个列表。"));
                return;
            }
            work(ListOutput(*page), page);
        });
        if (shortcuts) action->setShortcut(key);
    };
    add(QStringLiteral("导出为Excel(&X)…"), QKeySequence(QStringLiteral("Ctrl+E")),
        [](const ListOutput& o, QWidget* w) { o.exportWithDialog(exchange::ExportFormat::Xlsx, w); });
    add(QStringLiteral("导出为CSV(&C)…"), QKeySequence(),
        [](const ListOutput& o, QWidget* w) { o.exportWithDialog(exchange::ExportFormat::Csv, w); });
    menu->addSeparator();
    add(QStringLiteral("打印列表(&P)…"), QKeySequence::Print,
        [](const ListOutput& o, QWidget* w) { o.printWithPreview(w); });
    add(QStringLiteral("列表导出为PDF(&D)…"), QKeySequence(), [](const ListOutput& o, QWidget* w) { o.pdfWithDialog(w); });
    add(QStringLiteral("打印当前记录(&R)…"), QKeySequence(),
        [](const ListOutput& o, QWidget* w) { o.printRecordWithPreview(w); });
}

QString documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

// A name typed without an ending gets the format's.
static QString withSuffix(const QString& path, const QString& suffix)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1Char('.') + suffix : path;
}

QString communityLabel(Sqlca& sqlca)
{
    const QString name = schema::setting(sqlca, QStringLiteral("commname"));
    if (!name.isEmpty()) return name;
    return sqlca.commNo().isEmpty() ? schema::setting(sqlca, QStringLiteral("commno")) : sqlca.commNo();
}

ListOutput::ListOutput(ListPageWidget& page) : m_page(page)
{
    m_shown = std::make_unique<exchange::ListExtract>(page.listPage().dw_1(), page.shownRows(), page.info().title);
}

ListOutput::~ListOutput() = default;

PrintHeading ListOutput::heading() const
{
    return PrintHeading{m_page.info().title, communityLabel(*m_page.context().sqlca), QDate::currentDate()};
}

exchange::ExportOutcome ListOutput::exportTo(const QString& path, exchange::ExportFormat format,
                                             const exchange::ExportProgress& progress) const
{
    return exchange::exportList(*m_shown, path, format, progress);
}

int ListOutput::printTo(QPagedPaintDevice& device, bool setLayout) const
{
    const ListPrint print(*m_shown, heading());
    if (setLayout) setOrientation(device, print.wantsLandscape());
    return print.paint(device);
}

bool ListOutput::pdfTo(const QString& path, QString* error) const
{
    QPdfWriter pdf(path);
    pdf.setResolution(300);
    pdf.setTitle(m_page.info().title);
    pdf.setCreator(QStringLiteral("社区居委会信息登记"));
    if (printTo(pdf) < 0) {
        *error = QStringLiteral("无法写入文件“%1”。").arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

std::unique_ptr<DataView> ListOutput::currentRecord(QString* error) const
{
    ListPage& list = m_page.listPage();
    const ViewCatalog& catalog = *m_page.context().catalog;
    const DataViewDef* formDef = catalog.find(m_page.info().formView);
    const QString key = m_page.info().keyColumn.isEmpty() ? list.keyColumn() : m_page.info().keyColumn;
    if (!formDef || key.isEmpty() || list.currentRow() < 1) {
        *error = QStringLiteral("请先在列表中选中一条记录。");
        return nullptr;
    }
    // The form's query narrowed to the one record, as the register window reads it.
    DataViewDef one = *formDef;
    one.sql = QStringLiteral("SELECT * FROM (%1) q WHERE q.%2 = :cr_key").arg(formDef->sql, key);
    one.arguments = {QStringLiteral("cr_key")};
    auto form = std::make_unique<DataView>(one);
    form->setTransObject(m_page.context().sqlca);
    form->setCatalog(&catalog);
    if (form->retrieve({list.currentKey()}) < 1) {
        *error = QStringLiteral("读取记录失败：%1").arg(form->lastError());
        return nullptr;
    }
    return form;
}

bool ListOutput::printRecordTo(QPagedPaintDevice& device, QString* error, bool setLayout) const
{
    const std::unique_ptr<DataView> form = currentRecord(error);
    if (!form) return false;
    const DataViewDef& formDef = form->definition();
    PrintHeading h = heading();
    h.title = (formDef.title.isEmpty() ? m_page.info().title : formDef.title) + QStringLiteral("登记表");
    if (setLayout) setOrientation(device, false);
    if (RecordPrint(*form, 1, h).paint(device) < 0) {
        *error = QStringLiteral("无法打印。");
        return false;
    }
    return true;
}

void ListOutput::exportWithDialog(exchange::ExportFormat format, QWidget* parent) const
{
    const QString proposed = exchange::proposedFileName(m_page.info().title, QDate::currentDate(),
                                                        m_shown->rowCount(), format);
    const QString filter = format == exchange::ExportFormat::Xlsx ? QStringLiteral("Excel 工作簿 (*.xlsx)")
                                                                 : QStringLiteral("CSV 文件（UTF-8） (*.csv)");
    const QString chosen = QFileDialog::getSaveFileName(parent, QStringLiteral("导出列表"),
                                                        QDir(documentsFolder()).filePath(proposed), filter);
    if (chosen.isEmpty()) return;
    const QString path = withSuffix(chosen, exchange::formatSuffix(format));

    QProgressDialog progress(QStringLiteral("正在导出 %1 条记录…").arg(m_shown->rowCount()), QStringLiteral("取消"), 0,
                             m_shown->rowCount(), parent);
    progress.setWindowTitle(QStringLiteral("导出"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const exchange::ExportOutcome o = exportTo(path, format, [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (o.result == exchange::ExportOutcome::Result::Cancelled) return;
    if (!o.ok()) {
        QMessageBox::warning(parent, QStringLiteral("导出"), QStringLiteral("导出失败：%1").arg(o.error));
        return;
    }
    QMessageBox::information(parent, QStringLiteral("导出"),
                             QStringLiteral("已导出 %1 条记录到：\n%2").arg(o.rows).arg(QDir::toNativeSeparators(path)));
}

void ListOutput::pdfWithDialog(QWidget* parent) const
{
    const QString proposed = exchange::proposedFileName(m_page.info().title, QDate::currentDate(),
                                                        m_shown->rowCount(), exchange::ExportFormat::Csv)
                                 .replace(QLatin1String(".csv"), QLatin1String(".pdf"));
    const QString chosen = QFileDialog::getSaveFileName(parent, QStringLiteral("导出PDF"),
                                                        QDir(documentsFolder()).filePath(proposed),
                                                        QStringLiteral("PDF 文件 (*.pdf)"));
    if (chosen.isEmpty()) return;
    const QString path = withSuffix(chosen, QStringLiteral("pdf"));
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = pdfTo(path, &error);
    QApplication::restoreOverrideCursor();
    if (!ok) QMessageBox::warning(parent, QStringLiteral("导出PDF"), error);
}

void ListOutput::printWithPreview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_page.info().title);
    setOrientation(printer, ListPrint(*m_shown, heading()).wantsLandscape());
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("打印预览 - %1").arg(m_page.info().title));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, parent,
                     [this](QPrinter* p) { printTo(*p, false); });
    preview.resize(1000, 760);
    preview.exec();
}

void ListOutput::printRecordWithPreview(QWidget* parent) const
{
    QString error;
    QPrinter printer(QPrinter::HighResolution);
    setOrientation(printer, false);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("打印预览 - 当前记录"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, parent,
                     [this, &error](QPrinter* p) { printRecordTo(*p, &error, false); });
    if (m_page.listPage().currentRow() < 1) {
        QMessageBox::information(parent, QStringLiteral("提示"), QStringLiteral("请先在列表中选中一条记录。"));
        return;
    }
    preview.resize(900, 760);
    preview.exec();
    if (!error.isEmpty()) QMessageBox::warning(parent, QStringLiteral("打印"), error);
}

} // namespace cr::app
