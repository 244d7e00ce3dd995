#pragma once

#include <QString>
#include <QVariantList>

namespace cr::expr {

// A plain function of expressions: its arguments are evaluated first and it
// sees only their values. Functions that look at rows (getrow, sum ...) or
// that evaluate lazily (if) are parsed into nodes of their own instead.
struct Builtin {
    const char* name;   // lower case
    int minArgs;
    int maxArgs;
    // Sets *error for arguments of the wrong kind.
    QVariant (*call)(const QVariantList& args, bool* error);

    static const Builtin* find(const QString& name);   // case-insensitive
};

} // namespace cr::expr
