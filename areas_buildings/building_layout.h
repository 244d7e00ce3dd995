#pragma once

#include <QString>

namespace cr {
class DataView;
class FieldStates;
} // namespace cr

namespace cr::areas_buildings {

// Keeps the building form consistent with the building's kind and use: which
// counting and bungalow fields are required, optional, grey or locked, their
// tab orders, and the values a change of kind writes back. The form starts
// every record in the multi-storey layout; loading and editing only move it
// away from there (or back).
class BuildingLayout {
public:
    BuildingLayout(DataView& form, FieldStates& states);

    // While a record is loaded: the use first, then the kind. `adding` gives a
    // new bungalow with no floor count its one floor.
    void applyUseOnLoad(const QString& use);
    void applyKindOnLoad(int row, const QString& kind, bool adding);

    // While the user edits: the kind or the use was changed to `value`;
    // `currentKind` is the row's kind as it stood before the edit.
    void kindChanged(int row, const QString& value);
    void useChanged(const QString& value, const QString& currentKind);

private:
    void bungalowFactsOptional();
    void bungalowFactsRequired();
    void doorsAndHousesGrey();

    DataView& m_form;
    FieldStates& m_states;
};

} // namespace cr::areas_buildings
