#include "frame/dataview_private.h"

#include "frame/expr/format.h"
#include "frame/expr/values.h"

#include <cmath>

namespace cr {

QVariant DataView::Private::Rows::value(int row, int column, bool* error) const
{
    return m_view.cellValue(m_rows, row, column, error);
}

QVariant DataView::Private::cellValue(const std::vector<DataRow*>& rows, int row, int column, bool* error) const
{
    if (row < 1 || row > static_cast<int>(rows.size()) || column < 0 || column >= static_cast<int>(columns.size())) {
        *error = true;
        return {};
    }
    const ColumnInfo& info = columns[column];
    if (!info.computed) return store.value(rows[row - 1], column);
    // A computed column naming itself (directly or not) must not recurse forever.
    if (!info.compute || evaluationDepth > 16) {
        *error = true;
        return {};
    }
    ++evaluationDepth;
    const Rows source(*this, rows, currentRow);
    bool failed = false;
    const QVariant v = info.compute->evaluate(source, row, &failed);
    --evaluationDepth;
    if (failed) *error = true;
    return v;
}

QVariant DataView::Private::coerce(ColumnKind kind, const QVariant& value, bool* ok)
{
    *ok = true;
    if (expr::values::isNull(value)) return {};
    const bool text = expr::values::isText(value);
    const QString trimmed = text ? value.toString().trimmed() : QString();
    switch (kind) {
    case ColumnKind::Text:
        return text ? value.toString() : expr::Format::plain(value);
    case ColumnKind::Integer: {
        if (text && trimmed.isEmpty()) return {};
        const auto n = expr::values::toInteger(text ? QVariant(trimmed) : value);
        if (!n) *ok = false;
        return n ? QVariant(*n) : QVariant();
    }
    case ColumnKind::Decimal: {
        if (text && trimmed.isEmpty()) return {};
        const auto n = expr::values::toNumber(text ? QVariant(trimmed) : value);
        if (!n || (!text && !expr::values::isNumber(value))) {
            *ok = false;
            return {};
        }
        return *n;
    }
    case ColumnKind::Date: {
        if (text && trimmed.isEmpty()) return {};
        const QDate d = expr::values::toDate(value);
        if (!d.isValid()) *ok = false;
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case ColumnKind::DateTime: {
        if (text && trimmed.isEmpty()) return {};
        const QDateTime t = expr::values::toDateTime(value);
        if (!t.isValid()) *ok = false;
        return t.isValid() ? QVariant(t) : QVariant();
    }
    }
    *ok = false;
    return {};
}

// Database values are taken as leniently as possible: the engines differ in
// what they hand back (SQLite gives dates as text, numbers of computed
// columns may come back as text); what cannot be read becomes empty.
QVariant DataView::Private::fromDatabase(ColumnKind kind, const QVariant& value)
{
    if (value.isNull() || !value.isValid()) return {};
    switch (kind) {
    case ColumnKind::Text:
        if (value.typeId() == QMetaType::QString) return value;
        if (value.typeId() == QMetaType::QByteArray) return QString::fromUtf8(value.toByteArray());
        return expr::Format::plain(value);
    case ColumnKind::Integer:
        switch (value.typeId()) {
        case QMetaType::LongLong: return value;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULongLong: return value.toLongLong();
        case QMetaType::Double: return static_cast<qlonglong>(std::llround(value.toDouble()));
        default: {
            const auto n = expr::values::toNumber(value.toString());
            return n ? QVariant(static_cast<qlonglong>(std::llround(*n))) : QVariant();
        }
        }
    case ColumnKind::Decimal: {
        if (value.typeId() == QMetaType::Double) return value;
        const auto n = expr::values::toNumber(expr::values::isNumber(value) ? value : QVariant(value.toString()));
        return n ? QVariant(*n) : QVariant();
    }
    case ColumnKind::Date: {
        const QDate d = expr::values::toDate(value.typeId() == QMetaType::QByteArray ? QVariant(value.toString()) : value);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case ColumnKind::DateTime: {
        const QDateTime t = expr::values::toDateTime(value.typeId() == QMetaType::QByteArray ? QVariant(value.toString()) : value);
        return t.isValid() ? QVariant(t) : QVariant();
    }
    }
    return {};
}

// Codes of lookup lists are matched as text, numbers without a fraction.
QString DataView::Private::codeKey(const QVariant& value)
{
    if (expr::values::isNumber(value)) return expr::Format::plain(expr::values::tidyNumber(value.toDouble()));
    return expr::Format::plain(value);
}

} // namespace cr
