#pragma once

#include "frame/dataview_def.h"

#include <QDate>
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
    // What the statement hands back to be read.
    enum class Returning {
        Nothing,
        Keys,         // the key the database assigned to each inserted row (then, for
                      // several rows, the inserted values to match them by)
        StoredRows,   // each deleted row as the database held it (key first), to be
                      // compared with the values the view read
    };
    int row = 0;             // row in its buffer (1-based); the first one when it writes several
    Buffer buffer = Buffer::Primary;
    QString sql;
    QVariantList values;     // positional ('?') values
    int rowCount = 1;        // rows one statement writes (multi-row INSERT, DELETE of several keys)
    Returning returning = Returning::Nothing;
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
    // Typed text that does not fit the column (letters in a number, a text
    // that is no date) was refused before itemChanged: the handler tells the
    // user. A date field is emptied first, so no earlier date stays behind
    // unnoticed.
    std::function<void(int row, const QString& column, const QString& text)> valueRefused;
};

// A data view: a definition bound to a connection, holding the retrieved rows
// in memory with a status per row, a buffer of deleted rows and one of rows
// that a filter keeps out. Rows are numbered from 1; 0 means "no row".
//
// Operations follow the results the windows rely on: -1 for a failure, the
// row number or 1 for success. Nothing here throws or shows anything.
//
// Values are held in the column's kind: Integer as qlonglong, Decimal as
// double, Date as QDate, DateTime as QDateTime, Text as QString; an empty
// field is a null (invalid) QVariant.
class DataView : public QObject {
    Q_OBJECT
public:
    explicit DataView(const DataViewDef& def, QObject* parent = nullptr);
    ~DataView() override;

    const DataViewDef& definition() const;
    QString name() const;
    int columnIndex(const QString& column) const;   // case-insensitive, -1 when unknown

    // --- binding and retrieval --------------------------------------------
    void setTransObject(Sqlca* sqlca);
    Sqlca* transObject() const;
    void setCatalog(const ViewCatalog* catalog);   // where child lookup lists come from
    // Replaces all rows by the query's result (arguments bound by the
    // definition's argument names, its default arguments when none are
    // given), then applies the sort and the filter. Rows fetched, -1 on
    // failure (lastError() says why; the rows are then empty).
    long retrieve(const QVariantList& args = {});
    QString lastError() const;

    // --- rows and values ---------------------------------------------------
    int rowCount() const;                          // primary buffer
    int filteredCount() const;
    int deletedCount() const;
    int getRow() const;                            // current row, 0 when none
    QVariant getItem(int row, const QString& column, Buffer buffer = Buffer::Primary) const;
    QVariant item(int row, int columnIndex) const;  // primary buffer, by index (fast)
    QString getItemString(int row, const QString& column) const;                 // null when empty
    std::optional<double> getItemNumber(int row, const QString& column) const;    // nullopt when empty
    std::optional<qlonglong> getItemInteger(int row, const QString& column) const; // whole part; nullopt when empty or beyond qlonglong
    QDate getItemDate(int row, const QString& column) const;                     // invalid when empty
    QVariant originalItem(int row, const QString& column) const;                 // as retrieved / last stored
    // Converts the value to the column's kind; a null QVariant empties the
    // field. -1 for an unknown row or column, a computed column, or a value
    // that does not fit the kind ("abc" into a number).
    int setItem(int row, const QString& column, const QVariant& value);
    int insertRow(int beforeRow);                  // 0 appends; the new row's number, -1 beyond the rows
    int deleteRow(int row);                        // 0 = current row; stored rows wait in the delete buffer
    int reset();                                   // all buffers emptied
    int rowsCopyFrom(const DataView& other);       // appends the other view's primary rows as new rows

    // --- statuses and saving -----------------------------------------------
    RowStatus getItemStatus(int row, const QString& column, Buffer buffer = Buffer::Primary) const;
    // Empty column = the whole row. A row set to NotModified takes its current
    // values as stored; a new row set to NotModified stays New.
    int setItemStatus(int row, const QString& column, Buffer buffer, RowStatus status);
    int modifiedCount() const;                     // rows DataModified or NewModified (primary and filter)
    bool hasChanges() const;                       // modified rows or stored rows deleted
    QList<PlannedStatement> updatePlan() const;    // what update() would run, in order
    // Accepts pending text, then writes deletes, updates and inserts through
    // the connection's unit of work (no commit). 1 on success; -1 on failure
    // with every row, status and buffer as before, so the caller can roll
    // back and retry.
    //
    // A stored row is written only while the database still holds what the
    // view read: an UPDATE also compares the original values of the columns
    // it sets, a DELETE checks the row it removed. When someone else changed
    // the row meanwhile, the save fails with staleRowMessage().
    int update(bool resetFlags = true);
    static QString staleRowMessage();
    int resetUpdate();                             // mark everything as stored (untouched new rows stay new)

