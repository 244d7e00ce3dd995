#pragma once

#include <QHash>
#include <QWidget>
#include <memory>

class QAction;
class QToolBar;

namespace cr {
class Window;
struct ControlDef;
}

namespace cr::app {

// What every window shows on screen: its picture buttons in a tool bar
// (picture, caption, tooltip, shortcut; a press clicks the window's
// control), their enabled/visible state kept in step with the window, and
// closing that asks the window first (it may keep itself open over unsaved
// edits). RecordWindowWidget and PlainWindowWidget add the rest.
class WindowWidget : public QWidget {
    Q_OBJECT
public:
    ~WindowWidget() override;

    Window& baseWindow() const { return *m_window; }
    QAction* action(const QString& control) const { return m_actions.value(control); }

    // Short captions under the pictures of the inherited buttons.
    static QString caption(const ControlDef& control);

signals:
    void windowClosed();

protected:
    WindowWidget(std::unique_ptr<Window> window, QWidget* parent, Qt::WindowFlags flags = {});

    QToolBar* toolBar() const { return m_toolBar; }
    // A tool-bar button for the control.
    QAction* addButton(const ControlDef& control);
    // Follows a control's state; false when it is no tool-bar button.
    bool updateButton(const QString& name);
    virtual void updateControl(const QString& name) { updateButton(name); }

    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Window> m_window;
    QToolBar* m_toolBar = nullptr;
    QHash<QString, QAction*> m_actions;
    bool m_closing = false;
};

} // namespace cr::app
