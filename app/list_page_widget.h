#pragma once

#include "app/app_context.h"
#include "frame/window_registry.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace cr {
class DataViewModel;
class ListPage;
}

namespace cr::app {

class ListSearchProxy;
class SummaryBar;

// A list page on screen: the list data view in a table (headings, line
// numbers, lookup texts, display formats, numbers to the right), the
// summary line kept under the rows, a search box that narrows the rows as
// the user types, sorting by a click on a heading, and the buttons that
// open the register window: 新增 for a new record (only where one may be
// added: under its master when it belongs to one), 修改 (or a double-click,
// or Enter) for the current one, 删除 (or Del) to delete it.
class ListPageWidget : public QWidget {
    Q_OBJECT
public:
    ListPageWidget(const AppContext& context, const WindowInfo& info, QWidget* parent = nullptr);
    ~ListPageWidget() override;

    ListPage& listPage() const { return *m_page; }
    const WindowInfo& info() const { return m_info; }
    QTableView* table() const { return m_table; }
    SummaryBar* summaryBar() const { return m_summary; }
    QLineEdit* searchBox() const { return m_search; }
    QPushButton* addButton() const { return m_add; }   // 新增
    QList<QPushButton*> filterButtons() const { return m_filterButtons; }
    QStringList columns() const { return m_columns; }   // data view column of each table column

    // Makes this page the detail list of `master`: it shows the rows whose
    // `linkColumn` holds the master's current key.
    void setMaster(ListPageWidget* master, const QString& linkColumn);

    long retrieve();                         // busy cursor while the query runs
    void applySearch(const QString& text);   // what typing in the search box does
    void applyListFilter(const QString& label);   // a filter button ("已到期"); empty: all rows
    void sortByColumn(int section);          // a click on a heading
    int visibleRows() const;                 // rows left by the search
    QList<int> shownRows() const;            // data view rows in the order shown
    const AppContext& context() const { return m_context; }

    // Opens the register window for the current record (Modify) or a new
    // one (Add). The window is shown modal over the main window; nullptr
    // when it did not open.
    QWidget* openRecord(RecordMode mode);
    QWidget* openWindowWidget() const { return m_openWindow; }

    // 删除 or Del on the rows: deletes the current record after asking
    // (refused while other records refer to it). True when it was deleted.
    bool deleteCurrent();
    QPushButton* deleteButton() const { return m_delete; }

signals:
    void statusMessage(const QString& text);

private:
    void bindPaneKeys(QPushButton* refresh);
    void selectListRow(int row);             // data view row -> table selection
    void onTableRowChanged();                // table selection -> data view row
    void updateCount();
    void updateAddButton();
    void addFilterButtons(QHBoxLayout* bar);
    void windowClosed(const QVariant& key, bool saved);

    AppContext m_context;
    WindowInfo m_info;
    std::unique_ptr<ListPage> m_page;
    DataViewModel* m_model = nullptr;
    ListSearchProxy* m_proxy = nullptr;
    QTableView* m_table = nullptr;
    SummaryBar* m_summary = nullptr;
    QLineEdit* m_search = nullptr;
    QTimer* m_searchDelay = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_output = nullptr;
    QList<QPushButton*> m_filterButtons;
    QStringList m_columns;
    int m_sortSection = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_syncing = false;
    bool m_widthsSet = false;
    QPointer<QWidget> m_openWindow;
};

} // namespace cr::app
