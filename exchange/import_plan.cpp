#include "exchange/import_plan.h"

#include "exchange/cell_values.h"
#include "exchange/code_names.h"
#include "exchange/import_checks.h"
#include "exchange/sheet_reader.h"

#include <QSet>

namespace cr::exchange {

QString ImportProblem::text() const
{
    const QString where = row > 0 ? QStringLiteral("第%1行").arg(row) : QStringLiteral("文件");
    if (column.isEmpty()) return QStringLiteral("%1：%2").arg(where, message);
    return QStringLiteral("%1 “%2”：%3").arg(where, column, message);
}

int ImportPlan::rowsWithProblems() const
{
    QSet<int> rows;
    for (const ImportProblem& p : problems)
        if (p.row > 0) rows.insert(p.row);
    return int(rows.size());
}

QString ImportPlan::summary() const
{
    for (const ImportProblem& p : problems)
        if (p.row == 0) return QStringLiteral("文件无法导入。");
    return QStringLiteral("共 %1 行：可导入 %2 行，已登记 %3 行（跳过），有问题 %4 行。")
        .arg(dataRows)
        .arg(toAdd.size())
        .arg(present.size())
        .arg(rowsWithProblems());
}

namespace {

bool isEmptyRow(const QVariantList& row)
{
    for (const QVariant& cell : row)
        if (!cellText(cell).isEmpty()) return false;
    return true;
}

QString headingList(const ImportKindDef& def)
{
    QStringList names;
    for (const ImportField& f : def.fields) names << f.heading;
    return names.join(QStringLiteral("、"));
}

class Planner {
public:
    Planner(Sqlca& sqlca, const ImportKindDef& def, ImportPlan& plan) : m_sqlca(sqlca), m_def(def), m_plan(plan) {}

    void run(const QList<QVariantList>& rows)
    {
        int headingRow = 0;
        while (headingRow < rows.size() && isEmptyRow(rows[headingRow])) ++headingRow;
        if (headingRow == rows.size()) return fileProblem(QStringLiteral("文件中没有内容。"));
        if (!mapHeadings(rows[headingRow], headingRow + 1)) return;
        if (!loadCodes()) return;
        QList<ImportRecord> records;
        for (int r = headingRow + 1; r < rows.size(); ++r) {
            if (isEmptyRow(rows[r])) continue;
            ++m_plan.dataRows;
            ImportRecord record;
            if (readRow(rows[r], r + 1, &record)) records << record;
        }
        if (m_plan.dataRows == 0) return fileProblem(QStringLiteral("表头下面没有数据行。"));
        QString error;
        if (!checkRecords(m_sqlca, m_def.kind, records, m_plan, &error)) fileProblem(error);
    }

private:
    void fileProblem(const QString& message) { m_plan.problems << ImportProblem{0, {}, message}; }

    bool mapHeadings(const QVariantList& headings, int fileRow)
    {
        QHash<QString, int> known;   // normal heading -> field
        for (int f = 0; f < m_def.fields.size(); ++f) {
            known.insert(normalHeading(m_def.fields[f].heading), f);
            for (const QString& alias : m_def.fields[f].aliases) known.insert(normalHeading(alias), f);
        }
        bool problems = false;
        for (int c = 0; c < headings.size(); ++c) {
            const QString heading = cellText(headings[c]);
            if (heading.isEmpty()) continue;
            const auto it = known.constFind(normalHeading(heading));
            if (it == known.constEnd()) {
                m_plan.ignoredHeadings << heading;
                continue;
            }
            if (m_columns.contains(*it)) {
                m_plan.problems << ImportProblem{fileRow, heading, QStringLiteral("这一列出现了两次。")};
                problems = true;
                continue;
            }
            m_columns.insert(*it, c);
        }
        if (m_columns.isEmpty()) {
            fileProblem(QStringLiteral("第%1行不是%2表的表头。表头应为：%3。请使用导入模板。")
                            .arg(fileRow)
                            .arg(m_def.title, headingList(m_def)));
            return false;
        }
        for (int f = 0; f < m_def.fields.size(); ++f) {
            if (m_def.fields[f].required && !m_columns.contains(f)) {
                m_plan.problems << ImportProblem{fileRow, m_def.fields[f].heading, QStringLiteral("缺少这一必填列。")};
                problems = true;
            }
        }
        return !problems;
    }

