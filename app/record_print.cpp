#include "app/record_print.h"

#include "frame/dataview.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace cr::app {
namespace {

struct Field {
    QString label;
    QString value;
    bool wide = false;
};

struct Group {
    QString title;
    QList<Field> fields;
};

QString bareLabel(const ColumnDef& c)
{
    QString label = c.label.isEmpty() ? c.heading : c.label;
    while (label.endsWith(QLatin1Char(':')) || label.endsWith(QChar(0xFF1A))) label.chop(1);
    return label.trimmed();
}

// The form's fields in their tab order, gathered under their groups.
QList<Group> groupsOf(const DataView& form, int row)
{
    QList<const ColumnDef*> columns;
    for (const ColumnDef& c : form.definition().columns)
        if (c.inForm && !bareLabel(c).isEmpty()) columns << &c;
    std::stable_sort(columns.begin(), columns.end(), [](const ColumnDef* a, const ColumnDef* b) {
        const int ta = a->tabOrder > 0 ? a->tabOrder : 100000;
        const int tb = b->tabOrder > 0 ? b->tabOrder : 100000;
        return ta < tb;
    });
    QList<Group> groups;
    for (const ColumnDef* c : columns) {
        auto it = std::find_if(groups.begin(), groups.end(), [c](const Group& g) { return g.title == c->group; });
        if (it == groups.end()) {
            groups << Group{c->group, {}};
            it = groups.end() - 1;
        }
        QString value = form.displayText(row, form.columnIndex(c->name));
        if (!value.isEmpty() && !c->suffix.isEmpty()) value += QLatin1Char(' ') + c->suffix;
        it->fields << Field{bareLabel(*c), value, c->edit == EditStyle::MultiLine};
    }
    return groups;
}

} // namespace

RecordPrint::RecordPrint(const DataView& form, int row, const PrintHeading& heading)
    : m_form(form), m_row(row), m_heading(heading)
{
}

int RecordPrint::paint(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device)) return -1;
    PrintSheet sheet(painter, device, m_heading);
    sheet.setTableFontSize(10.5);
    const QRectF body = sheet.body();
    const double line = sheet.lineHeight() * 1.2;
    const double labelWidth = body.width() * 0.17;
    const double valueWidth = body.width() / 2 - labelWidth;
    const QList<Group> groups = groupsOf(m_form, m_row);

    // Laid out twice: once to count the pages, once to paint them, so that
    // every page can say how many there are.
    auto layout = [&](bool draw, int pages) {
        int page = 1;
        double y = body.top();
        if (draw) sheet.paintFurniture(page, pages);
        auto cell = [&](double x, double width, const QString& text, bool label) {
            if (draw) sheet.paintCell(QRectF(x, y, width, line), text, Qt::AlignLeft, label, label);
        };
        auto nextLine = [&]() {
            y += line;
            if (y + line <= body.bottom()) return true;
            if (draw && !device.newPage()) return false;
            ++page;
            y = body.top();
            if (draw) sheet.paintFurniture(page, pages);
            return true;
        };
        for (const Group& g : groups) {
            if (!g.title.isEmpty()) {
                cell(body.left(), body.width(), g.title, true);
                if (!nextLine()) return -1;
            }
            int column = 0;
            auto closeLine = [&]() {
                if (column == 1) {   // an empty pair keeps the grid whole
                    cell(body.left() + labelWidth + valueWidth, labelWidth, QString(), true);
                    cell(body.left() + 2 * labelWidth + valueWidth, valueWidth, QString(), false);
                }
                column = 0;
                return nextLine();
            };
            for (const Field& f : g.fields) {
                if (f.wide && column == 1 && !closeLine()) return -1;
                const double x = body.left() + column * (labelWidth + valueWidth);
                cell(x, labelWidth, f.label, true);
                cell(x + labelWidth, f.wide ? body.width() - labelWidth : valueWidth, f.value, false);
                column = f.wide ? 2 : column + 1;
                if (column == 2) {
                    column = 0;
                    if (!nextLine()) return -1;
                }
            }
            if (column == 1 && !closeLine()) return -1;
        }
        return page;
    };
    const int pages = layout(false, 0);
    const int painted = layout(true, pages);
    painter.end();
    return painted;
}

} // namespace cr::app
