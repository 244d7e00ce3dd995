#pragma once

#include "frame/record_window.h"

namespace cr::areas_buildings {

// w_m_ge_regionalmanage: the register of responsibility areas. An area is
// always stored through the validated save (the temporary save is off), and
// its name is unique over the whole table.
class RegionalManageWindow : public RecordWindow {
    Q_OBJECT
public:
    RegionalManageWindow(const WindowContext& context, const WindowInfo& info);

protected:
    void ue_loadphoto() override;
    int wf_dw_verify() override;
};

} // namespace cr::areas_buildings
