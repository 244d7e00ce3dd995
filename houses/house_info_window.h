#pragma once

#include "frame/record_window.h"

#include <optional>

namespace cr::houses {

// w_m_ge_houseinfo ("房屋信息表"): one house of tc_ge_houseinfo. In a
// multi-storey building (kind "01") the door, floor and house number are
// picked from lists built from the building's counts; the owner fields are
// required while the house is rented; saving checks the house number within
// its building and door and writes the companion rental row of a rented
// house once.
class HouseInfoWindow : public RecordWindow {
    Q_OBJECT
public:
    HouseInfoWindow(const WindowContext& context, const WindowInfo& info);

    static QString hintText();
    // The parameter of the person selection for a typed owner name.
    static QString personParameter(const QString& typed);

    // wf_gethousenumber: appends the house numbers of a floor to the list.
    static void wf_gethousenumber(DataView& adw_housenumber, std::optional<int> al_floor,
                                  std::optional<int> al_housecount, std::optional<int> al_floorcount);

protected:
    void onOpen() override;
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    int wf_dw_verify() override;
    bool wf_update_after() override;

private:
    void mf(const QString& expression) { dw_1().modify(expression); }
    void setBackground(const QString& column, const QString& colour);
    void fillBuildingContext(int row);
    void buildLists(int row);
    void setOwnerRequired(bool required);
    std::optional<int> number(int row, const char* column) const;
    int rentalCount(const QVariant& houseNo);

    QString is_color;    // optional look (the note field)
    QString is_color1;   // required look (the house number field)
    QString is_color2;   // not editable here (the address field)
};

} // namespace cr::houses
