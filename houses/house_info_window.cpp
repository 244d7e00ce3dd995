#include "houses/house_info_window.h"

#include "frame/message_object.h"
#include "frame/sqlca.h"
#include "frame/ui_services.h"
#include "houses/house_fields.h"
#include "houses/house_numbering.h"
#include "schema/codes.h"

namespace cr::houses {

HouseInfoWindow::HouseInfoWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info), m_states(dw_1()), m_lists(dw_1()), m_queries(context.sqlca)
{
    addControl(ControlDef{.name = QStringLiteral("st_msg"), .kind = ControlKind::Text, .text = hintText()});
}

QString HouseInfoWindow::hintText()
{
    return QStringLiteral("提示信息：楼房的单元名必须输入，平房的楼门最好也输入（楼院负责人管理范围用到）");
}

QStringList HouseInfoWindow::ownerColumns()
{
    return {"personno", "personname", "sex",        "idcard",  "birthdate",   "age",
            "countrycode", "idcardtype", "contactphone", "rpraddr", "presentaddr1"};
}

void HouseInfoWindow::wf_gethousenumber(DataView& numberList, std::optional<int> floor,
                                        std::optional<int> housesPerFloor, std::optional<int> floorCount)
{
    HouseNumbering::fillList(numberList, floor, housesPerFloor, floorCount);
}

// Required fields look like the house number, optional ones like the note,
// fields edited elsewhere like the building's address.
void HouseInfoWindow::onOpen()
{
    m_states.readColours(field::number, QStringLiteral("note"), QStringLiteral("address"));
}

void HouseInfoWindow::ue_loadphoto()
{
    const int row = dw_1().getRow();
    if (row <= 0) return;
    takeBuildingContext(row);
    if (dw_1().getItemString(row, QStringLiteral("roomtype")) == codes::roomtype::multiStorey) {
        markStoreyFields(row);
    } else {
        m_states.context(field::door);
    }
    const QString rented = dw_1().getItemString(row, QStringLiteral("isrent"));
    ownerRequired(!(rented == codes::yesno::no || rented.isEmpty()));
}

// A new house added under a building holds only the building's key: the
// building's columns the form shows, and builds its lists from, are read here.
void HouseInfoWindow::takeBuildingContext(int row)
{
    const QVariant building = dw_1().getItem(row, field::building);
    if (!adding() || building.isNull()) return;
    const QVariantMap context = m_queries.buildingContext(building);
    for (auto it = context.begin(); it != context.end(); ++it) dw_1().setItem(row, it.key(), it.value());
}

// Door, floor and layout are picked from the building's lists and required.
void HouseInfoWindow::markStoreyFields(int row)
{
    // A house written by another window's save keeps its door and floor.
    if (dw_1().getItemString(row, QStringLiteral("issave")) == codes::issave::companion && !adding()) {
        for (const QString& kept : {field::door, field::floor}) {
            m_states.tabOrder(kept, 0);
            m_states.paint(kept, m_states.contextColour());
        }
    }
    const QVariant building = dw_1().getItem(row, field::building);
    // A new house starts on floor 1; a stored one lists its own floor, or
    // every floor when it has none.
    std::optional<int> numbersFloor = 1;
    if (!adding()) {
        const std::optional<double> floor = dw_1().getItemNumber(1, field::floor);
        numbersFloor = floor ? int(*floor) : 0;
    }
    m_lists.build(building, m_queries.doorWord(building), BuildingCounts::of(dw_1(), row), numbersFloor);
    m_states.required(field::floor, QStringLiteral("1-"));
    m_states.required(field::door);
    m_states.required(QStringLiteral("buildingmodel"));
}

void HouseInfoWindow::ownerRequired(bool required)
{
    m_states.requiredIf(required, field::owner);
    m_states.requiredIf(required, field::phone);
}

int HouseInfoWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    const QString c = column.toLower();
    if (c == field::floor) floorChosen(row, data);
    else if (c == QLatin1String("isrent")) ownerRequired(data != codes::yesno::no);
    else if (c == field::owner) return ownerTyped(row, data);
    else if (c == QLatin1String("droittype")) ownershipChanged(row, data);
    else if (c == field::number) numberChosen(row, data);
    return 0;
}

// Another floor: its house numbers, and the number of the old floor goes.
void HouseInfoWindow::floorChosen(int row, const QString& data)
{
    bool isNumber = false;
    const int floor = data.trimmed().toInt(&isNumber);
    if (dw_1().getItemString(row, QStringLiteral("roomtype")) != codes::roomtype::multiStorey || !isNumber) return;
    m_lists.showNumbersOf(floor, BuildingCounts::of(dw_1(), row));
    dw_1().setItem(row, field::number, QVariant());
}

