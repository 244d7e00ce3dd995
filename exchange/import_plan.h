#pragma once

#include "exchange/import_kinds.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantHash>

namespace cr {
class Sqlca;
}

namespace cr::exchange {

struct SheetRead;

// Something wrong with the file or one of its cells. `row` is the row
// number as the spreadsheet program shows it; 0 for the file as a whole.
struct ImportProblem {
    int row = 0;
    QString column;     // the column's heading; empty for the row or the file
    QString message;
    QString text() const;   // "第5行 “证件号码”：校验位……"
};

// One row that will be written: the target columns and their values.
struct ImportRecord {
    int row = 0;
    QVariantHash values;
};

// What an import would do, before anything is written: the rows to add,
// the rows already registered (skipped, so importing a file twice adds
// nothing twice) and every problem found. Only a plan without problems
// may be written.
struct ImportPlan {
    ImportKind kind = ImportKind::Persons;
    int dataRows = 0;                 // rows below the headings that hold anything
    QList<ImportRecord> toAdd;
    QList<int> present;               // rows matching a registered record
    QList<ImportProblem> problems;
    QStringList ignoredHeadings;      // columns the import does not read

    int rowsWithProblems() const;
    bool canWrite() const { return problems.isEmpty() && !toAdd.isEmpty(); }
    // "共 1000 行：可导入 997 行，已登记 0 行（跳过），有问题 3 行。", or
    // "文件无法导入。" when the file as a whole is at fault.
    QString summary() const;
};

// Reads the headings and every row of the sheet and checks them against the
// code lists and the database. Writes nothing.
ImportPlan planImport(Sqlca& sqlca, ImportKind kind, const SheetRead& sheet);

} // namespace cr::exchange
