#include "frame/row_store.h"

#include <QDate>
#include <QDateTime>
#include <bit>
#include <cstring>
#include <new>

namespace cr {
namespace {

constexpr size_t kChunkSize = 256 * 1024;
constexpr quint64 kInlineTag = 1;       // texts of up to 7 bytes live in the cell itself
constexpr int kInlineMax = 7;

size_t roundUp(size_t n) { return (n + 7) & ~size_t(7); }

} // namespace

// --- arena ----------------------------------------------------------------------

void* Arena::allocate(size_t size)
{
    size = roundUp(size);
    if (size > m_left) {
        // Large blocks get a chunk of their own, so the current one is not wasted.
        if (size > kChunkSize / 4) {
            m_chunks.push_back(std::unique_ptr<char[]>(new char[size]));
            return m_chunks.back().get();
        }
        m_chunks.push_back(std::unique_ptr<char[]>(new char[kChunkSize]));
        m_next = m_chunks.back().get();
        m_left = kChunkSize;
    }
    void* p = m_next;
    m_next += size;
    m_left -= size;
    return p;
}

void Arena::clear()
{
    m_chunks.clear();
    m_next = nullptr;
    m_left = 0;
}

// --- layout -----------------------------------------------------------------------

// A text too long for its cell: the cell points here (8-byte aligned, so the
// pointer's lowest bit tells it from an inline text).
struct RowStore::TextBlob {
    quint32 size;
    char data[1];
};

RowStore::RowStore(const std::vector<ColumnKind>& kinds, const std::vector<bool>& computed)
    : m_kind(kinds), m_slot(kinds.size(), -1), m_pools(kinds.size())
{
    int cellCount = 0;
    for (size_t c = 0; c < kinds.size(); ++c)
        if (!computed[c]) m_slot[c] = cellCount++;
    m_presenceOffset = sizeof(DataRow) + size_t(cellCount) * sizeof(quint64);
    m_rowSize = roundUp(m_presenceOffset + (kinds.size() + 7) / 8);
}

RowStore::~RowStore() = default;

DataRow* RowStore::newRow()
{
    void* block = m_rows.allocate(m_rowSize);
    std::memset(block, 0, m_rowSize);
    return new (block) DataRow;
}

void RowStore::clear()
{
    m_changes.clear();
    m_rows.clear();
    m_texts.clear();
    for (Pool& p : m_pools) p = Pool();
}

quint64* RowStore::cell(DataRow* row, int column) const
{
    return reinterpret_cast<quint64*>(reinterpret_cast<char*>(row) + sizeof(DataRow)) + m_slot[column];
}

const quint64* RowStore::cell(const DataRow* row, int column) const
{
    return reinterpret_cast<const quint64*>(reinterpret_cast<const char*>(row) + sizeof(DataRow)) + m_slot[column];
}

unsigned char* RowStore::presence(DataRow* row) const
{
    return reinterpret_cast<unsigned char*>(row) + m_presenceOffset;
}

void RowStore::markPresent(DataRow* row, int column, bool present)
{
    unsigned char& bits = presence(row)[column / 8];
    const unsigned char bit = static_cast<unsigned char>(1u << (column % 8));
    bits = present ? (bits | bit) : (bits & ~bit);
}

bool RowStore::isNull(const DataRow* row, int column) const
{
    if (m_slot[column] < 0) return true;
    const unsigned char bits = reinterpret_cast<const unsigned char*>(row)[m_presenceOffset + column / 8];
    return !(bits & (1u << (column % 8)));
}

// --- reading -------------------------------------------------------------------------

QString RowStore::text(quint64 c) const
{
    if (c & kInlineTag) {
        const int size = int((c >> 1) & 7);
        char bytes[kInlineMax];
        for (int i = 0; i < size; ++i) bytes[i] = char((c >> (8 * (i + 1))) & 0xff);
        return QString::fromUtf8(bytes, size);
    }
    const auto* blob = reinterpret_cast<const TextBlob*>(static_cast<quintptr>(c));
    return QString::fromUtf8(blob->data, blob->size);
}

std::optional<QByteArrayView> RowStore::utf8(const DataRow* row, int column) const
{
    if (m_kind[column] != ColumnKind::Text || isNull(row, column)) return std::nullopt;
    const quint64* c = cell(row, column);
    if (*c & kInlineTag) {
        // The bytes follow the tag byte in the cell's own memory on a
        // little-endian machine only.
        if constexpr (std::endian::native != std::endian::little) return std::nullopt;
        return QByteArrayView(reinterpret_cast<const char*>(c) + 1, qsizetype((*c >> 1) & 7));
    }
    const auto* blob = reinterpret_cast<const TextBlob*>(static_cast<quintptr>(*c));
    return QByteArrayView(blob->data, blob->size);
}

std::optional<qint64> RowStore::integer(const DataRow* row, int column) const
{
    if (m_kind[column] != ColumnKind::Integer || isNull(row, column)) return std::nullopt;
    return qint64(*cell(row, column));
}

QVariant RowStore::value(const DataRow* row, int column) const
{
    if (isNull(row, column)) return {};
    const quint64 c = *cell(row, column);
    switch (m_kind[column]) {
    case ColumnKind::Text:
        return text(c);
    case ColumnKind::Integer:
        return qlonglong(c);
    case ColumnKind::Decimal: {
        double d;
        std::memcpy(&d, &c, sizeof d);
        return d;
    }
    case ColumnKind::Date:
        return QDate::fromJulianDay(qint64(c));
    case ColumnKind::DateTime:
        return QDateTime::fromMSecsSinceEpoch(qint64(c));
    }
    return {};
}

bool RowStore::equals(const DataRow* row, int column, const QVariant& v) const
{
    const bool empty = !v.isValid() || v.isNull();
    if (isNull(row, column)) return empty;
    if (empty) return false;
    if (m_kind[column] == ColumnKind::Text) return text(*cell(row, column)) == v.toString();
    return value(row, column) == v;
}

// --- writing --------------------------------------------------------------------------

void RowStore::setNull(DataRow* row, int column)
{
    if (m_slot[column] < 0) return;
    *cell(row, column) = 0;
    markPresent(row, column, false);
}

void RowStore::setInteger(DataRow* row, int column, qint64 value)
{
    *cell(row, column) = quint64(value);
    markPresent(row, column, true);
}

void RowStore::setReal(DataRow* row, int column, double value)
{
    quint64 c;
    std::memcpy(&c, &value, sizeof c);
    *cell(row, column) = c;
    markPresent(row, column, true);
}

quint64 RowStore::storeText(int column, QByteArrayView utf8, bool shareRepeats)
{
    const qsizetype size = utf8.size();
    if (size <= kInlineMax) {
        quint64 c = kInlineTag | (quint64(size) << 1);
        for (qsizetype i = 0; i < size; ++i) c |= quint64(static_cast<unsigned char>(utf8[i])) << (8 * (i + 1));
        return c;
    }
    Pool& pool = m_pools[column];
    const bool pooled = shareRepeats && !pool.gaveUp;
    if (pooled) {
        ++pool.lookups;
        const auto it = pool.seen.find(std::string_view(utf8.data(), size_t(size)));
        if (it != pool.seen.end()) return quint64(reinterpret_cast<quintptr>(it->second));
        // A column whose texts mostly differ (names, remarks) is not worth the lookups.
        if (pool.lookups > 2000 && pool.seen.size() * 2 > size_t(pool.lookups)) {
            pool.gaveUp = true;
            pool.seen = {};
        }
    }
    auto* blob = static_cast<TextBlob*>(m_texts.allocate(offsetof(TextBlob, data) + size_t(size)));
    blob->size = quint32(size);
    std::memcpy(blob->data, utf8.data(), size_t(size));
    if (pooled && !pool.gaveUp) pool.seen.emplace(std::string_view(blob->data, size_t(size)), blob);
    return quint64(reinterpret_cast<quintptr>(blob));
}

void RowStore::setUtf8(DataRow* row, int column, QByteArrayView text, bool shareRepeats)
{
    *cell(row, column) = storeText(column, text, shareRepeats);
    markPresent(row, column, true);
}

void RowStore::setValue(DataRow* row, int column, const QVariant& v)
{
    if (m_slot[column] < 0) return;
    if (!v.isValid() || v.isNull()) {
        setNull(row, column);
        return;
    }
    switch (m_kind[column]) {
    case ColumnKind::Text:
        setUtf8(row, column, v.toString().toUtf8(), false);
        return;
    case ColumnKind::Integer:
        setInteger(row, column, v.toLongLong());
        return;
    case ColumnKind::Decimal:
        setReal(row, column, v.toDouble());
        return;
    case ColumnKind::Date:
        setInteger(row, column, v.toDate().toJulianDay());
        return;
    case ColumnKind::DateTime:
        setInteger(row, column, v.toDateTime().toMSecsSinceEpoch());
        return;
    }
}

// --- change records ---------------------------------------------------------------

RowChanges& RowStore::changes(DataRow* row)
{
    if (!row->changes) {
        auto record = std::make_unique<RowChanges>();
        record->modified.assign(m_kind.size(), false);
        row->changes = record.get();
        m_changes.emplace(row, std::move(record));
    }
    return *row->changes;
}

void RowStore::dropChanges(DataRow* row)
{
    if (!row->changes) return;
    m_changes.erase(row);
    row->changes = nullptr;
}

} // namespace cr
