#include "resident_teams/scope_tree.h"

#include "resident_teams/scope_code.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <numeric>

namespace cr::resident_teams {
namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Rows [first, end) of a sorted index list that share one key.
template <class Key>
QHash<Key, QPair<int, int>> rangesByKey(const std::vector<int>& sorted, const std::function<Key(int)>& keyOf)
{
    QHash<Key, QPair<int, int>> ranges;
    ranges.reserve(qsizetype(sorted.size()));
    for (size_t i = 0; i < sorted.size();) {
        const Key key = keyOf(sorted[i]);
        size_t end = i + 1;
        while (end < sorted.size() && keyOf(sorted[end]) == key) ++end;
        ranges.insert(key, {int(i), int(end)});
        i = end;
    }
    return ranges;
}

} // namespace

int naturalCompare(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            while (i < a.size() && a[i] == QLatin1Char('0')) ++i;
            while (j < b.size() && b[j] == QLatin1Char('0')) ++j;
            qsizetype ei = i, ej = j;
            while (ei < a.size() && isDigit(a[ei])) ++ei;
            while (ej < b.size() && isDigit(b[ej])) ++ej;
            if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;
            for (; i < ei; ++i, ++j)
                if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return a.compare(b);
}

QStringList ScopeTree::pictureNames()
{
    return {QStringLiteral("bmp/003.ico"), QStringLiteral("bmp/1.ico"),      QStringLiteral("bmp/2.ico"),
            QStringLiteral("bmp/3.ico"),   QStringLiteral("bmp/people.ico"), QStringLiteral("bmp/16father.ico")};
}

QStringList ScopeTree::statePictureNames() { return {QStringLiteral("bmp/no.bmp"), QStringLiteral("bmp/yes.bmp")}; }

int ScopeTree::add(Level level, int parent, int source)
{
    Item item;
    item.parent = parent;
    item.source = source;
    item.level = level;
    m_items.push_back(item);
    return int(m_items.size()) - 1;
}

int ScopeTree::build(ScopeSource source, const std::function<void(int, int)>& progress)
{
    m_source = std::move(source);
    m_items.clear();
    const auto& houses = m_source.houses;
    const auto& households = m_source.households;

    // Houses grouped by building, ordered by door, house number and key.
    std::vector<int> houseOrder(houses.size());
    std::iota(houseOrder.begin(), houseOrder.end(), 0);
    std::sort(houseOrder.begin(), houseOrder.end(), [&](int x, int y) {
        const auto& a = houses[size_t(x)];
        const auto& b = houses[size_t(y)];
        if (a.buildingNo != b.buildingNo) return a.buildingNo < b.buildingNo;
        if (a.door != b.door) return a.door < b.door;
        if (const int c = naturalCompare(a.number, b.number)) return c < 0;
        return a.houseNo < b.houseNo;
    });
    const auto housesOf = rangesByKey<qlonglong>(
        houseOrder, [&](int h) { return houses[size_t(h)].buildingNo; });

    // Household links grouped by house, in the order they were made.
    std::vector<int> linkOrder(households.size());
    std::iota(linkOrder.begin(), linkOrder.end(), 0);
    std::sort(linkOrder.begin(), linkOrder.end(), [&](int x, int y) {
        const auto& a = households[size_t(x)];
        const auto& b = households[size_t(y)];
        return a.houseNo != b.houseNo ? a.houseNo < b.houseNo : a.orderNo < b.orderNo;
    });
    const auto linksOf = rangesByKey<qlonglong>(
        linkOrder, [&](int l) { return households[size_t(l)].houseNo; });

    m_items.reserve(m_source.buildings.size() + houses.size() * 11 / 10 + households.size());
    m_houseBuilding.assign(houses.size(), -1);
    m_houseCount = 0;
    for (const auto& b : m_source.buildings) m_houseCount += housesOf.value(b.no).second - housesOf.value(b.no).first;

    int stoppedAt = -1;
    const int total = int(m_source.buildings.size());
    for (int b = 0; b < total; ++b) {
        const ScopeSource::Building& building = m_source.buildings[b];
        if (building.no == 0) {
            stoppedAt = b;
            break;
        }
        const int buildingItem = add(Level::Building, -1, b);
        const bool withDoors = building.roomType == QLatin1String("01");
        qlonglong previousDoor = 0;
        int doorItem = -1;
        const auto [first, end] = housesOf.value(building.no);
        for (int k = first; k < end; ++k) {
            const int h = houseOrder[size_t(k)];
            const ScopeSource::House& house = houses[size_t(h)];
            m_houseBuilding[size_t(h)] = b;
            int parent = buildingItem;
            if (withDoors && house.door != 0) {
                if (house.door != previousDoor) {
                    doorItem = add(Level::Door, buildingItem, h);
                    previousDoor = house.door;
                }
                parent = doorItem;
            }
            const int houseItem = add(Level::House, parent, h);
            const auto [linkFirst, linkEnd] = linksOf.value(house.houseNo);
            for (int l = linkFirst; l < linkEnd; ++l) add(Level::Household, houseItem, linkOrder[size_t(l)]);
        }
        if (progress && (b % 100 == 99 || b + 1 == total)) progress(b + 1, total);
    }
    finishShape();
    return stoppedAt;
}

