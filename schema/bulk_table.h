#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

namespace cr {
class PreparedStatement;
class Sqlca;
}

namespace cr::schema {

// Rows waiting for one table, written as multi-row INSERT ... VALUES
// (?,?,..),(?,?,..) statements with bound values, on the connection's open
// unit of work. A round trip to a server costs far more than a row, so rows
// go in batches. Preparing a statement with thousands of placeholders costs
// time that grows with the square of their number (SQLite looks each one up
// in a list), so each statement is prepared once and run again: a full batch,
// and for the rest of a partial flush batches of 2^k rows.
class BulkTable {
public:
    BulkTable(QString table, QStringList columns, int maxBoundValues);

    const QString& name() const { return m_table; }
    int columnCount() const { return int(m_columns.size()); }

    // Queues one row (one value per column, in column order).
    void add(QVariantList row);
    // Enough rows queued to write: several statements' worth, so that a
    // flush (which writes every earlier table too) comes seldom.
    bool full() const { return m_pendingRows >= m_rowsPerStatement * kStatementsPerFlush; }
    bool isEmpty() const { return m_pendingRows == 0; }

    // Writes the queued rows; false with the database's message on failure.
    bool flush(Sqlca& sqlca, QString* error);

    qint64 rowsWritten() const { return m_rowsWritten; }
    double seconds() const { return m_seconds; }

    // Values in one statement: enough to make round trips rare, few enough
    // to keep preparing cheap.
    static constexpr int kValuesPerStatement = 2000;
    static constexpr int kStatementsPerFlush = 16;

private:
    QString statement(int rows) const;
    PreparedStatement* prepared(Sqlca& sqlca, int rows, QString* error);

    QString m_table;
    QStringList m_columns;
    int m_rowsPerStatement = 1;
    QVariantList m_pending;
    int m_pendingRows = 0;
    QHash<int, std::shared_ptr<PreparedStatement>> m_statements;   // by rows per statement
    qint64 m_rowsWritten = 0;
    double m_seconds = 0;
};

} // namespace cr::schema
