#pragma once

#include "frame/field_states.h"
#include "frame/record_window.h"
#include "houses/house_lists.h"
#include "houses/house_queries.h"

#include <QStringList>
#include <optional>

namespace cr::houses {

// w_m_ge_houseinfo ("房屋信息表"): one house of tc_ge_houseinfo. In a
// multi-storey building (kind "01") the door, floor and house number are
// picked from lists built from the building's counts (HouseLists); the owner
// fields are required while the house is rented; saving checks the house
// number within its building and door and writes the companion rental row of
// a rented house once. A house belongs to its building: it is added from the
// building's list of houses (the frame's master rule).
class HouseInfoWindow : public RecordWindow {
    Q_OBJECT
public:
    HouseInfoWindow(const WindowContext& context, const WindowInfo& info);

    static QString hintText();
    // The columns the person selection fills for a private owner.
    static QStringList ownerColumns();

    // wf_gethousenumber: appends the house numbers of a floor to the list.
    static void wf_gethousenumber(DataView& numberList, std::optional<int> floor, std::optional<int> housesPerFloor,
                                  std::optional<int> floorCount);

protected:
    void onOpen() override;
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    int wf_dw_verify() override;
    bool wf_update_after() override;

private:
    void takeBuildingContext(int row);
    void markStoreyFields(int row);
    void ownerRequired(bool required);
    void floorChosen(int row, const QString& data);
    int ownerTyped(int row, const QString& data);
    void ownershipChanged(int row, const QString& data);
    void numberChosen(int row, const QString& data);
    QVariant takeDoor(int row);
    int refuse(const QString& title, const QString& text);

    FieldStates m_states;
    HouseLists m_lists;
    HouseQueries m_queries;
};

} // namespace cr::houses
