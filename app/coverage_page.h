#pragma once

#include "persons_in_charge/coverage_window.h"

#include <QColor>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QTableWidget;

namespace cr {
class UiServices;
}

namespace cr::app {

// The page of w_buildingdean_coverage ("楼院负责人分布"): the building
// chosen at the top, its floors (top floor first) by doors as a grid whose
// cells name the deans covering them, coloured so that cells nobody covers
// and cells several deans share stand out, and the deans with their ranges
// beneath. Read only; read again whenever the page is shown.
class CoveragePage : public QWidget {
    Q_OBJECT
public:
    CoveragePage(std::unique_ptr<persons_in_charge::CoverageWindow> window, UiServices& ui, QWidget* parent = nullptr);
    ~CoveragePage() override;

    persons_in_charge::CoverageWindow& window() const { return *m_window; }
    bool showBuilding(qlonglong building);
    QTableWidget* grid() const { return m_grid; }
    QTableWidget* deanTable() const { return m_deans; }

    static QColor colour(persons_in_charge::BuildingCoverage::State state);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillBuildings();
    void showCoverage();

    std::unique_ptr<persons_in_charge::CoverageWindow> m_window;
    QComboBox* m_building = nullptr;
    QLabel* m_summary = nullptr;
    QTableWidget* m_grid = nullptr;
    QTableWidget* m_deans = nullptr;
};

} // namespace cr::app
