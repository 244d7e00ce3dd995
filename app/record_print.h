#pragma once

#include "app/print_sheet.h"

class QPagedPaintDevice;

namespace cr {
class DataView;
}

namespace cr::app {

// One record printed as a register sheet: the form's fields under their
// group headings, each label beside its value as the form shows it (lookup
// texts, formats, suffixes), two fields to a line; long texts take a line
// of their own.
class RecordPrint {
public:
    RecordPrint(const DataView& form, int row, const PrintHeading& heading);
    // Pages painted, -1 when the device cannot be painted on.
    int paint(QPagedPaintDevice& device) const;

private:
    const DataView& m_form;
    int m_row;
    PrintHeading m_heading;
};

} // namespace cr::app
