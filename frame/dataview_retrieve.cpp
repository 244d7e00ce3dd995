#include "frame/dataview_private.h"

#include "frame/sqlca.h"

#include <QSqlRecord>

namespace cr {
namespace {

// Repeated texts (codes, a building's address on each of its houses) share
// one copy. A column stops being pooled once most of its texts differ.
class TextPool {
public:
    QVariant take(int column, const QVariant& value)
    {
        if (value.typeId() != QMetaType::QString) return value;
        Column& c = m_columns[column];
        if (c.gaveUp) return value;
        const QString text = value.toString();
        auto it = c.seen.constFind(text);
        ++c.lookups;
        if (it != c.seen.constEnd()) return *it;
        if (c.lookups > 2000 && c.seen.size() * 2 > c.lookups) {
            c.gaveUp = true;
            c.seen.clear();
            return value;
        }
        c.seen.insert(text, text);
        return value;
    }

private:
    struct Column {
        QHash<QString, QString> seen;
        int lookups = 0;
        bool gaveUp = false;
    };
    QHash<int, Column> m_columns;
};

} // namespace

long DataView::retrieve(const QVariantList& args)
{
    d->lastError.clear();
    emit rowsAboutToBeReset();
    d->clearAll();
    d->hasPending = false;
    d->currentRow = 0;
    // A failed retrieve leaves the view empty, never with rows of an older one.
    auto fail = [this](const QString& message) -> long {
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
    auto query = d->sqlca->select(d->def.sql, params);
    if (!query) return fail(d->sqlca->sqlErrText());

    // Result fields by name when every stored column is there, else by position.
    const QSqlRecord record = query->record();
    QHash<QString, int> fieldByName;
    for (int f = 0; f < record.count(); ++f) {
        QString n = record.fieldName(f).toLower();
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
        if (f > record.count())
            return fail(QStringLiteral("数据窗口 %1 的查询只返回 %2 列，定义需要 %3 列")
                            .arg(d->def.name).arg(record.count()).arg(f));
    }

    TextPool pool;
    const int columnCount = static_cast<int>(d->columns.size());
    while (query->next()) {
        auto row = d->newRow();
        for (int c = 0; c < columnCount; ++c) {
            if (field[c] < 0 || query->isNull(field[c])) continue;
            row->cells[c] = pool.take(c, Private::fromDatabase(d->columns[c].kind, query->value(field[c])));
        }
        d->primary.push_back(row.get());
        d->all.push_back(std::move(row));
    }
    d->touched();
    if (!d->sortKeys.empty()) d->applySort();
    if (d->filterExpr) d->applyFilter();
    d->currentRow = d->primary.empty() ? 0 : 1;
    emit rowsReset();
    emit currentRowChanged(d->currentRow);
    return static_cast<long>(d->primary.size());
}

} // namespace cr
