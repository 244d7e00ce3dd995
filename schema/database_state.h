#pragma once

#include "frame/db_error.h"

#include <QStringList>

namespace cr {
class Sqlca;
}

namespace cr::schema {

// What a database holds, found out before anything is written to it, so that
// the registry's tables go only into an empty database and a file or server
// that belongs to something else is left exactly as it was.
struct DatabaseState {
    enum class Kind {
        Empty,        // no tables at all: the registry may be created
        Registry,     // the registry's layout, of `version`
        Foreign,      // tables of its own and no registry: never touched
        Unreadable,   // could not be read (busy, not a database, no access)
    };
    Kind kind = Kind::Unreadable;
    int version = 0;       // Registry
    QStringList tables;    // Foreign: the tables found
    DbError error;         // Foreign (NotARegistry) and Unreadable: what to tell the user

    bool isEmpty() const { return kind == Kind::Empty; }
    bool isRegistry() const { return kind == Kind::Registry; }
};

// Reads only; outside a unit of work it leaves none open.
DatabaseState inspect(Sqlca& sqlca);

} // namespace cr::schema
