#include "resident_teams/scope_tree_model.h"

#include "resident_teams/scope_tree.h"

namespace cr::resident_teams {

// The internal id of an index is its item's number.
ScopeTreeModel::ScopeTreeModel(ScopeTree& tree, QObject* parent) : QAbstractItemModel(parent), m_tree(tree) {}

QModelIndex ScopeTreeModel::indexOf(int item) const
{
    if (item < 0 || item >= m_tree.itemCount()) return {};
    return createIndex(m_tree.row(item), 0, quintptr(item));
}

int ScopeTreeModel::itemOf(const QModelIndex& index) const
{
    return index.isValid() ? int(index.internalId()) : -1;
}

QModelIndex ScopeTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || row >= rowCount(parent)) return {};
    const int p = itemOf(parent);
    return indexOf(p < 0 ? m_tree.topLevelItem(row) : m_tree.child(p, row));
}

QModelIndex ScopeTreeModel::parent(const QModelIndex& child) const
{
    const int item = itemOf(child);
    return item < 0 ? QModelIndex() : indexOf(m_tree.parent(item));
}

int ScopeTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) return 0;
    const int p = itemOf(parent);
    return p < 0 ? m_tree.topLevelCount() : m_tree.childCount(p);
}

int ScopeTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant ScopeTreeModel::data(const QModelIndex& index, int role) const
{
    const int item = itemOf(index);
    if (item < 0) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_tree.label(item);
    case Qt::CheckStateRole:
        return m_tree.isTicked(item) ? Qt::Checked : Qt::Unchecked;
    case CodeRole:
        return m_tree.code(item);
    case PictureRole:
        return ScopeTree::pictureNames().value(m_tree.picture(item) - 1);
    case StatePictureRole:
        return ScopeTree::statePictureNames().value(m_tree.isTicked(item) ? 1 : 0);
    default:
        return {};
    }
}

bool ScopeTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int item = itemOf(index);
    if (item < 0 || role != Qt::CheckStateRole) return false;
    setTicked(item, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ScopeTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    if (m_tree.childCount(itemOf(index)) == 0) f |= Qt::ItemNeverHasChildren;
    return f;
}

bool ScopeTreeModel::setTicked(int item, bool ticked)
{
    if (!m_tree.setTicked(item, ticked)) return false;
    announce(item);
    return true;
}

// The item, every item below it (one signal per group of siblings) and,
// after a clear, its ancestors.
void ScopeTreeModel::announce(int item)
{
    static const QList<int> roles{Qt::CheckStateRole, StatePictureRole};
    const QModelIndex self = indexOf(item);
    emit dataChanged(self, self, roles);
    for (int i = item; i < m_tree.subtreeEnd(item); ++i) {
        const int n = m_tree.childCount(i);
        if (n > 0) emit dataChanged(indexOf(m_tree.child(i, 0)), indexOf(m_tree.child(i, n - 1)), roles);
    }
    for (int p = m_tree.parent(item); p >= 0; p = m_tree.parent(p)) {
        const QModelIndex ancestor = indexOf(p);
        emit dataChanged(ancestor, ancestor, roles);
    }
}

} // namespace cr::resident_teams
