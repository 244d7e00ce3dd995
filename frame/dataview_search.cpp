#include "frame/dataview_private.h"

#include "frame/expr/format.h"
#include "frame/expr/values.h"

#include <algorithm>
#include <array>

namespace cr {

expr::ColumnResolver DataView::Private::resolver() const
{
    return [this](const QString& name) { return column(name); };
}

std::shared_ptr<const expr::Expression> DataView::Private::compile(const QString& text, QString* error) const
{
    auto it = compiled.constFind(text);
    if (it != compiled.constEnd()) return *it;
    auto e = expr::Expression::compile(text, resolver(), error);
    if (!e) return nullptr;
    if (compiled.size() > 512) compiled.clear();
    compiled.insert(text, e);
    return e;
}

// --- find ---------------------------------------------------------------------

int DataView::find(const QString& expression, int firstRow, int lastRow) const
{
    const auto e = d->compile(expression, nullptr);
    if (!e) return -1;
    const int n = rowCount();
    if (n == 0) return 0;
    const auto source = d->primaryRows();
    const int step = firstRow <= lastRow ? 1 : -1;
    const int from = step > 0 ? std::max(firstRow, 1) : std::min(firstRow, n);
    const int to = step > 0 ? std::min(lastRow, n) : std::max(lastRow, 1);
    for (int row = from; step > 0 ? row <= to : row >= to; row += step) {
        bool error = false;
        const bool hit = e->matches(source, row, &error);
        if (error) return -1;
        if (hit) return row;
    }
    return 0;
}

// --- filter -------------------------------------------------------------------

int DataView::setFilter(const QString& expression)
{
    if (expression.trimmed().isEmpty()) {
        d->filterText.clear();
        d->filterExpr.reset();
        d->filterInvalid = false;
        return 1;
    }
    QString error;
    auto e = d->compile(expression, &error);
    if (!e) {
        // filter() must not quietly apply an older filter after a bad one.
        d->filterInvalid = true;
        d->lastError = error;
        return -1;
    }
    d->filterText = expression;
    d->filterExpr = e;
    d->filterInvalid = false;
    return 1;
}

QString DataView::filterExpression() const
{
    return d->filterText;
}

int DataView::filter()
{
    if (d->filterInvalid) return -1;
    emit rowsAboutToBeReset();
    const bool ok = d->applyFilter();
    const int n = rowCount();
    if (d->currentRow > n || (d->currentRow == 0 && n > 0)) d->currentRow = n > 0 ? std::min(std::max(d->currentRow, 1), n) : 0;
    emit rowsReset();
    emit currentRowChanged(d->currentRow);
    return ok ? 1 : -1;
}

const DataView::Private::EqualityIndex& DataView::Private::equalityIndex(int column) const
{
    EqualityIndex& index = indexes[column];
    if (index.revision == dataRevision) return index;
    index.rowsByKey.clear();
    const bool numeric = columns[column].kind == ColumnKind::Integer || columns[column].kind == ColumnKind::Decimal;
    for (DataRow* r : all) {
        if (store.isNull(r, column)) continue;
        const QVariant v = store.value(r, column);
        index.rowsByKey[numeric ? codeKey(v) : v.toString()].push_back(r);
    }
    index.revision = dataRevision;
    return index;
}

bool DataView::Private::applyFilter()
{
    filteredValid = false;
    ++revision;
    if (!filterExpr) {
        primary.clear();
        for (DataRow* r : all) {
            r->filteredOut = false;
            primary.push_back(r);
        }
        return true;
    }
    // "column = value" over a stored column: the rows come from an index, so
    // filtering a long list again and again (a tree built building by
    // building) does not evaluate every row each time.
    int c = -1;
    QVariant literal;
    if (filterExpr->isColumnEquality(&c, &literal) && !columns[c].computed) {
        const ColumnKind kind = columns[c].kind;
        const bool numeric = kind == ColumnKind::Integer || kind == ColumnKind::Decimal;
        if ((numeric && expr::values::isNumber(literal) && literal.typeId() != QMetaType::Bool) ||
            (kind == ColumnKind::Text && expr::values::isText(literal))) {
            const EqualityIndex& index = equalityIndex(c);
            for (DataRow* r : primary) r->filteredOut = true;
            const auto it = index.rowsByKey.constFind(numeric ? codeKey(literal) : literal.toString());
            primary.clear();
            if (it != index.rowsByKey.constEnd()) {
                primary = *it;
                for (DataRow* r : primary) r->filteredOut = false;
            }
            return true;
        }
    }
    const std::vector<DataRow*>& rows = all;
    const Rows source(*this, rows, currentRow);
    std::vector<char> keep(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        bool error = false;
        keep[i] = filterExpr->matches(source, static_cast<int>(i) + 1, &error);
        if (error) {
            lastError = QStringLiteral("筛选条件“%1”无法计算").arg(filterText);
            return false;
        }
    }
    primary.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i]->filteredOut = !keep[i];
        if (keep[i]) primary.push_back(rows[i]);
    }
    return true;
}

