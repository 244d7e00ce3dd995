#include "exchange/import_write.h"

#include "exchange/import_checks.h"
#include "exchange/import_plan.h"
#include "frame/sqlca.h"

namespace cr::exchange {
namespace {

// Where the rows of a kind go: the table and its columns, each filled from
// the record's value of the same name (commno, personno and the fixed
// values are added by the writer).
struct Target {
    QString table;
    QStringList columns;
};

Target targetOf(ImportKind kind)
{
    switch (kind) {
    case ImportKind::Persons:
        return {QStringLiteral("tc_ge_personinfo"),
                QStringLiteral("commno,personno,personname,idcard,sex,birthdate,nationality,polity,edulevel,personkind,"
                               "rprtype,rprstatus,rprno,rpraddr,presentaddr1,contactphone,isdeath")
                    .split(QLatin1Char(','))};
    case ImportKind::Households:
        return {QStringLiteral("tc_ge_rpr"), QStringLiteral("commno,rprno,hostname,rpraddr").split(QLatin1Char(','))};
    case ImportKind::Links:
        return {QStringLiteral("tc_ge_rprownhouse"),
                QStringLiteral("commno,rprno,houseno,housingkind,issave").split(QLatin1Char(','))};
    }
    return {};
}

// The highest person number of the form P + 10 digits, as a number.
bool lastPersonNumber(Sqlca& sqlca, qlonglong* last)
{
    const QVariant v = sqlca.selectValue(
        QStringLiteral("SELECT max(personno) FROM tc_ge_personinfo WHERE personno LIKE 'P__________'"));
    if (sqlca.sqlCode() == Sqlca::Failure) return false;
    *last = v.isNull() ? 0 : v.toString().mid(1).toLongLong();
    return true;
}

ImportWriteOutcome failed(Sqlca& sqlca, const QString& error)
{
    sqlca.rollback();
    ImportWriteOutcome o;
    o.error = error;
    return o;
}

// Rows go in portions, several rows to a statement: a server across the
// office network answers each statement with a round trip.
constexpr int kRowsPerStatement = 10;

} // namespace

ImportWriteOutcome writeImport(Sqlca& sqlca, const ImportPlan& plan,
                               const std::function<bool(int, int)>& progress)
{
    ImportWriteOutcome outcome;
    if (!plan.problems.isEmpty()) {
        outcome.error = QStringLiteral("文件中还有问题，没有导入任何数据。");
        return outcome;
    }
    if (sqlca.inTransaction()) {
        outcome.error = QStringLiteral("还有未保存的修改，请先保存或关闭正在编辑的窗口再导入。");
        return outcome;
    }
    const Target target = targetOf(plan.kind);
    if (!sqlca.begin()) return failed(sqlca, QStringLiteral("无法开始写入：%1").arg(sqlca.sqlErrText()));
    qlonglong personNumber = 0;
    if (plan.kind == ImportKind::Persons && !lastPersonNumber(sqlca, &personNumber))
        return failed(sqlca, QStringLiteral("读取人员编号失败：%1").arg(sqlca.sqlErrText()));
    // Someone may have registered some of them since the plan was made.
    QSet<QString> registered;
    QString error;
    if (!registeredKeys(sqlca, plan.kind, plan.toAdd, &registered, &error)) return failed(sqlca, error);

    const QString rowMarks = QLatin1Char('(') + QStringList(target.columns.size(), QStringLiteral("?")).join(QLatin1Char(','))
                             + QLatin1Char(')');
    const int total = int(plan.toAdd.size());
    QVariantList values;
    QStringList rows;
    int firstRow = 0;   // file row of the portion's first record, for the message
    auto flush = [&]() {
        if (rows.isEmpty()) return true;
        const bool ok = sqlca.executeRaw(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                                             .arg(target.table, target.columns.join(QLatin1Char(',')),
                                                  rows.join(QLatin1Char(','))),
                                         values);
        outcome.added += ok ? int(rows.size()) : 0;
        rows.clear();
        values.clear();
        return ok;
    };
    for (int i = 0; i < total; ++i) {
        const ImportRecord& record = plan.toAdd[i];
        if (registered.contains(recordKey(plan.kind, record))) {
            ++outcome.skipped;
            continue;
        }
        if (rows.isEmpty()) firstRow = record.row;
        for (const QString& column : target.columns) {
            if (column == QLatin1String("commno")) values << sqlca.commNo();
            else if (column == QLatin1String("personno"))
                values << QStringLiteral("P%1").arg(++personNumber, 10, 10, QLatin1Char('0'));
            else if (column == QLatin1String("isdeath")) values << QStringLiteral("0");
            else if (column == QLatin1String("issave")) values << QStringLiteral("1");
            else values << record.values.value(column);
        }
        rows << rowMarks;
        if (rows.size() == kRowsPerStatement || i + 1 == total) {
            if (!flush())
                return failed(sqlca, QStringLiteral("从第%1行起写入失败，没有导入任何数据：%2")
                                         .arg(firstRow)
                                         .arg(sqlca.sqlErrText()));
            if (progress && !progress(i + 1, total)) {
                sqlca.rollback();
                return ImportWriteOutcome{ImportWriteOutcome::Result::Cancelled, 0, 0, {}};
            }
        }
    }
    if (!flush()) return failed(sqlca, sqlca.sqlErrText());
    if (!sqlca.commit()) return failed(sqlca, QStringLiteral("提交失败，没有导入任何数据：%1").arg(sqlca.sqlErrText()));
    outcome.result = ImportWriteOutcome::Result::Written;
    return outcome;
}

} // namespace cr::exchange
