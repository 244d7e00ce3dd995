#include "app/print_sheet.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace cr::app {

PrintSheet::PrintSheet(QPainter& painter, const QPagedPaintDevice& device, const PrintHeading& heading)
    : m_painter(painter), m_device(device), m_heading(heading)
{
    m_page = QRectF(0, 0, device.width(), device.height());
    m_tableFont = QFont(painter.font().family());
    m_tableFont.setPointSizeF(9);
    painter.setFont(m_tableFont);
    m_lineHeight = QFontMetricsF(m_tableFont, &device).height() * 1.5;
    const double top = points(58);      // title and the community line
    const double bottom = points(24);   // page number
    m_body = QRectF(m_page.left(), m_page.top() + top, m_page.width(), m_page.height() - top - bottom);
}

double PrintSheet::points(double pt) const
{
    return pt * m_device.logicalDpiY() / 72.0;
}

void PrintSheet::setTableFontSize(double pt)
{
    m_tableFont.setPointSizeF(pt);
    m_lineHeight = QFontMetricsF(m_tableFont, &m_device).height() * 1.5;
}

QFont PrintSheet::boldFont() const
{
    QFont f = m_tableFont;
    f.setBold(true);
    return f;
}

void PrintSheet::paintFurniture(int page, int pages)
{
    m_painter.save();
    QFont title = m_tableFont;
    title.setPointSizeF(15);
    title.setBold(true);
    m_painter.setFont(title);
    m_painter.drawText(QRectF(m_page.left(), m_page.top(), m_page.width(), points(28)), Qt::AlignCenter,
                       m_heading.title);
    m_painter.setFont(m_tableFont);
    const QRectF line(m_page.left(), m_page.top() + points(32), m_page.width(), points(18));
    m_painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("社区：%1").arg(m_heading.community));
    m_painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("打印日期：%1").arg(m_heading.date.toString(QStringLiteral("yyyy年M月d日"))));
    m_painter.drawText(QRectF(m_page.left(), m_page.bottom() - points(18), m_page.width(), points(18)),
                       Qt::AlignCenter, QStringLiteral("第 %1 页，共 %2 页").arg(page).arg(pages));
    m_painter.restore();
}

void PrintSheet::paintCell(const QRectF& cell, const QString& text, Qt::Alignment align, bool bold, bool shaded,
                           bool wrap)
{
    m_painter.save();
    if (shaded) m_painter.fillRect(cell, QColor(0xE8, 0xEE, 0xF5));
    m_painter.setPen(QPen(Qt::black, 0));
    m_painter.drawRect(cell);
    m_painter.setFont(bold ? boldFont() : m_tableFont);
    const double pad = points(2.5);
    const QRectF inner = cell.adjusted(pad, 0, -pad, 0);
    if (wrap) {
        m_painter.drawText(inner, int(align | Qt::AlignVCenter | Qt::TextWrapAnywhere), text);
    } else {
        const QString shown =
            QFontMetricsF(m_painter.font(), &m_device).elidedText(text, Qt::ElideRight, inner.width());
        m_painter.drawText(inner, int(align | Qt::AlignVCenter), shown);
    }
    m_painter.restore();
}

} // namespace cr::app
