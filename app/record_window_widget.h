#pragma once

#include <QHash>
#include <QWidget>
#include <memory>

class QAction;
class QLabel;
class QScrollArea;
class QToolBar;

namespace cr {
class RecordWindow;
class UiServices;
struct ControlDef;
}

namespace cr::app {

class FormView;

// A register window on screen: the inherited picture buttons in a tool bar
// (pictures, tooltips, shortcuts), the form dw_1 rendered by FormView, the
// window's own texts and buttons, and a status line. Buttons and keys click
// the window's controls; closing asks the window first (unsaved edits).
class RecordWindowWidget : public QWidget {
    Q_OBJECT
public:
    RecordWindowWidget(std::unique_ptr<RecordWindow> window, UiServices& ui, QWidget* parent = nullptr);
    ~RecordWindowWidget() override;

    RecordWindow& window() const { return *m_window; }
    FormView& form() const { return *m_form; }
    QAction* action(const QString& control) const { return m_actions.value(control); }

    // Short captions under the pictures of the inherited buttons.
    static QString caption(const ControlDef& control);

signals:
    void windowClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addControls();
    void updateControl(const QString& name);
    void updateTitle();

    std::unique_ptr<RecordWindow> m_window;
    FormView* m_form = nullptr;
    QScrollArea* m_scroll = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_status = nullptr;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QWidget*> m_others;
    bool m_closing = false;
};

} // namespace cr::app
