#pragma once

#include "frame/str_multiselect.h"
#include "persons_in_charge/floor_layout.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::persons_in_charge {

// The floor-selection dialog w_multiselect_floor without its widgets: the
// doors and floors of one building, which of them are ticked, and what the
// dialog hands back. The desktop shell draws it; the scenario player and the
// tests answer it.
//
// Sent: s_dw the building list ("dddw_building_select1" for a bungalow
// compound, whose doors are its gates), s_filter "buildingno=<number>",
// s_str the current readable range and s_code its code (ticked again; a
// range without code is read from its text). Handed back: s_str the
// readable range and s_filter its code, or s_str "$$" when cancelled.
class FloorSelection {
public:
    static QString dialogName() { return QStringLiteral("w_multiselect_floor"); }
    static QString buildingList() { return QStringLiteral("dddw_building_select"); }
    static QString bungalowList() { return QStringLiteral("dddw_building_select1"); }
    // The building list sent for a building of this kind (roomtype).
    static QString listFor(const QString& kind);
    static QString filterFor(qlonglong building);
    // The building "buildingno=<number>" names; nullopt for anything else.
    static std::optional<qlonglong> buildingOf(const QString& filter);

    // The dialog for a parameter: its building read through `sqlca`. nullopt
    // with a message for the clerk when the building cannot be found.
    static std::optional<FloorSelection> open(Sqlca& sqlca, const StrMultiselect& parameter, QString* error);

    FloorSelection(const FloorLayout& layout, const StrMultiselect& parameter);

    const FloorLayout& layout() const { return m_layout; }
    const Cells& ticked() const { return m_ticked; }
    bool isTicked(const Cell& cell) const { return m_ticked.contains(cell); }
    void setTicked(const Cell& cell, bool on);
    void toggle(const Cell& cell) { setTicked(cell, !isTicked(cell)); }
    // A door or a floor as a whole: ticks all of it, or clears it when all
    // of it is ticked already.
    void toggleDoor(int door);
    void toggleFloor(int floor);
    void tickAll() { m_ticked = m_layout.allCells(); }
    void clear() { m_ticked.clear(); }
    // Ticks exactly what a readable range names; false, with the parts it
    // could not read, when some of it names nothing in this building.
    bool tickReadable(const QString& text, QStringList* unread = nullptr);

    QString readable() const;
    QString code() const;
    // Parts of the range sent that lie outside the building (a door or floor
    // it no longer has) or could not be read: not ticked, and left out of
    // the answer. The dialog tells the clerk.
    QStringList staleParts() const { return m_stale; }

    StrMultiselect answer() const;       // OK
    StrMultiselect cancelled() const;    // Cancel

private:
    void toggleWhole(const Cells& whole);
    void preTick();

    FloorLayout m_layout;
    StrMultiselect m_parameter;
    Cells m_ticked;
    QStringList m_stale;
};

} // namespace cr::persons_in_charge
