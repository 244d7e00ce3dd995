#include "persons_in_charge/coverage_window.h"

#include "frame/window_registry.h"

namespace cr::persons_in_charge {

CoverageWindow::CoverageWindow(const WindowContext& context, const WindowInfo& info)
    : Window(context, info.name, info.title), m_queries(context.sqlca)
{
    setHelpTopic(info.helpTopic.isEmpty() ? info.title : info.helpTopic);
}

void CoverageWindow::onOpen()
{
    m_buildings = m_queries.buildings();
    if (!m_buildings.isEmpty()) showBuilding(m_buildings.first().buildingNo);
    else setStatus(QStringLiteral("还没有登记楼院。"));
}

bool CoverageWindow::showBuilding(qlonglong building)
{
    m_coverage = BuildingCoverage::read(sqlca(), building);
    m_current = m_coverage ? std::optional<qlonglong>(building) : std::nullopt;
    setStatus(m_coverage ? m_coverage->summary() : QStringLiteral("找不到该楼院。"));
    emit coverageChanged();
    return m_coverage.has_value();
}

void CoverageWindow::refresh()
{
    m_buildings = m_queries.buildings();
    if (m_current) showBuilding(*m_current);
    else if (!m_buildings.isEmpty()) showBuilding(m_buildings.first().buildingNo);
}

} // namespace cr::persons_in_charge
