#pragma once

#include "frame/window.h"
#include "frame/window_registry.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>

namespace cr {

class DataView;

// A list page (the host's uo_tabpg_datawindow): the list data view of one
// register window, its current record, and the link to a master list page.
// A detail page shows only the rows whose link column holds the master's
// current key and follows the master whenever its current row changes.
class ListPage : public QObject {
    Q_OBJECT
public:
    // The list of the register window `info` (its listView, keyColumn and
    // listParameter). Not retrieved yet: call ue_retrieve().
    ListPage(Sqlca& sqlca, const ViewCatalog& catalog, const WindowInfo& info, QObject* parent = nullptr);
    ~ListPage() override;

    bool isValid() const { return m_valid; }      // false when the catalog lacks the list view
    DataView& dw_1() { return *m_list; }
    const DataView& dw_1() const { return *m_list; }
    QString windowName() const { return m_windowName; }
    QString keyColumn() const { return m_keyColumn; }

    // Whether a new record may be added here: always, unless its records
    // belong to a master that only a detail list supplies (MasterRule::
    // FromList) and this page has no current master record.
    bool canAdd() const;
    MasterRule masterRule() const { return m_masterRule; }
    QString masterName() const { return m_masterName; }

    // Which list this is ("GE_RegionalManage" for the responsibility areas).
    QString is_stringpara;
    // The key, as text, of the master record this list is restricted to;
    // empty when the page is no detail page.
    QString is_masterid;
    // The current record's key as text (empty without a current row).
    QString tag() const;

    QVariant currentKey() const;                  // null without a current row
    QVariant keyAt(int row) const;
    int currentRow() const;
    int rowCount() const;
    int findKey(const QVariant& key) const;      // row holding the key, 0 when none

    // Makes `row` current (setrow + scrolltorow); details follow.
    bool selectRow(int row);

    // Re-runs the list query, keeping the restriction to the master record.
    // Rows fetched and kept, -1 on failure.
    long ue_retrieve();

    // The list refresh windows run after a save: remember the current row,
    // re-run the query, make that row current again.
    void refreshKeepingRow();

    // --- master/detail -------------------------------------------------------
    // The rows whose `linkColumn` holds the master's current key (or its
    // value of the window's masterColumn, when the entry names one).
    void setMaster(ListPage* master, const QString& linkColumn);
    ListPage* master() const { return m_master.data(); }
    QString linkColumn() const { return m_linkColumn; }
    QString masterColumn() const { return m_masterColumn; }
    QVariant masterKey() const;                   // what the link column holds for the master's current record
    bool isDetail() const { return !m_master.isNull(); }

    // --- named filters (ListFilterDef of the list view) --------------------------
    QStringList listFilters() const;              // the labels offered, in order
    // Keeps only the rows of the named filter (besides the master's); an
    // empty label shows all again. False for a label the list does not offer
    // or a filter that cannot be applied (the rows are then unfiltered).
    bool setListFilter(const QString& label);
    QString listFilter() const { return m_listFilter; }

    // Opens the page's register window for the current row (Modify) or a new
    // record (Add, only when canAdd()); the window's guo_tabpg_now is this
    // page and its guo_tabpg_master this page's master. nullptr when it did
    // not open.
    std::unique_ptr<Window> openWindow(const WindowRegistry& registry, const WindowContext& base,
                                       RecordMode mode);

    // Deletes the current record (RecordDeletion: refused while other rows
    // refer to it, asked first), then queries the list again and makes the
    // row that took its place current. True when it was deleted.
    bool deleteCurrent(UiServices& ui);
    // After the record of `row` was deleted: the list as stored now, with the
    // row that took its place current (the last row when it was the last).
    void showRowAfterDeletion(int row);
    // Whether there is a record to delete here.
    bool canDelete() const;

signals:
    void currentRowChanged(int row);
    void retrieved(long rows);

private:
    void followMaster(bool force);
    bool applyFilter();
    QVariant masterValue() const;
    void onListRowChanged(int row);

    std::unique_ptr<DataView> m_list;
    bool m_valid = false;
    QString m_windowName;
    QString m_recordNoun;
    QString m_formView;
    QStringList m_nameColumns;
    const ViewCatalog* m_catalog = nullptr;
    QString m_keyColumn;
    MasterRule m_masterRule = MasterRule::None;
    QString m_masterName;
    QPointer<ListPage> m_master;
    QString m_linkColumn;
    QString m_masterColumn;
    QVariant m_masterKey;
    QString m_listFilter;
};

} // namespace cr
