#pragma once

#include "schema/demo/building_plan.h"
#include "schema/demo/code_picker.h"

namespace cr::demo {

class DemoRandom;

// Which codes demo rows carry: every value comes from the database's own
// lookup lists, weighted the way a Beijing community looks (mostly Han,
// mostly 群众, school levels by age ...). Knowledge of particular codes lives
// here only; a list without them still yields valid codes of its own.
class DemoCodes {
public:
    bool load(Sqlca& sqlca, QString* error);

    QString sex(bool male) const;
    QString folk(DemoRandom& r) const;
    QString polity(int age, DemoRandom& r) const;
    QString edulevel(int age, DemoRandom& r) const;     // null below school age
    QString jobstatus(int age, DemoRandom& r) const;
    QString rprtype(bool local, DemoRandom& r) const;     // local = registered here
    QString rprstatus(bool local, DemoRandom& r) const;

    QString buildingUse(BuildingKind kind, DemoRandom& r) const;   // never "09"
    QString structure(const BuildingPlan& building, DemoRandom& r) const;
    QString layout(double area, DemoRandom& r) const;
    QString houseUse(BuildingKind kind, DemoRandom& r) const;
    QString ownership(BuildingKind kind, DemoRandom& r) const;
    QString privateOwnership() const { return QStringLiteral("01"); }
    QString transferType(DemoRandom& r) const;
    // A duty the building dean window offers (codes 5x): the wanted one when
    // the list has it, else the first such duty; empty when there is none.
    QString deanDuty(const QString& wanted) const;

private:
    CodePicker m_sex, m_folk, m_polity, m_edulevel, m_jobstatus, m_rprtype, m_rprstatus;
    CodePicker m_buildingUse, m_structure, m_layout, m_houseUse, m_ownership, m_transfer;
    CodePicker m_duty;
};

} // namespace cr::demo
