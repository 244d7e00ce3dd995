#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace cr {
class Sqlca;
}

namespace cr::demo {

// Rows waiting for one table, written as multi-row INSERT ... VALUES
// (?,?,..),(?,?,..) statements with bound values. A round trip to a server
// costs far more than a row, so rows are sent in the largest batches the
// engine accepts (Dialect::maxBoundValues).
class BulkTable {
public:
    BulkTable(QString table, QStringList columns, int maxBoundValues);

    const QString& name() const { return m_table; }
    int columnCount() const { return int(m_columns.size()); }

    // Queues one row (one value per column, in column order).
    void add(const QVariantList& row);
    bool full() const { return m_pendingRows >= m_rowsPerStatement; }
    bool isEmpty() const { return m_pendingRows == 0; }

    // Writes the queued rows; false with the database's message on failure.
    bool flush(Sqlca& sqlca, QString* error);

    qint64 rowsWritten() const { return m_rowsWritten; }
    double seconds() const { return m_seconds; }

private:
    QString statement(int rows) const;

    QString m_table;
    QStringList m_columns;
    int m_rowsPerStatement = 1;
    QVariantList m_pending;
    int m_pendingRows = 0;
    QString m_fullStatement;    // text of a full batch, built once
    qint64 m_rowsWritten = 0;
    double m_seconds = 0;
};

} // namespace cr::demo
