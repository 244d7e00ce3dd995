#include "frame/list_page.h"

#include "frame/dataview.h"
#include "frame/record_deletion.h"
#include "frame/view_catalog.h"

namespace cr {
namespace {

// Keys are whole numbers or codes; a number read back as 12.0 is "12".
QString keyText(const QVariant& key)
{
    if (key.isNull() || !key.isValid()) return {};
    if (key.typeId() == QMetaType::Double) {
        const double d = key.toDouble();
        if (d == static_cast<double>(static_cast<qlonglong>(d))) return QString::number(static_cast<qlonglong>(d));
        return QString::number(d, 'g', 15);
    }
    return key.toString();
}

} // namespace

ListPage::ListPage(Sqlca& sqlca, const ViewCatalog& catalog, const WindowInfo& info, QObject* parent)
    : QObject(parent), m_windowName(info.name), m_recordNoun(info.recordNoun.isEmpty() ? info.title : info.recordNoun),
      m_formView(info.formView),
      m_nameColumns(info.nameColumns), m_catalog(&catalog), m_keyColumn(info.keyColumn),
      m_masterRule(info.masterRule), m_masterName(info.masterName), m_masterColumn(info.masterColumn)
{
    is_stringpara = info.listParameter;
    const DataViewDef* def = catalog.find(info.listView);
    m_valid = def != nullptr;
    DataViewDef empty;
    empty.name = info.listView;
    m_list = std::make_unique<DataView>(def ? *def : empty);
    m_list->setTransObject(&sqlca);
    m_list->setCatalog(&catalog);
    if (m_keyColumn.isEmpty() && def) m_keyColumn = def->keyColumn;
    connect(m_list.get(), &DataView::currentRowChanged, this, &ListPage::onListRowChanged);
}

ListPage::~ListPage() = default;

QVariant ListPage::keyAt(int row) const
{
    if (row < 1 || row > m_list->rowCount() || m_keyColumn.isEmpty()) return {};
    return m_list->getItem(row, m_keyColumn);
}

QVariant ListPage::currentKey() const { return keyAt(currentRow()); }
QString ListPage::tag() const { return keyText(currentKey()); }
int ListPage::rowCount() const { return m_list->rowCount(); }

int ListPage::currentRow() const
{
    const int row = m_list->getRow();
    return row >= 1 && row <= m_list->rowCount() ? row : 0;
}

int ListPage::findKey(const QVariant& key) const
{
    const QString wanted = keyText(key);
    if (wanted.isEmpty()) return 0;
    for (int row = 1; row <= m_list->rowCount(); ++row)
        if (keyText(keyAt(row)) == wanted) return row;
    return 0;
}

bool ListPage::selectRow(int row)
{
    if (row < 1 || row > m_list->rowCount()) return false;
    const bool moved = m_list->getRow() != row;
    m_list->setRow(row);
    m_list->scrollToRow(row);
    if (!moved) emit currentRowChanged(row);   // setRow raised nothing: still tell the details
    return true;
}

void ListPage::onListRowChanged(int row)
{
    emit currentRowChanged(row);
}

long ListPage::ue_retrieve()
{
    if (!m_valid) return -1;
    const long fetched = m_list->retrieve();
    if (fetched < 0) return fetched;
    if (isDetail() || !m_listFilter.isEmpty()) applyFilter();
    const long rows = m_list->rowCount();
    if (rows > 0 && currentRow() == 0) m_list->setRow(1);
    emit retrieved(rows);
    emit currentRowChanged(currentRow());
    return rows;
}

void ListPage::refreshKeepingRow()
{
    const int row = currentRow();
    if (row < 1) return;
    ue_retrieve();
    if (row > m_list->rowCount()) return;
    m_list->setRow(row);
    m_list->scrollToRow(row);
    emit currentRowChanged(row);   // rowfocuschanged with the remembered row
}

void ListPage::setMaster(ListPage* master, const QString& linkColumn)
{
    if (m_master) disconnect(m_master.data(), nullptr, this, nullptr);
    m_master = master;
    m_linkColumn = linkColumn;
    if (master) connect(master, &ListPage::currentRowChanged, this, [this] { followMaster(false); });
    followMaster(true);
}

bool ListPage::canAdd() const
{
    return m_masterRule != MasterRule::FromList || (isDetail() && !is_masterid.isEmpty());
}

QVariant ListPage::masterKey() const { return m_masterKey; }

// What the detail's link column holds for the master's current record: its
// key, or its value of the master column the window's entry names.
QVariant ListPage::masterValue() const
{
    if (!m_master) return {};
    if (m_masterColumn.isEmpty()) return m_master->currentKey();
    const int row = m_master->currentRow();
    return row > 0 ? m_master->dw_1().getItem(row, m_masterColumn) : QVariant();
}

void ListPage::followMaster(bool force)
{
    if (!m_master) {
        m_masterKey = QVariant();
        is_masterid.clear();
        applyFilter();
        return;
    }
    const QVariant key = masterValue();
    const QString text = keyText(key);
    if (!force && text == is_masterid) return;   // same master record: keep the detail's row
    m_masterKey = key;
    is_masterid = text;
    applyFilter();
    if (m_list->rowCount() > 0) m_list->setRow(1);
    emit currentRowChanged(currentRow());
}

QStringList ListPage::listFilters() const
{
    QStringList labels;
    for (const ListFilterDef& f : m_list->definition().listFilters) labels << f.label;
    return labels;
}

bool ListPage::setListFilter(const QString& label)
{
    if (!label.isEmpty() && !listFilters().contains(label)) return false;
    m_listFilter = label;
    const bool applied = applyFilter();
    if (!applied) {
        m_listFilter.clear();
        applyFilter();
    }
    if (m_list->rowCount() > 0 && currentRow() == 0) m_list->setRow(1);
    emit currentRowChanged(currentRow());
    return applied;
}

// The master's restriction and the named filter together.
bool ListPage::applyFilter()
{
    QStringList parts;
    if (isDetail()) {
        // Without a master record the detail shows nothing.
        QString master = QStringLiteral("1 = 0");
        if (!is_masterid.isEmpty() && !m_linkColumn.isEmpty()) {
            const ColumnDef* link = m_list->definition().column(m_linkColumn);
            const bool text = link && link->kind == ColumnKind::Text;
            master = m_linkColumn + QStringLiteral(" = ") + (text ? DataView::quote(is_masterid) : is_masterid);
        }
        parts << master;
    }
    for (const ListFilterDef& f : m_list->definition().listFilters)
        if (f.label == m_listFilter) parts << QStringLiteral("(%1)").arg(f.expression);
    if (m_list->setFilter(parts.join(QStringLiteral(" and "))) != 1) return false;
    return m_list->filter() == 1;
}

std::unique_ptr<Window> ListPage::openWindow(const WindowRegistry& registry, const WindowContext& base,
                                             RecordMode mode)
{
    WindowContext context = base;
    context.guo_tabpg_now = this;
    context.guo_tabpg_master = m_master.data();
    std::unique_ptr<Window> window = registry.create(m_windowName, context);
    if (!window) return nullptr;
    if (mode == RecordMode::Modify && currentRow() < 1) return nullptr;
    if (mode == RecordMode::Add && !canAdd()) return nullptr;
    const QVariant key = mode == RecordMode::Modify ? currentKey() : QVariant();
    if (!window->openRecord(mode, key)) return nullptr;
    return window;
}

bool ListPage::canDelete() const
{
    const DataViewDef* form = m_catalog->find(m_formView);
    return currentRow() >= 1 && form && !form->updateTable.isEmpty();
}

bool ListPage::deleteCurrent(UiServices& ui)
{
    if (!canDelete()) return false;
    const int row = currentRow();
    DeletionSubject subject{.seen = m_list.get(), .row = row, .form = *m_catalog->find(m_formView),
                            .keyColumn = m_keyColumn, .what = m_recordNoun,
                            .name = recordName(*m_list, row, m_nameColumns)};
    const bool deleted = RecordDeletion(*m_list->transObject(), ui, m_catalog->references()).run(subject);
    // Deleted or not (it may have changed or gone meanwhile), the list shows
    // what is stored now.
    showRowAfterDeletion(row);
    return deleted;
}

void ListPage::showRowAfterDeletion(int row)
{
    ue_retrieve();
    selectRow(std::min(row, rowCount()));
}

} // namespace cr
