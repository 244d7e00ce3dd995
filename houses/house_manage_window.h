#pragma once

#include "frame/window.h"

namespace cr {
struct WindowInfo;
}

namespace cr::houses {

// w_housemanage ("房屋信息批量维护"): a plain window, not a register window.
// dw_1 lists the multi-storey buildings and bungalow compounds, dw_2 shows
// the selected building, dw_house its houses. cb_addall generates the houses
// the building's counts call for, cb_deleteall deletes them all; both save
// and commit on their own (all or nothing).
class HouseManageWindow : public Window {
    Q_OBJECT
public:
    HouseManageWindow(const WindowContext& context, const WindowInfo& info);

    static QString windowName() { return QStringLiteral("w_housemanage"); }
    static QString windowTitle() { return QStringLiteral("房屋信息批量维护"); }
    static QString hintText();

    DataView& dw_1() { return *m_buildings; }
    DataView& dw_2() { return *m_building; }
    DataView& dw_house() { return *m_houses; }

    void cb_addall_clicked();
    void cb_deleteall_clicked();

protected:
    void onOpen() override;

private:
    void dw_1_rowfocuschanged(int currentRow);
    void showCount(bool afterDeletion);

    DataView* m_buildings = nullptr;
    DataView* m_building = nullptr;
    DataView* m_houses = nullptr;
};

} // namespace cr::houses
