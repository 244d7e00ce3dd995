#pragma once

#include "frame/dataview_def.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

namespace cr {

class Sqlca;
class ViewCatalog;

enum class RowStatus { NotModified, DataModified, New, NewModified };
enum class Buffer { Primary, Filter, Delete };

// One statement of an update plan: engine SQL and the values bound to it.
struct PlannedStatement {
    enum class Kind { Insert, Update, Delete } kind;
    int row = 0;             // row in its buffer (1-based)
    Buffer buffer = Buffer::Primary;
    QString sql;
    QVariantList values;     // positional ('?') values
};

// Handlers a window attaches to user actions on the view.
struct DataViewEvents {
    // 0 accept the value, 1 reject it and keep the focus, 2 reject it and let
    // the focus move.
    std::function<int(int row, const QString& column, const QString& data)> itemChanged;
    std::function<void(int row, const QString& column)> buttonClicked;
    std::function<void(int row, const QString& column)> doubleClicked;
    std::function<void(int currentRow)> rowFocusChanged;
    std::function<void()> getFocus;
};

// A data view: a definition bound to a connection, holding the retrieved rows
// in memory with a status per row, a buffer of deleted rows and one of rows
// that a filter keeps out. Rows are numbered from 1; 0 means "no row".
//
// Operations follow the results the windows rely on: -1 for a failure, the
// row number or 1 for success. Nothing here throws or shows anything.
class DataView : public QObject {
    Q_OBJECT
public:
    explicit DataView(const DataViewDef& def, QObject* parent = nullptr);
    ~DataView() override;

    const DataViewDef& definition() const { return m_def; }
    QString name() const { return m_def.name; }

    // --- binding and retrieval --------------------------------------------
    void setTransObject(Sqlca* sqlca);
    Sqlca* transObject() const { return m_sqlca; }
    void setCatalog(const ViewCatalog* catalog);   // where child lookup lists come from
    long retrieve(const QVariantList& args = {});  // rows fetched, -1 on failure
    QString lastError() const { return m_lastError; }

    // --- rows and values ---------------------------------------------------
    int rowCount() const;                          // primary buffer
    int filteredCount() const;
    int deletedCount() const;
    int getRow() const { return m_currentRow; }
    QVariant getItem(int row, const QString& column, Buffer buffer = Buffer::Primary) const;
    QString getItemString(int row, const QString& column) const;              // null when empty
    std::optional<double> getItemNumber(int row, const QString& column) const; // nullopt when empty
    QDate getItemDate(int row, const QString& column) const;                  // invalid when empty
    QVariant originalItem(int row, const QString& column) const;              // as retrieved
    int setItem(int row, const QString& column, const QVariant& value);       // null QVariant empties
    int insertRow(int beforeRow);                  // 0 appends; returns the new row's number
    int deleteRow(int row);                        // 0 = current row
    int reset();
    int rowsCopyFrom(const DataView& other);       // appends the other view's primary rows as new

    // --- statuses and saving -----------------------------------------------
    RowStatus getItemStatus(int row, const QString& column, Buffer buffer = Buffer::Primary) const;
    // Empty column = the whole row.
    int setItemStatus(int row, const QString& column, Buffer buffer, RowStatus status);
    bool modifiedCount() const;                    // any pending change at all
    QList<PlannedStatement> updatePlan() const;    // what update() would run
    int update(bool resetFlags = true);            // 1 on success, -1 on failure
    int resetUpdate();                             // mark everything as stored

    // --- typing (the edit control) -----------------------------------------
    // A user typed into a field and leaves it: raises itemChanged and applies
    // the value when accepted. Returns the handler's code (0, 1 or 2), or -1
    // for a value that does not fit the column (not a number, not a date).
    int userEdit(int row, const QString& column, const QString& text);
    void setPendingText(const QString& column, const QString& text);  // typing, not yet left
    int acceptText();                              // 1 accepted (or nothing pending), -1 refused
    void userButtonClicked(int row, const QString& column);
    void userDoubleClicked(int row, const QString& column);
    void userFocus();
    DataViewEvents& events() { return m_events; }

    // --- searching, filtering, sorting -------------------------------------
    int find(const QString& expression, int firstRow, int lastRow) const;   // < 1 when none or bad
    int setFilter(const QString& expression);      // 1, -1 when it cannot be parsed
    int filter();                                  // 1 on success
    QString filterExpression() const { return m_filter; }
    int setSort(const QString& spec);
    int sort();
    // Quotes text for use in a find or filter expression: a typed quote can
    // neither end the literal nor widen the search.
    static QString quote(const QString& text);

    // --- expressions ---------------------------------------------------------
    QVariant evaluate(const QString& expression, int row) const;   // invalid on error
    QVariant computed(int row, const QString& column) const;       // computed column value
    QVariant summary(int index) const;                              // definition().summaries[index]
    QString displayText(int row, const QString& column) const;      // lookup text and format applied

    // --- properties ------------------------------------------------------------
    QString describe(const QString& expression) const;   // "!" when unknown, as text otherwise
    QString modify(const QString& expression);           // "" on success, else the error
    QString property(const QString& column, const QString& path) const;  // e.g. ("note","background.color")
    int setTabOrder(const QString& column, int order);   // previous order, -1 on failure
    int tabOrder(const QString& column) const;
    bool isReadOnly() const;

    // --- lookup lists -------------------------------------------------------------
    // The list behind a drop-down column, created from the column's current
    // dddw.name and retrieved on first use; nullptr when the column has none.
    DataView* getChild(const QString& column);
    // Text the lookup list shows for a stored code (the code itself if unknown).
    QString lookupDisplay(const QString& column, const QVariant& data);

    // --- cursor ------------------------------------------------------------------
    int setRow(int row);                           // raises rowFocusChanged when it moves
    int scrollToRow(int row);
    int setFocus();
    int setColumn(const QString& column);
    QString getColumnName() const { return m_currentColumn; }

signals:
    void rowsReset();                                  // retrieve, reset, filter, sort
    void rowInserted(int row);
    void rowRemoved(int row);
    void itemChangedValue(int row, const QString& column);
    void propertiesChanged(const QString& column);     // empty = whole view
    void currentRowChanged(int row);
    void focusRequested(const QString& column);

private:
    struct Row;
    Row* rowAt(int row, Buffer buffer);
    const Row* rowAt(int row, Buffer buffer) const;
    QVariant coerce(int columnIndex, const QVariant& value, bool* ok) const;

    DataViewDef m_def;
    Sqlca* m_sqlca = nullptr;
    const ViewCatalog* m_catalog = nullptr;
    QList<std::shared_ptr<Row>> m_primary;
    QList<std::shared_ptr<Row>> m_filtered;
    QList<std::shared_ptr<Row>> m_deleted;
    QHash<QString, QHash<QString, QString>> m_props;   // column -> property path -> value
    QHash<QString, std::shared_ptr<DataView>> m_children;
    QString m_filter;
    QString m_sort;
    QString m_lastError;
    QString m_pendingColumn;
    QString m_pendingText;
    bool m_hasPending = false;
    int m_currentRow = 0;
    QString m_currentColumn;
    DataViewEvents m_events;
};

} // namespace cr
