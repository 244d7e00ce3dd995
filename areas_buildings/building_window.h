#pragma once

#include "areas_buildings/building_checks.h"
#include "areas_buildings/building_layout.h"
#include "areas_buildings/building_queries.h"
#include "frame/field_states.h"
#include "frame/record_window.h"

#include <QStringList>

namespace cr::areas_buildings {

// w_m_ge_building ("社区楼院"): the register of buildings. The form follows
// the building's kind and use (BuildingLayout), the values follow the
// building checks (BuildingChecks); both write field states through one
// FieldStates so loading and editing look the same.
class BuildingWindow : public RecordWindow {
    Q_OBJECT
public:
    BuildingWindow(const WindowContext& context, const WindowInfo& info);

    // The common name an address suggests while adding: the address without
    // surrounding blanks, or its last 30 characters when longer, since a
    // Chinese address narrows down to the building at its end.
    static QString commonNameFromAddress(const QString& address);

    // Which list page names the responsibility areas.
    static QString areaListParameter() { return QStringLiteral("GE_RegionalManage"); }

protected:
    void onOpen() override;
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    int wf_dw_verify() override;
    bool wf_update_after() override;

private:
    bool openedFromAreaDetailList() const;
    void fixAreaByMaster();
    void lockKindWhileHousesAreTemporary(int row);
    void showChosenAreaName(int row, const QString& data);
    void forgetLoadingEdits(int row);
    void keepLoadingEdits(int row);

    FieldStates m_states;
    BuildingLayout m_layout;
    BuildingQueries m_queries;
    BuildingChecks m_checks;
    // Columns of the stored record that loading changed (a bungalow's floors).
    QStringList m_loadingEdits;
};

} // namespace cr::areas_buildings
