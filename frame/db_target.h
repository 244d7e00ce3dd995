#pragma once

#include <QString>

namespace cr {

enum class Engine { Sqlite, Postgres };

// Where the registry lives: a SQLite file, or a PostgreSQL server named by a
// URI postgresql://user@host:port/dbname. Passwords never appear here; libpq
// takes them from PGPASSWORD or ~/.pgpass.
struct DbTarget {
    Engine engine = Engine::Sqlite;
    QString path;          // SQLite file (":memory:" allowed)
    QString host;
    int port = 5432;
    QString user;
    QString database;
    QString schema;        // PostgreSQL search_path, used by tests for isolation

    // Parses a command-line/database argument. Returns false with a message
    // (Chinese) when the text is not a usable target.
    static bool parse(const QString& text, DbTarget* out, QString* error);
    QString display() const;   // for status bars and logs, without secrets
};

} // namespace cr
