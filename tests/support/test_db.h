#pragma once

#include "frame/sqlca.h"

#include <gtest/gtest.h>
#include <memory>

namespace cr::test {

// A fresh, empty database on the given engine. SQLite: a new in-memory
// database. PostgreSQL: a schema of its own on the server named by the
// environment variable CR_TEST_PG, dropped again when the handle goes.
// Returns nullptr with a reason when the engine is not available here.
struct FreshDatabase {
    std::unique_ptr<Sqlca> sqlca;
    QString schema;            // PostgreSQL only
    ~FreshDatabase();
};
std::unique_ptr<FreshDatabase> openFreshDatabase(Engine engine, bool withSchema, QString* skipReason);

QString engineName(Engine engine);

// Base for tests that run once per engine: INSTANTIATE_ENGINES(MyTest).
class DbTest : public ::testing::TestWithParam<Engine> {
protected:
    virtual bool wantsSchema() const { return true; }
    void SetUp() override;
    void TearDown() override;
    Sqlca& db() { return *m_db->sqlca; }

private:
    std::unique_ptr<FreshDatabase> m_db;
};

} // namespace cr::test

#define INSTANTIATE_ENGINES(Suite)                                                         \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite,                                               \
                             ::testing::Values(::cr::Engine::Sqlite, ::cr::Engine::Postgres), \
                             [](const auto& info) { return ::cr::test::engineName(info.param).toStdString(); })
