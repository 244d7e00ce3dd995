#include "resident_teams/coverage_window.h"

#include "frame/dataview.h"
#include "frame/window_registry.h"
#include "resident_teams/coverage_report.h"

namespace cr::resident_teams {
namespace {

void putCounts(DataView& view, const CoverageCounts& c)
{
    const int row = view.insertRow(0);
    view.setItem(row, QStringLiteral("area"), c.area);
    const std::pair<const char*, qlonglong> counts[] = {
        {"houses", c.houses},
        {"housesuncovered", c.housesUncovered},
        {"housesshared", c.housesShared},
        {"households", c.households},
        {"householdsuncovered", c.householdsUncovered},
        {"householdsshared", c.householdsShared},
        {"personsuncovered", c.personsUncovered},
        {"personsshared", c.personsShared},
    };
    for (const auto& [column, n] : counts) view.setItem(row, QLatin1String(column), n);
}

} // namespace

CoverageWindow::CoverageWindow(const WindowContext& context, const WindowInfo& info)
    : Window(context, info.name.isEmpty() ? windowName() : info.name, info.title.isEmpty() ? windowTitle() : info.title)
{
    addControl({.name = "cb_refresh", .kind = ControlKind::Button, .text = "刷新", .tooltip = "重新统计",
                .shortcut = "F5"},
               [this] { refresh(); });
    addControl({.name = "cb_openhouse", .kind = ControlKind::Button, .text = "打开房屋",
                .tooltip = "在房屋信息表中打开选中的房屋（也可双击）"},
               [this] { openHouse(); });
    addControl({.name = "st_msg", .kind = ControlKind::Text});
    m_areas = addDataView(QStringLiteral("dw_areas"), QStringLiteral("d_og_coverage_area"));
    m_houses = addDataView(QStringLiteral("dw_houses"), QStringLiteral("d_og_coverage_house"));
    m_houses->events().doubleClicked = [this](int row, const QString&) {
        m_houses->setRow(row);
        openHouse();
    };
}

void CoverageWindow::onOpen() { refresh(); }

bool CoverageWindow::refresh()
{
    m_areas->reset();
    m_houses->reset();
    CoverageInput input;
    QString error;
    if (!input.read(sqlca(), &error)) {
        setControlText(QStringLiteral("st_msg"), QStringLiteral("读取登记数据失败：") + error);
        return false;
    }
    const CoverageReport report = coverageReport(input);
    for (const CoverageCounts& c : report.areas) putCounts(*m_areas, c);
    putCounts(*m_areas, report.total);
    for (const CoverageGap& gap : report.gaps) {
        const int row = m_houses->insertRow(0);
        m_houses->setItem(row, QStringLiteral("area"), gap.area);
        m_houses->setItem(row, QStringLiteral("house"), gap.house);
        m_houses->setItem(row, QStringLiteral("coverage"),
                          gap.teams.isEmpty() ? QStringLiteral("未覆盖")
                                              : QStringLiteral("多组：") + gap.teams.join(QStringLiteral("、")));
        m_houses->setItem(row, QStringLiteral("houseno"), gap.houseNo);
    }
    m_areas->resetUpdate();
    m_houses->resetUpdate();
    if (m_houses->rowCount() > 0) m_houses->setRow(1);
    setControlText(QStringLiteral("st_msg"),
                   QStringLiteral("居民小组%1个；没有居民小组管辖的房屋%2处，由多个居民小组管辖的房屋%3处。"
                                  "户数和人口按户去重，人口为在世人口；一户住在两个责任区时各区都计入，合计只计一次。")
                       .arg(input.teams.size())
                       .arg(report.total.housesUncovered)
                       .arg(report.total.housesShared));
    setControlEnabled(QStringLiteral("cb_openhouse"), m_houses->rowCount() > 0);
    return true;
}

bool CoverageWindow::openHouse()
{
    const int row = m_houses->getRow();
    const std::optional<qlonglong> house = row >= 1 ? m_houses->getItemInteger(row, QStringLiteral("houseno"))
                                                    : std::nullopt;
    if (!house) return false;
    emit recordRequested(houseWindow(), *house);
    return true;
}

} // namespace cr::resident_teams
