#pragma once

#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

namespace cr::resident_teams {

// One element of a scope code: a whole building "B12", one door "B12U3", one
// house "H457" (the house key, not the number on the door) or one registered
// household "R0042" (the household number stays text).
struct ScopeElement {
    enum class Kind { Building, Door, House, Household, Ignored };

    Kind kind = Kind::Ignored;
    qlonglong building = 0;
    qlonglong door = 0;
    qlonglong house = 0;
    QString household;
    QString text;   // the element as it stood in the code

    bool counts() const { return kind != Kind::Ignored; }
};

// Reads one element. The kind letter is an upper-case B, H or R; anything
// else (an empty element, "b7", "X7", "7") is Ignored. A "B" element is a
// door when it holds a "U": the building number is what stands between "B"
// and the first "U", the door number what follows it ("B12U3U4" is door
// "3U4" of building 12). A number part that is empty or not a whole number
// reads as 0, which matches nothing.
ScopeElement parseScopeElement(const QString& element);

// Every element of a code in its order, empty and ignored ones included.
QList<ScopeElement> parseScopeCode(const QString& code);

// The keys the elements of a code name, by kind. With `asWritten`, only
// elements written as the scope dialog writes them count ("B7", not "B07"
// or "B 7"): the dialog finds its items by the code's text.
struct ScopeKeys {
    QSet<qlonglong> buildings;
    QSet<QPair<qlonglong, qlonglong>> doors;   // (building, door)
    QSet<qlonglong> houses;
    QSet<QString> households;

    static ScopeKeys of(const QString& code, bool asWritten);
};

// Element texts as the scope dialog writes them: plain decimal numbers.
QString buildingCode(qlonglong buildingNo);
QString doorCode(qlonglong buildingNo, qlonglong doorNo);
QString houseCode(qlonglong houseNo);
QString householdCode(const QString& rprNo);

// Elements joined into a scope code ("B7,B8U2,H305").
QString joinScopeCode(const QStringList& elements);

// The number part of an element as the count and the tree read it.
qlonglong scopeNumber(const QString& piece);

} // namespace cr::resident_teams
