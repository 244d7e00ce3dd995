#include "resident_teams/scope_code.h"

#include "frame/gf_functions.h"

namespace cr::resident_teams {

qlonglong scopeNumber(const QString& piece)
{
    bool ok = false;
    const qlonglong n = piece.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

ScopeElement parseScopeElement(const QString& element)
{
    ScopeElement e;
    e.text = element;
    if (element.isEmpty()) return e;
    const QString rest = element.mid(1);
    switch (element.at(0).unicode()) {
    case 'B': {
        const int u = rest.indexOf(QLatin1Char('U'));
        if (u < 0) {
            e.kind = ScopeElement::Kind::Building;
            e.building = scopeNumber(rest);
        } else {
            e.kind = ScopeElement::Kind::Door;
            e.building = scopeNumber(rest.left(u));
            e.door = scopeNumber(rest.mid(u + 1));
        }
        break;
    }
    case 'H':
        e.kind = ScopeElement::Kind::House;
        e.house = scopeNumber(rest);
        break;
    case 'R':
        e.kind = ScopeElement::Kind::Household;
        e.household = rest;
        break;
    default:
        break;
    }
    return e;
}

QList<ScopeElement> parseScopeCode(const QString& code)
{
    QList<ScopeElement> elements;
    for (const QString& piece : gf_substr(code, QStringLiteral(","))) elements << parseScopeElement(piece);
    return elements;
}

ScopeKeys ScopeKeys::of(const QString& code, bool asWritten)
{
    ScopeKeys keys;
    for (const ScopeElement& e : parseScopeCode(code)) {
        switch (e.kind) {
        case ScopeElement::Kind::Building:
            if (!asWritten || buildingCode(e.building) == e.text) keys.buildings.insert(e.building);
            break;
        case ScopeElement::Kind::Door:
            if (!asWritten || doorCode(e.building, e.door) == e.text) keys.doors.insert({e.building, e.door});
            break;
        case ScopeElement::Kind::House:
            if (!asWritten || houseCode(e.house) == e.text) keys.houses.insert(e.house);
            break;
        case ScopeElement::Kind::Household:
            keys.households.insert(e.household);
            break;
        case ScopeElement::Kind::Ignored:
            break;
        }
    }
    return keys;
}

QString buildingCode(qlonglong buildingNo) { return QLatin1Char('B') + QString::number(buildingNo); }

QString doorCode(qlonglong buildingNo, qlonglong doorNo)
{
    return buildingCode(buildingNo) + QLatin1Char('U') + QString::number(doorNo);
}

QString houseCode(qlonglong houseNo) { return QLatin1Char('H') + QString::number(houseNo); }

QString householdCode(const QString& rprNo) { return QLatin1Char('R') + rprNo; }

QString joinScopeCode(const QStringList& elements) { return elements.join(QLatin1Char(',')); }

} // namespace cr::resident_teams
