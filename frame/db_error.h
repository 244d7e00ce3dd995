#pragma once

#include "frame/db_target.h"

#include <QString>

namespace cr {

// A database failure as the clerk should read it: what happened and what to
// do, in Chinese, with the engine's own words kept apart as the detail for
// the IT person ("详细信息"). Built from the engine's error code where it
// gives one (SQLite result codes, PostgreSQL SQLSTATE) and from its message
// text where it does not (connecting, commit).
struct DbError {
    enum class Kind {
        None,
        CannotConnect,     // server unreachable, refused, timed out
        WrongPassword,     // user unknown or password wrong
        PasswordMissing,   // the server wants a password and none was given
        NoSuchDatabase,    // the server has no database of that name
        NotADatabase,      // a file that is no SQLite database (or is damaged)
        NotARegistry,      // a database with tables of its own, not the registry's
        Busy,              // SQLite file locked, PostgreSQL lock wait ended, deadlock
        DiskFull,
        ReadOnly,
        NoPermission,
        ConnectionLost,
        Unique,            // constraint violations
        NotNull,
        ForeignKey,
        Check,
        TooLong,           // text longer than its column
        OutOfRange,        // number or date beyond its column
        Other,
    };

    Kind kind = Kind::None;
    QString message;   // for the clerk
    QString detail;    // for the IT person: the engine's message (and code)

    bool failed() const { return kind != Kind::None; }
    // Message and detail in one text, for the command line and logs.
    QString fullText() const;

    static DbError make(Kind kind, Engine engine, const QString& detail);
    // From what the engine reported: its error code (may be empty) and text.
    static DbError fromEngine(Engine engine, const QString& code, const QString& text);
    // The sentence a kind is shown with.
    static QString sentence(Kind kind, Engine engine);
};

} // namespace cr
