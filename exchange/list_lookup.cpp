#include "exchange/list_lookup.h"

#include "frame/view_catalog.h"
#include "frame/window_registry.h"

namespace cr::exchange {

ListChoice findList(const ViewCatalog& catalog, const WindowRegistry& windows, const QString& name)
{
    const QString wanted = name.trimmed();
    ListChoice choice;
    for (const QString& w : windows.names()) {
        const WindowInfo* info = windows.find(w);
        if (!info || info->listView.isEmpty()) continue;
        if (info->name.compare(wanted, Qt::CaseInsensitive) == 0 || info->title == wanted
            || info->listView.compare(wanted, Qt::CaseInsensitive) == 0) {
            choice.view = catalog.find(info->listView);
            choice.title = info->title;
            return choice;
        }
    }
    // A list view no window shows (a detail list, a report list).
    if (wanted.startsWith(QLatin1String("d_"), Qt::CaseInsensitive) && !wanted.endsWith(QLatin1String("_f"))) {
        choice.view = catalog.find(wanted);
        if (choice.view) choice.title = choice.view->title.isEmpty() ? choice.view->name : choice.view->title;
    }
    return choice;
}

QStringList listNames(const WindowRegistry& windows)
{
    QStringList names;
    for (const QString& w : windows.names()) {
        const WindowInfo* info = windows.find(w);
        if (info && !info->listView.isEmpty()) names << QStringLiteral("%1（%2）").arg(info->title, info->listView);
    }
    return names;
}

} // namespace cr::exchange
