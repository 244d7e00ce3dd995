#pragma once

class QTableView;
class QWidget;

namespace cr {
class DataView;
}

namespace cr::app {

// A data view as a read-only table beside a window's forms: headings, lookup
// texts and formats from its definition, its own line numbers (序号) instead
// of the header's, fixed row heights. The user's row becomes the view's
// current row (its rowfocuschanged), a row the window makes current is shown
// selected, and a double-click reaches the view as doubleclicked. A list
// (`asList`) shows its rows as list pages do: plain, or in the row's own
// colour; otherwise the cells take the columns' colours.
QTableView* makeViewTable(DataView& view, bool asList = false, QWidget* parent = nullptr);

} // namespace cr::app
