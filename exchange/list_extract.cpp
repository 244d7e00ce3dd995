#include "exchange/list_extract.h"

#include "exchange/list_search.h"
#include "frame/dataview.h"
#include "frame/expr/format.h"

#include <QRegularExpression>

namespace cr::exchange {
namespace {

bool isLineNumber(const ColumnDef& c)
{
    return c.compute.trimmed().compare(QLatin1String("getrow()"), Qt::CaseInsensitive) == 0;
}

QList<int> allRows(const DataView& view)
{
    QList<int> rows;
    rows.reserve(view.rowCount());
    for (int r = 1; r <= view.rowCount(); ++r) rows << r;
    return rows;
}

// "sum(housearea for all)": the column summed, empty for other expressions.
QString summedColumn(const QString& expression)
{
    static const QRegularExpression sum(QStringLiteral(R"(^\s*sum\s*\(\s*(\w+)\s+for\s+all\s*\)\s*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = sum.match(expression);
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

} // namespace

ListExtract::ListExtract(const DataView& view, const QString& title) : ListExtract(view, allRows(view), title) {}

ListExtract::ListExtract(const DataView& view, const QList<int>& rows, const QString& title)
    : m_view(view), m_rows(rows), m_title(title)
{
    describeColumns();
    computeSummary();
}

void ListExtract::describeColumns()
{
    const QList<ColumnDef>& defs = m_view.definition().columns;
    for (int i : listColumns(m_view)) {
        const ColumnDef& def = defs[i];
        ExtractColumn c;
        c.index = i;
        c.name = def.name;
        c.heading = def.heading.isEmpty() ? def.name : def.heading;
        c.format = def.format;
        c.lineNumber = isLineNumber(def);
        // A column shown through a lookup list or fixed values is text.
        const bool coded = !m_view.dropDown(def.name).name.isEmpty() || !def.values.isEmpty();
        if (!coded && (def.kind == ColumnKind::Integer || def.kind == ColumnKind::Decimal)) c.kind = CellKind::Number;
        if (!coded && (def.kind == ColumnKind::Date || def.kind == ColumnKind::DateTime)) c.kind = CellKind::Date;
        c.decimal = def.kind == ColumnKind::Decimal;
        m_columns << c;
    }
}

QString ListExtract::text(int r, int c) const
{
    const ExtractColumn& col = m_columns[c];
    // Line numbers count the rows written, also when a search left gaps.
    if (col.lineNumber) return QString::number(r + 1);
    return m_view.displayText(m_rows[r], col.index);
}

QVariant ListExtract::value(int r, int c) const
{
    const ExtractColumn& col = m_columns[c];
    if (col.lineNumber) return double(r + 1);
    switch (col.kind) {
    case CellKind::Number: {
        const QVariant v = m_view.item(m_rows[r], col.index);
        bool ok = false;
        const double d = v.toDouble(&ok);
        return v.isNull() || !ok ? QVariant() : QVariant(d);
    }
    case CellKind::Date: {
        const QVariant v = m_view.item(m_rows[r], col.index);
        if (v.isNull()) return {};
        const QDate d = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case CellKind::Text: break;
    }
    const QString t = text(r, c);
    return t.isEmpty() ? QVariant() : QVariant(t);
}

// The summary line as the list shows it, its sums taken over the rows of
// this extract: a searched export must not carry the whole list's totals.
void ListExtract::computeSummary()
{
    const DataViewDef& def = m_view.definition();
    if (def.summaries.isEmpty()) return;
    m_summary = QStringList(m_columns.size(), QString());
    m_summaryNumeric = QList<bool>(m_columns.size(), false);
    m_summaryValues = QVariantList(m_columns.size());
    const bool everyRow = m_rows.size() == m_view.rowCount();
    for (int i = 0; i < def.summaries.size(); ++i) {
        const SummaryDef& s = def.summaries[i];
        int c = -1;
        for (int k = 0; k < m_columns.size(); ++k)
            if (m_columns[k].name.compare(s.column, Qt::CaseInsensitive) == 0) c = k;
        if (c < 0) continue;
        QVariant total = m_view.summary(i);
        const QString summed = summedColumn(s.expression);
        const int source = summed.isEmpty() ? -1 : m_view.columnIndex(summed);
        if (!everyRow && source >= 0) {
            double sum = 0;
            for (int row : m_rows) sum += m_view.item(row, source).toDouble();
            const bool whole = m_view.definition().columns[source].kind == ColumnKind::Integer;
            total = whole ? QVariant(qlonglong(sum)) : QVariant(sum);
        }
        m_summary[c] = expr::Format::apply(total, s.format);
        m_summaryValues[c] = total;
        m_summaryNumeric[c] = true;
    }
    // The label stands in the first column that holds no sum.
    for (int c = 0; c < m_columns.size(); ++c) {
        if (!m_summaryNumeric[c]) {
            m_summary[c] = def.summaryLabel;
            break;
        }
    }
}

} // namespace cr::exchange
