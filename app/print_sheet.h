#pragma once

#include <QDate>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace cr::app {

// What stands on every printed page besides the table: the title, the
// community and the date above, the page number below.
struct PrintHeading {
    QString title;
    QString community;   // the community's name, or its number
    QDate date;
};

// The furniture of a printed register page. Works in the painter's
// coordinates (device pixels of the page's paint rectangle).
class PrintSheet {
public:
    PrintSheet(QPainter& painter, const QPagedPaintDevice& device, const PrintHeading& heading);

    QRectF body() const { return m_body; }          // where the table goes
    double lineHeight() const { return m_lineHeight; }
    QFont tableFont() const { return m_tableFont; }
    QFont boldFont() const;
    void setTableFontSize(double points);   // smaller for a wide table

    // Title and page line of page `page` of `pages`.
    void paintFurniture(int page, int pages);
    // A cell with a thin frame and its text, elided when it does not fit
    // (or, with `wrap`, broken over the cell's lines).
    void paintCell(const QRectF& cell, const QString& text, Qt::Alignment align, bool bold = false,
                   bool shaded = false, bool wrap = false);

    // Points to device pixels on this page.
    double points(double pt) const;

private:
    QPainter& m_painter;
    const QPagedPaintDevice& m_device;
    PrintHeading m_heading;
    QFont m_tableFont;
    QRectF m_page;
    QRectF m_body;
    double m_lineHeight = 0;
};

} // namespace cr::app
