#include "schema/schema_baseline.h"

#include "frame/sqlca.h"
#include "schema/code_lists.h"
#include "schema/ddl_builder.h"
#include "schema/schema_catalog.h"

namespace cr::schema {
namespace {

bool run(Sqlca& sqlca, const QString& sql, const QVariantList& values, QString* error)
{
    if (sqlca.executeRaw(sql, values)) return true;
    if (error) *error = sqlca.sqlErrText() + QStringLiteral("\n") + sql.left(200);
    return false;
}

// All lists in a few multi-row statements: one round trip per batch.
bool insertCodeLists(Sqlca& sqlca, QString* error)
{
    struct Row {
        QString list, code, name;
        int sortno;
    };
    QList<Row> rows;
    for (const CodeList& list : nationalCodeLists() + moduleCodeLists()) {
        int sortno = 0;
        for (const CodeEntry& e : list.entries)
            rows.append({QString::fromUtf8(list.name), QString::fromUtf8(e.tcode), QString::fromUtf8(e.tname), ++sortno});
    }
    const int perStatement = qMax(1, qMin(200, sqlca.dialect().maxBoundValues() / 4));
    for (int start = 0; start < rows.size(); start += perStatement) {
        QStringList tuples;
        QVariantList values;
        for (int i = start; i < qMin(rows.size(), start + perStatement); ++i) {
            tuples << QStringLiteral("(?, ?, ?, ?)");
            values << rows[i].list << rows[i].code << rows[i].name << rows[i].sortno;
        }
        const QString sql = QStringLiteral("INSERT INTO tc_codelist (listname, tcode, tname, sortno) VALUES ")
                            + tuples.join(QStringLiteral(", "));
        if (!run(sqlca, sql, values, error)) return false;
    }
    return true;
}

} // namespace

QString defaultCommNo() { return QStringLiteral("110105001001"); }

bool createBaseline(Sqlca& sqlca, QString* error)
{
    const DdlBuilder ddl(sqlca.dialect());
    for (const TableDecl& t : allTables())
        if (!run(sqlca, ddl.createTable(t), {}, error)) return false;
    for (const IndexDecl& i : baselineIndexes())
        if (!run(sqlca, ddl.createIndex(i), {}, error)) return false;
    for (const ViewDecl& v : baselineViews())
        if (!run(sqlca, ddl.createView(v), {}, error)) return false;
    if (!insertCodeLists(sqlca, error)) return false;
    const QString settings = QStringLiteral("INSERT INTO cr_settings (name, value) VALUES (?, ?)");
    return run(sqlca, settings, {QStringLiteral("schema_version"), QStringLiteral("1")}, error)
           && run(sqlca, settings, {QStringLiteral("commno"), defaultCommNo()}, error);
}

} // namespace cr::schema
