#include "frame/dataview_private.h"

#include "frame/row_cursor.h"
#include "frame/sqlca.h"

namespace cr {

// Puts one database value into a cell of the column's kind. Numbers and
// UTF-8 text go straight in; anything else takes the lenient way of
// fromDatabase (dates as text, numbers as text ...).
void DataView::Private::storeFetched(DataRow* row, int column, const DbValue& v)
{
    const ColumnKind kind = columns[size_t(column)].kind;
    switch (v.type) {
    case DbValue::Type::Null:
        return;
    case DbValue::Type::Text:
        if (kind == ColumnKind::Text) {
            store.setUtf8(row, column, v.text, true);
            return;
        }
        break;
    case DbValue::Type::Integer:
        if (kind == ColumnKind::Integer) {
            store.setInteger(row, column, v.integer);
            return;
        }
        if (kind == ColumnKind::Decimal) {
            store.setReal(row, column, double(v.integer));
            return;
        }
        break;
    case DbValue::Type::Real:
        if (kind == ColumnKind::Decimal) {
            store.setReal(row, column, v.real);
            return;
        }
        break;
    case DbValue::Type::Other:
        if (kind == ColumnKind::Text && v.other.typeId() == QMetaType::QString) {
            store.setUtf8(row, column, v.other.toString().toUtf8(), true);
            return;
        }
        break;
    }
    const QVariant value = fromDatabase(kind, v.variant());
    if (kind == ColumnKind::Text && value.isValid()) store.setUtf8(row, column, value.toString().toUtf8(), true);
    else store.setValue(row, column, value);
}

long DataView::retrieve(const QVariantList& args)
{
    d->lastError.clear();
    emit rowsAboutToBeReset();
    d->clearAll();
    d->hasPending = false;
    d->currentRow = 0;
    // A failed retrieve leaves the view empty, never with rows of an older one.
    auto fail = [this](const QString& message) -> long {
        d->clearAll();
        d->lastError = message;
        emit rowsReset();
        emit currentRowChanged(0);
        return -1;
    };
    if (!d->sqlca) return fail(QStringLiteral("数据窗口 %1 没有连接数据库").arg(d->def.name));
    if (d->def.sql.trimmed().isEmpty()) return fail(QStringLiteral("数据窗口 %1 没有查询语句").arg(d->def.name));
    const QVariantList& values = args.isEmpty() ? d->def.defaultArguments : args;
    if (values.size() < d->def.arguments.size())
        return fail(QStringLiteral("数据窗口 %1 缺少检索参数（需要 %2 个）").arg(d->def.name).arg(d->def.arguments.size()));
    SqlParams params;
    for (int i = 0; i < d->def.arguments.size(); ++i) params.append({d->def.arguments[i], values[i]});
    std::unique_ptr<RowCursor> cursor = d->sqlca->openCursor(d->def.sql, params);
    if (!cursor) return fail(d->sqlca->sqlErrText());

    // Result fields by name when every stored column is there, else by position.
    const int fieldCount = cursor->columnCount();
    QHash<QString, int> fieldByName;
    for (int f = 0; f < fieldCount; ++f) {
        QString n = cursor->columnName(f).toLower();
        const int dot = n.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0) n = n.mid(dot + 1);
        if (!fieldByName.contains(n)) fieldByName.insert(n, f);
    }
    std::vector<int> field(d->columns.size(), -1);
    bool byName = true;
    for (size_t c = 0; c < d->columns.size(); ++c)
        if (!d->columns[c].computed) {
            field[c] = fieldByName.value(d->def.columns[static_cast<int>(c)].name.toLower(), -1);
            if (field[c] < 0) byName = false;
        }
    if (!byName) {
        int f = 0;
        for (size_t c = 0; c < d->columns.size(); ++c)
            if (!d->columns[c].computed) field[c] = f++;
        if (f > fieldCount)
            return fail(QStringLiteral("数据窗口 %1 的查询只返回 %2 列，定义需要 %3 列")
                            .arg(d->def.name).arg(fieldCount).arg(f));
    }
    std::vector<std::pair<int, int>> reads;   // (column, field) of every stored column
    for (size_t c = 0; c < d->columns.size(); ++c)
        if (field[c] >= 0) reads.push_back({int(c), field[c]});

    while (cursor->next()) {
        DataRow* row = d->newRow();
        for (const auto& [column, f] : reads) d->storeFetched(row, column, cursor->value(f));
        d->all.push_back(row);
    }
    if (!cursor->error().isEmpty()) return fail(cursor->error());
    d->primary = d->all;
    d->touched();
    if (!d->sortKeys.empty()) d->applySort();
    if (d->filterExpr) d->applyFilter();
    d->currentRow = d->primary.empty() ? 0 : 1;
    emit rowsReset();
    emit currentRowChanged(d->currentRow);
    return static_cast<long>(d->primary.size());
}

} // namespace cr
