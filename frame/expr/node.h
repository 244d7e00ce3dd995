#pragma once

#include <QVariant>
#include <algorithm>
#include <memory>
#include <vector>

namespace cr::expr {

struct Builtin;

// One node of a parsed expression. Columns and functions are resolved while
// parsing, so evaluating a node never looks anything up by name.
struct Node {
    enum class Kind {
        Literal,     // value
        Column,      // column
        Negate,      // args[0]
        Not,         // args[0]
        And,         // args[0], args[1]
        Or,
        Compare,     // op, args[0], args[1]
        Arithmetic,  // op, args[0], args[1]
        Like,        // args[0] like args[1]; negated
        In,          // args[0] in (args[1..]); negated
        If,          // args[0] ? args[1] : args[2], only one branch evaluated
        Call,        // builtin(args...)
        Aggregate,   // op (AggregateOp) over args[0] for all rows
        GetRow,
        CurrentRow,
        RowCount,
    };
    enum CompareOp { Eq, Ne, Lt, Gt, Le, Ge };
    enum ArithmeticOp { Add, Sub, Mul, Div, Pow };
    enum AggregateOp { Sum, Count, Max, Min, Avg };

    Kind kind = Kind::Literal;
    int op = 0;
    bool negated = false;
    QVariant value;
    int column = -1;
    const Builtin* builtin = nullptr;
    std::vector<std::unique_ptr<Node>> args;
    int height = 1;   // levels below and including this node; evaluation recurses this deep

    void adopt(std::unique_ptr<Node> arg)
    {
        height = std::max(height, arg->height + 1);
        args.push_back(std::move(arg));
    }

    // Aggregates over all rows are reused while the rows stay the same.
    mutable quint64 cachedRevision = 0;
    mutable const void* cachedSource = nullptr;
    mutable QVariant cachedValue;
};

} // namespace cr::expr
