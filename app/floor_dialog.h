#pragma once

#include "frame/str_multiselect.h"
#include "persons_in_charge/floor_selection.h"

#include <QDialog>

class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace cr {
class Sqlca;
}

namespace cr::app {

// w_multiselect_floor on screen: the building's floors (top floor first) by
// its doors (left to right) as tick boxes. A click on a door's heading (or
// Ctrl+Space) ticks the whole door, on a floor's heading (or Shift+Space)
// the whole floor, Space the current cell. What is ticked, what the range
// reads and what the dialog answers is persons_in_charge::FloorSelection's.
class FloorDialog : public QDialog {
    Q_OBJECT
public:
    FloorDialog(QWidget* parent, const persons_in_charge::FloorSelection& selection);

    // Opens the dialog for a parameter, its building read through `sqlca`:
    // the answer, or the parameter with "$$" when cancelled or when the
    // building cannot be found (the clerk is told).
    static StrMultiselect choose(QWidget* parent, Sqlca* sqlca, const StrMultiselect& parameter);

    const persons_in_charge::FloorSelection& selection() const { return m_selection; }
    QTableWidget* grid() const { return m_grid; }
    void toggleDoor(int column);
    void toggleFloor(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cellChanged(QTableWidgetItem* item);
    void showTicks();
    void updatePreview();

    persons_in_charge::FloorSelection m_selection;
    QList<int> m_floors;   // top floor first
    QTableWidget* m_grid = nullptr;
    QLabel* m_preview = nullptr;
};

} // namespace cr::app
