#pragma once

#include "frame/ui_services.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace cr::app {

// w_mesg: a small window that says what the program is doing while a long
// piece of work runs on the user-interface thread. The busy cursor is shown
// while it lives; it closes when destroyed.
class ProgressWindow : public Progress {
public:
    ProgressWindow(QWidget* parent, const QString& text);
    ~ProgressWindow() override;

    void setText(const QString& text) override;
    void setValue(int done, int total) override;

    QWidget* widget() const { return m_window; }

private:
    void repaintNow();

    QPointer<QWidget> m_window;
    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
};

} // namespace cr::app
