#include "frame/dataview_private.h"

#include "frame/expr/format.h"
#include "frame/expr/values.h"
#include "frame/view_catalog.h"

namespace cr {

DataView* DataView::Private::child(int column) const
{
    auto& self = const_cast<Private&>(*this);
    const auto it = children.constFind(column);
    if (it != children.constEnd() && *it) return *it;
    const QString name = props[column].dropDown.name;
    if (name.isEmpty()) return nullptr;
    DataViewDef listDef;
    if (catalog) {
        const DataViewDef* found = catalog->find(name);
        if (!found) return nullptr;
        listDef = *found;
    } else if (name.startsWith(QLatin1String("dddw_"), Qt::CaseInsensitive)) {
        listDef = ViewCatalog::codeListDef(name);
    } else {
        return nullptr;
    }
    auto* list = new DataView(listDef, q);
    list->setTransObject(sqlca);
    list->setCatalog(catalog);
    // Lists that a window fills itself have no query.
    if (sqlca && !listDef.sql.trimmed().isEmpty()) list->retrieve();
    self.children.insert(column, list);
    self.lookups.remove(column);
    return list;
}

void DataView::Private::dropChild(int column)
{
    lookups.remove(column);
    const auto it = children.find(column);
    if (it == children.end()) return;
    // A window may still hold the old list within the current handler.
    if (*it) (*it)->deleteLater();
    children.erase(it);
}

DataView* DataView::getChild(const QString& column)
{
    const int c = d->column(column);
    return c < 0 ? nullptr : d->child(c);
}

QString DataView::lookupDisplay(const QString& column, const QVariant& data) const
{
    const int c = d->column(column);
    if (c < 0 || expr::values::isNull(data)) return expr::Format::plain(data);
    const QString key = Private::codeKey(data);
    if (!d->props[c].dropDown.name.isEmpty()) {
        DataView* list = d->child(c);
        if (!list) return key;
        Private::Lookup& lookup = d->lookups[c];
        if (lookup.child != list || lookup.childRevision != list->d->revision) {
            lookup.textByCode.clear();
            const DropDownDef& dd = d->props[c].dropDown;
            const int dataColumn = list->columnIndex(dd.dataColumn);
            const int displayColumn = list->columnIndex(dd.displayColumn);
            if (dataColumn >= 0 && displayColumn >= 0)
                for (int row = list->rowCount(); row >= 1; --row)   // the first row of a code wins
                    lookup.textByCode.insert(Private::codeKey(list->item(row, dataColumn)),
                                             list->displayText(row, displayColumn));
            lookup.child = list;
            lookup.childRevision = list->d->revision;
        }
        return lookup.textByCode.value(key, key);
    }
    for (const CodeValue& v : d->def.columns[c].values)
        if (v.data == key) return v.display;
    return key;
}

QString DataView::displayText(int row, const QString& column) const
{
    return displayText(row, d->column(column));
}

QString DataView::displayText(int row, int columnIndex) const
{
    if (columnIndex < 0 || columnIndex >= static_cast<int>(d->columns.size())) return {};
    const QVariant v = item(row, columnIndex);
    if (expr::values::isNull(v)) return {};
    const ColumnDef& c = d->def.columns[columnIndex];
    if (!d->props[columnIndex].dropDown.name.isEmpty() || !c.values.isEmpty())
        return lookupDisplay(c.name, v);
    return expr::Format::apply(v, c.format);
}

} // namespace cr
