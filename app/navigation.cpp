#include "app/navigation.h"

namespace cr::app {

const QList<NavigationEntry>& navigationEntries()
{
    static const QList<NavigationEntry> entries = {
        {QStringLiteral("社区基础信息"), QStringLiteral("责任区"), QStringLiteral("w_m_ge_regionalmanage")},
        {QStringLiteral("社区基础信息"), QStringLiteral("楼院"), QStringLiteral("w_m_ge_building")},
        {QStringLiteral("社区基础信息"), QStringLiteral("房屋"), QStringLiteral("w_m_ge_houseinfo")},
        {QStringLiteral("社区基础信息"), QStringLiteral("房屋信息批量维护"), QStringLiteral("w_housemanage")},
        {QStringLiteral("负责人"), QStringLiteral("楼院负责人"), QStringLiteral("w_m_ge_buildingdean")},
        {QStringLiteral("负责人"), QStringLiteral("责任区负责人"), QStringLiteral("w_m_ge_regionalmanager")},
        {QStringLiteral("居民小组"), QStringLiteral("居民小组"), QStringLiteral("w_m_og_inhabitantteam")},
        {QStringLiteral("居民小组"), QStringLiteral("居民小组长"), QStringLiteral("w_m_og_inhabteamleader")},
        {QStringLiteral("出租房屋"), QStringLiteral("出租房屋登记"), QStringLiteral("w_m_ge_renthousereg")},
        {QStringLiteral("出租房屋"), QStringLiteral("房屋出租记录"), QStringLiteral("w_m_ge_rentregistry")},
        {QStringLiteral("出租房屋"), QStringLiteral("房屋出租处罚记录"), QStringLiteral("w_m_ge_punishrecord")},
    };
    return entries;
}

const NavigationEntry* navigationEntry(const QString& labelOrWindow)
{
    for (const NavigationEntry& e : navigationEntries())
        if (e.label == labelOrWindow || e.window.compare(labelOrWindow, Qt::CaseInsensitive) == 0) return &e;
    return nullptr;
}

} // namespace cr::app
