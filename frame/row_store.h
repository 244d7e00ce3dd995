#pragma once

// Inside of DataView: where its rows live.

#include "frame/dataview.h"

#include <QByteArrayView>
#include <QVariant>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cr {

// What a row remembers once it was changed. Only changed rows carry one.
struct RowChanges {
    std::vector<QVariant> original;   // values before the first change; empty: all empty (a new row)
    std::vector<QVariant> database;   // what the database holds, when a window declared other values
                                      // as stored without saving them; empty: the same as `original`
    std::vector<bool> modified;       // columns changed since
    std::vector<bool> written;        // columns the last save wrote (with `database` only)
};

// A row: its status and, behind this header, one 8-byte cell per stored
// column and a bit per column that says whether the cell holds a value.
struct DataRow {
    RowChanges* changes = nullptr;    // owned by the row store
    RowStatus status = RowStatus::NotModified;
    bool filteredOut = false;

    bool isModified(int column) const { return changes && changes->modified[column]; }
};

// A chunk allocator: many small blocks, all freed at once.
class Arena {
public:
    void* allocate(size_t size);      // 8-byte aligned
    void clear();

private:
    std::vector<std::unique_ptr<char[]>> m_chunks;
    char* m_next = nullptr;
    size_t m_left = 0;
};

// The rows of one data view in a compact form. Each cell keeps its column's
// kind: a whole number, a double, a date as its day number, a time as
// milliseconds, a text as UTF-8 (up to 7 bytes inside the cell, longer ones in
// a shared area, repeated texts of a column once). A cell becomes a QVariant
// (and a text a QString) only when it is read, so a long list costs little to
// read and nothing to free row by row.
class RowStore {
public:
    // One entry per column; computed columns have no cell (always empty).
    RowStore(const std::vector<ColumnKind>& kinds, const std::vector<bool>& computed);
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    int columnCount() const { return static_cast<int>(m_slot.size()); }
    DataRow* newRow();        // every cell empty, status NotModified
    void clear();             // every row, text and change record at once

    bool isNull(const DataRow* row, int column) const;
    QVariant value(const DataRow* row, int column) const;   // invalid when empty
    // A text cell's UTF-8 bytes where they are kept, valid while the row is;
    // nullopt where they cannot be shown in place (then read value()).
    std::optional<QByteArrayView> utf8(const DataRow* row, int column) const;
    // An integer cell's value; nullopt when it is empty.
    std::optional<qint64> integer(const DataRow* row, int column) const;
    // The value must already be of the column's kind (or null).
    void setValue(DataRow* row, int column, const QVariant& value);
    bool equals(const DataRow* row, int column, const QVariant& value) const;

    // Filling from the database without going through QVariant. Texts
    // repeated within a column are kept once while most of them repeat.
    void setNull(DataRow* row, int column);
    void setInteger(DataRow* row, int column, qint64 value);
    void setReal(DataRow* row, int column, double value);
    void setUtf8(DataRow* row, int column, QByteArrayView text, bool shareRepeats);

    RowChanges& changes(DataRow* row);    // created empty on first use
    void dropChanges(DataRow* row);

private:
    struct TextBlob;
    struct Pool {
        std::unordered_map<std::string_view, const TextBlob*> seen;
        int lookups = 0;
        bool gaveUp = false;
    };
    quint64* cell(DataRow* row, int column) const;
    const quint64* cell(const DataRow* row, int column) const;
    unsigned char* presence(DataRow* row) const;
    void markPresent(DataRow* row, int column, bool present);
    QString text(quint64 cell) const;
    quint64 storeText(int column, QByteArrayView utf8, bool shareRepeats);

    std::vector<ColumnKind> m_kind;
    std::vector<int> m_slot;         // cell index per column, -1 for computed columns
    size_t m_rowSize = 0;
    size_t m_presenceOffset = 0;
    Arena m_rows;
    Arena m_texts;
    std::vector<Pool> m_pools;
    std::unordered_map<const DataRow*, std::unique_ptr<RowChanges>> m_changes;
};

} // namespace cr
