#include "houses/house_batch.h"

#include "houses/house_usage.h"

#include "frame/dataview.h"
#include "frame/expr/values.h"
#include "frame/row_cursor.h"
#include "frame/sqlca.h"
#include "houses/house_batch_limits.h"
#include "houses/house_numbering.h"

#include <QPair>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace cr::houses {
namespace {

const QString kInfo = QStringLiteral("提示");

std::optional<long long> wholeNumber(const DataView& view, int row, const char* column)
{
    const std::optional<double> v = view.getItemNumber(row, QLatin1String(column));
    if (!v) return std::nullopt;
    // Kept within what a long long holds; the bounds check refuses it anyway.
    return static_cast<long long>(std::trunc(std::clamp(*v, -1e15, 1e15)));
}

bool zeroOrEmpty(const std::optional<long long>& n) { return !n || *n == 0; }

BatchOutcome refused(const QString& text)
{
    BatchOutcome o;
    o.result = BatchOutcome::Result::Refused;
    o.title = kInfo;
    o.text = text;
    return o;
}

// The door number of a grid row as the duplicate test compares it: rows
// without a whole door number never match a generated door.
std::optional<long long> doorOf(const DataView& houses, int row, int doorColumn)
{
    const std::optional<double> v = expr::values::toNumber(houses.item(row, doorColumn));
    if (!v || *v != std::trunc(*v)) return std::nullopt;
    return static_cast<long long>(*v);
}

} // namespace

BatchBuilding BatchBuilding::fromRow(const DataView& buildings, int row)
{
    BatchBuilding b;
    b.floors = wholeNumber(buildings, row, "upfloornum");
    b.doors = wholeNumber(buildings, row, "unitnum");
    b.housesPerFloor = wholeNumber(buildings, row, "floorhouesnum");
    b.doorWord = buildings.getItemString(row, QStringLiteral("prepare3"));
    b.buildingNo = wholeNumber(buildings, row, "buildingno");
    b.roomType = buildings.getItemString(row, QStringLiteral("roomtype"));
    b.name = QStringList{buildings.getItemString(row, QStringLiteral("address")),
                         buildings.getItemString(row, QStringLiteral("buildingname"))}
                 .join(QLatin1Char(' '))
                 .trimmed();
    return b;
}

HouseBatch::HouseBatch(Sqlca& sqlca, DataView& houses) : m_sqlca(sqlca), m_houses(houses) {}

QString HouseBatch::countLine(int total, bool afterDeletion)
{
    if (total > 0) return QStringLiteral("该楼院共有%1套房屋。").arg(total);
    return afterDeletion ? QStringLiteral("该楼院已没有房屋信息。") : QStringLiteral("该楼院还没有房屋信息。");
}

// One house the generation adds: what differs between the houses of a
// multi-storey building and those of a bungalow compound.
struct HouseBatch::NewHouse {
    long long door;
    QVariant doorWord;
    int floor;
    QString number;
    QVariant model;
};

// The houses a building already has, by door and number (multi-storey rule)
// or by number alone (bungalow rule): only the building's own rule is kept.
class HouseBatch::Existing {
public:
    Existing(bool bungalows, qsizetype expected) : m_bungalows(bungalows)
    {
        if (bungalows) m_numbers.reserve(expected);
        else m_doorNumbers.reserve(expected);
    }
    void add(std::optional<long long> door, const QString& number)
    {
        if (number.isNull()) return;
        if (m_bungalows) m_numbers.insert(number);
        else if (door) m_doorNumbers.insert({*door, number});
    }
    // Each test also takes the number, so a generation never adds one twice.
    bool claimNumber(const QString& number)
    {
        if (m_numbers.contains(number)) return false;
        m_numbers.insert(number);
        return true;
    }
    bool claimDoorNumber(long long door, const QString& number)
    {
        if (m_doorNumbers.contains({door, number})) return false;
        m_doorNumbers.insert({door, number});
        return true;
    }

private:
    bool m_bungalows;
    QSet<QString> m_numbers;
    QSet<QPair<long long, QString>> m_doorNumbers;
};

