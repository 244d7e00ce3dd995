#include "frame/window_registry.h"

#include <algorithm>

namespace cr {

void WindowRegistry::add(const WindowInfo& info)
{
    for (WindowInfo& w : m_windows) {
        if (w.name.compare(info.name, Qt::CaseInsensitive) == 0) {
            w = info;
            return;
        }
    }
    m_windows.append(info);
}

void WindowRegistry::addIfAbsent(const WindowInfo& info)
{
    if (!find(info.name)) m_windows.append(info);
}

const WindowInfo* WindowRegistry::find(const QString& name) const
{
    for (const WindowInfo& w : m_windows)
        if (w.name.compare(name, Qt::CaseInsensitive) == 0) return &w;
    return nullptr;
}

const WindowInfo* WindowRegistry::findByListView(const QString& listView) const
{
    for (const WindowInfo& w : m_windows)
        if (!w.listView.isEmpty() && w.listView.compare(listView, Qt::CaseInsensitive) == 0) return &w;
    return nullptr;
}

QStringList WindowRegistry::names() const
{
    QStringList n;
    for (const WindowInfo& w : m_windows) n << w.name;
    return n;
}

void WindowRegistry::orderNavigation(const QStringList& groups)
{
    const auto rank = [&groups](const WindowInfo& w) {
        const qsizetype i = groups.indexOf(w.navigationGroup);
        return i < 0 ? groups.size() : i;
    };
    std::stable_sort(m_windows.begin(), m_windows.end(),
                     [&rank](const WindowInfo& a, const WindowInfo& b) { return rank(a) < rank(b); });
}

QList<const WindowInfo*> WindowRegistry::navigation() const
{
    QList<const WindowInfo*> entries;
    for (const WindowInfo& w : m_windows)
        if (!w.navigationGroup.isEmpty()) entries << &w;
    return entries;
}

const WindowInfo* WindowRegistry::findEntry(const QString& labelOrName) const
{
    const QString wanted = labelOrName.trimmed();
    if (wanted.isEmpty()) return nullptr;
    if (const WindowInfo* byName = find(wanted)) return byName;
    for (const WindowInfo& w : m_windows)
        if (w.navigationLabel == wanted || w.title == wanted || w.helpTopic == wanted) return &w;
    return nullptr;
}

std::unique_ptr<Window> WindowRegistry::create(const QString& name, const WindowContext& context) const
{
    const WindowInfo* info = find(name);
    if (!info || !info->factory) return nullptr;
    return info->factory(context, *info);
}

} // namespace cr
