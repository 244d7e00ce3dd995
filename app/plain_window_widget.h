#pragma once

#include "app/window_widget.h"

class QTableView;

namespace cr {
class DataView;
class UiServices;
class Window;
}

namespace cr::app {

class FormView;

// A window that is no register window (the batch house window) on screen:
// its picture buttons in a tool bar, its texts as lines, and its data views
// side by side: the first list on the left, forms and the other lists on
// the right, forms above (a window with lists only, such as a report, shows
// them one above the other). Choosing a row of a list makes it the data view's
// current row, as the window expects.
class PlainWindowWidget : public WindowWidget {
    Q_OBJECT
public:
    PlainWindowWidget(std::unique_ptr<Window> window, UiServices& ui, QWidget* parent = nullptr);

    Window& window() const { return baseWindow(); }
    QTableView* table(const QString& dataView) const { return m_tables.value(dataView.toLower()); }
    FormView* form(const QString& dataView) const { return m_forms.value(dataView.toLower()); }

protected:
    void updateControl(const QString& name) override;

private:
    QWidget* viewWidget(const QString& name, DataView& view, UiServices& ui);

    QHash<QString, QWidget*> m_texts;
    QHash<QString, QTableView*> m_tables;
    QHash<QString, FormView*> m_forms;
};

} // namespace cr::app
