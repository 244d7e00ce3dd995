#include "support/test_db.h"

#include "schema/schema.h"

#include <QAtomicInt>
#include <QCoreApplication>

namespace cr::test {
namespace {
QAtomicInt g_schemaCounter;
}

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

std::unique_ptr<FreshDatabase> openFreshDatabase(Engine engine, bool withSchema, QString* skipReason)
{
    auto fresh = std::make_unique<FreshDatabase>();
    QString error;
    DbTarget target;
    if (engine == Engine::Sqlite) {
        target.engine = Engine::Sqlite;
        target.path = QStringLiteral(":memory:");
    } else {
        const QString uri = qEnvironmentVariable("CR_TEST_PG");
        if (uri.isEmpty()) {
            if (skipReason) *skipReason = QStringLiteral("CR_TEST_PG not set: no PostgreSQL server for tests");
            return nullptr;
        }
        if (!DbTarget::parse(uri, &target, &error)) {
            if (skipReason) *skipReason = error;
            return nullptr;
        }
        fresh->schema = QStringLiteral("t_%1_%2")
                            .arg(QCoreApplication::applicationPid())
                            .arg(g_schemaCounter.fetchAndAddRelaxed(1));
        auto admin = Sqlca::connect(target, &error);
        if (!admin) {
            if (skipReason) *skipReason = error;
            return nullptr;
        }
        admin->executeRaw(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(fresh->schema));
        if (!admin->executeRaw(QStringLiteral("CREATE SCHEMA %1").arg(fresh->schema)) || !admin->commit()) {
            if (skipReason) *skipReason = admin->sqlErrText();
            return nullptr;
        }
        target.schema = fresh->schema;
    }
    fresh->sqlca = Sqlca::connect(target, &error);
    if (!fresh->sqlca) {
        if (skipReason) *skipReason = error;
        return nullptr;
    }
    if (withSchema && !schema::create(*fresh->sqlca, &error)) {
        ADD_FAILURE() << "schema creation failed: " << error.toStdString();
        return nullptr;
    }
    return fresh;
}

void DbTest::SetUp()
{
    QString reason;
    m_db = openFreshDatabase(GetParam(), wantsSchema(), &reason);
    if (m_db) return;
    // Skip only where no server was named; a named server that fails is a failure.
    if (GetParam() == Engine::Postgres && qEnvironmentVariableIsEmpty("CR_TEST_PG"))
        GTEST_SKIP() << reason.toStdString();
    FAIL() << reason.toStdString();
}

void DbTest::TearDown()
{
    m_db.reset();
}

} // namespace cr::test
