#pragma once

#include "frame/field_states.h"
#include "frame/record_window.h"
#include "persons_in_charge/master_choice.h"

namespace cr::persons_in_charge {

// w_m_ge_regionalmanager ("居委会分片管理负责人"): one manager of a
// responsibility area (tc_ge_regionalmanager). The person is chosen in the
// person selection from a typed name; a person manages an area once. The
// navigation buttons hand their row to wf_scroll, which keeps it within the
// list. A manager belongs to an area: chosen in the form, or fixed by the
// area's list of managers it is added under (the frame's master rule).
class RegionalManagerWindow : public RecordWindow {
    Q_OBJECT
public:
    RegionalManagerWindow(const WindowContext& context, const WindowInfo& info);

protected:
    void onOpen() override;
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    int wf_dw_verify() override;
    bool wf_update_after() override;
    void cb_first_clicked() override;
    void cb_prior_clicked() override;
    void cb_next_clicked() override;
    void cb_last_clicked() override;

private:
    void goTo(long row);

    FieldStates m_states;
    MasterChoice m_area;
};

} // namespace cr::persons_in_charge
