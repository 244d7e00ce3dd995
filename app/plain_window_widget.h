#pragma once

#include <QHash>
#include <QWidget>
#include <memory>

class QAction;
class QTableView;
class QToolBar;

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
// the right, forms above. Choosing a row of a list makes it the data view's
// current row, as the window expects.
class PlainWindowWidget : public QWidget {
    Q_OBJECT
public:
    PlainWindowWidget(std::unique_ptr<Window> window, UiServices& ui, QWidget* parent = nullptr);
    ~PlainWindowWidget() override;

    Window& window() const { return *m_window; }
    QTableView* table(const QString& dataView) const { return m_tables.value(dataView.toLower()); }
    FormView* form(const QString& dataView) const { return m_forms.value(dataView.toLower()); }
    QAction* action(const QString& control) const { return m_actions.value(control); }

signals:
    void windowClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* viewWidget(const QString& name, DataView& view, UiServices& ui);
    void updateControl(const QString& name);

    std::unique_ptr<Window> m_window;
    QToolBar* m_toolBar = nullptr;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QWidget*> m_texts;
    QHash<QString, QTableView*> m_tables;
    QHash<QString, FormView*> m_forms;
    bool m_closing = false;
};

} // namespace cr::app
