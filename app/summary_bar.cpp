#include "app/summary_bar.h"

#include "exchange/list_extract.h"
#include "frame/dataview.h"

#include <QFont>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>

namespace cr::app {

SummaryModel::SummaryModel(DataView& view, const QStringList& columns, QObject* parent)
    : QAbstractTableModel(parent), m_view(view), m_columns(columns)
{
    m_texts.resize(columns.size());
    m_numeric.resize(columns.size());
    connect(&m_view, &DataView::rowsReset, this, &SummaryModel::scheduleRecompute);
    connect(&m_view, &DataView::rowInserted, this, &SummaryModel::scheduleRecompute);
    connect(&m_view, &DataView::rowRemoved, this, &SummaryModel::scheduleRecompute);
    connect(&m_view, &DataView::itemChangedValue, this, &SummaryModel::scheduleRecompute);
    recompute();
}

int SummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

int SummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

bool SummaryModel::hasSummaries() const
{
    return !m_view.definition().summaries.isEmpty();
}

int SummaryModel::labelColumn() const
{
    if (!hasSummaries()) return -1;
    for (int c = 0; c < m_numeric.size(); ++c)
        if (!m_numeric[c]) return c;
    return -1;
}

int SummaryModel::labelSpan() const
{
    const int first = labelColumn();
    if (first < 0) return 0;
    int span = 1;
    while (first + span < m_numeric.size() && !m_numeric[first + span]) ++span;
    return span;
}

QString SummaryModel::text(const QString& column) const
{
    const int i = m_columns.indexOf(column);
    return i < 0 ? QString() : m_texts[i];
}

// Many rows change at once when a window fills or reloads a list: the sums
// are computed once afterwards.
void SummaryModel::scheduleRecompute()
{
    if (m_scheduled) return;
    m_scheduled = true;
    QTimer::singleShot(0, this, [this] {
        if (m_scheduled) recompute();
    });
}

void SummaryModel::recompute()
{
    m_scheduled = false;
    QVector<QString> texts(m_columns.size());
    QVector<bool> numeric(m_columns.size(), false);
    if (hasSummaries()) {
        const std::optional<QList<int>> shown = m_shown ? m_shown() : std::nullopt;
        const exchange::ListExtract extract = shown ? exchange::ListExtract(m_view, *shown, QString())
                                                    : exchange::ListExtract(m_view, QString());
        const QList<bool> sums = extract.summaryIsNumber();
        for (int k = 0; k < extract.columnCount(); ++k) {
            const int c = m_columns.indexOf(extract.columns()[k].name);
            if (c < 0 || !sums[k]) continue;
            texts[c] = extract.summary()[k];
            numeric[c] = true;
        }
        // The label stands in the first column that holds no sum.
        QString label;
        for (int k = 0; k < extract.columnCount() && label.isEmpty(); ++k)
            if (!sums[k]) label = extract.summary()[k];
        for (int c = 0; c < texts.size(); ++c) {
            if (!numeric[c]) {
                texts[c] = label;
                break;
            }
        }
    }
    m_texts = texts;
    m_numeric = numeric;
    if (!m_columns.isEmpty()) emit dataChanged(index(0, 0), index(0, int(m_columns.size()) - 1));
}

QVariant SummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() != 0 || index.column() >= m_texts.size()) return {};
    switch (role) {
    case Qt::DisplayRole: return m_texts[index.column()];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter)
                                   | (m_numeric[index.column()] ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::FontRole: {
        QFont f;
        f.setBold(true);
        return f;
    }
    default: return {};
    }
}

SummaryBar::SummaryBar(DataView& view, const QStringList& columns, QWidget* parent) : QTableView(parent)
{
    m_model = new SummaryModel(view, columns, this);
    setModel(m_model);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setStyleSheet(QStringLiteral("QTableView { background: #eef3f9; }"));
    const int rowHeight = fontMetrics().height() + 10;
    verticalHeader()->setDefaultSectionSize(rowHeight);
    setFixedHeight(rowHeight + 2 * frameWidth());
    setVisible(m_model->hasSummaries());
    // The label may run over the empty cells to its right.
    if (m_model->labelSpan() > 1) setSpan(0, m_model->labelColumn(), 1, m_model->labelSpan());
}

void SummaryBar::follow(QTableView* list)
{
    m_list = list;
    QHeaderView* header = list->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) { setColumnWidth(logical, size); });
    connect(header, &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { horizontalHeader()->moveSection(from, to); });
    connect(header, &QHeaderView::geometriesChanged, this, &SummaryBar::syncGeometry);
    connect(list->verticalHeader(), &QHeaderView::geometriesChanged, this, &SummaryBar::syncGeometry);
    connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(), &QScrollBar::setValue);
    connect(list->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &SummaryBar::syncGeometry);
    syncGeometry();
}

// The bar's columns start where the list's do (after its row numbers) and
// it can scroll exactly as far (its viewport ends where the list's does).
void SummaryBar::syncGeometry()
{
    if (!m_list) return;
    for (int c = 0; c < model()->columnCount(); ++c) {
        setColumnWidth(c, m_list->columnWidth(c));
        setColumnHidden(c, m_list->isColumnHidden(c));
    }
    const int left = m_list->verticalHeader()->isVisible() ? m_list->verticalHeader()->width() : 0;
    const int right = m_list->verticalScrollBar()->isVisible() ? m_list->verticalScrollBar()->width() : 0;
    setViewportMargins(left, 0, right, 0);
    horizontalScrollBar()->setValue(m_list->horizontalScrollBar()->value());
}

} // namespace cr::app

