#pragma once

#include "frame/field_states.h"
#include "frame/record_window.h"
#include "persons_in_charge/building_dean_queries.h"
#include "persons_in_charge/master_choice.h"

namespace cr::persons_in_charge {

// w_m_ge_buildingdean ("楼院负责人"): one building dean of tc_ge_buildingdean.
// The person is chosen in the person selection from a typed name (a warning
// below 16 years); the doors and floors the dean looks after are ticked in
// the floor dialog (b_selectunit) and written beside the dean, into
// tc_ge_buildingmanage, by every save. A person is dean of a building once.
// A dean belongs to a building: chosen in the form, or fixed by the
// building's list of deans it is added under (the frame's master rule).
class BuildingDeanWindow : public RecordWindow {
    Q_OBJECT
public:
    BuildingDeanWindow(const WindowContext& context, const WindowInfo& info);

    static constexpr int kAdultAge = 16;   // younger deans get a warning

protected:
    void onOpen() override;
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    void dw_1_buttonclicked(int row, const QString& button) override;
    int wf_dw_verify() override;
    bool wf_update_after() override;

private:
    int personTyped(int row, const QString& data);
    void buildingChosen(int row, const QString& data);
    void chooseRange(int row);
    void warnIfYoung(int row);

    FieldStates m_states;
    MasterChoice m_building;
    BuildingDeanQueries m_queries;
};

} // namespace cr::persons_in_charge
