#include "frame/dataview_def.h"

namespace cr {

int DataViewDef::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const ColumnDef* DataViewDef::column(const QString& name) const
{
    const int i = columnIndex(name);
    return i < 0 ? nullptr : &columns[i];
}

void DataViewDef::putFirst(const QStringList& names)
{
    QList<ColumnDef> front;
    for (const QString& n : names)
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].name == n) {
                front << columns.takeAt(i);
                break;
            }
    columns = front + columns;
}

} // namespace cr
