#include "houses/house_lists.h"

#include "frame/dataview.h"
#include "houses/house_fields.h"
#include "houses/house_numbering.h"

#include <cmath>

namespace cr::houses {
namespace {

std::optional<int> wholeNumber(const DataView& form, int row, const QString& column)
{
    const std::optional<double> v = form.getItemNumber(row, column);
    if (!v) return std::nullopt;
    return int(std::trunc(*v));
}

// The settings that make `column` a drop-down of the list `listName` showing
// and storing its own column; typing is allowed only where the user may
// enter a value the list does not hold.
QString dropDownSettings(const QString& column, const QString& listName, bool allowEdit)
{
    return QStringLiteral("%1.dddw.displaycolumn='%1' %1.dddw.datacolumn='%1' %1.dddw.name='%2' "
                          "%1.dddw.limit=0 %1.dddw.allowedit=%3 %1.dddw.vscrollbar=yes")
        .arg(column, listName, allowEdit ? QStringLiteral("yes") : QStringLiteral("no"));
}

QString visibleLines(const QString& column) { return column + QStringLiteral(".dddw.Lines=6"); }

} // namespace

BuildingCounts BuildingCounts::of(const DataView& form, int row)
{
    return {wholeNumber(form, row, QStringLiteral("upfloornum")), wholeNumber(form, row, QStringLiteral("downfloornum")),
            wholeNumber(form, row, QStringLiteral("floorhouesnum")), wholeNumber(form, row, QStringLiteral("unitnum"))};
}

HouseLists::HouseLists(DataView& form) : m_form(form) {}

DataView* HouseLists::list(const QString& column) const { return m_form.getChild(column); }

void HouseLists::build(const QVariant& building, const QString& doorWord, const BuildingCounts& counts,
                       std::optional<int> numbersFloor)
{
    m_form.modify(dropDownSettings(field::door, QStringLiteral("dddw_ge_buildingunit"), false));
    m_form.modify(dropDownSettings(field::floor, QStringLiteral("dddw_ge_floorno"), false));
    // A house number may also be one the counts do not give.
    m_form.modify(dropDownSettings(field::number, QStringLiteral("dddw_ge_housenumber"), true));
    fillDoors(building, doorWord, counts.doors);
    m_form.modify(visibleLines(field::door));
    fillFloors(building, counts);
    m_form.modify(visibleLines(field::floor));
    fillNumbers(numbersFloor, counts);
    m_form.modify(visibleLines(field::number));
}

void HouseLists::fillDoors(const QVariant& building, const QString& doorWord, std::optional<int> doors)
{
    DataView* doorList = list(field::door);
    if (!doorList) return;
    doorList->reset();
    for (int door = 1; doors && door <= *doors; ++door) {
        const int row = doorList->insertRow(0);
        doorList->setItem(row, field::building, building);
        doorList->setItem(row, QStringLiteral("unitno"), door);
        doorList->setItem(row, field::door, QString::number(door) + doorWord);
        doorList->setItem(row, QStringLiteral("unitname"), doorWord);
    }
}

void HouseLists::fillFloors(const QVariant& building, const BuildingCounts& counts)
{
    DataView* floorList = list(field::floor);
    if (!floorList) return;
    floorList->reset();
    for (int floor = 1; counts.upFloors && floor <= *counts.upFloors; ++floor) {
        const int row = floorList->insertRow(0);
        floorList->setItem(row, field::building, building);
        floorList->setItem(row, field::floor, floor);
    }
    // Basement floors follow as -1, -2 ... (they name no building).
    for (int floor = 1; counts.downFloors && floor <= *counts.downFloors; ++floor)
        floorList->setItem(floorList->insertRow(0), field::floor, -floor);
}

void HouseLists::fillNumbers(std::optional<int> floor, const BuildingCounts& counts)
{
    DataView* numberList = list(field::number);
    if (!numberList) return;
    numberList->reset();
    HouseNumbering::fillList(*numberList, floor, counts.housesPerFloor, counts.upFloors);
}

void HouseLists::showNumbersOf(int floor, const BuildingCounts& counts)
{
    fillNumbers(floor, counts);
    const DataView* numberList = list(field::number);
    const bool scrolls = numberList && numberList->rowCount() >= 7;
    m_form.modify(field::number + (scrolls ? QStringLiteral(".dddw.vscrollbar=Yes") : QStringLiteral(".dddw.vscrollbar=No")));
}

std::optional<Door> HouseLists::findDoor(const QVariant& building, const QString& doorName) const
{
    DataView* doorList = list(field::door);
    if (!doorList || building.isNull()) return std::nullopt;
    const int found = doorList->find(QStringLiteral("buildingno=%1 AND unitname1=%2")
                                         .arg(building.toLongLong())
                                         .arg(DataView::quote(doorName)),
                                     1, doorList->rowCount());
    if (found < 1) return std::nullopt;
    return Door{doorList->getItem(found, QStringLiteral("unitno")), doorList->getItem(found, QStringLiteral("unitname"))};
}

std::optional<QVariant> HouseLists::floorOfNumber(const QString& number) const
{
    DataView* numberList = list(field::number);
    if (!numberList) return std::nullopt;
    // Typed text is quoted, never pasted between quotes.
    const int found = numberList->find(QStringLiteral("HouseNumber=") + DataView::quote(number), 1, numberList->rowCount());
    if (found < 1) return std::nullopt;
    return numberList->getItem(found, field::floor);
}

} // namespace cr::houses
