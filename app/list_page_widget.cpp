#include "app/list_page_widget.h"

#include "app/list_output.h"
#include "app/list_search_proxy.h"
#include "app/pane_keys.h"
#include "app/plain_window_widget.h"
#include "app/record_window_widget.h"
#include "app/summary_bar.h"
#include "frame/dataview.h"
#include "frame/dataview_model.h"
#include "frame/list_page.h"
#include "frame/record_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace cr::app {
namespace {

// Sets the busy cursor for the lifetime of a long step.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

bool isLineNumber(const ColumnDef* c)
{
    return c && c->compute.trimmed().compare(QLatin1String("getrow()"), Qt::CaseInsensitive) == 0;
}

} // namespace

ListPageWidget::ListPageWidget(const AppContext& context, const WindowInfo& info, QWidget* parent)
    : QWidget(parent), m_context(context), m_info(info)
{
    m_page = std::make_unique<ListPage>(*context.sqlca, *context.catalog, info);
    DataView& list = m_page->dw_1();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    auto* bar = new QHBoxLayout;
    auto* searchLabel = new QLabel(QStringLiteral("查找："));
    m_search = new QLineEdit;
    m_search->setPlaceholderText(QStringLiteral("输入任意显示内容，多个词用空格分开"));
    m_search->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_search);
    m_count = new QLabel;
    m_search->setToolTip(withKey(QStringLiteral("查找"), paneKeys::find()));
    m_add = new QPushButton(QStringLiteral("新增"));
    m_modify = new QPushButton(QStringLiteral("修改"));
    m_modify->setToolTip(withKey(QStringLiteral("打开当前记录（也可双击或按回车键）"), paneKeys::modify()));
    auto* refresh = new QPushButton(QStringLiteral("刷新"));
    refresh->setToolTip(withKey(QStringLiteral("重新读取列表"), paneKeys::refresh()));
    m_delete = new QPushButton(QStringLiteral("删除"));
    m_delete->setToolTip(QStringLiteral("删除当前记录（Del）"));
    bar->addWidget(searchLabel);
    bar->addWidget(m_search, 1);
    bar->addWidget(m_count);
    addFilterButtons(bar);
    bar->addSpacing(12);
    bar->addWidget(m_add);
    bar->addWidget(m_modify);
    bar->addWidget(m_delete);
    bar->addWidget(refresh);
    // Getting the list out as shown: searched, sorted, with its summary.
    m_output = new QPushButton(QStringLiteral("导出/打印"));
    m_output->setToolTip(QStringLiteral("把列表按当前查找和排序导出为Excel、CSV或PDF，或打印"));
    auto* outputMenu = new QMenu(m_output);
    addOutputActions(outputMenu, this, [this] { return this; }, false);
    m_output->setMenu(outputMenu);
    bar->addWidget(m_output);
    layout->addLayout(bar);

    m_model = new DataViewModel(&list, false, this);
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_columns << list.definition().columns.value(m_model->viewColumn(c)).name;
    m_proxy = new ListSearchProxy(this);
    m_proxy->setSourceModel(m_model);

    m_table = new QTableView;
    m_table->setModel(m_proxy);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setTabKeyNavigation(false);
    // Long lists: every row as high as the font, no measuring per row.
    QHeaderView* rows = m_table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    // The lists carry their own line numbers (序号); others get the header's.
    QList<int> lineNumbers;
    for (int c = 0; c < m_columns.size(); ++c)
        if (isLineNumber(list.definition().column(m_columns[c]))) lineNumbers << c;
    m_proxy->setLineNumberColumns(lineNumbers);
    rows->setVisible(lineNumbers.isEmpty());
    QHeaderView* heads = m_table->horizontalHeader();
    heads->setSectionsClickable(true);
    heads->setSortIndicatorShown(false);
    heads->setHighlightSections(false);
    heads->setSectionResizeMode(QHeaderView::Interactive);
    // Column widths from the first rows' contents: measuring a long list
    // whole would take longer than reading it.
    heads->setResizeContentsPrecision(200);
    connect(m_page.get(), &ListPage::retrieved, this, [this] {
        if (m_widthsSet || m_model->rowCount() == 0) return;
        m_widthsSet = true;
        m_table->resizeColumnsToContents();
        for (int c = 0; c < m_columns.size(); ++c)
            m_table->setColumnWidth(c, qBound(40, m_table->columnWidth(c) + 8, 320));
    });
    layout->addWidget(m_table, 1);

    m_summary = new SummaryBar(list, m_columns);
    m_summary->follow(m_table);
    // The summary line totals what the search left on screen.
    m_summary->summary().setShownRows([this]() -> std::optional<QList<int>> {
        if (m_proxy->rowCount() == m_model->rowCount()) return std::nullopt;
        return shownRows();
    });
    layout->addWidget(m_summary);

    // Typing narrows the list a moment after the last key; Enter at once.
    m_searchDelay = new QTimer(this);
    m_searchDelay->setSingleShot(true);
    m_searchDelay->setInterval(250);
    connect(m_search, &QLineEdit::textChanged, m_searchDelay, qOverload<>(&QTimer::start));
    connect(m_searchDelay, &QTimer::timeout, this, [this] { applySearch(m_search->text()); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        m_searchDelay->stop();
        applySearch(m_search->text());
        m_table->setFocus();
    });

    connect(heads, &QHeaderView::sectionClicked, this, &ListPageWidget::sortByColumn);
    connect(m_table, &QTableView::activated, this, [this] { openRecord(RecordMode::Modify); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ListPageWidget::onTableRowChanged);
    connect(m_add, &QPushButton::clicked, this, [this] { openRecord(RecordMode::Add); });
    connect(m_modify, &QPushButton::clicked, this, [this] { openRecord(RecordMode::Modify); });
    connect(refresh, &QPushButton::clicked, this, [this] { retrieve(); });
    connect(m_delete, &QPushButton::clicked, this, &ListPageWidget::deleteCurrent);
    // Del deletes only where the rows are: in the search box it deletes text.
    auto* del = new QShortcut(QKeySequence::Delete, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, &ListPageWidget::deleteCurrent);
    connect(&list, &DataView::currentRowChanged, this, &ListPageWidget::selectListRow);
    connect(m_page.get(), &ListPage::currentRowChanged, this, &ListPageWidget::selectListRow);
    connect(m_page.get(), &ListPage::currentRowChanged, this, &ListPageWidget::updateAddButton);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &ListPageWidget::updateCount);
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, &ListPageWidget::updateCount);
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, this, &ListPageWidget::updateCount);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, &ListPageWidget::updateCount);
    bindPaneKeys(refresh);
    setFocusProxy(m_table);
    updateCount();
}

