#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <optional>
#include <vector>

namespace cr {

class DataView;

// A table model over a data view for the desktop shell's lists: one column
// per list column of the definition (or every column), display text with
// lookups and formats, raw values for editing, colours from the columns'
// background property. Follows the view's signals, so rows retrieved,
// inserted, deleted, filtered or sorted show at once.
class DataViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        ColorNumberRole = Qt::UserRole + 1,   // background colour number (r + 256g + 65536b)
        ColumnNameRole,                        // the column's name (header and cells)
        RowColourRole,                         // the row's colour in a list (DataViewDef::rowColour)
    };

    explicit DataViewModel(DataView* view, bool allColumns = false, QObject* parent = nullptr);

    DataView* view() const { return m_view; }
    int viewColumn(int section) const;                 // definition column index, -1 when none
    int section(const QString& columnName) const;      // model column of a data view column, -1 when hidden

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Editing goes through the view's user edit, so itemChanged decides.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The colour number DataViewDef::rowColour gives the row; nullopt when
    // the view has none or it gives no number for this row.
    static std::optional<qlonglong> rowColourNumber(const DataView& view, int row);

private:
    void refreshAll(const QList<int>& roles = {});
    void refreshRow(int row);
    static QVariant colour(qlonglong number);

    QPointer<DataView> m_view;
    std::vector<int> m_columns;   // model column -> definition column
};

} // namespace cr
