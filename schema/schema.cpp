#include "schema/schema.h"

#include "frame/sqlca.h"
#include "schema/database_state.h"
#include "schema/schema_baseline.h"
#include "schema/schema_catalog.h"
#include "schema/upgrade_steps.h"

namespace cr::schema {
namespace {

void setError(QString* error, const QString& text)
{
    if (error) *error = text;
}

bool runStatements(Sqlca& sqlca, const UpgradeStep& step, QString* error)
{
    for (const QString& sql : step.statements(sqlca.dialect())) {
        if (!sqlca.executeRaw(sql)) {
            setError(error, sqlca.sqlErrText());
            return false;
        }
    }
    return true;
}

// Versions of steps recorded without their statements, waiting for the data
// to allow them (setting 'waiting_steps', "3,5").
const QString kWaiting = QStringLiteral("waiting_steps");

QList<int> waitingVersions(Sqlca& sqlca)
{
    QList<int> versions;
    for (const QString& v : setting(sqlca, kWaiting).split(QLatin1Char(','), Qt::SkipEmptyParts)) versions << v.toInt();
    return versions;
}

bool setWaitingVersions(Sqlca& sqlca, const QList<int>& versions)
{
    QStringList text;
    for (int v : versions) text << QString::number(v);
    return setSetting(sqlca, kWaiting, text.join(QLatin1Char(',')));
}

// Runs one step and records its version, inside the current unit of work. A
// step whose data is not ready yet is recorded as waiting instead of running.
bool applyStep(Sqlca& sqlca, const UpgradeStep& step, QString* error)
{
    const bool waits = step.waitsForData && step.waitsForData(sqlca);
    if (!waits && !runStatements(sqlca, step, error)) return false;
    if (waits && !setWaitingVersions(sqlca, waitingVersions(sqlca) << step.version)) {
        setError(error, sqlca.sqlErrText());
        return false;
    }
    if (!sqlca.executeRaw(QStringLiteral("UPDATE cr_settings SET value = ? WHERE name = 'schema_version'"),
                          {QString::number(step.version)})) {
        setError(error, sqlca.sqlErrText());
        return false;
    }
    return true;
}

} // namespace

int currentVersion()
{
    return upgradeSteps().isEmpty() ? 1 : upgradeSteps().last().version;
}

bool create(Sqlca& sqlca, QString* error)
{
    if (sqlca.inTransaction()) {
        setError(error, QStringLiteral("建库前连接上还有未提交的修改"));
        return false;
    }
    // Only an empty database becomes a registry: tables of another program
    // are never mixed with ours, a registry is never built twice.
    const DatabaseState state = inspect(sqlca);
    if (state.isRegistry()) {
        setError(error, QStringLiteral("数据库中已有登记库结构（版本 %1），不再重复建立").arg(state.version));
        return false;
    }
    if (!state.isEmpty()) {
        setError(error, state.error.fullText());
        return false;
    }
    QString detail;
    bool ok = sqlca.begin() && createBaseline(sqlca, &detail);
    for (const UpgradeStep& step : upgradeSteps()) {
        if (!ok) break;
        ok = applyStep(sqlca, step, &detail);
    }
    if (ok && !sqlca.commit()) {
        detail = sqlca.sqlErrText();
        ok = false;
    }
    if (!ok) {
        if (detail.isEmpty()) detail = sqlca.sqlErrText();
        sqlca.rollback();
        setError(error, QStringLiteral("创建数据库结构失败，未做任何修改：%1").arg(detail));
        return false;
    }
    sqlca.setCommNo(setting(sqlca, QStringLiteral("commno")));
    return true;
}

int version(Sqlca& sqlca)
{
    // No settings table (a foreign or empty database) reads as version 0.
    return setting(sqlca, QStringLiteral("schema_version")).toInt();
}

bool upgrade(Sqlca& sqlca, QString* error)
{
    if (sqlca.inTransaction()) {
        setError(error, QStringLiteral("升级前连接上还有未提交的修改"));
        return false;
    }
    const int from = version(sqlca);
    if (from < 1) {
        setError(error, QStringLiteral("该数据库中没有社区登记数据结构，请先初始化"));
        return false;
    }
    if (from > currentVersion()) {
        setError(error, QStringLiteral("数据库结构版本 %1 比本程序支持的版本 %2 新，请使用新版程序")
                            .arg(from)
                            .arg(currentVersion()));
        return false;
    }
    for (const UpgradeStep& step : upgradeSteps()) {
        if (step.version <= from) continue;
        QString detail;
        if (!sqlca.begin() || !applyStep(sqlca, step, &detail) || !sqlca.commit()) {
            if (detail.isEmpty()) detail = sqlca.sqlErrText();
            sqlca.rollback();
            setError(error, QStringLiteral("升级到版本 %1 失败（已保留版本 %2）：%3")
                                .arg(step.version)
                                .arg(version(sqlca))
                                .arg(detail));
            return false;
        }
    }
    // Steps recorded earlier while their data did not allow them.
    for (const UpgradeStep& step : upgradeSteps()) {
        QList<int> waiting = waitingVersions(sqlca);
        if (!waiting.contains(step.version) || step.waitsForData(sqlca)) continue;
        waiting.removeAll(step.version);
        QString detail;
        if (!sqlca.begin() || !runStatements(sqlca, step, &detail) || !setWaitingVersions(sqlca, waiting) ||
            !sqlca.commit()) {
            if (detail.isEmpty()) detail = sqlca.sqlErrText();
            sqlca.rollback();
            setError(error, QStringLiteral("补做版本 %1 的升级失败：%2").arg(step.version).arg(detail));
            return false;
        }
    }
    return true;
}

QStringList waitingSteps(Sqlca& sqlca)
{
    QStringList waiting;
    const QList<int> versions = waitingVersions(sqlca);
    for (const UpgradeStep& step : upgradeSteps())
        if (versions.contains(step.version)) waiting << QString::fromUtf8(step.description);
    return waiting;
}

QString setting(Sqlca& sqlca, const QString& name)
{
    return sqlca.selectValue(QStringLiteral("SELECT value FROM cr_settings WHERE name = :name"),
                             {{QStringLiteral("name"), name}}).toString();
}

bool setSetting(Sqlca& sqlca, const QString& name, const QString& value)
{
    const SqlParams params{{QStringLiteral("value"), value}, {QStringLiteral("name"), name}};
    if (!sqlca.execute(QStringLiteral("UPDATE cr_settings SET value = :value WHERE name = :name"), params))
        return false;
    if (sqlca.sqlNRows() > 0) return true;
    return sqlca.execute(QStringLiteral("INSERT INTO cr_settings (name, value) VALUES (:name, :value)"), params);
}

bool resyncKeys(Sqlca& sqlca, QString* error)
{
    for (const TableDecl& t : allTables()) {
        const QString key = t.keyColumn();
        if (key.isEmpty()) continue;
        const QString sql = sqlca.dialect().identityResync(t.name, key);
        if (sql.isEmpty()) continue;
        if (!sqlca.selectRaw(sql)) {
            setError(error, sqlca.sqlErrText());
            return false;
        }
    }
    return true;
}

} // namespace cr::schema
