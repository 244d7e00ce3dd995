#include "exchange/list_lookup.h"

#include "frame/view_catalog.h"
#include "frame/window_registry.h"

namespace cr::exchange {

namespace {

bool isListView(const QString& name)
{
    return name.startsWith(QLatin1String("d_"), Qt::CaseInsensitive) && !name.endsWith(QLatin1String("_f"));
}

ListChoice windowList(const ViewCatalog& catalog, const WindowInfo& info)
{
    return ListChoice{catalog.find(info.listView), info.title};
}

} // namespace

ListChoice findList(const ViewCatalog& catalog, const WindowRegistry& windows, const QString& name)
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty()) return {};
    QList<const WindowInfo*> withList;
    for (const QString& w : windows.names()) {
        const WindowInfo* info = windows.find(w);
        if (info && !info->listView.isEmpty()) withList << info;
    }
    for (const WindowInfo* info : withList)
        if (info->name.compare(wanted, Qt::CaseInsensitive) == 0 || info->title == wanted
            || info->listView.compare(wanted, Qt::CaseInsensitive) == 0)
            return windowList(catalog, *info);
    // Other lists (details, persons, households) by name or title.
    for (const QString& view : catalog.names()) {
        const DataViewDef* def = catalog.find(view);
        if (isListView(view) && (view.compare(wanted, Qt::CaseInsensitive) == 0 || def->title == wanted))
            return ListChoice{def, def->title.isEmpty() ? def->name : def->title};
    }
    // A part of a window's title, when only one title holds it ("楼院" for 社区楼院).
    const WindowInfo* only = nullptr;
    for (const WindowInfo* info : withList) {
        if (!info->title.contains(wanted)) continue;
        if (only) return {};
        only = info;
    }
    return only ? windowList(catalog, *only) : ListChoice{};
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