BatchOutcome HouseBatch::generate(const BatchBuilding& b, GridRead read)
{
    if (const std::optional<QString> refusal = batchCountsRefusal(b)) return refused(*refusal);
    const bool bungalows = b.roomType == QLatin1String("02");
    if (bungalows) {
        if (zeroOrEmpty(b.housesPerFloor))
            return refused(QStringLiteral("平房楼院只有填写的每单元每层户数大于0时才能生成批量生成房屋！"));
    } else {
        // Any other kind, or none, is generated as a multi-storey building.
        if (zeroOrEmpty(b.floors)) return refused(QStringLiteral("此楼院的地上的建筑层数不正确，请改正后再增加！"));
        if (zeroOrEmpty(b.doors)) return refused(QStringLiteral("此楼院的单元数填写不正确，请改正后再增加！"));
        if (zeroOrEmpty(b.housesPerFloor))
            return refused(QStringLiteral("此楼院的每单元每层户数填写不正确，请改正后再增加！"));
    }

    BatchOutcome o;
    o.result = BatchOutcome::Result::Failed;
    o.title = QStringLiteral("错误");
    o.text = QStringLiteral("数据保存失败！");
    // The grid's stored houses are taken from the database, read inside the
    // locked unit of work; rows the grid has not saved yet count as well. A
    // grid read under the lock that is still open, with no deletion pending,
    // holds exactly the stored houses and is taken as it stands.
    const bool gridIsCurrent =
        read == GridRead::UnderLock && b.buildingNo && m_sqlca.inTransaction() && m_houses.deletedCount() == 0;
    Existing existing(bungalows, m_houses.rowCount());
    const int keyColumn = m_houses.columnIndex(QStringLiteral("houseno"));
    const int numberColumn = m_houses.columnIndex(QStringLiteral("housenumber"));
    const int doorColumn = m_houses.columnIndex(QStringLiteral("unitno"));
    QSet<qlonglong> shown;
    for (int r = 1; r <= m_houses.rowCount(); ++r) {
        const QVariant key = m_houses.item(r, keyColumn);
        if (key.isValid() && !gridIsCurrent) shown.insert(key.toLongLong());
        else existing.add(doorOf(m_houses, r, doorColumn), m_houses.item(r, numberColumn).toString());
    }
    bool gridIsStale = false;
    if (!gridIsCurrent) {
        const bool locked = b.buildingNo ? m_sqlca.beginLocked(QStringLiteral("tc_ge_building"),
                                                               QStringLiteral("buildingno"), *b.buildingNo)
                                         : m_sqlca.begin();
        if (!locked) o.errorText = m_sqlca.sqlErrText();
        if (!locked || (b.buildingNo && !readStored(b, shown, &existing, &gridIsStale, &o.errorText))) {
            m_sqlca.rollback();
            return o;
        }
    }
    const QList<NewHouse> houses = bungalows ? missingBungalows(b, existing) : missingStoreys(b, existing);
    appendRows(b, houses);
    if (!saveAndCommit(&o.errorText)) return o;
    // What someone else stored or removed since the grid was read shows too.
    if (gridIsStale) m_houses.retrieve({*b.buildingNo});
    m_houses.setSort(QStringLiteral("unitno asc,FloorNo asc,housenumber asc"));
    m_houses.sort();
    o.result = BatchOutcome::Result::Done;
    o.count = int(houses.size());
    o.title = kInfo;
    o.text = QStringLiteral("批量生成房屋成功，此次共生成%1套房屋！").arg(o.count);
    o.errorText.clear();
    return o;
}

// Inside the locked unit of work: the building's houses as stored now. The
// grid is stale when they are not the stored houses it shows.
bool HouseBatch::readStored(const BatchBuilding& b, const QSet<qlonglong>& shown, Existing* existing, bool* gridIsStale,
                            QString* error)
{
    const auto q = m_sqlca.openCursor(QStringLiteral("SELECT houseno, unitno, housenumber FROM tc_ge_houseinfo "
                                                     "WHERE buildingno = :buildingno"),
                                      {{QStringLiteral("buildingno"), *b.buildingNo}});
    if (!q) {
        *error = m_sqlca.sqlErrText();
        return false;
    }
    // A door counts when it is a whole number, as in the grid.
    auto whole = [](const DbValue& v) -> std::optional<long long> {
        if (v.type == DbValue::Type::Integer) return v.integer;
        bool ok = false;
        const double d = v.variant().toDouble(&ok);
        return ok && d == std::trunc(d) ? std::optional<long long>(static_cast<long long>(d)) : std::nullopt;
    };
    qsizetype found = 0;
    while (q->next()) {
        const QVariant number = q->value(2).variant();
        if (number.isValid()) existing->add(whole(q->value(1)), number.toString());
        const std::optional<long long> key = whole(q->value(0));
        if (key && shown.contains(*key)) ++found;
        else *gridIsStale = true;
    }
    if (found != shown.size()) *gridIsStale = true;
    if (!q->error().isEmpty()) {
        *error = q->error();
        return false;
    }
    return true;
}

