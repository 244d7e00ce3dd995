#include "schema/bulk_table.h"

#include "frame/row_cursor.h"
#include "frame/sqlca.h"

#include <QElapsedTimer>

namespace cr::schema {

BulkTable::BulkTable(QString table, QStringList columns, int maxBoundValues)
    : m_table(std::move(table)), m_columns(std::move(columns))
{
    const int values = qMin(maxBoundValues, kValuesPerStatement);
    m_rowsPerStatement = qMax(1, values / qMax(1, int(m_columns.size())));
    m_pending.reserve(qsizetype(m_rowsPerStatement) * kStatementsPerFlush * m_columns.size());
}

void BulkTable::add(QVariantList row)
{
    Q_ASSERT(row.size() == m_columns.size());
    for (QVariant& value : row) m_pending.append(std::move(value));
    ++m_pendingRows;
}

QString BulkTable::statement(int rows) const
{
    QString oneRow = QStringLiteral("(?");
    for (int i = 1; i < m_columns.size(); ++i) oneRow += QStringLiteral(",?");
    oneRow += QLatin1Char(')');
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(m_table, m_columns.join(QLatin1Char(',')));
    sql.reserve(sql.size() + rows * (oneRow.size() + 1));
    for (int r = 0; r < rows; ++r) {
        if (r) sql += QLatin1Char(',');
        sql += oneRow;
    }
    return sql;
}

PreparedStatement* BulkTable::prepared(Sqlca& sqlca, int rows, QString* error)
{
    auto& q = m_statements[rows];
    if (!q) q = sqlca.prepare(statement(rows));
    if (!q) {
        *error = sqlca.sqlErrText();
        m_statements.remove(rows);
        return nullptr;
    }
    return q.get();
}

bool BulkTable::flush(Sqlca& sqlca, QString* error)
{
    QElapsedTimer timer;
    timer.start();
    // The caller's unit of work holds every batch; statements of our own on
    // the same connection join it.
    if (!sqlca.begin()) {
        if (error) *error = QStringLiteral("写入表 %1 失败：%2").arg(m_table, sqlca.sqlErrText());
        return false;
    }
    qsizetype offset = 0;   // first value not yet written
    while (m_pendingRows > 0) {
        int rows = m_rowsPerStatement;
        if (m_pendingRows < rows) {
            rows = 1;
            while (rows * 2 <= m_pendingRows) rows *= 2;
        }
        QString problem;
        PreparedStatement* q = prepared(sqlca, rows, &problem);
        if (q) {
            const qsizetype values = qsizetype(rows) * m_columns.size();
            if (sqlca.runPrepared(*q, std::span<const QVariant>(m_pending).subspan(size_t(offset), size_t(values)), true)) {
                q->finish();
                offset += values;
                m_pendingRows -= rows;
                m_rowsWritten += rows;
                continue;
            }
            problem = sqlca.sqlErrText();
        }
        if (error) *error = QStringLiteral("写入表 %1 失败：%2").arg(m_table, problem);
        return false;
    }
    m_pending.clear();
    m_seconds += double(timer.nsecsElapsed()) / 1e9;
    return true;
}

} // namespace cr::schema
