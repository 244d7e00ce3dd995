#pragma once

#include "app/print_sheet.h"

#include <functional>

class QPagedPaintDevice;

namespace cr::exchange {
class ListExtract;
}

namespace cr::app {

// A list printed as a register (台账): the heading row on every page, the
// rows as searched and sorted, the summary line after the last row, the
// title, community, date and page numbers on each page. A table wider than
// the page is set in a smaller type.
class ListPrint {
public:
    ListPrint(const exchange::ListExtract& list, const PrintHeading& heading);

    // True when the columns need a page turned sideways.
    bool wantsLandscape() const;

    // Paints every page onto the device (a printer or a PDF writer whose
    // page layout is set). `progress` is told each page and may answer
    // false to stop. The number of pages painted, -1 when stopped or when
    // the device cannot be painted on.
    int paint(QPagedPaintDevice& device, const std::function<bool(int page, int pages)>& progress = {}) const;

private:
    QList<double> naturalWidths() const;   // in characters

    const exchange::ListExtract& m_list;
    PrintHeading m_heading;
};

} // namespace cr::app
