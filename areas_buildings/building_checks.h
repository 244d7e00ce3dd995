#pragma once

#include <QString>

namespace cr {
class DataView;
class UiServices;
} // namespace cr

namespace cr::areas_buildings {

class BuildingQueries;

// The value rules of the building register: what an entry refuses while the
// clerk types, and what the validated save refuses. Every refusal tells the
// clerk why in a message box and, for counts, writes a safe value back.
class BuildingChecks {
public:
    BuildingChecks(DataView& form, const BuildingQueries& queries, UiServices& ui);

    // The year "this year" means; 0 (the default) = the calendar's.
    void setCurrentYear(int year) { m_currentYear = year; }

    // The validated save: 0 the record may be saved, 1 refused.
    int verify(bool adding);

    // A field was changed to `value`: 0 accept, 1 refuse and keep the focus,
    // 2 refuse and let the focus move. Fields without a value rule accept.
    // `adding` is the mode the frame left in the message object.
    int entry(int row, const QString& column, const QString& value, bool adding);

private:
    int buildingNameEntered(int row, const QString& value, bool adding);
    int yearEntered(int row, const QString& value);
    int upFloorsEntered(int row, const QString& value);
    int housesPerFloorEntered(int row, const QString& value);
    int doorsEntered(int row, const QString& value);

    int verifyCounts(int row);
    int verifyFloors(int row);
    int verifyDoorWord(int row);
    int verifyUnique(int row, bool adding);

    void warn(const QString& title, const QString& text);
    void cursorTo(const QString& column);
    int thisYear() const;

    DataView& m_form;
    const BuildingQueries& m_queries;
    UiServices& m_ui;
    int m_currentYear = 0;
};

} // namespace cr::areas_buildings
