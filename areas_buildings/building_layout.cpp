#include "areas_buildings/building_layout.h"

#include "schema/codes.h"
#include "frame/field_states.h"
#include "frame/dataview.h"

namespace cr::areas_buildings {
namespace {
const QString upFloors = QStringLiteral("upfloornum");
const QString doors = QStringLiteral("unitnum");
const QString doorWord = QStringLiteral("prepare3");
const QString housesPerFloor = QStringLiteral("floorhouesnum");
const QString rooms = QStringLiteral("housenum");
const QString toilet = QStringLiteral("istoilet");
const QString waterMeters = QStringLiteral("iswaterdispart");
const QString powerMeters = QStringLiteral("isammeterdispart");
} // namespace

BuildingLayout::BuildingLayout(DataView& form, FieldStates& states) : m_form(form), m_states(states) {}

void BuildingLayout::bungalowFactsOptional()
{
    for (const QString& c : {rooms, toilet, waterMeters, powerMeters}) m_states.optional(c);
}

void BuildingLayout::bungalowFactsRequired()
{
    for (const QString& c : {rooms, toilet, waterMeters, powerMeters}) m_states.required(c);
}

// Doors, houses per floor and the door word mean nothing outside a
// multi-storey building.
void BuildingLayout::doorsAndHousesGrey()
{
    m_states.grey(doors);
    m_states.optional(upFloors);
    m_states.grey(housesPerFloor);
    m_states.grey(doorWord);
    for (const QString& c : {housesPerFloor, doors, doorWord}) m_states.tabOrder(c, 0);
}

void BuildingLayout::applyUseOnLoad(const QString& use)
{
    if (use != codes::buildinguse::notDwelling) return;
    for (const QString& c : {upFloors, doors, housesPerFloor}) m_states.optional(c);
}

void BuildingLayout::applyKindOnLoad(int row, const QString& kind, bool adding)
{
    if (kind.isEmpty() || kind == codes::roomtype::multiStorey) {
        // The counting fields keep the state the form and the use gave them.
        bungalowFactsOptional();
        return;
    }
    doorsAndHousesGrey();
    if (kind == codes::roomtype::bungalow) {
        m_states.required(rooms);
        m_states.required(toilet);
        m_states.grey(upFloors);
        m_states.tabOrder(upFloors, 0);
        // A stored bungalow without a floor count keeps it empty; a new one
        // and one with another count get the single floor a bungalow has.
        const std::optional<double> floors = m_form.getItemNumber(row, upFloors);
        if ((floors && *floors != 1) || (!floors && adding)) m_form.setItem(row, upFloors, 1);
        m_states.optional(housesPerFloor);
        m_states.tabOrder(housesPerFloor, 110);
        m_states.required(waterMeters);
        m_states.required(powerMeters);
    } else {
        bungalowFactsOptional();
    }
    if (kind == codes::roomtype::basement) m_states.optional(upFloors);
}

void BuildingLayout::kindChanged(int row, const QString& value)
{
    if (value == codes::roomtype::multiStorey) {
        m_states.optional(rooms);
        m_states.optional(toilet);
        for (const QString& c : {doors, housesPerFloor, upFloors}) m_states.required(c);
        m_states.tabOrder(upFloors, 80);
        m_states.tabOrder(doors, 100);
        m_states.tabOrder(doorWord, 110);
        m_states.tabOrder(housesPerFloor, 120);
        m_states.required(doorWord);
        m_states.optional(waterMeters);
        m_states.optional(powerMeters);
        return;
    }
    doorsAndHousesGrey();
    m_form.setItem(row, doors, 0);
    m_form.setItem(row, housesPerFloor, 0);
    m_form.setItem(row, doorWord, QString(""));
    if (value == codes::roomtype::bungalow) {
        m_states.required(rooms);
        m_states.required(toilet);
        m_states.grey(upFloors);
        m_form.setItem(row, upFloors, 1);
        m_states.tabOrder(upFloors, 0);
        m_states.optional(housesPerFloor);
        m_states.tabOrder(housesPerFloor, 120);
        m_states.required(waterMeters);
        m_states.required(powerMeters);
    } else {
        bungalowFactsOptional();
    }
    if (value == codes::roomtype::basement) {
        m_states.optional(upFloors);
        m_form.setItem(row, upFloors, 0);
        m_states.tabOrder(upFloors, 0);
    }
}

void BuildingLayout::useChanged(const QString& value, const QString& currentKind)
{
    if (value == codes::buildinguse::notDwelling) {
        for (const QString& c : {upFloors, doors, housesPerFloor}) m_states.optional(c);
        m_states.tabOrder(upFloors, 80);
        m_states.tabOrder(doors, 100);
        m_states.tabOrder(housesPerFloor, 110);
    } else if (currentKind == codes::roomtype::multiStorey) {
        for (const QString& c : {upFloors, doors, housesPerFloor}) m_states.required(c);
        m_states.tabOrder(doors, 100);
        m_states.tabOrder(housesPerFloor, 110);
    } else if (currentKind == codes::roomtype::bungalow) {
        m_states.grey(doors);
        m_states.grey(upFloors);
        m_states.tabOrder(doors, 0);
    }
}

} // namespace cr::areas_buildings