// The page's keys act on this pane only: on a page with detail lists the
// list that holds the focus is the one that searches, adds, opens, reads.
void ListPageWidget::bindPaneKeys(QPushButton* refresh)
{
    bindPaneKey(this, paneKeys::find(), [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    for (const auto& [key, button] : {std::pair{paneKeys::add(), m_add}, std::pair{paneKeys::modify(), m_modify},
                                      std::pair{paneKeys::refresh(), refresh}})
        bindPaneKey(this, key, [button] {
            if (button->isEnabled()) button->click();
        });
}

ListPageWidget::~ListPageWidget()
{
    if (m_openWindow) delete m_openWindow.data();
    // The table, the summary and the model read the list's data view: they
    // go before it.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    delete m_proxy;
    delete m_model;
}

void ListPageWidget::setMaster(ListPageWidget* master, const QString& linkColumn)
{
    m_page->setMaster(master ? &master->listPage() : nullptr, linkColumn);
}

long ListPageWidget::retrieve()
{
    const QVariant key = m_page->currentKey();
    long rows = 0;
    {
        const BusyCursor busy;
        rows = m_page->ue_retrieve();
        if (rows >= 0 && m_sortSection >= 0) {
            // A re-read list keeps the order the user chose.
            m_page->dw_1().sort();
        }
    }
    if (rows < 0) {
        emit statusMessage(QStringLiteral("读取列表失败：%1").arg(m_page->dw_1().lastError()));
        return rows;
    }
    const int row = m_page->findKey(key);
    if (row > 0) m_page->selectRow(row);
    else selectListRow(m_page->currentRow());
    updateCount();
    return rows;
}

void ListPageWidget::applySearch(const QString& text)
{
    const QVariant key = m_page->currentKey();
    {
        const BusyCursor busy;
        m_proxy->setSearchText(text);
    }
    // Stay on the record the user was on when it is still shown, else the
    // first one shown.
    const int row = m_page->findKey(key);
    const QModelIndex shown = row > 0 ? m_proxy->mapFromSource(m_model->index(row - 1, 0)) : QModelIndex();
    if (shown.isValid()) selectListRow(row);
    else if (m_proxy->rowCount() > 0) m_page->selectRow(m_proxy->mapToSource(m_proxy->index(0, 0)).row() + 1);
    updateCount();
}

void ListPageWidget::sortByColumn(int section)
{
    if (section < 0 || section >= m_columns.size()) return;
    DataView& list = m_page->dw_1();
    if (isLineNumber(list.definition().column(m_columns[section]))) return;   // line numbers are the order
    m_sortOrder = section == m_sortSection && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                               : Qt::AscendingOrder;
    const QVariant key = m_page->currentKey();
    {
        const BusyCursor busy;
        const QString spec = m_columns[section]
                             + (m_sortOrder == Qt::AscendingOrder ? QStringLiteral(" asc") : QStringLiteral(" desc"));
        if (list.setSort(spec) < 0 || list.sort() < 0) {
            emit statusMessage(QStringLiteral("该列不能排序。"));
            return;
        }
    }
    m_sortSection = section;
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(section, m_sortOrder);
    const int row = m_page->findKey(key);
    if (row > 0) m_page->selectRow(row);
}

int ListPageWidget::visibleRows() const
{
    return m_proxy->rowCount();
}

QList<int> ListPageWidget::shownRows() const
{
    QList<int> rows;
    rows.reserve(m_proxy->rowCount());
    for (int r = 0; r < m_proxy->rowCount(); ++r) rows << m_proxy->mapToSource(m_proxy->index(r, 0)).row() + 1;
    return rows;
}

// The named filters of the list ("已到期"), as buttons that stay pressed
// while their filter narrows the list; one at a time.
void ListPageWidget::addFilterButtons(QHBoxLayout* bar)
{
    for (const QString& label : m_page->listFilters()) {
        auto* button = new QPushButton(label);
        button->setCheckable(true);
        button->setToolTip(QStringLiteral("只显示%1的记录（再按一次显示全部）").arg(label));
        bar->addWidget(button);
        m_filterButtons << button;
        connect(button, &QPushButton::toggled, this, [this, label, button](bool on) {
            if (on) {
                for (QPushButton* other : std::as_const(m_filterButtons))
                    if (other != button) other->setChecked(false);
            } else if (m_page->listFilter() != label) {
                return;   // another filter took over
            }
            applyListFilter(on ? label : QString());
        });
    }
}

void ListPageWidget::applyListFilter(const QString& label)
{
    const QVariant key = m_page->currentKey();
    {
        const BusyCursor busy;
        if (!m_page->setListFilter(label)) emit statusMessage(QStringLiteral("无法按“%1”筛选。").arg(label));
    }
    const int row = m_page->findKey(key);
    if (row > 0) m_page->selectRow(row);
    else selectListRow(m_page->currentRow());
    updateCount();
}

void ListPageWidget::selectListRow(int row)
{
    if (m_syncing) return;
    m_syncing = true;
    const QModelIndex index =
        row >= 1 && row <= m_model->rowCount() ? m_proxy->mapFromSource(m_model->index(row - 1, 0)) : QModelIndex();
    if (index.isValid()) {
        m_table->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_table->scrollTo(index);
    } else {
        m_table->selectionModel()->clearSelection();
    }
    m_syncing = false;
}

void ListPageWidget::onTableRowChanged()
{
    if (m_syncing) return;
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    if (!current.isValid()) return;
    const int row = m_proxy->mapToSource(current).row() + 1;
    m_syncing = true;
    m_page->selectRow(row);
    m_syncing = false;
}

void ListPageWidget::updateCount()
{
    const int all = m_model->rowCount();
    const int shown = m_proxy->rowCount();
    m_count->setText(shown == all ? QStringLiteral("共 %1 条").arg(all)
                                  : QStringLiteral("显示 %1 条，共 %2 条").arg(shown).arg(all));
    m_summary->summary().recompute();
    m_modify->setEnabled(shown > 0);
    m_delete->setEnabled(shown > 0);
    updateAddButton();
}

// Records that belong to a master are added under it: without a current
// master record there is nothing to add to, and the button says where to go.
void ListPageWidget::updateAddButton()
{
    const bool canAdd = m_page->canAdd();
    m_add->setEnabled(canAdd);
    m_add->setToolTip(canAdd ? withKey(QStringLiteral("登记一条新记录"), paneKeys::add())
                             : QStringLiteral("%1须在所属%2下新增：请在%2列表中选中%2，再在它下面的列表中新增")
                                   .arg(m_info.title, m_page->masterName()));
}

QWidget* ListPageWidget::openRecord(RecordMode mode)
{
    if (m_openWindow) {
        m_openWindow->raise();
        m_openWindow->activateWindow();
        return m_openWindow;
    }
    if (mode == RecordMode::Modify && m_page->currentRow() < 1) return nullptr;
    std::unique_ptr<Window> window;
    {
        const BusyCursor busy;
        window = m_page->openWindow(*m_context.registry, m_context.windowContext(), mode);
    }
    if (!window) return nullptr;

    QWidget* widget = nullptr;
    auto* record = dynamic_cast<RecordWindow*>(window.get());
    auto saved = std::make_shared<bool>(false);
    if (record) {
        window.release();
        auto* w = new RecordWindowWidget(std::unique_ptr<RecordWindow>(record), *m_context.ui, this);
        connect(record, &RecordWindow::recordSaved, w, [saved] { *saved = true; });
        connect(w, &RecordWindowWidget::windowClosed, this,
                [this, w, saved] { windowClosed(w->window().currentKey(), *saved); });
        widget = w;
    } else {
        auto* w = new PlainWindowWidget(std::move(window), *m_context.ui, this);
        w->setWindowFlag(Qt::Window);
        widget = w;
    }
    widget->setAttribute(Qt::WA_DeleteOnClose);
    widget->setWindowModality(Qt::ApplicationModal);
    m_openWindow = widget;
    widget->show();
    return widget;
}

// Saved records show in the list at once, the one just edited current.
void ListPageWidget::windowClosed(const QVariant& key, bool saved)
{
    if (!saved) return;
    retrieve();
    const int row = m_page->findKey(key);
    if (row > 0) m_page->selectRow(row);
    m_table->setFocus();
}

bool ListPageWidget::deleteCurrent()
{
    if (m_openWindow || !m_page->canDelete()) return false;
    const bool deleted = m_page->deleteCurrent(*m_context.ui);
    if (deleted) emit statusMessage(QStringLiteral("已删除%1。").arg(m_info.title));
    m_table->setFocus();
    return deleted;
}

} // namespace cr::app
