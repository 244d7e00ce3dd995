#pragma once

#include "exchange/list_search.h"

#include <QSortFilterProxyModel>
#include <QVector>

namespace cr::app {

// The search box of a list page, by the lists' search rule (ListSearch):
// keeps the rows in whose shown text each word of the search text appears.
// The shown text of each row is read once and kept until the rows change,
// so narrowing a long list while typing stays quick. Keeps the source order
// (the list sorts itself).
class ListSearchProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ListSearchProxy(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;
    // A list shows its rows plainly: the field colours belong to the forms.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    void setSearchText(const QString& text);
    QString searchText() const { return m_text; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString rowText(int sourceRow) const;
    void dropCache();

    QString m_text;
    exchange::ListSearch m_search;
    mutable QVector<QString> m_rowText;
    mutable QVector<bool> m_known;
};

} // namespace cr::app
