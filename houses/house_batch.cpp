#include "houses/house_batch.h"

#include "houses/house_usage.h"

#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "houses/house_grid_writer.h"
#include "houses/house_numbering.h"

#include <QPair>
#include <QSet>
#include <cmath>

namespace cr::houses {
namespace {

const QString kInfo = QStringLiteral("提示");

std::optional<long long> wholeNumber(const DataView& view, int row, const char* column)
{
    const std::optional<double> v = view.getItemNumber(row, QLatin1String(column));
    if (!v) return std::nullopt;
    return static_cast<long long>(std::trunc(*v));
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
std::optional<long long> doorOf(const DataView& houses, int row)
{
    const std::optional<double> v = houses.getItemNumber(row, QStringLiteral("unitno"));
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

BatchOutcome HouseBatch::generate(const BatchBuilding& b)
{
    int added = 0;
    if (b.roomType == QLatin1String("02")) {
        if (zeroOrEmpty(b.housesPerFloor))
            return refused(QStringLiteral("平房楼院只有填写的每单元每层户数大于0时才能生成批量生成房屋！"));
        added = addBungalows(b);
    } else {
        // Any other kind, or none, is generated as a multi-storey building.
        if (zeroOrEmpty(b.floors)) return refused(QStringLiteral("此楼院的地上的建筑层数不正确，请改正后再增加！"));
        if (zeroOrEmpty(b.doors)) return refused(QStringLiteral("此楼院的单元数填写不正确，请改正后再增加！"));
        if (zeroOrEmpty(b.housesPerFloor))
            return refused(QStringLiteral("此楼院的每单元每层户数填写不正确，请改正后再增加！"));
        added = addStoreys(b);
    }

    BatchOutcome o;
    if (!saveAndCommit(&o.errorText)) {
        o.result = BatchOutcome::Result::Failed;
        o.title = QStringLiteral("错误");
        o.text = QStringLiteral("数据保存失败！");
        return o;
    }
    m_houses.setSort(QStringLiteral("unitno asc,FloorNo asc,housenumber asc"));
    m_houses.sort();
    o.result = BatchOutcome::Result::Done;
    o.count = added;
    o.title = kInfo;
    o.text = QStringLiteral("批量生成房屋成功，此次共生成%1套房屋！").arg(added);
    return o;
}

// Bungalow compound: houses 1..n on floor 1 without a door. A number that any
// house of the compound already carries, whatever its door, is skipped.
int HouseBatch::addBungalows(const BatchBuilding& b)
{
    QSet<QString> existing;
    for (int r = 1; r <= m_houses.rowCount(); ++r) {
        const QString n = m_houses.getItemString(r, QStringLiteral("housenumber"));
        if (!n.isNull()) existing.insert(n);
    }
    int added = 0;
    for (long long n = 1; n <= *b.housesPerFloor; ++n) {
        const QString number = QString::number(n);
        if (existing.contains(number)) continue;
        existing.insert(number);
        const int row = m_houses.insertRow(0);
        m_houses.setItem(row, QStringLiteral("commno"), m_sqlca.commNo());
        m_houses.setItem(row, QStringLiteral("buildingno"), b.buildingNo ? QVariant(*b.buildingNo) : QVariant());
        m_houses.setItem(row, QStringLiteral("unitno"), 0);
        m_houses.setItem(row, QStringLiteral("unitname"), QVariant());
        m_houses.setItem(row, QStringLiteral("floorno"), 1);
        m_houses.setItem(row, QStringLiteral("housenumber"), number);
        m_houses.setItem(row, QStringLiteral("housearea"), 0);
        m_houses.setItem(row, QStringLiteral("buildingmodel"), QStringLiteral("01"));
        m_houses.setItem(row, QStringLiteral("houseuse"), QStringLiteral("01"));
        m_houses.setItem(row, QStringLiteral("isrent"), QStringLiteral("0"));
        m_houses.setItem(row, QStringLiteral("issave"), QStringLiteral("0"));
        ++added;
    }
    return added;
}

// Multi-storey: every door, floor and house; a house that the same door
// already has under the same number is skipped. The existing numbers are
// collected once, so a large building costs no search per house.
int HouseBatch::addStoreys(const BatchBuilding& b)
{
    using Key = QPair<long long, QString>;
    QSet<Key> existing;
    for (int r = 1; r <= m_houses.rowCount(); ++r) {
        const std::optional<long long> door = doorOf(m_houses, r);
        const QString n = m_houses.getItemString(r, QStringLiteral("housenumber"));
        if (door && !n.isNull()) existing.insert({*door, n});
    }
    const int floors = int(*b.floors);
    const int perFloor = int(*b.housesPerFloor);
    int added = 0;
    for (long long d = 1; d <= *b.doors; ++d) {
        for (int f = 1; f <= floors; ++f) {
            for (int h = 1; h <= perFloor; ++h) {
                const QString number = HouseNumbering::batch(floors, perFloor, f, h);
                if (existing.contains({d, number})) continue;
                existing.insert({d, number});
                const int row = m_houses.insertRow(0);
                m_houses.setItem(row, QStringLiteral("commno"), m_sqlca.commNo());
                m_houses.setItem(row, QStringLiteral("buildingno"),
                                 b.buildingNo ? QVariant(*b.buildingNo) : QVariant());
                m_houses.setItem(row, QStringLiteral("unitno"), d);
                m_houses.setItem(row, QStringLiteral("unitname"), b.doorWord);
                m_houses.setItem(row, QStringLiteral("floorno"), f);
                m_houses.setItem(row, QStringLiteral("housenumber"), number);
                m_houses.setItem(row, QStringLiteral("housearea"), 0);
                m_houses.setItem(row, QStringLiteral("houseuse"), QStringLiteral("01"));
                m_houses.setItem(row, QStringLiteral("isrent"), QStringLiteral("0"));
                m_houses.setItem(row, QStringLiteral("issave"), QStringLiteral("0"));
                ++added;
            }
        }
    }
    return added;
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

bool HouseBatch::saveAndCommit(QString* error)
{
    HouseGridWriter writer(m_houses, m_sqlca);
    if (!writer.write()) {
        *error = writer.errorText();
        m_sqlca.rollback();
        return false;
    }
    // A commit that fails counts as a failed save, never as a success.
    if (!m_sqlca.commit()) {
        *error = m_sqlca.sqlErrText();
        m_sqlca.rollback();
        return false;
    }
    writer.markStored();
    return true;
}

} // namespace cr::houses
