#include "app/screenshot.h"

#include "app/coverage_page.h"
#include "app/floor_dialog.h"
#include "app/list_page_widget.h"
#include "app/main_window.h"
#include "app/pictures.h"
#include "frame/list_page.h"
#include "frame/window.h"
#include "persons_in_charge/floor_queries.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace cr::app {
namespace {

void settle()
{
    // Layouts, queued list refreshes and the first paint.
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Off screen there is no window frame: the title is drawn above the window,
// with the program's name after it as the desktop shows it.
QPixmap withTitle(const QPixmap& window, QString title)
{
    const QString program = QApplication::applicationDisplayName();
    if (!program.isEmpty() && title != program && !title.isEmpty()) title += QStringLiteral(" — ") + program;
    if (window.isNull()) return window;
    const int strip = 30;
    QPixmap framed(window.width(), window.height() + strip);
    framed.fill(QColor(0x23, 0x5f, 0xad));
    QPainter p(&framed);
    p.drawPixmap(0, strip, window);
    p.drawPixmap(8, 7, appIcon().pixmap(16, 16));
    p.setPen(Qt::white);
    QFont f = QApplication::font();
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(32, 0, window.width() - 40, strip), Qt::AlignVCenter | Qt::AlignLeft, title);
    return framed;
}

int fail(const QString& text)
{
    fprintf(stderr, "%s\n", qPrintable(text));
    return 1;
}

// The fastest zlib level: a window's flat colours pack almost as well as at
// the default level, in a fraction of the time.
constexpr int kPngQuality = 80;

// PNG, unless the file is named .bmp: an uncompressed picture for timing the
// window itself (the benchmarks), where packing it would be counted too.
int save(const QPixmap& shot, const QString& output)
{
    const bool bitmap = QFileInfo(output).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0;
    if (shot.isNull() || !shot.save(output, bitmap ? "BMP" : "PNG", bitmap ? -1 : kPngQuality))
        return fail(QStringLiteral("无法写入截图文件：%1").arg(output));
    printf("%s\n", qPrintable(output));
    return 0;
}

// Deletes the list's current record as 删除 does, with the real message
// boxes: the first box that opens (the question, or the refusal of a record
// still in use) is drawn and closed with 否, so nothing is deleted.
int takeDeleteQuestion(MainWindow& window, ListPageWidget& list, const QString& output)
{
    window.ui().setUnattended(false);
    std::optional<int> result;
    QTimer::singleShot(0, &window, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        settle();
        result = save(withTitle(box->grab(), box->windowTitle()), output);
        if (auto* message = qobject_cast<QMessageBox*>(box)) message->reject();
        else box->close();
    });
    list.deleteCurrent();
    window.ui().setUnattended(true);
    return result ? *result : fail(QStringLiteral("删除时没有出现询问。"));
}

} // namespace

int takeWidgetScreenshot(QWidget& widget, const QString& output)
{
    widget.show();
    settle();
    return save(withTitle(widget.grab(), widget.windowTitle()), output);
}

int takeFloorDialogScreenshot(MainWindow& window, qlonglong building, const QString& output)
{
    using namespace persons_in_charge;
    const FloorQueries queries(window.sqlca());
    StrMultiselect parameter;
    parameter.s_dw = FloorSelection::listFor(queries.kind(building).value_or(QString()));
    parameter.s_filter = FloorSelection::filterFor(building);
    const QList<DeanRange> deans = queries.deanRanges(building);
    if (!deans.isEmpty()) {
        parameter.s_str = deans.first().readable;
        parameter.s_code = deans.first().code;
    }
    QString error;
    const std::optional<FloorSelection> selection = FloorSelection::open(window.sqlca(), parameter, &error);
    if (!selection) return fail(error);
    FloorDialog dialog(nullptr, *selection);
    return takeWidgetScreenshot(dialog, output);
}

int takeScreenshot(MainWindow& window, const ScreenshotRequest& request)
{
    window.ui().setUnattended(true);
    window.resize(request.size);
    window.show();
    settle();
    QWidget* target = &window;
    if (!request.window.isEmpty()) {
        if (!window.openPage(request.window)) return fail(QStringLiteral("未知的窗口：%1").arg(request.window));
        settle();
        if (!request.search.isEmpty()) {
            ListPageWidget* list = window.listPage(MainWindow::pageWindow(window.currentPage()));
            if (!list) return fail(QStringLiteral("窗口“%1”没有列表，不能查找。").arg(request.window));
            list->searchBox()->setText(request.search);
            list->applySearch(request.search);
            settle();
        }
        auto* coverage = qobject_cast<CoveragePage*>(window.currentPage());
        if (coverage && !request.record.isEmpty()) {
            if (!coverage->showBuilding(request.record.toLongLong()))
                return fail(QStringLiteral("没有编号为 %1 的楼院。").arg(request.record));
            settle();
        } else if (!request.record.isEmpty() || request.add) {
            ListPageWidget* list = window.listPage(window.currentPage() ? MainWindow::pageWindow(window.currentPage())
                                                                        : request.window);
            if (!list) return fail(QStringLiteral("窗口“%1”没有列表，不能打开记录。").arg(request.window));
            if (!request.add) {
                const int row = list->listPage().findKey(request.record);
                if (row < 1) return fail(QStringLiteral("列表中没有关键字为 %1 的记录。").arg(request.record));
                list->listPage().selectRow(row);
                settle();
            }
            if (request.deleteQuestion) return takeDeleteQuestion(window, *list, request.output);
            QWidget* opened = list->openRecord(request.add ? RecordMode::Add : RecordMode::Modify);
            if (!opened) return fail(QStringLiteral("登记窗口没有打开。"));
            settle();
            target = opened;
        }
    }
    settle();
    return save(withTitle(target->grab(), target->windowTitle()), request.output);
}

} // namespace cr::app