// --- sort -----------------------------------------------------------------------

bool DataView::Private::applySortSpec(const QString& spec, QString* error)
{
    std::vector<SortKey> keys;
    for (const QString& item : spec.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = item.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        if (words.size() > 2) {
            *error = QStringLiteral("排序条件“%1”无效").arg(item.trimmed());
            return false;
        }
        const int c = column(words[0]);
        if (c < 0) {
            *error = QStringLiteral("排序条件中未知的列“%1”").arg(words[0]);
            return false;
        }
        bool descending = false;
        if (words.size() == 2) {
            const QString dir = words[1].toLower();
            if (dir == QLatin1String("d") || dir == QLatin1String("desc")) descending = true;
            else if (dir != QLatin1String("a") && dir != QLatin1String("asc")) {
                *error = QStringLiteral("排序方向“%1”无效").arg(words[1]);
                return false;
            }
        }
        keys.push_back({c, descending});
    }
    sortKeys = keys;
    return true;
}

namespace {

// Orders UTF-8 texts as their UTF-16 forms compare (QString::compare): byte
// order is code point order, except that UTF-16 puts U+E000..U+FFFF after
// the surrogates of U+10000 and above. Where two texts first differ both
// bytes start a character (the same one's continuation bytes keep code point
// order), so moving the lead bytes of U+E000..U+FFFF (EE, EF) above those of
// U+10000.. (F0..F4) is all it takes.
int compareAsUtf16(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const auto* x = reinterpret_cast<const unsigned char*>(a.data());
    const auto* y = reinterpret_cast<const unsigned char*>(b.data());
    for (qsizetype i = 0; i < n; ++i) {
        if (x[i] == y[i]) continue;
        const auto rank = [](unsigned char c) { return c == 0xEE || c == 0xEF ? c + 7 : int(c); };
        return rank(x[i]) < rank(y[i]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The keys of one sort column, read once per row and kept by kind: integers
// and texts, the usual keys, compare directly; anything else (dates,
// decimals) the way the expressions compare values, from the cell's value
// kept aside. Kept column by column, a key costs a byte and its value, not
// a whole QVariant: the largest lists sort 100,000 rows by six keys. Stored
// texts are compared where the row store keeps them, never decoded.
class SortColumn {
public:
    enum Kind : unsigned char { Empty, Integer, Text, Utf8, Other };

    explicit SortColumn(size_t rows) : m_kind(rows, Empty) {}

    void set(size_t row, const QVariant& v)
    {
        if (!v.isValid()) return;
        if (v.typeId() == QMetaType::LongLong && !v.isNull()) {
            if (m_number.empty()) m_number.resize(m_kind.size());
            m_kind[row] = Integer;
            m_number[row] = *static_cast<const qlonglong*>(v.constData());
        } else if (v.typeId() == QMetaType::QString && !static_cast<const QString*>(v.constData())->isNull()) {
            if (m_text.empty()) m_text.resize(m_kind.size());
            m_kind[row] = Text;
            m_text[row] = *static_cast<const QString*>(v.constData());
        } else {
            if (m_number.empty()) m_number.resize(m_kind.size());
            m_kind[row] = Other;
            m_number[row] = static_cast<qint64>(m_aside.size());
            m_aside.push_back(v);
        }
    }
    void setInteger(size_t row, qint64 n)
    {
        if (m_number.empty()) m_number.resize(m_kind.size());
        m_kind[row] = Integer;
        m_number[row] = n;
    }
    // Short texts (door and house numbers) are copied next to each other,
    // longer ones are pointed at where the row store keeps them.
    void setUtf8(size_t row, QByteArrayView text)
    {
        if (m_utf8.empty()) m_utf8.resize(m_kind.size());
        m_kind[row] = Utf8;
        if (text.size() <= qsizetype(sizeof(Short))) {
            if (m_short.empty()) m_short.resize(m_kind.size());
            std::copy(text.begin(), text.end(), m_short[row].begin());
            text = QByteArrayView(m_short[row].data(), text.size());
        }
        m_utf8[row] = text;
    }

    // Empty cells first; otherwise as expr::values::compare orders them.
    int compare(size_t a, size_t b) const
    {
        const Kind x = Kind(m_kind[a]), y = Kind(m_kind[b]);
        if (x == Empty || y == Empty) return int(x != Empty) - int(y != Empty);
        if (x == Integer && y == Integer) return m_number[a] < m_number[b] ? -1 : (m_number[a] > m_number[b] ? 1 : 0);
        if (x == Text && y == Text) {
            const int c = m_text[a].compare(m_text[b]);
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
        if (x == Utf8 && y == Utf8) return compareAsUtf16(m_utf8[a], m_utf8[b]);
        return expr::values::compare(value(a), value(b)).value_or(0);
    }

private:
    QVariant value(size_t row) const
    {
        switch (Kind(m_kind[row])) {
        case Integer: return QVariant(static_cast<qlonglong>(m_number[row]));
        case Text: return QVariant(m_text[row]);
        case Utf8: return QVariant(QString::fromUtf8(m_utf8[row]));
        case Other: return m_aside[static_cast<size_t>(m_number[row])];
        case Empty: break;
        }
        return {};
    }

    std::vector<unsigned char> m_kind;
    std::vector<qint64> m_number;   // the integer, or where the value kept aside is
    std::vector<QString> m_text;
    using Short = std::array<char, 8>;
    std::vector<QByteArrayView> m_utf8;
    std::vector<Short> m_short;   // sized once, before anything points into it
    std::vector<QVariant> m_aside;
};

} // namespace

bool DataView::Private::applySort()
{
    if (sortKeys.empty()) return true;
    const std::vector<DataRow*>& rows = all;
    // Keys are read once per row; computed ones are evaluated once.
    std::vector<SortColumn> keys;
    keys.reserve(sortKeys.size());
    for (const SortKey& key : sortKeys) {
        SortColumn& column = keys.emplace_back(rows.size());
        const ColumnInfo& info = columns[size_t(key.column)];
        const bool storedText = !info.computed && info.kind == ColumnKind::Text;
        const bool storedInteger = !info.computed && info.kind == ColumnKind::Integer;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (storedInteger) {
                if (const std::optional<qint64> n = store.integer(rows[i], key.column)) column.setInteger(i, *n);
                continue;
            }
            if (storedText) {
                if (store.isNull(rows[i], key.column)) continue;
                // An empty text takes the general way, as it always has.
                const std::optional<QByteArrayView> text = store.utf8(rows[i], key.column);
                if (text && !text->isEmpty()) {
                    column.setUtf8(i, *text);
                    continue;
                }
            }
            bool error = false;
            column.set(i, cellValue(rows, static_cast<int>(i) + 1, key.column, &error));
        }
    }
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    const auto before = [&](size_t a, size_t b) {
        for (size_t j = 0; j < keys.size(); ++j) {
            const int c = keys[j].compare(a, b);
            if (c != 0) return sortKeys[j].descending ? c > 0 : c < 0;
        }
        return false;
    };
    // Rows mostly come in runs already in order (a building's houses as they
    // were generated, rows read in the order asked for): the runs are found
    // and merged pairwise, so a list nearly in order costs a few passes, not
    // a full sort. Merging takes the earlier run first on ties: stable.
    std::vector<size_t> runs{0};
    for (size_t i = 1; i < order.size(); ++i)
        if (before(order[i], order[i - 1])) runs.push_back(i);
    runs.push_back(order.size());
    if (runs.size() <= 2) return true;   // one run: already in order
    std::vector<size_t> merged(order.size());
    while (runs.size() > 2) {
        std::vector<size_t> next{0};
        size_t j = 0;
        for (; j + 2 < runs.size(); j += 2) {
            std::merge(order.begin() + ptrdiff_t(runs[j]), order.begin() + ptrdiff_t(runs[j + 1]),
                       order.begin() + ptrdiff_t(runs[j + 1]), order.begin() + ptrdiff_t(runs[j + 2]),
                       merged.begin() + ptrdiff_t(runs[j]), before);
            next.push_back(runs[j + 2]);
        }
        if (j + 1 < runs.size()) {   // an odd run out waits for the next pass
            std::copy(order.begin() + ptrdiff_t(runs[j]), order.end(), merged.begin() + ptrdiff_t(runs[j]));
            next.push_back(runs[j + 1]);
        }
        order.swap(merged);
        runs = std::move(next);
    }
    std::vector<DataRow*> sorted;
    sorted.reserve(all.size());
    for (size_t i : order) sorted.push_back(all[i]);
    all = std::move(sorted);
    primary.clear();
    for (DataRow* r : all)
        if (!r->filteredOut) primary.push_back(r);
    filteredValid = false;
    touched();
    return true;
}

int DataView::setSort(const QString& spec)
{
    QString error;
    if (!d->applySortSpec(spec, &error)) {
        d->lastError = error;
        return -1;
    }
    d->sortText = spec;
    return 1;
}

QString DataView::sortSpec() const
{
    return d->sortText;
}

int DataView::sort()
{
    emit rowsAboutToBeReset();
    d->applySort();
    emit rowsReset();
    emit currentRowChanged(d->currentRow);
    return 1;
}

QString DataView::quote(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('~'), QLatin1String("~~"));
    t.replace(QLatin1Char('\''), QLatin1String("~'"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

// --- expressions ------------------------------------------------------------------

QVariant DataView::evaluate(const QString& expression, int row) const
{
    const auto e = d->compile(expression, nullptr);
    if (!e) return {};
    return e->evaluate(d->primaryRows(), row);
}

QVariant DataView::computed(int row, const QString& column) const
{
    return item(row, d->column(column));
}

QVariant DataView::summary(int index) const
{
    if (index < 0 || index >= d->def.summaries.size()) return {};
    const auto e = d->compile(d->def.summaries[index].expression, nullptr);
    if (!e) return {};
    return e->evaluate(d->primaryRows(), rowCount() > 0 ? 1 : 0);
}

QString DataView::summaryText(int index) const
{
    if (index < 0 || index >= d->def.summaries.size()) return {};
    const SummaryDef& s = d->def.summaries[index];
    QString format = s.format;
    if (format.isEmpty())
        if (const ColumnDef* c = d->def.column(s.column)) format = c->format;
    return expr::Format::apply(summary(index), format);
}

} // namespace cr
