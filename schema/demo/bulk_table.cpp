#include "schema/demo/bulk_table.h"

#include "frame/sqlca.h"

#include <QElapsedTimer>

namespace cr::demo {

BulkTable::BulkTable(QString table, QStringList columns, int maxBoundValues)
    : m_table(std::move(table)), m_columns(std::move(columns))
{
    m_rowsPerStatement = qMax(1, maxBoundValues / qMax(1, int(m_columns.size())));
    m_pending.reserve(qsizetype(m_rowsPerStatement) * m_columns.size());
}

void BulkTable::add(const QVariantList& row)
{
    Q_ASSERT(row.size() == m_columns.size());
    m_pending.append(row);
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

bool BulkTable::flush(Sqlca& sqlca, QString* error)
{
    QElapsedTimer timer;
    timer.start();
    while (m_pendingRows > 0) {
        const int rows = qMin(m_pendingRows, m_rowsPerStatement);
        if (rows == m_rowsPerStatement && m_fullStatement.isEmpty()) m_fullStatement = statement(rows);
        const QString sql = rows == m_rowsPerStatement ? m_fullStatement : statement(rows);
        const qsizetype values = qsizetype(rows) * m_columns.size();
        const bool ok = sqlca.executeRaw(sql, values == m_pending.size() ? m_pending : m_pending.mid(0, values));
        if (!ok) {
            if (error) *error = QStringLiteral("写入表 %1 失败：%2").arg(m_table, sqlca.sqlErrText());
            return false;
        }
        m_pending.remove(0, values);
        m_pendingRows -= rows;
        m_rowsWritten += rows;
    }
    m_seconds += double(timer.nsecsElapsed()) / 1e9;
    return true;
}

} // namespace cr::demo
