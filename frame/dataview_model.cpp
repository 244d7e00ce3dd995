#include "frame/dataview_model.h"

#include "frame/dataview.h"
#include "frame/expr/values.h"

namespace cr {

DataViewModel::DataViewModel(DataView* view, bool allColumns, QObject* parent)
    : QAbstractTableModel(parent), m_view(view)
{
    const DataViewDef& def = view->definition();
    for (int i = 0; i < def.columns.size(); ++i)
        if (allColumns || def.columns[i].inList) m_columns.push_back(i);

    connect(view, &DataView::rowsAboutToBeReset, this, [this] { beginResetModel(); });
    connect(view, &DataView::rowsReset, this, [this] { endResetModel(); });
    connect(view, &DataView::rowAboutToBeInserted, this, [this](int row) { beginInsertRows({}, row - 1, row - 1); });
    connect(view, &DataView::rowInserted, this, [this](int row) {
        endInsertRows();
        // Rows below moved: their line numbers (getrow()) changed.
        if (row < rowCount()) emit dataChanged(index(row, 0), index(rowCount() - 1, columnCount() - 1));
    });
    connect(view, &DataView::rowAboutToBeRemoved, this, [this](int row) { beginRemoveRows({}, row - 1, row - 1); });
    connect(view, &DataView::rowRemoved, this, [this](int row) {
        endRemoveRows();
        if (row <= rowCount()) emit dataChanged(index(row - 1, 0), index(rowCount() - 1, columnCount() - 1));
    });
    connect(view, &DataView::itemChangedValue, this, [this](int row, const QString&) { refreshRow(row); });
    connect(view, &DataView::propertiesChanged, this, [this](const QString&) {
        refreshAll({Qt::BackgroundRole, ColorNumberRole});
    });
    // Colours may follow the current row (if(currentRow()=getrow(), ...)).
    connect(view, &DataView::currentRowChanged, this, [this](int) {
        refreshAll({Qt::BackgroundRole, ColorNumberRole, RowColourRole, Qt::DisplayRole});
    });
}

int DataViewModel::viewColumn(int section) const
{
    return section >= 0 && section < static_cast<int>(m_columns.size()) ? m_columns[section] : -1;
}

int DataViewModel::section(const QString& columnName) const
{
    if (!m_view) return -1;
    const int c = m_view->columnIndex(columnName);
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i] == c) return static_cast<int>(i);
    return -1;
}

int DataViewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_view ? 0 : m_view->rowCount();
}

int DataViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant DataViewModel::colour(qlonglong number)
{
    // The shell's QColor is not available to the frame; the text "#rrggbb"
    // converts to it wherever the GUI types are registered.
    const QString name = QStringLiteral("#%1%2%3")
                             .arg(number & 0xff, 2, 16, QLatin1Char('0'))
                             .arg((number >> 8) & 0xff, 2, 16, QLatin1Char('0'))
                             .arg((number >> 16) & 0xff, 2, 16, QLatin1Char('0'));
    static const QMetaType colorType = QMetaType::fromName("QColor");
    if (!colorType.isValid()) return {};
    QVariant v(name);
    return v.convert(colorType) ? v : QVariant();
}

QVariant DataViewModel::data(const QModelIndex& index, int role) const
{
    if (!m_view || !index.isValid() || index.row() >= m_view->rowCount()) return {};
    const int row = index.row() + 1;
    const int c = viewColumn(index.column());
    if (c < 0) return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_view->displayText(row, c);
    case Qt::EditRole:
        return m_view->item(row, c);
    case Qt::TextAlignmentRole: {
        const ColumnDef& def = m_view->definition().columns[c];
        const bool number = (def.kind == ColumnKind::Integer || def.kind == ColumnKind::Decimal) &&
                            m_view->dropDown(def.name).name.isEmpty() && def.values.isEmpty();
        return QVariant::fromValue(Qt::Alignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    case Qt::BackgroundRole: {
        const auto n = m_view->backgroundColor(row, c);
        return n ? colour(*n) : QVariant();
    }
    case ColorNumberRole: {
        const auto n = m_view->backgroundColor(row, c);
        return n ? QVariant(*n) : QVariant();
    }
    case ColumnNameRole:
        return m_view->definition().columns[c].name;
    case RowColourRole: {
        const auto n = rowColourNumber(*m_view, row);
        return n ? colour(*n) : QVariant();
    }
    default:
        return {};
    }
}

QVariant DataViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_view) return {};
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount()) return section + 1;
        return {};
    }
    const int c = viewColumn(section);
    if (c < 0) return {};
    const ColumnDef& def = m_view->definition().columns[c];
    if (role == Qt::DisplayRole) return def.heading.isEmpty() ? def.name : def.heading;
    if (role == ColumnNameRole) return def.name;
    return {};
}

Qt::ItemFlags DataViewModel::flags(const QModelIndex& index) const
{
    if (!m_view || !index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const int c = viewColumn(index.column());
    if (c < 0) return f;
    const ColumnDef& def = m_view->definition().columns[c];
    if (!m_view->isReadOnly() && def.compute.isEmpty() && !def.readOnly && m_view->tabOrder(def.name) > 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataViewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_view || !index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const int c = viewColumn(index.column());
    const QString text = expr::values::isNull(value) ? QString() : value.toString();
    return m_view->userEdit(index.row() + 1, m_view->definition().columns[c].name, text) == 0;
}

void DataViewModel::sort(int column, Qt::SortOrder order)
{
    const int c = viewColumn(column);
    if (!m_view || c < 0) return;
    const QString spec = m_view->definition().columns[c].name +
                         (order == Qt::AscendingOrder ? QStringLiteral(" asc") : QStringLiteral(" desc"));
    if (m_view->setSort(spec) == 1) m_view->sort();
}

std::optional<qlonglong> DataViewModel::rowColourNumber(const DataView& view, int row)
{
    const QString& expression = view.definition().rowColour;
    if (expression.isEmpty() || row < 1 || row > view.rowCount()) return std::nullopt;
    const QVariant v = view.evaluate(expression, row);
    if (!expr::values::isNumber(v)) return std::nullopt;
    return static_cast<qlonglong>(v.toDouble());
}

void DataViewModel::refreshAll(const QList<int>& roles)
{
    if (rowCount() == 0 || columnCount() == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), roles);
}

void DataViewModel::refreshRow(int row)
{
    if (row < 1 || row > rowCount() || columnCount() == 0) return;
    // Computed columns of the row may follow the changed value.
    emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1));
}

} // namespace cr
