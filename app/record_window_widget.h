#pragma once

#include "app/window_widget.h"

class QLabel;
class QScrollArea;

namespace cr {
class RecordWindow;
class UiServices;
}

namespace cr::app {

class FormView;

// A register window on screen: the inherited picture buttons in a tool bar
// (pictures, tooltips, shortcuts), the form dw_1 rendered by FormView, the
// window's own texts and buttons, and a status line. Buttons and keys click
// the window's controls; closing asks the window first (unsaved edits).
class RecordWindowWidget : public WindowWidget {
    Q_OBJECT
public:
    RecordWindowWidget(std::unique_ptr<RecordWindow> window, UiServices& ui, QWidget* parent = nullptr);

    RecordWindow& window() const { return *m_record; }
    FormView& form() const { return *m_form; }

protected:
    void updateControl(const QString& name) override;

private:
    void addControls();
    void updateTitle();

    RecordWindow* m_record = nullptr;   // owned by WindowWidget
    FormView* m_form = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_status = nullptr;
    QHash<QString, QWidget*> m_others;
};

} // namespace cr::app
