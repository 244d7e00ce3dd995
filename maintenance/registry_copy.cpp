#include "maintenance/registry_copy.h"

#include "frame/bulk_load_settings.h"
#include "frame/sqlca.h"
#include "schema/bulk_table.h"
#include "schema/orphans.h"
#include "schema/references.h"
#include "schema/schema.h"
#include "schema/schema_catalog.h"

#include <QSqlError>
#include <algorithm>
#include <QSqlQuery>
#include <QSqlRecord>

namespace cr::maintenance {
namespace {

// What init writes into a new registry; the copy replaces it.
bool writtenByInit(const QString& table)
{
    return table == QLatin1String("cr_settings") || table == QLatin1String("tc_codelist");
}

// Table names come from the registry's own declarations, never from input.
qint64 countRows(Sqlca& sqlca, const QString& table, bool* ok)
{
    const QVariant n = sqlca.selectValue(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
    *ok = sqlca.sqlCode() == Sqlca::Success;
    return n.toLongLong();
}

// The columns of a table as the engine reports them, in lower case.
QStringList columnsOf(Sqlca& sqlca, const QString& table)
{
    QSqlQuery q(sqlca.database());
    if (!q.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table))) return {};
    QStringList columns;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i) columns << record.fieldName(i).toLower();
    return columns;
}

} // namespace

RegistryCopy::RegistryCopy(Sqlca& from, Sqlca& to) : m_from(from), m_to(to) {}

QStringList RegistryCopy::tables()
{
    // The target's guards accept a row only once the record it names is
    // there: each table follows the tables its links name.
    QStringList pending;
    for (const schema::TableDecl& t : schema::allTables()) pending << t.name;
    const QList<RecordReference> references = schema::recordReferences();
    QStringList names;
    const auto ready = [&](const QString& table) {
        return std::none_of(references.begin(), references.end(), [&](const RecordReference& r) {
            return r.table == table && r.masterTable != table && pending.contains(r.masterTable);
        });
    };
    while (!pending.isEmpty()) {
        auto next = std::find_if(pending.begin(), pending.end(), ready);
        if (next == pending.end()) next = pending.begin();   // links in a circle: the declared order
        names << *next;
        pending.erase(next);
    }
    return names;
}

bool RegistryCopy::checkSourceLinks(QString* error)
{
    const auto orphans = schema::findOrphans(m_from, error);
    if (!orphans) return false;
    if (orphans->isEmpty()) return true;
    QStringList found;
    for (const schema::Orphans& o : *orphans) found << o.describe();
    if (error)
        *error = QStringLiteral("源库中有指向不存在记录的数据，目标库不会接受它们，未复制任何数据。"
                                "请先在源库中改正（community-admin upgrade 会列出它们）：%1")
                     .arg(found.join(QStringLiteral("；")));
    return false;
}

void RegistryCopy::report(const QString& step)
{
    if (!m_progress) return;
    m_progress(m_total > 0 ? int(m_done * 100 / m_total) : 100, step);
}

bool RegistryCopy::run(QList<CopiedTable>* copied, QString* error)
{
    if (m_from.inTransaction() || m_to.inTransaction()) {
        if (error) *error = QStringLiteral("连接上还有未提交的修改，不能复制");
        return false;
    }
    const int fromVersion = schema::version(m_from);
    const int toVersion = schema::version(m_to);
    if (fromVersion == 0 || fromVersion != toVersion) {
        if (error)
            *error = QStringLiteral("源库与目标库的结构版本不同（%1 与 %2），请先把两者升级到本程序的版本")
                         .arg(fromVersion)
                         .arg(toVersion);
        return false;
    }
    QList<CopiedTable> counts;
    if (!checkTarget(error) || !checkSourceLinks(error) || !countSource(&counts, error)) return false;

    const BulkLoadSettings bulk(m_to);
    if (!m_to.begin()) {
        if (error) *error = m_to.sqlErrText();
        return false;
    }
    bool ok = true;
    // Referring tables before the tables they name.
    for (auto it = counts.crbegin(); it != counts.crend(); ++it) {
        const CopiedTable& t = *it;
        if (!m_to.executeRaw(QStringLiteral("DELETE FROM %1").arg(t.table))) {
            if (error) *error = QStringLiteral("清空目标表 %1 失败：%2").arg(t.table, m_to.sqlErrText());
            ok = false;
            break;
        }
    }
    // Prepared statements outlive the transaction: a server frees them only
    // once a failed transaction has been rolled back.
    std::vector<std::unique_ptr<schema::BulkTable>> writers;
    for (int i = 0; ok && i < counts.size(); ++i) {
        std::unique_ptr<schema::BulkTable> writer;
        ok = copyTable(counts[i], &writer, error);
        writers.push_back(std::move(writer));
    }
    if (ok && !schema::resyncKeys(m_to, error)) ok = false;
    if (ok) {
        report(QStringLiteral("核对记录数"));
        ok = compareCounts(counts, error);
    }
    if (ok && !m_to.commit()) {
        if (error) *error = QStringLiteral("提交失败：%1").arg(m_to.sqlErrText());
        ok = false;
    }
    if (!ok) {
        m_to.rollback();
        writers.clear();
        return false;
    }
    report(QStringLiteral("完成"));
    if (copied) *copied = counts;
    return true;
}

