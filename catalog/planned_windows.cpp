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
        planned("w_m_ge_renthousereg", "出租房屋登记", "出租房屋", "出租房屋登记", "renthousereg.html"),
        planned("w_m_ge_rentregistry", "房屋出租记录", "出租房屋", "房屋出租记录", "rentregistry.html"),
        planned("w_m_ge_punishrecord", "房屋出租处罚记录", "出租房屋", "房屋出租处罚记录", "punishrecord.html"),
    };
    for (const WindowInfo& w : windows) registry.addIfAbsent(w);
}

} // namespace cr::catalog
