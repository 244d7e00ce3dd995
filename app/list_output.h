#pragma once

#include "exchange/list_export.h"

#include <QString>
#include <functional>
#include <memory>

class QMenu;
class QPagedPaintDevice;
class QWidget;

namespace cr {
class DataView;
class Sqlca;
}

namespace cr::exchange {
class ListExtract;
}

namespace cr::app {

class ListPageWidget;
struct PrintHeading;

// Getting a list page out as the clerk sees it: to xlsx or CSV, to paper
// or PDF, and the current record as a register sheet. The functions without
// dialogs are what the dialogs call (and what the tests call).
class ListOutput {
public:
    explicit ListOutput(ListPageWidget& page);
    ~ListOutput();

    // The rows as searched and sorted on screen, with the page's title.
    const exchange::ListExtract& shown() const { return *m_shown; }
    PrintHeading heading() const;

    exchange::ExportOutcome exportTo(const QString& path, exchange::ExportFormat format,
                                     const exchange::ExportProgress& progress = {}) const;
    // Pages painted, -1 on failure. `setLayout`: A4, upright or sideways as
    // the columns need (a preview keeps what the clerk chose there).
    int printTo(QPagedPaintDevice& device, bool setLayout = true) const;
    bool pdfTo(const QString& path, QString* error) const;
    // The form data view holding the current record (one row); nullptr
    // with *error without a current record or when it cannot be read.
    std::unique_ptr<DataView> currentRecord(QString* error) const;
    // The current record's form on the device; false without a current record.
    bool printRecordTo(QPagedPaintDevice& device, QString* error, bool setLayout = true) const;

    // With dialogs: a file name proposed from title, date and rows; a
    // progress bar with 取消; the print preview.
    void exportWithDialog(exchange::ExportFormat format, QWidget* parent) const;
    void pdfWithDialog(QWidget* parent) const;
    void printWithPreview(QWidget* parent) const;
    void printRecordWithPreview(QWidget* parent) const;

private:
    ListPageWidget& m_page;
    std::unique_ptr<exchange::ListExtract> m_shown;
};

// The actions that get a list out (Excel, CSV, print, PDF, the current
// record), added to a menu. `list` finds the list when an action runs
// (nullptr: no list open); `shortcuts` gives them their keys (the main
// window's menu).
void addOutputActions(QMenu* menu, QWidget* parent, const std::function<ListPageWidget*()>& list, bool shortcuts);

// Where the file dialogs of export, import and templates start.
QString documentsFolder();

// The community as printed pages name it: its name when the registry keeps
// one (setting commname), else its number.
QString communityLabel(Sqlca& sqlca);

} // namespace cr::app
