#pragma once

#include "app/floor_range.h"
#include "frame/str_multiselect.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace cr {
class Sqlca;
}

namespace cr::app {

// w_multiselect_floor: the doors and floors of one building as a grid of
// tick boxes (floors top to bottom, doors left to right). Takes s_dw (the
// building list; "dddw_building_select1" lists bungalows, which have no
// doors), s_filter ("buildingno=12") and s_str (the current readable range,
// pre-ticked). Answers s_str = readable range and s_filter = its code, or
// s_str = "$$" when cancelled.
class FloorDialog : public QDialog {
    Q_OBJECT
public:
    FloorDialog(QWidget* parent, const BuildingFloors& building, const StrMultiselect& parameter);

    static StrMultiselect choose(QWidget* parent, Sqlca* sqlca, const StrMultiselect& parameter);
    // The building named by s_filter, read from the database; false when none.
    static bool readBuilding(Sqlca& sqlca, const StrMultiselect& parameter, BuildingFloors* out);

    QSet<FloorRange::Cell> ticked() const;
    void setTicked(const QSet<FloorRange::Cell>& cells);
    void toggleDoor(int column);
    void toggleFloor(int row);
    StrMultiselect answer() const;   // what OK hands back

private:
    void updatePreview();

    BuildingFloors m_building;
    StrMultiselect m_parameter;
    QList<int> m_doors;
    QList<int> m_floors;             // top floor first
    QTableWidget* m_grid = nullptr;
    QLabel* m_preview = nullptr;
};

} // namespace cr::app
