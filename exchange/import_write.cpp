#include "exchange/import_write.h"

#include "exchange/import_plan.h"
#include "frame/sqlca.h"

namespace cr::exchange {
namespace {

struct KindSql {
    QString registered;    // counts rows matching the record's key columns
    QStringList keys;
    QString insert;
    QStringList columns;   // bound by name from the record (and commno, personno)
};

KindSql kindSql(ImportKind kind)
{
    switch (kind) {
    case ImportKind::Persons:
        return {QStringLiteral("SELECT COUNT(*) FROM tc_ge_personinfo WHERE upper(idcard) = :idcard"),
                {QStringLiteral("idcard")},
                QStringLiteral("INSERT INTO tc_ge_personinfo (commno, personno, personname, idcard, sex, birthdate, "
                               "nationality, polity, edulevel, personkind, rprtype, rprstatus, rprno, rpraddr, "
                               "presentaddr1, contactphone, isdeath) VALUES (:commno, :personno, :personname, :idcard, "
                               ":sex, :birthdate, :nationality, :polity, :edulevel, :personkind, :rprtype, :rprstatus, "
                               ":rprno, :rpraddr, :presentaddr1, :contactphone, '0')"),
                {QStringLiteral("personname"), QStringLiteral("idcard"), QStringLiteral("sex"),
                 QStringLiteral("birthdate"), QStringLiteral("nationality"), QStringLiteral("polity"),
                 QStringLiteral("edulevel"), QStringLiteral("personkind"), QStringLiteral("rprtype"),
                 QStringLiteral("rprstatus"), QStringLiteral("rprno"), QStringLiteral("rpraddr"),
                 QStringLiteral("presentaddr1"), QStringLiteral("contactphone")}};
    case ImportKind::Households:
        return {QStringLiteral("SELECT COUNT(*) FROM tc_ge_rpr WHERE rprno = :rprno"),
                {QStringLiteral("rprno")},
                QStringLiteral("INSERT INTO tc_ge_rpr (commno, rprno, hostname, rpraddr) "
                               "VALUES (:commno, :rprno, :hostname, :rpraddr)"),
                {QStringLiteral("rprno"), QStringLiteral("hostname"), QStringLiteral("rpraddr")}};
    case ImportKind::Links:
        return {QStringLiteral("SELECT COUNT(*) FROM tc_ge_rprownhouse WHERE rprno = :rprno AND houseno = :houseno"),
                {QStringLiteral("rprno"), QStringLiteral("houseno")},
                QStringLiteral("INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno, housingkind, issave) "
                               "VALUES (:commno, :rprno, :houseno, :housingkind, '1')"),
                {QStringLiteral("rprno"), QStringLiteral("houseno"), QStringLiteral("housingkind")}};
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
    const KindSql sql = kindSql(plan.kind);
    if (!sqlca.begin()) return failed(sqlca, QStringLiteral("无法开始写入：%1").arg(sqlca.sqlErrText()));
    qlonglong personNumber = 0;
    if (plan.kind == ImportKind::Persons && !lastPersonNumber(sqlca, &personNumber))
        return failed(sqlca, QStringLiteral("读取人员编号失败：%1").arg(sqlca.sqlErrText()));

    const int total = int(plan.toAdd.size());
    for (int i = 0; i < total; ++i) {
        const ImportRecord& record = plan.toAdd[i];
        SqlParams key;
        for (const QString& column : sql.keys) key << qMakePair(column, record.values.value(column));
        const QVariant count = sqlca.selectValue(sql.registered, key);
        if (sqlca.sqlCode() == Sqlca::Failure)
            return failed(sqlca, QStringLiteral("第%1行：%2").arg(record.row).arg(sqlca.sqlErrText()));
        if (count.toLongLong() > 0) {
            ++outcome.skipped;
            continue;
        }
        SqlParams params;
        for (const QString& column : sql.columns) params << qMakePair(column, record.values.value(column));
        params << qMakePair(QStringLiteral("commno"), QVariant(sqlca.commNo()));
        if (plan.kind == ImportKind::Persons)
            params << qMakePair(QStringLiteral("personno"),
                                QVariant(QStringLiteral("P%1").arg(++personNumber, 10, 10, QLatin1Char('0'))));
        if (!sqlca.execute(sql.insert, params))
            return failed(sqlca, QStringLiteral("第%1行写入失败：%2").arg(record.row).arg(sqlca.sqlErrText()));
        ++outcome.added;
        if (progress && (i + 1) % 200 == 0 && !progress(i + 1, total)) {
            sqlca.rollback();
            outcome.added = 0;
            outcome.skipped = 0;
            outcome.result = ImportWriteOutcome::Result::Cancelled;
            return outcome;
        }
    }
    if (!sqlca.commit()) return failed(sqlca, QStringLiteral("提交失败，没有导入任何数据：%1").arg(sqlca.sqlErrText()));
    if (progress) progress(total, total);
    outcome.result = ImportWriteOutcome::Result::Written;
    return outcome;
}

} // namespace cr::exchange
