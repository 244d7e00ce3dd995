#pragma once

#include "frame/sqlca.h"

#include <QString>
#include <memory>

namespace cr::scenario {

// A fresh database for one scenario, with the registry's schema. SQLite: a
// new in-memory database. PostgreSQL: a schema of its own on the server named
// by CR_TEST_PG (as the tests use it), dropped again when this goes.
class ScenarioDatabase {
public:
    enum class Result { Ready, NotConfigured, Failed };

    static std::unique_ptr<ScenarioDatabase> open(Engine engine, Result* result, QString* error);
    ~ScenarioDatabase();

    Sqlca& sqlca() { return *m_sqlca; }

private:
    ScenarioDatabase() = default;
    std::unique_ptr<Sqlca> m_sqlca;
    QString m_schema;
};

} // namespace cr::scenario
