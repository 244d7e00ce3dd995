#include "schema/demo/community_writer.h"

#include "frame/sqlca.h"
#include "schema/demo/building_planner.h"
#include "schema/demo/bulk_loader.h"
#include "schema/demo/community_roles.h"
#include "schema/demo/demo_words.h"
#include "schema/demo/house_numbering.h"
#include "schema/demo/household_factory.h"
#include "schema/demo/natural_keys.h"
#include "schema/schema.h"

#include <algorithm>

namespace cr::demo {
namespace {

// The demo is dated, not "now": the same seed gives the same birth dates and
// rental dates whatever day it runs, and all of them lie in the past.
const QDate kToday(2024, 6, 30);
const QString kDefaultCommNo = QStringLiteral("110105001001");

QVariant text(const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); }
QVariant date(const QDate& d) { return d.isValid() ? QVariant(d) : QVariant(); }
QVariant yesNo(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

QString houseKey(int buildingNo, int unitNo, const QString& number)
{
    return QStringLiteral("%1/%2/%3").arg(buildingNo).arg(unitNo).arg(number);
}

} // namespace

CommunityWriter::CommunityWriter(Sqlca& sqlca, const DemoOptions& options, DemoProgress progress)
    : m_sqlca(sqlca), m_options(options), m_profile(DemoProfile::of(options.size)),
      m_progress(std::move(progress)), m_random(options.seed), m_persons(m_random, m_codes, kToday),
      m_households(std::make_unique<HouseholdFactory>(m_random, m_persons))
{
}

CommunityWriter::~CommunityWriter() = default;

void CommunityWriter::report(int percent, const QString& step)
{
    if (m_progress) m_progress(percent, step);
}

void CommunityWriter::collect(const BulkLoader& loader)
{
    for (const auto& t : loader.tables()) {
        auto it = std::find_if(m_result.tables.begin(), m_result.tables.end(),
                               [&](const TableLoad& l) { return l.table == t->name(); });
        if (it == m_result.tables.end()) it = m_result.tables.insert(m_result.tables.end(), TableLoad{t->name()});
        it->rows += t->rowsWritten();
        it->seconds += t->seconds();
    }
}

bool CommunityWriter::write(DemoResult* result, QString* error)
{
    const bool ok = prepare() && writeAreas(m_areaNames) && writeBuildings() && writeResidents() && writeLinks()
                    && writeRentals() && writeRoles();
    if (!ok) {
        if (error) *error = m_error;
        return false;
    }
    report(100, QStringLiteral("完成"));
    if (result) *result = m_result;
    return true;
}

bool CommunityWriter::prepare()
{
    report(0, QStringLiteral("读取代码表"));
    if (!m_codes.load(m_sqlca, &m_error)) return false;
    m_commNo = schema::setting(m_sqlca, QStringLiteral("commno"));
    if (m_commNo.isEmpty()) {
        m_commNo = kDefaultCommNo;
        if (!schema::setSetting(m_sqlca, QStringLiteral("commno"), m_commNo)) {
            m_error = QStringLiteral("保存社区编号失败：%1").arg(m_sqlca.sqlErrText());
            return false;
        }
    }
    m_sqlca.setCommNo(m_commNo);
    BuildingPlanner planner(m_random, m_profile);
    m_areaNames = planner.areaNames();
    m_buildings = planner.plan();
    return true;
}

bool CommunityWriter::readKeys(const QString& sql, QHash<QString, int>* keys)
{
    return readNaturalKeys(m_sqlca, sql, keys, &m_error);
}

bool CommunityWriter::writeAreas(const QStringList& names)
{
    report(1, QStringLiteral("写入责任区"));
    BulkLoader loader(m_sqlca);
    BulkTable& areas = loader.addTable(QStringLiteral("tc_ge_regionalmanage"),
                                       {QStringLiteral("commno"), QStringLiteral("regionalname"), QStringLiteral("issave")});
    for (const QString& name : names)
        if (!loader.add(areas, {m_commNo, name, QStringLiteral("1")})) break;
    const bool ok = loader.flushAll();
    collect(loader);
    if (!ok) {
        m_error = loader.error();
        return false;
    }
    return readKeys(QStringLiteral("SELECT regionalno, regionalname FROM tc_ge_regionalmanage"), &m_areaKeys);
}

bool CommunityWriter::writeBuildings()
{
    report(2, QStringLiteral("写入楼院"));
    BulkLoader loader(m_sqlca);
    BulkTable& table = loader.addTable(
        QStringLiteral("tc_ge_building"),
        QStringLiteral("commno,regionalno,address,buildingname,roomtype,buildinguse,fixedyear,upfloornum,"
                       "downfloornum,buildingstruture,buildingarea,floorhouesnum,housenum,unitnum,istoilet,"
                       "iswaterdispart,isammeterdispart,issave,prepare3").split(QLatin1Char(',')));
    for (const BuildingPlan& b : m_buildings) {
        const double meanArea = (b.minHouseArea + b.maxHouseArea) / 2.0;
        const double area = qRound(b.houseCount() * meanArea * m_random.between(112, 128)) / 100.0;
        const bool multi = b.kind == BuildingKind::MultiStorey;
        const bool bungalow = b.kind == BuildingKind::Bungalow;
        QVariant rooms;
        if (bungalow) rooms = b.housesPerFloor * m_random.between(2, 3);
        else if (b.kind == BuildingKind::Basement) rooms = b.basementRooms;
        const QVariantList row{
            m_commNo, m_areaKeys.value(m_areaNames[b.areaIndex]), b.address, b.name, b.roomType(),
            m_codes.buildingUse(b.kind, m_random), b.fixedYear, b.upFloors, b.downFloors,
            m_codes.structure(b, m_random), area, b.housesPerFloor, rooms, b.units,
            yesNo(bungalow && m_random.percent(60)), yesNo(!bungalow || m_random.percent(50)),
            yesNo(!bungalow || m_random.percent(70)), QStringLiteral("1"),
            multi ? QVariant(QStringLiteral("单元")) : QVariant()};
        if (!loader.add(table, row)) break;
    }
    const bool ok = loader.flushAll();
    collect(loader);
    if (!ok) {
        m_error = loader.error();
        return false;
    }
    return readKeys(QStringLiteral("SELECT buildingno, buildingname FROM tc_ge_building"), &m_buildingKeys);
}

QString CommunityWriter::houseAddress(const BuildingPlan& b, int unit, const QString& number)
{
    switch (b.kind) {
    case BuildingKind::MultiStorey:
        return b.address + QString::number(unit) + QStringLiteral("单元") + number;
    case BuildingKind::Bungalow:
        return b.address + QStringLiteral("院") + number + QStringLiteral("号");
    case BuildingKind::Basement:
        return b.address.chopped(3) + number;   // "…12号" + "地下103室"
    }
    return b.address;
}

bool CommunityWriter::writeResidents()
{
    BulkLoader loader(m_sqlca);
    m_loader = &loader;
    m_rprTable = &loader.addTable(QStringLiteral("tc_ge_rpr"), {QStringLiteral("commno"), QStringLiteral("rprno"),
                                                               QStringLiteral("hostname"), QStringLiteral("rpraddr")});
    m_personTable = &loader.addTable(
        QStringLiteral("tc_ge_personinfo"),
        QStringLiteral("commno,personno,personname,idcard,sex,birthdate,rprtype,rprstatus,rpraddr,rprno,nationality,"
                       "polity,contactphone,edulevel,presentaddr1,personkind,isdeath").split(QLatin1Char(',')));
    m_otherInfoTable = &loader.addTable(QStringLiteral("tc_ge_personotherinfo"),
                                        {QStringLiteral("commno"), QStringLiteral("personno"), QStringLiteral("isvolunteer")});
    m_houseTable = &loader.addTable(
        QStringLiteral("tc_ge_houseinfo"),
        QStringLiteral("commno,buildingno,unitno,unitname,floorno,housenumber,housearea,buildingmodel,houseuse,"
                       "isrent,droittype,houserownername,contactphone,personno,issave").split(QLatin1Char(',')));

    qint64 total = 0;
    for (const BuildingPlan& b : m_buildings) total += b.houseCount();
    bool ok = true;
    for (const BuildingPlan& b : m_buildings) {
        const int buildingNo = m_buildingKeys.value(b.name);
        switch (b.kind) {
        case BuildingKind::MultiStorey:
            for (int unit = 1; ok && unit <= b.units; ++unit)
                for (int floor = 1; ok && floor <= b.upFloors; ++floor)
                    for (int h = 1; ok && h <= b.housesPerFloor; ++h)
                        ok = writeHouse(b, buildingNo, unit, floor, HouseNumbering::batch(b.upFloors, b.housesPerFloor, floor, h));
            break;
        case BuildingKind::Bungalow:
            for (int h = 1; ok && h <= b.housesPerFloor; ++h)
                ok = writeHouse(b, buildingNo, 0, 1, HouseNumbering::bungalow(h));
            break;
        case BuildingKind::Basement:
            for (int h = 1; ok && h <= b.basementRooms; ++h)
                ok = writeHouse(b, buildingNo, 0, -1, HouseNumbering::basement(1, b.basementRooms, h));
            break;
        }
        if (!ok) break;
        report(3 + int(80 * m_houses.size() / qMax<qint64>(total, 1)), QStringLiteral("写入房屋、家庭和人员"));
    }
    ok = ok && loader.flushAll();
    collect(loader);
    m_loader = nullptr;
    if (!ok) {
        m_error = loader.error();
        return false;
    }
    return true;
}

bool CommunityWriter::writePerson(const DemoPerson& p, const QString& rprno, const QString& rprAddress,
                                  const QString& presentAddress, bool local)
{
    return m_loader->add(*m_personTable,
                         {m_commNo, p.personno, p.name, p.idcard, p.sex, date(p.birth), m_codes.rprtype(local, m_random),
                          m_codes.rprstatus(local, m_random), text(rprAddress), text(rprno), p.folk, p.polity,
                          text(p.phone), text(p.edulevel), text(presentAddress), text(p.jobstatus), yesNo(p.deceased)});
}

bool CommunityWriter::writeHouse(const BuildingPlan& b, int buildingNo, int unit, int floor, const QString& number)
{
    const int index = int(m_houses.size());
    m_houses << HouseRef{buildingNo, unit, number};
    const QString address = houseAddress(b, unit, number);
    const double area = m_random.between(b.minHouseArea * 100, b.maxHouseArea * 100) / 100.0;
    const QString ownership = m_codes.ownership(b.kind, m_random);
    const bool basement = b.kind == BuildingKind::Basement;
    const bool rented = m_random.percent(basement ? m_profile.basementRentedPercent : m_profile.rentedPercent);
    // Nobody is registered in a basement room; a let flat may still hold
    // its owner's household registration.
    const int households = basement ? 0
                           : rented ? m_random.weighted({60, 40})
                                    : m_random.weighted(m_profile.householdsPerHouse);
    DemoPerson owner;
    for (int i = 0; i < households; ++i) {
        DemoPerson head;
        if (!writeHousehold(index, address, i == 0, &head)) return false;
        if (i == 0) owner = head;
    }
    QVariant ownerName, ownerNo, ownerPhone;
    if (ownership == m_codes.privateOwnership()) {
        // A let private house needs its owner in the person register (the
        // house register insists); owners of empty flats are known half the time.
        if (owner.personno.isEmpty() && (rented || m_random.percent(50)) && !writeOutsideOwner(&owner)) return false;
        if (!owner.personno.isEmpty()) {
            ownerName = owner.name;
            ownerNo = owner.personno;
            ownerPhone = owner.phone.isEmpty() ? m_persons.phone() : owner.phone;
        }
    } else {
        ownerName = m_random.pick(DemoWords::publicOwners());
        ownerPhone = QStringLiteral("010-6%1").arg(m_random.below(10000000), 7, 10, QLatin1Char('0'));
    }
    if (rented && !writeTenants(index, address, b.kind)) return false;
    const bool multi = b.kind == BuildingKind::MultiStorey;
    return m_loader->add(*m_houseTable,
                         {m_commNo, buildingNo, unit, multi ? QVariant(QStringLiteral("单元")) : QVariant(), floor,
                          number, area, text(m_codes.layout(area, m_random)), m_codes.houseUse(b.kind, m_random),
                          yesNo(rented), ownership, ownerName, ownerPhone, ownerNo, QStringLiteral("1")});
}

bool CommunityWriter::writeHousehold(int house, const QString& houseAddress, bool owner, DemoPerson* head)
{
    const QString rprno = QString::number(100000000 + ++m_householdCount);
    const QList<DemoPerson> members = m_households->make(1 + m_random.weighted(m_profile.householdSize));
    const QString rprAddress = DemoWords::localPlace().name + houseAddress;
    *head = members.first();
    if (!m_loader->add(*m_rprTable, {m_commNo, rprno, head->name, rprAddress})) return false;
    const int buildingNo = m_houses[house].buildingNo;
    QPair<qint64, qint64>& occupancy = m_occupancy[buildingNo];
    ++occupancy.first;
    QStringList& residents = m_residents[buildingNo];
    for (const DemoPerson& p : members) {
        if (!p.deceased) ++occupancy.second;
        // A few grown-ups per building are enough to find its dean and leaders.
        if (!p.deceased && p.age >= 25 && p.age <= 72 && residents.size() < 12) residents << p.personno;
        const int chance = p.deceased || p.age < 18 || p.age > 75 ? 0 : p.age >= 60 ? 20 : 6;
        if (!writePerson(p, rprno, rprAddress, rprAddress, true)
            || !m_loader->add(*m_otherInfoTable, {m_commNo, p.personno, yesNo(m_random.percent(chance))}))
            return false;
    }
    m_links << HouseholdLink{house, rprno, owner};
    return true;
}

bool CommunityWriter::writeOutsideOwner(DemoPerson* owner)
{
    *owner = m_persons.make(m_random.percent(55), m_random.between(35, 80), m_persons.surname(),
                            DemoWords::localPlace().areaCode);
    const QString address = DemoWords::localPlace().name + m_random.pick(DemoWords::roads())
                            + QString::number(m_random.between(1, 300)) + QStringLiteral("号");
    return writePerson(*owner, QString(), address, address, true);
}

bool CommunityWriter::writeTenants(int house, const QString& houseAddress, BuildingKind kind)
{
    Rental rental;
    rental.house = house;
    rental.use = m_codes.houseUse(kind, m_random);
    rental.start = kToday.addDays(-qint64(m_random.between(60, 6 * 365)));
    const BirthPlace& place = m_random.pick(DemoWords::otherPlaces());
    const QString familyName = m_persons.surname();
    const int count = kind == BuildingKind::Basement ? m_random.between(1, 3) : m_random.between(1, 4);
    for (int i = 0; i < count; ++i) {
        const bool family = i > 0 && m_random.percent(40);
        const DemoPerson p = m_persons.make(m_random.percent(60), m_random.between(18, 58),
                                            family ? familyName : m_persons.surname(), place.areaCode);
        const QString home = place.name + m_random.pick(DemoWords::roads())
                             + QString::number(m_random.between(1, 200)) + QStringLiteral("号");
        if (!writePerson(p, QString(), home, DemoWords::localPlace().name + houseAddress, false)) return false;
        rental.tenants << p.personno;
        rental.tenantStarts << qMin(kToday, rental.start.addDays(m_random.between(0, 120)));
    }
    m_rentals << rental;
    return true;
}

bool CommunityWriter::writeLinks()
{
    report(85, QStringLiteral("写入家庭住房关系"));
    QHash<QString, int> houseKeys;
    if (!readKeys(QStringLiteral("SELECT houseno, buildingno, unitno, housenumber FROM tc_ge_houseinfo"), &houseKeys))
        return false;
    QList<int> housenos;
    housenos.reserve(m_houses.size());
    for (const HouseRef& h : m_houses) {
        housenos << houseKeys.value(houseKey(h.buildingNo, h.unitNo, h.houseNumber));
        if (housenos.last() == 0) {
            m_error = QStringLiteral("找不到刚写入的房屋 %1").arg(h.houseNumber);
            return false;
        }
    }
    m_houses.clear();
    BulkLoader loader(m_sqlca);
    BulkTable& links = loader.addTable(QStringLiteral("tc_ge_rprownhouse"),
                                       {QStringLiteral("commno"), QStringLiteral("rprno"), QStringLiteral("houseno"),
                                        QStringLiteral("housingkind"), QStringLiteral("issave")});
    for (const HouseholdLink& l : m_links) {
        // Housing kind: "01" the household owns the house, "02" it lives there otherwise.
        if (!loader.add(links, {m_commNo, l.rprno, housenos[l.house], l.owner ? QStringLiteral("01") : QStringLiteral("02"),
                                QStringLiteral("1")}))
            break;
    }
    const bool ok = loader.flushAll();
    collect(loader);
    if (!ok) {
        m_error = loader.error();
        return false;
    }
    m_housenos = housenos;
    return true;
}

bool CommunityWriter::writeRentals()
{
    report(92, QStringLiteral("写入出租房屋和租房人"));
    BulkLoader loader(m_sqlca);
    BulkTable& registrations = loader.addTable(
        QStringLiteral("tc_ge_renthousereg"),
        QStringLiteral("commno,houseno,transfertype,houseuse,startrentdate,endrentdate,issigndutybook,isconsignrent,"
                       "issave").split(QLatin1Char(',')));
    for (Rental& r : m_rentals) {
        const int houseno = m_housenos[r.house];
        if (m_random.percent(80)) {
            const QDate end = m_random.percent(70) ? r.start.addYears(m_random.between(1, 3)) : QDate();
            if (!loader.add(registrations, {m_commNo, houseno, m_codes.transferType(m_random), r.use, r.start, date(end),
                                            yesNo(m_random.percent(70)), yesNo(m_random.percent(25)), QStringLiteral("1")}))
                break;
        } else {
            // Made by the house register when the house was marked as let and
            // not completed since: no dates, no agreement.
            r.start = QDate();
            if (!loader.add(registrations, {m_commNo, houseno, QVariant(), QVariant(), QVariant(), QVariant(),
                                            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("2")}))
                break;
        }
    }
    bool ok = loader.flushAll();
    QHash<QString, int> orders;   // houseno -> orderno
    ok = ok && readKeys(QStringLiteral("SELECT orderno, houseno FROM tc_ge_renthousereg"), &orders);
    BulkTable& tenants = loader.addTable(
        QStringLiteral("tc_ge_rentregistry"),
        QStringLiteral("commno,orderno,houseno,houseuse,startrentdate,endrentdate,personno,personnum,issave")
            .split(QLatin1Char(',')));
    for (const Rental& r : m_rentals) {
        if (!ok) break;
        const int houseno = m_housenos[r.house];
        const int orderno = orders.value(QString::number(houseno));
        for (int i = 0; ok && i < r.tenants.size(); ++i) {
            const QDate start = r.tenantStarts[i];
            const QDate end = m_random.percent(50) ? start.addYears(1) : QDate();
            ok = loader.add(tenants, {m_commNo, orderno, houseno, r.use, start, date(end), r.tenants[i],
                                      int(r.tenants.size()), QStringLiteral("1")});
        }
    }
    ok = ok && loader.flushAll();
    collect(loader);
    if (!ok && m_error.isEmpty()) m_error = loader.error();
    return ok;
}

bool CommunityWriter::writeRoles()
{
    report(96, QStringLiteral("写入楼院负责人、责任区负责人和居民小组"));
    RolesInput input{m_commNo, m_buildings, m_buildingKeys, m_areaNames, m_areaKeys, m_residents, m_occupancy};
    CommunityRoles roles(m_sqlca, m_random, m_codes, input, [this](const BulkLoader& l) { collect(l); });
    return roles.write(&m_error);
}

} // namespace cr::demo
