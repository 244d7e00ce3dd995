#pragma once

#include "resident_teams/scope_source.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace cr::resident_teams {

// The scope tree of the scope dialog, without widgets: buildings, their
// doors (multi-storey buildings, kind "01", only), houses and the households
// registered in each house, each with a label, its scope element code and a
// tick.
//
//   building   label buildingname                          code B<building>
//   door       door name + "(" + building + ")"            code B<building>U<door>
//   house      number + "(" + building + door name + ")"   code H<houseno>
//   household  head of household                           code R<rprno>
//
// Houses whose door number is 0 or empty stand directly under their own
// building. Inside a building houses come by door, then by house number
// (digits compared as numbers: 2 before 10), then by key.
//
// Items are numbered in tree order (a building, then everything below it,
// then the next building), so everything below an item is the range of
// items that follows it. Building is linear in the number of rows; ticking
// touches only the item, what is below it and its ancestors.
class ScopeTree {
public:
    enum class Level : quint8 { Building, Door, House, Household };

    // Builds the tree from the rows. Stops at a building row without a
    // number and returns that row (0-based), keeping what was built before
    // it; -1 when every building was built. `progress` hears (done, total)
    // in buildings now and then.
    int build(ScopeSource source, const std::function<void(int, int)>& progress = {});

    int itemCount() const { return int(m_items.size()); }
    int buildingCount() const { return int(m_source.buildings.size()); }
    int houseCount() const { return m_houseCount; }   // houses of the listed buildings

    // --- shape -------------------------------------------------------------
    int topLevelCount() const { return int(m_top.size()); }
    int topLevelItem(int row) const { return m_top[size_t(row)]; }
    int parent(int item) const { return m_items[size_t(item)].parent; }    // -1 for a building
    int row(int item) const { return m_items[size_t(item)].row; }          // among its siblings
    int childCount(int item) const;
    int child(int item, int row) const;
    int subtreeEnd(int item) const { return m_items[size_t(item)].end; }   // first item after it and its descendants

    // --- what an item shows ----------------------------------------------------
    Level level(int item) const { return m_items[size_t(item)].level; }
    QString label(int item) const;
    QString code(int item) const;
    bool isTicked(int item) const { return m_items[size_t(item)].ticked; }
    // Pictures by number as the dialog's picture list holds them (2 building,
    // 3 door, 4 house, 5 household) and the list itself; state pictures:
    // 1 not ticked, 2 ticked.
    int picture(int item) const { return int(level(item)) + 2; }
    static QStringList pictureNames();
    static QStringList statePictureNames();

    // Items whose code is exactly this text, in tree order ("B7" and "B07"
    // are different texts). A household linked to two houses has two items.
    QList<int> find(const QString& code) const;
    // Items named by any element of a scope code, in tree order.
    QList<int> findAll(const QString& scopeCode) const;

    // --- ticking -----------------------------------------------------------------
    // A tick is given to the item and everything below it; taking it away
    // also takes it from every ancestor, so a ticked item always has all its
    // descendants ticked. Ticking never ticks a parent. Nothing happens when
    // the item already has that state (false is returned then).
    bool setTicked(int item, bool ticked);
    // Ticks every item named by an element of the code; elements that name
    // no item are passed over.
    void preTick(const QString& scopeCode);

    // The topmost ticked items in tree order: their codes joined by "," and
    // their labels joined by ",". A household ticked in two houses is listed
    // once. Both empty when nothing is ticked.
    struct Selection {
        QString code;
        QString names;
    };
    Selection selection() const;

private:
    struct Item {
        int parent = -1;
        int row = 0;
        int end = 0;
        int source = 0;        // building, house (also for a door: its first house) or household row
        Level level = Level::Building;
        bool ticked = false;
    };

    int add(Level level, int parent, int source);
    void finishShape();
    const ScopeSource::Building& buildingOfHouse(int house) const;

    ScopeSource m_source;
    std::vector<Item> m_items;
    std::vector<int> m_top;
    std::vector<int> m_childStart;   // children of item i: m_children[m_childStart[i] .. m_childStart[i + 1])
    std::vector<int> m_children;
    std::vector<int> m_houseBuilding;   // house row -> building row
    int m_houseCount = 0;

};

// House numbers in the order a clerk reads them: runs of digits compare as
// numbers ("2室" before "10室"), everything else character by character;
// texts that read alike ("0301室", "301室") are ordered as plain text.
// Negative, 0 or positive.
int naturalCompare(const QString& a, const QString& b);

} // namespace cr::resident_teams
