#include "frame/record_deletion.h"

#include "frame/db_error.h"

#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/ui_services.h"

namespace cr {

QString RecordDeletion::changedMeanwhile()
{
    return DataView::staleRowMessage();
}

namespace {

const QString kTitleInfo = QStringLiteral("提示");
const QString kTitleDelete = QStringLiteral("删除");
const QString kTitleError = QStringLiteral("错误");
const QString kGone = QStringLiteral("该记录已不存在，可能已被其他人删除。");

bool isEmpty(const QVariant& v)
{
    return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

// Values read twice through different queries: 12 and 12.0 are the same number.
bool sameStored(const QVariant& a, const QVariant& b)
{
    if (isEmpty(a) || isEmpty(b)) return isEmpty(a) == isEmpty(b);
    if (a.toString() == b.toString()) return true;
    bool aNumber = false;
    bool bNumber = false;
    const double x = a.toDouble(&aNumber);
    const double y = b.toDouble(&bNumber);
    return aNumber && bNumber && x == y;
}

// The rows of `r` that refer to the record of its master table with the key :key.
QString referringRows(const RecordReference& r, const QString& keyColumn)
{
    if (r.masterColumn.compare(keyColumn, Qt::CaseInsensitive) == 0)
        return QStringLiteral("%1 WHERE %2 = :key").arg(r.table, r.column);
    return QStringLiteral("%1 WHERE %2 IN (SELECT m.%3 FROM %4 m WHERE m.%5 = :key)")
        .arg(r.table, r.column, r.masterColumn, r.masterTable, keyColumn);
}

QString keyDbName(const DataViewDef& form, const QString& keyColumn)
{
    const ColumnDef* c = form.column(keyColumn);
    return c && !c->dbName.isEmpty() ? c->dbName : keyColumn;
}

} // namespace

DataViewDef singleRecordDef(const DataViewDef& form, const QString& keyColumn)
{
    DataViewDef def = form;
    def.sql = QStringLiteral("SELECT * FROM (%1) q WHERE q.%2 = :cr_key").arg(form.sql, keyColumn);
    def.arguments = {QStringLiteral("cr_key")};
    def.defaultArguments.clear();
    return def;
}

QString recordName(const DataView& view, int row, const QStringList& columns)
{
    QStringList parts;
    for (const QString& c : columns) {
        if (!view.definition().column(c)) continue;   // a list may show less than the form
        const QString text = view.getItemString(row, c).trimmed();
        if (!text.isEmpty()) parts << text;
    }
    if (!parts.isEmpty()) return parts.join(QLatin1Char(' '));
    for (const ColumnDef& c : view.definition().columns) {
        if (c.kind != ColumnKind::Text || c.heading.isEmpty() || !c.compute.isEmpty()) continue;
        const QString text = view.getItemString(row, c.name).trimmed();
        if (!text.isEmpty()) return text;
    }
    return {};
}

RecordDeletion::RecordDeletion(Sqlca& sqlca, UiServices& ui, const RecordReferences& references)
    : m_sqlca(sqlca), m_ui(ui), m_references(references)
{
}

QString RecordDeletion::question(const QString& what, const QString& name)
{
    return QStringLiteral("确定要删除%1“%2”吗？\r\n删除后不能恢复。").arg(what, name);
}

QString RecordDeletion::refusal(const QString& what, const QString& name, const QStringList& uses)
{
    return QStringLiteral("%1“%2”还有 %3，不能删除。\r\n请先删除这些记录，或把它们改到别处。")
        .arg(what, name, uses.join(QStringLiteral("、")));
}

std::optional<QStringList> RecordDeletion::uses(const QString& table, const QString& keyColumn, const QVariant& key,
                                               QString* error)
{
    QStringList found;
    for (const RecordReference& r : m_references.to(table)) {
        if (r.companion) continue;
        auto q = m_sqlca.select(QStringLiteral("SELECT COUNT(*) FROM ") + referringRows(r, keyColumn),
                                {{QStringLiteral("key"), key}});
        if (!q || !q->next()) {
            if (error) *error = m_sqlca.sqlErrText();
            return std::nullopt;
        }
        const qlonglong n = q->value(0).toLongLong();
        if (n > 0) found << QStringLiteral("%1 %2%3").arg(n).arg(r.measure, r.noun);
    }
    return found;
}

bool RecordDeletion::run(const DeletionSubject& s)
{
    if (!s.seen || s.row < 1 || s.form.updateTable.isEmpty()) return false;
    const QVariant key = s.seen->getItem(s.row, s.keyColumn);
    if (isEmpty(key)) return false;
    const QString table = s.form.updateTable;
    if (refuseIfUsed(s, table, key)) return false;
    if (m_ui.messageBox(kTitleDelete, question(s.what, s.name), UiServices::Icon::Question,
                        UiServices::Buttons::YesNo, 2) != 1)
        return false;
    QString error;
    if (!stillAsSeen(s, key, &error) || !remove(table, keyDbName(s.form, s.keyColumn), key, &error)) {
        failed(error);
        return false;
    }
    return true;
}

bool RecordDeletion::refuseIfUsed(const DeletionSubject& s, const QString& table, const QVariant& key)
{
    QString error;
    const auto found = uses(table, keyDbName(s.form, s.keyColumn), key, &error);
    if (!found) {
        failed(error);
        return true;
    }
    if (found->isEmpty()) return false;
    m_ui.messageBox(kTitleInfo, refusal(s.what, s.name, *found), UiServices::Icon::Warning);
    return true;
}

// Someone else may have changed or deleted the record since the clerk read it.
bool RecordDeletion::stillAsSeen(const DeletionSubject& s, const QVariant& key, QString* error)
{
    DataView stored(singleRecordDef(s.form, s.keyColumn));
    stored.setTransObject(&m_sqlca);
    const long rows = stored.retrieve({key});
    if (rows < 0) {
        *error = stored.lastError();
        return false;
    }
    if (rows == 0) {
        *error = kGone;
        return false;
    }
    const DataViewDef& seenDef = s.seen->definition();
    for (const ColumnDef& c : s.form.columns) {
        if (c.dbName.isEmpty()) continue;
        const ColumnDef* shown = seenDef.column(c.name);
        if (!shown || shown->dbName.isEmpty()) continue;
        if (!sameStored(s.seen->originalItem(s.row, c.name), stored.getItem(1, c.name))) {
            *error = changedMeanwhile();
            return false;
        }
    }
    return true;
}

bool RecordDeletion::remove(const QString& table, const QString& keyColumn, const QVariant& key, QString* error)
{
    const SqlParams params{{QStringLiteral("key"), key}};
    auto fail = [&](const QString& text) {
        *error = text;
        m_sqlca.rollback();
        return false;
    };
    // The database's refusal (a row referring to the record stored since it
    // was checked) as the clerk reads it, the engine's words as the detail.
    auto failInDatabase = [&] {
        const DbError e = m_sqlca.sqlError();
        m_detail = e.detail;
        return fail(e.message);
    };
    if (!m_sqlca.begin()) return failInDatabase();
    for (const RecordReference& r : m_references.to(table))
        if (r.companion && !m_sqlca.execute(QStringLiteral("DELETE FROM ") + referringRows(r, keyColumn), params))
            return failInDatabase();
    if (!m_sqlca.execute(QStringLiteral("DELETE FROM %1 WHERE %2 = :key").arg(table, keyColumn), params))
        return failInDatabase();
    if (m_sqlca.sqlNRows() != 1) return fail(kGone);
    if (!m_sqlca.commit()) return failInDatabase();
    return true;
}

void RecordDeletion::failed(const QString& error)
{
    if (error == changedMeanwhile() || error == kGone) {
        m_ui.messageBox(kTitleInfo, error, UiServices::Icon::Warning);
        return;
    }
    m_ui.errorBox(kTitleError, QStringLiteral("删除失败：") + error, m_detail);
}

} // namespace cr