bool RegistryCopy::checkTarget(QString* error)
{
    for (const QString& table : tables()) {
        if (writtenByInit(table)) continue;
        bool ok = false;
        const qint64 rows = countRows(m_to, table, &ok);
        if (!ok) {
            if (error) *error = QStringLiteral("读取目标表 %1 失败：%2").arg(table, m_to.sqlErrText());
            return false;
        }
        if (rows > 0) {
            if (error)
                *error = QStringLiteral("目标数据库中已有登记数据（表 %1 有 %2 条记录），只能复制到空的登记库")
                             .arg(table)
                             .arg(rows);
            return false;
        }
    }
    return true;
}

bool RegistryCopy::countSource(QList<CopiedTable>* counts, QString* error)
{
    m_total = 0;
    for (const QString& table : tables()) {
        bool ok = false;
        const qint64 rows = countRows(m_from, table, &ok);
        if (!ok) {
            if (error) *error = QStringLiteral("读取源表 %1 失败：%2").arg(table, m_from.sqlErrText());
            return false;
        }
        counts->append({table, rows});
        m_total += rows;
    }
    return true;
}

bool RegistryCopy::copyTable(const CopiedTable& table, std::unique_ptr<schema::BulkTable>* writer, QString* error)
{
    const QStringList columns = columnsOf(m_from, table.table);
    QStringList targetColumns = columnsOf(m_to, table.table);
    QStringList sorted = columns;
    sorted.sort();
    targetColumns.sort();
    if (columns.isEmpty() || sorted != targetColumns) {
        if (error) *error = QStringLiteral("表 %1 在源库和目标库中的列不同，无法复制").arg(table.table);
        return false;
    }
    report(QStringLiteral("复制 %1（%2 条）").arg(table.table).arg(table.rows));
    // Read as a stream: a large table never sits in memory as a whole.
    QSqlQuery source(m_from.database());
    source.setForwardOnly(true);
    if (!source.exec(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')), table.table))) {
        if (error) *error = QStringLiteral("读取源表 %1 失败：%2").arg(table.table, source.lastError().text());
        return false;
    }
    *writer = std::make_unique<schema::BulkTable>(table.table, columns, m_to.dialect().maxBoundValues());
    schema::BulkTable& target = **writer;
    qint64 read = 0;
    while (source.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i) row << source.value(i);
        target.add(std::move(row));
        ++m_done;
        if (target.full() && !target.flush(m_to, error)) return false;
        if (++read % 20000 == 0) report(QStringLiteral("复制 %1（%2/%3 条）").arg(table.table).arg(read).arg(table.rows));
    }
    if (source.lastError().isValid()) {
        if (error) *error = QStringLiteral("读取源表 %1 失败：%2").arg(table.table, source.lastError().text());
        return false;
    }
    return target.flush(m_to, error);
}

bool RegistryCopy::compareCounts(const QList<CopiedTable>& before, QString* error)
{
    QStringList differences;
    for (const CopiedTable& t : before) {
        bool fromOk = false;
        bool toOk = false;
        const qint64 now = countRows(m_from, t.table, &fromOk);
        const qint64 written = countRows(m_to, t.table, &toOk);
        if (!fromOk || !toOk) {
            if (error) *error = QStringLiteral("核对表 %1 的记录数失败").arg(t.table);
            return false;
        }
        if (now != t.rows || written != t.rows)
            differences << QStringLiteral("%1：源库 %2，目标库 %3").arg(t.table).arg(now).arg(written);
    }
    if (differences.isEmpty()) return true;
    if (error)
        *error = QStringLiteral("复制后记录数不一致（复制过程中源库可能有改动，请关闭所有桌面程序后重试）：%1")
                     .arg(differences.join(QStringLiteral("；")));
    return false;
}

} // namespace cr::maintenance