    bool loadCodes()
    {
        QStringList lists;
        for (const ImportField& f : m_def.fields)
            if (f.type == FieldType::Code) lists << f.codeList;
        QString error;
        if (m_codes.load(m_sqlca, lists, &error)) return true;
        fileProblem(error);
        return false;
    }

    bool readRow(const QVariantList& cells, int fileRow, ImportRecord* record)
    {
        record->row = fileRow;
        bool good = true;
        auto problem = [&](const ImportField& f, const QString& message) {
            m_plan.problems << ImportProblem{fileRow, f.heading, message};
            good = false;
        };
        for (int f = 0; f < m_def.fields.size(); ++f) {
            const ImportField& field = m_def.fields[f];
            const QVariant cell = m_columns.contains(f) ? cells.value(m_columns[f]) : QVariant();
            const QString text = cellText(cell);
            if (text.isEmpty()) {
                if (field.required) problem(field, QStringLiteral("不能为空。"));
                record->values.insert(field.column, QVariant());
                continue;
            }
            if (field.maxLength > 0 && text.size() > field.maxLength && field.type != FieldType::IdCard) {
                problem(field, QStringLiteral("内容过长（最多%1个字）。").arg(field.maxLength));
                continue;
            }
            switch (field.type) {
            case FieldType::Text: record->values.insert(field.column, text); break;
            case FieldType::Code: {
                const auto code = m_codes.code(field.codeList, text);
                if (code) record->values.insert(field.column, *code);
                else problem(field, QStringLiteral("代码表中没有“%1”。").arg(text));
                break;
            }
            case FieldType::Date: {
                const QDate date = cellDate(cell);
                if (!date.isValid()) problem(field, QStringLiteral("“%1”不是日期（应写成1985-03-02）。").arg(text));
                else if (date.year() < 1900 || date > QDate::currentDate())
                    problem(field, QStringLiteral("日期%1不合理。").arg(date.toString(QStringLiteral("yyyy-MM-dd"))));
                else record->values.insert(field.column, date);
                break;
            }
            case FieldType::IdCard: {
                // An 18-digit number kept as a number has lost its last digits.
                if (cell.typeId() == QMetaType::Double && text.size() > 15) {
                    problem(field, QStringLiteral("号码被存成了数字，最后几位已丢失。请把这一列设为“文本”格式后重新填写。"));
                    break;
                }
                const QString problemText = idCardProblem(text);
                if (!problemText.isEmpty()) problem(field, QStringLiteral("“%1”%2。").arg(text, problemText));
                else record->values.insert(field.column, text.toUpper());
                break;
            }
            }
        }
        return good;
    }

    Sqlca& m_sqlca;
    const ImportKindDef& m_def;
    ImportPlan& m_plan;
    CodeNames m_codes;
    QHash<int, int> m_columns;   // field -> sheet column
};

} // namespace

ImportPlan planImport(Sqlca& sqlca, ImportKind kind, const SheetRead& sheet)
{
    ImportPlan plan;
    plan.kind = kind;
    if (!sheet.ok) {
        plan.problems << ImportProblem{0, {}, sheet.error};
        return plan;
    }
    Planner(sqlca, importKind(kind), plan).run(sheet.rows);
    // The report reads down the file, whichever check found a problem.
    std::stable_sort(plan.problems.begin(), plan.problems.end(),
                     [](const ImportProblem& a, const ImportProblem& b) { return a.row < b.row; });
    return plan;
}

} // namespace cr::exchange
