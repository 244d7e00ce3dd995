#include "scenario_database.h"

#include "schema/schema.h"

#include <QCoreApplication>

namespace cr::scenario {
namespace {
int g_schemaCounter = 0;
}

std::unique_ptr<ScenarioDatabase> ScenarioDatabase::open(Engine engine, Result* result, QString* error)
{
    std::unique_ptr<ScenarioDatabase> db(new ScenarioDatabase);
    *result = Result::Failed;
    DbTarget target;
    if (engine == Engine::Sqlite) {
        target.engine = Engine::Sqlite;
        target.path = QStringLiteral(":memory:");
    } else {
        const QString uri = qEnvironmentVariable("CR_TEST_PG");
        if (uri.isEmpty()) {
            *result = Result::NotConfigured;
            *error = QStringLiteral("CR_TEST_PG is not set: no PostgreSQL server for scenarios");
            return nullptr;
        }
        if (!DbTarget::parse(uri, &target, error)) return nullptr;
        const QString schema = QStringLiteral("scn_%1_%2").arg(QCoreApplication::applicationPid()).arg(++g_schemaCounter);
        auto admin = Sqlca::connect(target, error);
        if (!admin) return nullptr;
        admin->executeRaw(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
        if (!admin->executeRaw(QStringLiteral("CREATE SCHEMA %1").arg(schema)) || !admin->commit()) {
            *error = admin->sqlErrText();
            return nullptr;
        }
        db->m_schema = schema;
        target.schema = schema;
    }
    db->m_sqlca = Sqlca::connect(target, error);
    if (!db->m_sqlca) return nullptr;
    if (!schema::create(*db->m_sqlca, error)) return nullptr;
    *result = Result::Ready;
    return db;
}

ScenarioDatabase::~ScenarioDatabase()
{
    if (!m_sqlca || m_schema.isEmpty()) return;
    m_sqlca->rollback();
    m_sqlca->executeRaw(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(m_schema));
    m_sqlca->commit();
}

} // namespace cr::scenario
