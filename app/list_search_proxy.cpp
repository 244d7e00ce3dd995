#include "app/list_search_proxy.h"

namespace cr::app {

ListSearchProxy::ListSearchProxy(QObject* parent) : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(false);
}

void ListSearchProxy::setSourceModel(QAbstractItemModel* source)
{
    if (sourceModel()) disconnect(sourceModel(), nullptr, this, nullptr);
    dropCache();
    QSortFilterProxyModel::setSourceModel(source);
    if (!source) return;
    // Rows that move or vanish invalidate the kept texts (dropped before the
    // proxy filters the new rows); a changed row only its own text.
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, &ListSearchProxy::dropCache);
    connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this, &ListSearchProxy::dropCache);
    connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this, &ListSearchProxy::dropCache);
    connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this, &ListSearchProxy::dropCache);
    connect(source, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                // A change spanning every row repaints colours and line
                // numbers after a move of the current row; the texts stay.
                if (from.row() == 0 && to.row() >= sourceModel()->rowCount() - 1 && sourceModel()->rowCount() > 1)
                    return;
                for (int r = from.row(); r <= to.row() && r < m_known.size(); ++r) m_known[r] = false;
                if (!m_search.isEmpty()) invalidateRowsFilter();
            });
}

QVariant ListSearchProxy::data(const QModelIndex& index, int role) const
{
    if (role == Qt::BackgroundRole) return {};
    return QSortFilterProxyModel::data(index, role);
}

void ListSearchProxy::dropCache()
{
    m_rowText.clear();
    m_known.clear();
}

void ListSearchProxy::setSearchText(const QString& text)
{
    const exchange::ListSearch search(text);
    m_text = text;
    if (search.words() == m_search.words()) return;
    m_search = search;
    invalidateRowsFilter();
}

QString ListSearchProxy::rowText(int sourceRow) const
{
    const QAbstractItemModel* source = sourceModel();
    if (m_rowText.size() != source->rowCount()) {
        m_rowText = QVector<QString>(source->rowCount());
        m_known = QVector<bool>(source->rowCount(), false);
    }
    if (!m_known[sourceRow]) {
        QStringList cells;
        for (int c = 0; c < source->columnCount(); ++c)
            cells << source->index(sourceRow, c).data(Qt::DisplayRole).toString();
        m_rowText[sourceRow] = exchange::ListSearch::joinCells(cells);
        m_known[sourceRow] = true;
    }
    return m_rowText[sourceRow];
}

bool ListSearchProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_search.isEmpty() || sourceParent.isValid()) return true;
    return m_search.matches(rowText(sourceRow));
}

} // namespace cr::app
