#include "app/view_table.h"

#include "app/list_search_proxy.h"

#include "frame/dataview.h"
#include "frame/dataview_model.h"

#include <QHeaderView>
#include <QTableView>

namespace cr::app {

QTableView* makeViewTable(DataView& view, bool asList, QWidget* parent)
{
    auto* table = new QTableView(parent);
    auto* model = new DataViewModel(&view, false, table);
    if (asList) {
        // Shows every row in the view's order; only the colours change.
        auto* rows = new ListSearchProxy(table);
        rows->setSourceModel(model);
        table->setModel(rows);
    } else {
        table->setModel(model);
    }
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    bool ownNumbers = false;
    for (int c = 0; c < model->columnCount(); ++c) {
        const ColumnDef& def = view.definition().columns.value(model->viewColumn(c));
        ownNumbers = ownNumbers || def.compute.trimmed().compare(QLatin1String("getrow()"), Qt::CaseInsensitive) == 0;
    }
    table->verticalHeader()->setVisible(!ownNumbers);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->resizeColumnsToContents();
    QObject::connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, table,
                     [&view](const QModelIndex& current) {
                         if (current.isValid() && view.getRow() != current.row() + 1) view.setRow(current.row() + 1);
                     });
    QObject::connect(&view, &DataView::currentRowChanged, table, [table](int row) {
        if (row < 1 || row > table->model()->rowCount()) return;
        if (table->currentIndex().row() == row - 1) return;
        table->selectRow(row - 1);
    });
    QObject::connect(table, &QTableView::doubleClicked, table, [&view, model](const QModelIndex& index) {
        view.userDoubleClicked(index.row() + 1, view.definition().columns.value(model->viewColumn(index.column())).name);
    });
    return table;
}

} // namespace cr::app
