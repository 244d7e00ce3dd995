#pragma once

#include <QString>
#include <functional>

namespace cr {
class Sqlca;
}

namespace cr::exchange {

struct ImportPlan;

struct ImportWriteOutcome {
    enum class Result { Written, Cancelled, Failed } result = Result::Failed;
    int added = 0;
    int skipped = 0;     // registered meanwhile by someone else
    QString error;
    bool ok() const { return result == Result::Written; }
};

// Writes the rows of a plan without problems, all or nothing in one
// transaction: any failure (or a cancel through `progress` answering
// false) rolls back every row of the file. A row whose person, household
// or link was registered since the plan was made is skipped. New persons get
// the next free person number (P + 10 digits) and the office's community
// number.
ImportWriteOutcome writeImport(Sqlca& sqlca, const ImportPlan& plan,
                               const std::function<bool(int done, int total)>& progress = {});

} // namespace cr::exchange