// Bungalow compound: houses 1..n on floor 1 without a door. A number that any
// house of the compound already carries, whatever its door, is skipped.
QList<HouseBatch::NewHouse> HouseBatch::missingBungalows(const BatchBuilding& b, Existing& existing)
{
    QList<NewHouse> houses;
    for (long long n = 1; n <= *b.housesPerFloor; ++n) {
        const QString number = QString::number(n);
        if (existing.claimNumber(number)) houses.append({0, QVariant(), 1, number, QStringLiteral("01")});
    }
    return houses;
}

// Multi-storey: every door, floor and house; a house that the same door
// already has under the same number is skipped.
QList<HouseBatch::NewHouse> HouseBatch::missingStoreys(const BatchBuilding& b, Existing& existing)
{
    const int floors = int(*b.floors);
    const int perFloor = int(*b.housesPerFloor);
    // Every door has the same floors and numbers: they are named once.
    QList<std::pair<int, QString>> storeys;
    storeys.reserve(qsizetype(floors) * perFloor);
    for (int f = 1; f <= floors; ++f)
        for (int h = 1; h <= perFloor; ++h) storeys.append({f, HouseNumbering::batch(floors, perFloor, f, h)});
    QList<NewHouse> houses;
    for (long long d = 1; d <= *b.doors; ++d)
        for (const auto& [floor, number] : storeys)
            if (existing.claimDoorNumber(d, number)) houses.append({d, b.doorWord, floor, number, QVariant()});
    return houses;
}

void HouseBatch::appendRows(const BatchBuilding& b, const QList<NewHouse>& houses)
{
    const QVariant building = b.buildingNo ? QVariant(*b.buildingNo) : QVariant();
    for (const NewHouse& h : houses) {
        const int row = m_houses.insertRow(0);
        m_houses.setItem(row, QStringLiteral("commno"), m_sqlca.commNo());
        m_houses.setItem(row, QStringLiteral("buildingno"), building);
        m_houses.setItem(row, QStringLiteral("unitno"), h.door);
        m_houses.setItem(row, QStringLiteral("unitname"), h.doorWord);
        m_houses.setItem(row, QStringLiteral("floorno"), h.floor);
        m_houses.setItem(row, QStringLiteral("housenumber"), h.number);
        m_houses.setItem(row, QStringLiteral("housearea"), 0);
        m_houses.setItem(row, QStringLiteral("buildingmodel"), h.model);
        m_houses.setItem(row, QStringLiteral("houseuse"), QStringLiteral("01"));
        m_houses.setItem(row, QStringLiteral("isrent"), QStringLiteral("0"));
        m_houses.setItem(row, QStringLiteral("issave"), QStringLiteral("0"));
    }
}

BatchOutcome HouseBatch::refuseWhileInUse(const BatchBuilding& building)
{
    BatchOutcome o;
    QString error;
    const auto inUse = housesInUse(m_sqlca, building.buildingNo ? QVariant(*building.buildingNo) : QVariant(), &error);
    if (!inUse) {
        o.result = BatchOutcome::Result::Failed;
        o.title = QStringLiteral("错误");
        o.text = QStringLiteral("读取房屋的使用情况失败，没有删除任何房屋。");
        o.errorText = error;
    } else if (inUse->any()) {
        o.result = BatchOutcome::Result::Refused;
        o.title = QStringLiteral("提示");
        o.text = inUse->refusal();
    }
    return o;
}

BatchOutcome HouseBatch::removeAll()
{
    BatchOutcome o;
    const int total = m_houses.rowCount();
    if (total < 1) return o;
    for (int r = total; r >= 1; --r) m_houses.deleteRow(r);
    if (!saveAndCommit(&o.errorText)) {
        o.result = BatchOutcome::Result::Failed;
        o.title = QStringLiteral("错误");
        o.text = QStringLiteral("保存数据失败！");
        return o;
    }
    o.result = BatchOutcome::Result::Done;
    o.count = total;
    return o;
}

// The grid's rows are marked stored only once the commit went through.
bool HouseBatch::saveAndCommit(QString* error)
{
    if (m_houses.update(false) != 1) {
        *error = m_houses.lastError();
        m_sqlca.rollback();
        return false;
    }
    // A commit that fails counts as a failed save, never as a success.
    if (!m_sqlca.commit()) {
        *error = m_sqlca.sqlErrText();
        m_sqlca.rollback();
        return false;
    }
    m_houses.resetUpdate();
    return true;
}

} // namespace cr::houses
