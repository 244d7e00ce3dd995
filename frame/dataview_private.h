#pragma once

// Inside of DataView, shared by its dataview_*.cpp files only.

#include "frame/dataview.h"
#include "frame/expr/expression.h"

#include <QHash>
#include <QPointer>
#include <memory>
#include <vector>

namespace cr {

// Values as stored before the first change of a row, and which columns
// changed since. Only rows that were changed carry one.
struct RowChanges {
    std::vector<QVariant> original;
    std::vector<bool> modified;
};

// One row: a value per definition column (computed columns keep a null),
// its status and, once changed, its stored values.
struct DataRow {
    std::unique_ptr<QVariant[]> cells;
    std::unique_ptr<RowChanges> changes;
    RowStatus status = RowStatus::NotModified;
    bool filteredOut = false;

    bool isModified(int column) const { return changes && changes->modified[column]; }
    const QVariant& original(int column) const { return changes ? changes->original[column] : cells[column]; }
};

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

    // Live rows (primary and filtered) in their natural order, owned here;
    // the primary buffer points into them in display order.
    std::vector<std::unique_ptr<DataRow>> all;
    std::vector<DataRow*> primary;
    std::vector<std::unique_ptr<DataRow>> deleted;
    mutable std::vector<DataRow*> filteredCache;
    mutable bool filteredValid = false;
    mutable std::vector<DataRow*> deletedView;
    mutable bool deletedValid = false;
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
    std::unique_ptr<DataRow> newRow() const;
    void touched()
    {
        ++revision;
        ++dataRevision;
        filteredValid = deletedValid = false;
    }
    void detachFromAll(DataRow* row, std::unique_ptr<DataRow>* owner);
    void markModified(DataRow* row, int column);
    void markStored(DataRow* row);
    void clearAll();
    void setCurrentRow(int row, bool raiseEvent);

    // --- saving
    // The statements update() runs, with the row each one writes.
    bool buildPlan(QList<PlannedStatement>* plan, std::vector<DataRow*>* rows, QString* error) const;

    // --- values
    QVariant cellValue(const std::vector<DataRow*>& rows, int row, int column, bool* error) const;
    static QVariant coerce(ColumnKind kind, const QVariant& value, bool* ok);
    static QVariant fromDatabase(ColumnKind kind, const QVariant& value);
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