// A private owner is a person on record: the typed name only searches.
int HouseInfoWindow::ownerTyped(int row, const QString& data)
{
    if (dw_1().getItemString(row, QStringLiteral("droittype")) != codes::droittype::privateProperty) return 0;
    dw_1().setItem(row, field::ownerNo, QVariant());
    openSelectPerson(data, ownerColumns());
    const double chosen = message().doubleParm;
    if (chosen == 0 || chosen == -1) {
        dw_1().setItem(row, field::ownerNo, QVariant());
        dw_1().setItem(row, field::owner, QVariant());
    }
    // The typed text is not taken: the fields keep what the dialog (or the
    // cancel above) put there.
    dw_1().acceptText();
    return 2;
}

// Only private property keeps a linked owner.
void HouseInfoWindow::ownershipChanged(int row, const QString& data)
{
    if (data.isEmpty() || data == codes::droittype::privateProperty) return;
    dw_1().setItem(row, field::owner, QVariant());
    dw_1().setItem(row, field::ownerNo, QVariant());
}

// A number picked from the list brings its floor along.
void HouseInfoWindow::numberChosen(int row, const QString& data)
{
    const QString number = data.trimmed();
    if (number.isEmpty()) return;
    if (const std::optional<QVariant> floor = m_lists.floorOfNumber(number))
        dw_1().setItem(row, field::floor, *floor);
}

int HouseInfoWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row <= 0) return 1;
    const QVariant door = takeDoor(row);
    const QVariant building = dw_1().getItem(row, field::building);
    const QVariant house = dw_1().getItem(row, QStringLiteral("houseno"));
    const QString rented = dw_1().getItemString(row, QStringLiteral("isrent"));
    if (m_queries.sameNumberCount(building, door, dw_1().getItemString(row, field::number), house) >= 1)
        return refuse(QStringLiteral("提示"), QStringLiteral("该房屋信息已经存在了！"));
    if (rented == codes::yesno::no && !adding() && m_queries.rentalCount(house) > 0)
        return refuse(QStringLiteral("警告信息"),
                      QStringLiteral("不能修改【是否出租】为否。\r\r\n因为有出租登记信息，请首先删除出租登记信息。"));
    if (dw_1().getItemString(row, QStringLiteral("droittype")) == codes::droittype::privateProperty
        && rented == codes::yesno::yes && dw_1().getItemString(row, field::ownerNo).isEmpty())
        return refuse(QStringLiteral("警告信息"),
                      QStringLiteral("当该房已出租，并且产权类别为“私产”时，需要录入产权人。")
                          + QStringLiteral("\r\n\r\n（注意：必须在个人信息中存在，可以是社区内或社区外人员）。"));
    return 0;
}

// The door the house is checked and stored under: in a multi-storey building
// the door list's door of the chosen name (door 0 when none is found, the
// record's door then kept); elsewhere no door number and the typed door name.
QVariant HouseInfoWindow::takeDoor(int row)
{
    const QString doorName = dw_1().getItemString(row, field::door);
    if (dw_1().getItemString(row, QStringLiteral("roomtype")) != codes::roomtype::multiStorey) {
        dw_1().setItem(row, QStringLiteral("unitno"), 0);
        dw_1().setItem(row, QStringLiteral("unitname"), doorName.isNull() ? QVariant() : QVariant(doorName));
        return 0;
    }
    const std::optional<Door> door = m_lists.findDoor(dw_1().getItem(row, field::building), doorName);
    if (!door) return 0;
    dw_1().setItem(row, QStringLiteral("unitno"), door->number);
    dw_1().setItem(row, QStringLiteral("unitname"), door->word);
    return door->number;
}

// Tells the clerk why the house is not saved; wf_dw_verify's answer for it.
int HouseInfoWindow::refuse(const QString& title, const QString& text)
{
    ui().messageBox(title, text, title == QLatin1String("提示") ? UiServices::Icon::Information : UiServices::Icon::Warning);
    return 1;
}

// A rented house gets its rental row once, at its first save as rented.
// Runs inside the save's unit of work: should the row not be written, the
// whole save is rolled back and reported, so no house is left marked as
// rented without it.
bool HouseInfoWindow::wf_update_after()
{
    const int row = dw_1().getRow();
    if (row <= 0) return true;
    if (dw_1().getItemString(row, QStringLiteral("isrent")) != codes::yesno::yes) return true;
    const QVariant house = dw_1().getItem(row, QStringLiteral("houseno"));
    if (house.isNull() || house.toLongLong() == 0) {
        ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("新增出租登记信息失败（房屋信息错误）！"),
                        UiServices::Icon::Warning);
        return true;
    }
    if (m_queries.rentalCount(house) != 0) return true;
    if (!m_queries.insertCompanionRental(house))
        return failSave(QStringLiteral("新增出租登记信息失败！\r\n") + sqlca().sqlErrText());
    return true;
}

} // namespace cr::houses
