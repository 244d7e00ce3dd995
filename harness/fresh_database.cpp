#include "harness/fresh_database.h"

#include "schema/schema.h"

#include <QAtomicInt>
#include <QCoreApplication>

namespace cr::harness {
namespace {
QAtomicInt g_schemaCounter;

bool fail(QString* reason, const QString& text)
{
    if (reason) *reason = text;
    return false;
}

std::unique_ptr<FreshDatabase> none(QString* reason, const QString& text)
{
    fail(reason, text);
    return nullptr;
}

// A schema of its own on the server, named after the process and a counter
// so that runs side by side never meet.
bool makeSchema(DbTarget* target, QString* schema, QString* reason)
{
    QString error;
    *schema = QStringLiteral("t_%1_%2")
                  .arg(QCoreApplication::applicationPid())
                  .arg(g_schemaCounter.fetchAndAddRelaxed(1));
    auto admin = Sqlca::connect(*target, &error);
    if (!admin) return fail(reason, error);
    admin->executeRaw(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(*schema));
    if (!admin->executeRaw(QStringLiteral("CREATE SCHEMA %1").arg(*schema)) || !admin->commit())
        return fail(reason, admin->sqlErrText());
    target->schema = *schema;
    return true;
}

} // namespace

QString engineName(Engine engine)
{
    return engine == Engine::Sqlite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
}

FreshDatabase::~FreshDatabase()
{
    if (!sqlca || schema.isEmpty()) return;
    sqlca->rollback();
    sqlca->executeRaw(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
    sqlca->commit();
}

std::unique_ptr<FreshDatabase> openFreshDatabase(Engine engine, bool withSchema, QString* reason, bool* notConfigured)
{
    if (notConfigured) *notConfigured = false;
    auto fresh = std::make_unique<FreshDatabase>();
    DbTarget target;
    if (engine == Engine::Sqlite) {
        target.engine = Engine::Sqlite;
        target.path = QStringLiteral(":memory:");
    } else {
        const QString uri = qEnvironmentVariable("CR_TEST_PG");
        if (uri.isEmpty()) {
            if (notConfigured) *notConfigured = true;
            return none(reason, QStringLiteral("CR_TEST_PG is not set: no PostgreSQL server for tests"));
        }
        QString error;
        if (!DbTarget::parse(uri, &target, &error)) return none(reason, error);
        if (!makeSchema(&target, &fresh->schema, reason)) return nullptr;
    }
    QString error;
    fresh->sqlca = Sqlca::connect(target, &error);
    if (!fresh->sqlca) return none(reason, error);
    if (withSchema && !schema::create(*fresh->sqlca, &error))
        return none(reason, QStringLiteral("schema creation failed: ") + error);
    return fresh;
}

} // namespace cr::harness
