#pragma once

// Inside of DataView, shared by its dataview_*.cpp files only.

#include "frame/dataview.h"
#include "frame/expr/expression.h"
#include "frame/row_store.h"

#include <QHash>
#include <QPointer>
#include <memory>
#include <vector>

namespace cr {

struct DbValue;
class RowCursor;

// What the view keeps about each definition column.
struct ColumnInfo {
    ColumnKind kind = ColumnKind::Text;
    bool computed = false;
    std::shared_ptr<const expr::Expression> compute;   // nullptr when it does not parse
    bool updatable = false;                             // written to the update table
};

// Properties a window may change at run time.
struct ColumnProps {
    QString background;                                 // as set: number, or "default\texpression"
    std::shared_ptr<const expr::Expression> backgroundExpr;
    std::optional<qlonglong> backgroundDefault;
    QString tag;
    int tabOrder = 0;
    DropDownDef dropDown;
};

struct DataView::Private {
    explicit Private(DataView* owner, const DataViewDef& definition);

    // Rows of one buffer as expressions see them; computed columns are
    // evaluated over the same rows.
    class Rows : public expr::RowSource {
    public:
        Rows(const Private& view, const std::vector<DataRow*>& rows, int currentRow)
            : m_view(view), m_rows(rows), m_current(currentRow) {}
        int rowCount() const override { return static_cast<int>(m_rows.size()); }
        QVariant value(int row, int column, bool* error) const override;
        int currentRow() const override { return m_current; }
        quint64 revision() const override { return &m_rows == &m_view.primary ? m_view.revision : 0; }
        const void* identity() const override { return &m_rows; }

    private:
        const Private& m_view;
        const std::vector<DataRow*>& m_rows;
        int m_current;
    };
    Rows primaryRows() const { return Rows(*this, primary, currentRow); }

    DataView* q;
    DataViewDef def;
    QHash<QString, int> columnByName;          // lower-case name -> index
    std::vector<ColumnInfo> columns;
    int keyColumn = -1;

    Sqlca* sqlca = nullptr;
    const ViewCatalog* catalog = nullptr;
    QString lastError;

    // Live rows (primary and filtered) in their natural order; the primary
    // buffer holds them in display order. Every row lives in the store.
    RowStore store;
    std::vector<DataRow*> all;
    std::vector<DataRow*> primary;
    std::vector<DataRow*> deleted;
    mutable std::vector<DataRow*> filteredCache;
    mutable bool filteredValid = false;
    quint64 revision = 1;        // any change of rows, values, order or filter
    quint64 dataRevision = 1;    // changes of rows, values and order (not the filter)

    QString filterText;
    std::shared_ptr<const expr::Expression> filterExpr;
    bool filterInvalid = false;
    struct SortKey {
        int column;
        bool descending;
    };
    QString sortText;
    std::vector<SortKey> sortKeys;

    int currentRow = 0;
    QString currentColumn;
    QString pendingColumn;
    QString pendingText;
    bool hasPending = false;
    DataViewEvents events;

    std::vector<ColumnProps> props;
    bool readOnly = false;
    QHash<int, QPointer<DataView>> children;
    struct Lookup {
        QPointer<DataView> child;
        quint64 childRevision = 0;
        QHash<QString, QString> textByCode;
    };
    mutable QHash<int, Lookup> lookups;
    mutable QHash<QString, std::shared_ptr<const expr::Expression>> compiled;
    mutable int evaluationDepth = 0;
    struct EqualityIndex {
        quint64 revision = 0;
        QHash<QString, std::vector<DataRow*>> rowsByKey;
    };
    mutable QHash<int, EqualityIndex> indexes;

    // --- rows
    int column(const QString& name) const { return columnByName.value(name.toLower(), -1); }
    DataRow* rowAt(int row, Buffer buffer) const;
    const std::vector<DataRow*>& bufferRows(Buffer buffer) const;
    DataRow* newRow() { return store.newRow(); }
    void touched()
    {
        ++revision;
        ++dataRevision;
        filteredValid = false;
    }
    void detachFromAll(DataRow* row);
    QVariant value(const DataRow* row, int column) const { return store.value(row, column); }
    // As retrieved or last stored (what the status of a row compares with).
    QVariant originalValue(const DataRow* row, int column) const;
    // What the database holds, as far as the view knows: the row a save must
    // still find there, or someone else has changed it meanwhile.
    QVariant databaseValue(const DataRow* row, int column) const;
    void markModified(DataRow* row, int column);
    void markStored(DataRow* row);
    // column -1: the whole row
    void takeCurrentAsOriginal(DataRow* row, int column);
    void clearAll();
    void setCurrentRow(int row, bool raiseEvent);

    // --- saving
    // What one planned statement writes: its rows and the columns it sets
    // (for an INSERT in the order of its values).
    struct StatementRows {
        std::vector<DataRow*> rows;
        std::vector<int> columns;
    };
    // The statements update() runs, with the rows each one writes.
    bool buildPlan(QList<PlannedStatement>* plan, std::vector<StatementRows>* rows, QString* error) const;
    bool readInsertedKeys(RowCursor& result, const PlannedStatement& s, const StatementRows& rows,
                          std::vector<std::pair<DataRow*, QVariant>>* keys, QString* error) const;
    bool checkDeletedRows(RowCursor& result, const StatementRows& rows, QString* error) const;
    QString rowNotWritten(const DataRow* row, qint64 affected) const;
    bool runPlan(const QList<PlannedStatement>& plan, const std::vector<StatementRows>& rows,
                 std::vector<std::pair<DataRow*, QVariant>>* keys);
    void noteWritten(const QList<PlannedStatement>& plan, const std::vector<StatementRows>& rows,
                     const std::vector<std::pair<DataRow*, QVariant>>& keys);

    // --- values
    QVariant cellValue(const std::vector<DataRow*>& rows, int row, int column, bool* error) const;
    static QVariant coerce(ColumnKind kind, const QVariant& value, bool* ok);
    static QVariant fromDatabase(ColumnKind kind, const QVariant& value);
    void storeFetched(DataRow* row, int column, const DbValue& value);
    static QString codeKey(const QVariant& value);

    // --- expressions
    std::shared_ptr<const expr::Expression> compile(const QString& text, QString* error) const;
    expr::ColumnResolver resolver() const;
    bool applyFilter();
    bool applySortSpec(const QString& spec, QString* error);
    bool applySort();
    const EqualityIndex& equalityIndex(int column) const;

    // --- properties
    void loadProperties();
    // Checks a setting and, when apply is true, makes it.
    bool setProperty(int column, const QString& path, const QString& value, bool apply, QString* error);
    QString propertyText(int column, const QString& path, bool* known) const;
    DataView* child(int column) const;
    void dropChild(int column);
};

} // namespace cr
