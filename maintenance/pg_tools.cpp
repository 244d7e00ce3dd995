#include "maintenance/pg_tools.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace cr::maintenance {
namespace {

QStringList connectionArguments(const DbTarget& target)
{
    QStringList args{QStringLiteral("--host=%1").arg(target.host), QStringLiteral("--port=%1").arg(target.port),
                     QStringLiteral("--dbname=%1").arg(target.database), QStringLiteral("--no-password")};
    if (!target.user.isEmpty()) args << QStringLiteral("--username=%1").arg(target.user);
    if (!target.schema.isEmpty()) args << QStringLiteral("--schema=%1").arg(target.schema);
    return args;
}

// Runs one of the server's tools; false with its own words when it fails.
bool runTool(const QString& tool, const QStringList& args, QString* error)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        if (error)
            *error = QStringLiteral("找不到 %1，请安装 postgresql-client（版本不低于数据库服务器）").arg(tool);
        return false;
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    process.setProcessEnvironment(env);
    process.start(program, args);
    // A dump of a large registry takes as long as it takes.
    if (!process.waitForStarted() || !process.waitForFinished(-1)) {
        if (error) *error = QStringLiteral("无法运行 %1：%2").arg(tool, process.errorString());
        return false;
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return true;
    if (error)
        *error = QStringLiteral("%1 失败：%2").arg(tool, QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
    return false;
}

} // namespace

bool pgDump(const DbTarget& target, const QString& file, QString* error)
{
    return runTool(QStringLiteral("pg_dump"),
                   connectionArguments(target) << QStringLiteral("--format=custom") << QStringLiteral("--no-owner")
                                               << QStringLiteral("--file=%1").arg(file),
                   error);
}

bool pgRestore(const DbTarget& target, const QString& file, QString* error)
{
    return runTool(QStringLiteral("pg_restore"),
                   connectionArguments(target) << QStringLiteral("--clean") << QStringLiteral("--if-exists")
                                               << QStringLiteral("--no-owner") << QStringLiteral("--single-transaction")
                                               << QStringLiteral("--exit-on-error") << file,
                   error);
}

} // namespace cr::maintenance