    // --- typing (the edit control) -----------------------------------------
    // A user typed into a field and leaves it: raises itemChanged and applies
    // the value when accepted. Returns the handler's code (0, 1 or 2), or -1
    // for a value that does not fit the column (not a number, not a date as
    // parseTypedDate reads dates; valueRefused is raised) or a read-only
    // view. Text equal to the field's value changes nothing.
    int userEdit(int row, const QString& column, const QString& text);
    void setPendingText(const QString& column, const QString& text);  // typing, not yet left
    void clearPendingText();
    bool hasPendingText() const;
    // Applies pending text to the current row like userEdit: 1 accepted (or
    // nothing pending, or rejected with 2), -1 refused (text that does not fit
    // the column stays pending, except a refused date, whose field is emptied;
    // text the handler refused does not). Calling it from inside itemChanged
    // finds nothing pending.
    int acceptText();
    void userButtonClicked(int row, const QString& column);
    void userDoubleClicked(int row, const QString& column);
    void userFocus();
    DataViewEvents& events();

    // --- searching, filtering, sorting -------------------------------------
    // First row from firstRow to lastRow (searching backwards when firstRow >
    // lastRow) where the expression holds; 0 when none, -1 for a bad expression.
    int find(const QString& expression, int firstRow, int lastRow) const;
    int setFilter(const QString& expression);      // 1, -1 when it cannot be parsed ("" = no filter)
    int filter();                                  // 1 on success, -1 for a bad or failing filter
    QString filterExpression() const;
    int setSort(const QString& spec);              // "unitno asc, floorno d"; -1 for an unknown column
    int sort();
    QString sortSpec() const;
    // Quotes text for use in a find or filter expression: a typed quote can
    // neither end the literal nor widen the search.
    static QString quote(const QString& text);

    // --- expressions ---------------------------------------------------------
    QVariant evaluate(const QString& expression, int row) const;   // invalid on error
    QVariant computed(int row, const QString& column) const;       // computed column value
    QVariant summary(int index) const;                              // definition().summaries[index]
    QString summaryText(int index) const;                           // formatted
    QString displayText(int row, const QString& column) const;      // lookup text and format applied
    QString displayText(int row, int columnIndex) const;

    // --- properties ------------------------------------------------------------
    QString describe(const QString& expression) const;   // "!" when unknown, as text otherwise
    QString modify(const QString& expression);           // "" on success, else the error
    QString property(const QString& column, const QString& path) const;  // e.g. ("note","background.color")
    DropDownDef dropDown(const QString& column) const;   // current drop-down settings
    // Background colour number of a cell (conditional colours evaluated for
    // the row); nullopt when the column has none.
    std::optional<qlonglong> backgroundColor(int row, int columnIndex) const;
    int setTabOrder(const QString& column, int order);   // previous order, -1 on failure
    int tabOrder(const QString& column) const;
    bool isReadOnly() const;
    void resetProperties();                              // back to the definition's properties

    // --- lookup lists -------------------------------------------------------------
    // The list behind a drop-down column, created from the column's current
    // dddw.name and retrieved on first use (lists without a query are left
    // for the window to fill); nullptr when the column has none. The child
    // belongs to this view; a modify naming another list replaces it (the
    // old one is deleted when control returns to the event loop).
    DataView* getChild(const QString& column);
    // Text the lookup list shows for a stored code (the code itself if unknown).
    QString lookupDisplay(const QString& column, const QVariant& data) const;

    // --- cursor ------------------------------------------------------------------
    int setRow(int row);                           // raises rowFocusChanged when it moves
    int scrollToRow(int row);                      // makes the row current and visible
    int setFocus();
    int setColumn(const QString& column);
    QString getColumnName() const;

signals:
    void rowsAboutToBeReset();
    void rowsReset();                                  // retrieve, reset, filter, sort
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void itemChangedValue(int row, const QString& column);   // empty column = the whole row
    void propertiesChanged(const QString& column);     // empty = whole view
    void currentRowChanged(int row);
    void scrollRequested(int row);
    void focusRequested(const QString& column);

private:
    QVariant typedValue(ColumnKind kind, const QString& text, bool* ok) const;
    void refuseTypedText(int row, int column, const QString& text);

    struct Private;
    friend struct Private;
    std::unique_ptr<Private> d;
};

} // namespace cr
