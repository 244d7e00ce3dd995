#include "app/list_print.h"

#include "exchange/list_extract.h"
#include "exchange/list_writers.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace cr::app {
namespace {

constexpr int kSampledRows = 300;
constexpr double kWidestColumn = 36;   // characters; longer texts are cut short

} // namespace

ListPrint::ListPrint(const exchange::ListExtract& list, const PrintHeading& heading) : m_list(list), m_heading(heading) {}

QList<double> ListPrint::naturalWidths() const
{
    QList<double> widths;
    for (int c = 0; c < m_list.columnCount(); ++c) {
        // Headings may take two lines.
        int w = (exchange::displayWidth(m_list.columns()[c].heading) + 1) / 2 + 1;
        for (int r = 0; r < qMin(m_list.rowCount(), kSampledRows); ++r)
            w = qMax(w, exchange::displayWidth(m_list.text(r, c)));
        if (m_list.hasSummary()) w = qMax(w, exchange::displayWidth(m_list.summary()[c]));
        widths << qMin(double(w), kWidestColumn) + 1.5;
    }
    return widths;
}

bool ListPrint::wantsLandscape() const
{
    double total = 0;
    for (double w : naturalWidths()) total += w;
    return total > 105;   // what an A4 page holds upright at 9 points
}

int ListPrint::paint(QPagedPaintDevice& device, const std::function<bool(int, int)>& progress) const
{
    QPainter painter;
    if (!painter.begin(&device)) return -1;
    PrintSheet sheet(painter, device, m_heading);

    // Column widths in device units: a character is half the type's height.
    const QList<double> chars = naturalWidths();
    double total = 0;
    for (double w : chars) total += w;
    double charWidth = QFontMetricsF(sheet.tableFont(), &device).horizontalAdvance(QLatin1Char('0'));
    if (total * charWidth > sheet.body().width() && total > 0) {
        const double factor = sheet.body().width() / (total * charWidth);
        sheet.setTableFontSize(qMax(5.0, sheet.tableFont().pointSizeF() * factor));
        charWidth = sheet.body().width() / total;
    }
    QList<double> widths;
    for (double w : chars) widths << w * charWidth;

    const double line = sheet.lineHeight();
    const int perPage = qMax(1, int(sheet.body().height() / line) - 2);   // less the heading row
    const int lines = m_list.rowCount() + (m_list.hasSummary() ? 1 : 0);
    const int pages = qMax(1, (lines + perPage - 1) / perPage);
    const QList<bool> summaryNumeric = m_list.summaryIsNumber();

    auto paintRow = [&](double y, const std::function<QString(int)>& text, const std::function<bool(int)>& right,
                        bool bold, bool heading) {
        double x = sheet.body().left();
        for (int c = 0; c < widths.size(); ++c) {
            sheet.paintCell(QRectF(x, y, widths[c], heading ? 2 * line : line), text(c),
                            heading ? Qt::AlignHCenter : right(c) ? Qt::AlignRight : Qt::AlignLeft, bold, heading,
                            heading);
            x += widths[c];
        }
    };
    auto isNumber = [this](int c) { return m_list.columns()[c].kind == exchange::CellKind::Number; };

    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !device.newPage()) return -1;
        if (progress && !progress(page, pages)) return -1;
        sheet.paintFurniture(page, pages);
        double y = sheet.body().top();
        paintRow(y, [this](int c) { return m_list.columns()[c].heading; }, [](int) { return false; }, true, true);
        y += 2 * line;
        const int first = (page - 1) * perPage;
        for (int i = first; i < qMin(first + perPage, lines); ++i, y += line) {
            if (i < m_list.rowCount())
                paintRow(y, [&](int c) { return m_list.text(i, c); }, isNumber, false, false);
            else
                paintRow(y, [&](int c) { return m_list.summary()[c]; },
                         [&](int c) { return summaryNumeric.value(c); }, true, false);
        }
    }
    painter.end();
    return pages;
}

} // namespace cr::app
