#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <QVector>
#include <functional>
#include <optional>

namespace cr {
class DataView;
}

namespace cr::app {

// The one line of a list's summary band: "合计：" and the sums (or other
// summary expressions) under their columns, in their display formats.
class SummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SummaryModel(DataView& view, const QStringList& columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    bool hasSummaries() const;
    int labelColumn() const;     // where "合计：" stands, -1 without summaries
    int labelSpan() const;       // columns it may use: up to the next sum
    QString text(const QString& column) const;   // what stands under a column
    void recompute();

    // The data view rows the list shows, in order; nothing = every row. The
    // sums are then those of the shown rows, as an export of the list has them.
    using ShownRows = std::function<std::optional<QList<int>>()>;
    void setShownRows(ShownRows shown) { m_shown = std::move(shown); }

private:
    void scheduleRecompute();

    DataView& m_view;
    QStringList m_columns;
    QVector<QString> m_texts;
    QVector<bool> m_numeric;
    bool m_scheduled = false;
    ShownRows m_shown;
};

// The summary line kept visible under a list's rows: a one-row table whose
// columns follow the list's widths, order and horizontal scrolling.
class SummaryBar : public QTableView {
    Q_OBJECT
public:
    SummaryBar(DataView& view, const QStringList& columns, QWidget* parent = nullptr);

    SummaryModel& summary() const { return *m_model; }
    void follow(QTableView* list);   // widths, scrolling and the row-number margin

private:
    void syncGeometry();

    SummaryModel* m_model = nullptr;
    QTableView* m_list = nullptr;
};

} // namespace cr::app
