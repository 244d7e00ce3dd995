#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace cr::app {

class MainWindow;

// What `--open WINDOW [--search TEXT] [--record KEY | --add] [--dialog delete-question]
// --screenshot OUT.png` asks for.
struct ScreenshotRequest {
    QString window;          // navigation label or window name; empty: the main window alone
    QString record;          // key of the record to open in the register window
    bool add = false;        // a new record in the register window
    bool deleteQuestion = false;   // the question 删除 asks about the record (answered 否)
    QString search;          // typed into the list's search box first
    QString output;          // PNG file
    QSize size{1280, 800};
};

// Renders the main window with the requested page, or the register window
// opened from it, into a PNG without needing a display (offscreen platform).
// Returns the process exit code; reasons for a failure go to stderr.
int takeScreenshot(MainWindow& window, const ScreenshotRequest& request);

// The same for a dialog on its own (the first start's question, the About box).
int takeWidgetScreenshot(QWidget& widget, const QString& output);

// The floor dialog of a building, its first dean's range ticked.
int takeFloorDialogScreenshot(MainWindow& window, qlonglong building, const QString& output);

} // namespace cr::app
