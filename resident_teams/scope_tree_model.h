#pragma once

#include <QAbstractItemModel>

namespace cr::resident_teams {

class ScopeTree;

// The scope tree as an item model for a tree view: the label as display
// text, the tick as a check state the user may change, the picture names
// (bmp/...) in roles of their own for the shell to turn into icons. Items
// are made only when the view asks for them, so a street of 280,000 items
// costs the view nothing until it is opened.
class ScopeTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        CodeRole = Qt::UserRole + 1,   // the item's scope element code
        PictureRole,                   // "bmp/1.ico" ...
        StatePictureRole,              // "bmp/no.bmp" / "bmp/yes.bmp"
    };

    explicit ScopeTreeModel(ScopeTree& tree, QObject* parent = nullptr);

    QModelIndex indexOf(int item) const;
    int itemOf(const QModelIndex& index) const;   // -1 for the root

    // Ticks or clears as a user click does and tells the view every item
    // whose tick changed.
    bool setTicked(int item, bool ticked);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void announce(int item);

    ScopeTree& m_tree;
};

} // namespace cr::resident_teams
