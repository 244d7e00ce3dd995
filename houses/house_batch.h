#pragma once

#include <QSet>
#include <QString>
#include <optional>

namespace cr {
class DataView;
class Sqlca;
}

namespace cr::houses {

// The values the batch generation reads from the selected building row.
struct BatchBuilding {
    std::optional<long long> floors;          // upfloornum
    std::optional<long long> doors;           // unitnum
    std::optional<long long> housesPerFloor;  // floorhouesnum
    QString doorWord;                         // prepare3
    std::optional<long long> buildingNo;
    QString roomType;
    QString name;                             // address and common name, as questions name it

    // Counts are whole numbers: any fraction is dropped.
    static BatchBuilding fromRow(const DataView& buildings, int row);
};

// What a batch run ended with, and the one message it shows (if any).
struct BatchOutcome {
    enum class Result {
        Nothing,   // nothing to do: stopped without a message
        Refused,   // the building's counts do not allow it; nothing written
        Failed,    // the save failed and was rolled back
        Done,      // saved and committed
    };
    Result result = Result::Nothing;
    int count = 0;          // houses generated or deleted
    QString title;          // message box title, empty for none
    QString text;
    QString errorText;      // the database's reason when Failed

    bool hasMessage() const { return !title.isEmpty(); }
};

// The batch maintenance of all houses of one building, shared by the batch
// window and the command line. It works on the house grid as loaded and
// saves all or nothing: a failure part-way rolls the connection back.
//
// "Already exists" means shown in the grid or stored: the generation reads
// the building's stored houses inside its own unit of work, under a lock that
// makes a second generation of the same building (another clerk, another
// program) wait and then find what the first one stored.
class HouseBatch {
public:
    HouseBatch(Sqlca& sqlca, DataView& houses);

    // When the grid was read. The window reads it when the building is
    // chosen, so the generation reads the stored houses again inside its
    // locked unit of work. A caller that locked the building first
    // (Sqlca::beginLocked) and read the grid inside that unit passes
    // UnderLock: the grid then is the stored houses, read once.
    enum class GridRead { BeforeLock, UnderLock };

    // Adds the houses the building's counts call for that the grid does not
    // have yet, saves, commits, sorts the grid by door, floor and number.
    BatchOutcome generate(const BatchBuilding& building, GridRead read = GridRead::BeforeLock);

    // Deletes every house of the grid and saves (the caller has asked first).
    // Nothing happens for an empty grid.
    BatchOutcome removeAll();

    // The count line under the grid. The empty-building text differs after a
    // deletion ("已没有") from after selecting or generating ("还没有").
    static QString countLine(int total, bool afterDeletion = false);

    // The question before deleting: names the building and how many houses go.
    static QString deleteQuestion(const QString& building, int houses)
    {
        return QStringLiteral("确定要删除楼院“%1”的全部 %2 套房屋吗？").arg(building).arg(houses);
    }

    // Refused (with the message) while other records still refer to any
    // house of the building; Nothing when the houses may be deleted.
    BatchOutcome refuseWhileInUse(const BatchBuilding& building);

private:
    struct NewHouse;
    class Existing;
    bool readStored(const BatchBuilding& b, const QSet<qlonglong>& shown, Existing* existing, bool* gridIsStale,
                    QString* error);
    static QList<NewHouse> missingBungalows(const BatchBuilding& b, Existing& existing);
    static QList<NewHouse> missingStoreys(const BatchBuilding& b, Existing& existing);
    void appendRows(const BatchBuilding& b, const QList<NewHouse>& houses);
    bool saveAndCommit(QString* error);

    Sqlca& m_sqlca;
    DataView& m_houses;
};

} // namespace cr::houses
