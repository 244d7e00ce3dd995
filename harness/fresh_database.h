#pragma once

#include "frame/sqlca.h"

#include <QString>
#include <memory>

namespace cr::harness {

// A fresh, empty database on the given engine, for one test or scenario.
// SQLite: a new in-memory database. PostgreSQL: a schema of its own on the
// server named by the environment variable CR_TEST_PG
// (postgresql://user@host:port/db), dropped again when this goes.
struct FreshDatabase {
    std::unique_ptr<Sqlca> sqlca;
    QString schema;            // PostgreSQL only
    ~FreshDatabase();
};

// nullptr with a reason when the database could not be made; *notConfigured
// tells a PostgreSQL run without CR_TEST_PG (to be skipped) from a failure.
// `withSchema` creates the registry's tables, views and code lists.
std::unique_ptr<FreshDatabase> openFreshDatabase(Engine engine, bool withSchema, QString* reason,
                                                 bool* notConfigured = nullptr);

QString engineName(Engine engine);   // "SQLite", "PostgreSQL"

} // namespace cr::harness
