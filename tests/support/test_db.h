#pragma once

#include "harness/fresh_database.h"

#include <gtest/gtest.h>
#include <memory>

namespace cr::test {

// Fresh databases per engine come from harness/ (shared with the scenario
// player); DbTest runs a test once per engine on one.
using harness::engineName;
using harness::FreshDatabase;
using harness::openFreshDatabase;

// Base for tests that run once per engine: INSTANTIATE_ENGINES(MyTest).
// PostgreSQL is skipped, visibly, when no server is named (CR_TEST_PG); a
// named server that fails is a failure.
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