// Subtree ends, rows and child lists from the parents, in one pass each.
void ScopeTree::finishShape()
{
    const int n = itemCount();
    for (int i = 0; i < n; ++i) m_items[size_t(i)].end = i + 1;
    for (int i = n - 1; i >= 0; --i) {
        const int p = m_items[size_t(i)].parent;
        if (p >= 0) m_items[size_t(p)].end = std::max(m_items[size_t(p)].end, m_items[size_t(i)].end);
    }
    m_childStart.assign(size_t(n) + 1, 0);
    m_top.clear();
    int below = 0;
    for (int i = 0; i < n; ++i) {
        const int p = m_items[size_t(i)].parent;
        if (p >= 0) {
            ++m_childStart[size_t(p) + 1];
            ++below;
        }
    }
    for (int i = 0; i < n; ++i) m_childStart[size_t(i) + 1] += m_childStart[size_t(i)];
    m_children.assign(size_t(below), 0);
    std::vector<int> filled(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        Item& item = m_items[size_t(i)];
        if (item.parent < 0) {
            item.row = int(m_top.size());
            m_top.push_back(i);
        } else {
            item.row = filled[size_t(item.parent)]++;
            m_children[size_t(m_childStart[size_t(item.parent)] + item.row)] = i;
        }
    }
}

int ScopeTree::childCount(int item) const
{
    return m_childStart[size_t(item) + 1] - m_childStart[size_t(item)];
}

int ScopeTree::child(int item, int row) const { return m_children[size_t(m_childStart[size_t(item)] + row)]; }

const ScopeSource::Building& ScopeTree::buildingOfHouse(int house) const
{
    return m_source.buildings[m_houseBuilding[size_t(house)]];
}

QString ScopeTree::label(int item) const
{
    const Item& it = m_items[size_t(item)];
    switch (it.level) {
    case Level::Building:
        return m_source.buildings[it.source].name;
    case Level::Door: {
        const auto& house = m_source.houses[size_t(it.source)];
        return doorName(house.door, house.doorWord) + QLatin1Char('(') + buildingOfHouse(it.source).name +
               QLatin1Char(')');
    }
    case Level::House: {
        const auto& house = m_source.houses[size_t(it.source)];
        return house.number + QLatin1Char('(') + buildingOfHouse(it.source).name +
               doorName(house.door, house.doorWord) + QLatin1Char(')');
    }
    case Level::Household:
        return m_source.households[size_t(it.source)].hostName;
    }
    return {};
}

QString ScopeTree::code(int item) const
{
    const Item& it = m_items[size_t(item)];
    switch (it.level) {
    case Level::Building:
        return buildingCode(m_source.buildings[it.source].no);
    case Level::Door: {
        const auto& house = m_source.houses[size_t(it.source)];
        return doorCode(house.buildingNo, house.door);
    }
    case Level::House:
        return houseCode(m_source.houses[size_t(it.source)].houseNo);
    case Level::Household:
        return householdCode(m_source.households[size_t(it.source)].rprNo);
    }
    return {};
}

// One pass over the items with a set lookup each: a few milliseconds for a
// whole street, whatever the number of codes, and no index to keep.
QList<int> ScopeTree::findAll(const QString& scopeCode) const
{
    const ScopeKeys wanted = ScopeKeys::of(scopeCode, true);
    QList<int> found;
    for (int i = 0; i < itemCount(); ++i) {
        const Item& it = m_items[size_t(i)];
        bool match = false;
        switch (it.level) {
        case Level::Building:
            match = wanted.buildings.contains(m_source.buildings[it.source].no);
            break;
        case Level::Door: {
            const auto& house = m_source.houses[size_t(it.source)];
            match = wanted.doors.contains({house.buildingNo, house.door});
            break;
        }
        case Level::House:
            match = wanted.houses.contains(m_source.houses[size_t(it.source)].houseNo);
            break;
        case Level::Household:
            match = wanted.households.contains(m_source.households[size_t(it.source)].rprNo);
            break;
        }
        if (match) found << i;
    }
    return found;
}

QList<int> ScopeTree::find(const QString& code) const
{
    // A single element, not a list of them.
    if (code.contains(QLatin1Char(','))) return {};
    return findAll(code);
}

bool ScopeTree::setTicked(int item, bool ticked)
{
    if (isTicked(item) == ticked) return false;
    for (int i = item; i < subtreeEnd(item); ++i) m_items[size_t(i)].ticked = ticked;
    if (!ticked)
        for (int p = parent(item); p >= 0; p = parent(p)) m_items[size_t(p)].ticked = false;
    return true;
}

void ScopeTree::preTick(const QString& scopeCode)
{
    if (scopeCode.isEmpty()) return;
    for (int item : findAll(scopeCode)) setTicked(item, true);
}

ScopeTree::Selection ScopeTree::selection() const
{
    QStringList codes, names;
    QSet<QString> listed;
    for (int i = 0; i < itemCount();) {
        if (isTicked(i)) {
            // A household living in two houses is one element, however many
            // of its items are ticked: listed twice it would count twice.
            const QString c = code(i);
            if (!listed.contains(c)) {
                listed.insert(c);
                codes << c;
                names << label(i);
            }
            i = subtreeEnd(i);
        } else {
            ++i;
        }
    }
    return {joinScopeCode(codes), names.join(QLatin1Char(','))};
}

} // namespace cr::resident_teams
