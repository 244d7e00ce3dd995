#include "catalog/planned_windows.h"

#include "frame/window_registry.h"

namespace cr::catalog {
namespace {

WindowInfo planned(const char* name, const char* title, const char* group, const char* label, const char* page)
{
    return WindowInfo{.name = QLatin1String(name),
                      .title = QString::fromUtf8(title),
                      .helpTopic = QString::fromUtf8(title),
                      .navigationGroup = QString::fromUtf8(group),
                      .navigationLabel = QString::fromUtf8(label),
                      .helpPage = QLatin1String(page)};
}

} // namespace

void registerPlannedWindows(WindowRegistry& registry)
{
    const WindowInfo windows[] = {
        planned("w_m_ge_buildingdean", "楼院负责人", "负责人", "楼院负责人", "buildingdean.html"),
        planned("w_m_ge_regionalmanager", "居委会分片管理负责人", "负责人", "责任区负责人", "regionalmanager.html"),
        planned("w_m_og_inhabitantteam", "居民小组", "居民小组", "居民小组", "inhabitantteam.html"),
        // The team's scope dialog: no entry of its own, a help page.
        planned("w_inhabitantteam_scope", "居民小组所辖范围定义", "", "", "inhabitantteam.html"),
        planned("w_m_og_inhabteamleader", "居民小组长", "居民小组", "居民小组长", "inhabteamleader.html"),
    };
    for (const WindowInfo& w : windows) registry.addIfAbsent(w);
}

} // namespace cr::catalog
