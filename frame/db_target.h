#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace cr {

enum class Engine { Sqlite, Postgres };

// Where the registry lives: a SQLite file, or a PostgreSQL server named by a
// URI postgresql://user@host:port/dbname?param=value&... Passwords never
// appear here; libpq takes them from PGPASSWORD or ~/.pgpass.
struct DbTarget {
    Engine engine = Engine::Sqlite;
    QString path;          // SQLite file (":memory:" allowed)
    QString host;          // PostgreSQL server, or the folder of its local socket
    int port = 5432;
    QString user;
    QString database;
    QString schema;        // PostgreSQL search_path, used by tests for isolation
    // libpq connection parameters given in the URI (sslmode=require ...), in
    // the order written; passed on to the server connection as they stand.
    QList<QPair<QString, QString>> options;
    // How long a statement waits for a row, table or file another session
    // holds before it fails with "数据正被其他人使用" / "数据库正忙".
    int lockWaitMs = 5000;

    // Parses a command-line/database argument. Returns false with a message
    // (Chinese) when the text is not a usable target: also for URI
    // parameters this program does not pass on (a password, an unknown name).
    static bool parse(const QString& text, DbTarget* out, QString* error);
    QString display() const;   // for status bars and logs, without secrets
    // The parameters as libpq's "name=value ..." connection options.
    QString connectOptions() const;
};

} // namespace cr
