#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cr {
class DataView;
}

namespace cr::exchange {

// The search of a list page: a row is kept when its shown text (every list
// column as displayed: lookup texts, formatted numbers) holds each word of
// the search text, ignoring case. The desktop list, its export and
// `community-admin export --search` narrow by this one rule.
class ListSearch {
public:
    explicit ListSearch(const QString& text = {});

    bool isEmpty() const { return m_words.isEmpty(); }
    const QStringList& words() const { return m_words; }
    // `rowText` as made by rowText() (already lower case).
    bool matches(const QString& rowText) const;

    // The shown text of one row over the given definition columns, lower
    // case; columns are kept apart so that no word runs across two.
    static QString rowText(const DataView& view, int row, const QList<int>& columns);
    static QString joinCells(const QStringList& cells);

    // Rows of the view, in its order, that the search keeps.
    QList<int> rows(const DataView& view, const QList<int>& columns) const;

private:
    QStringList m_words;
};

// The definition columns a list page shows, in their order.
QList<int> listColumns(const DataView& view);

} // namespace cr::exchange
