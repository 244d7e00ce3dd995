#include "persons_in_charge/building_coverage.h"

#include "persons_in_charge/floor_selection.h"

namespace cr::persons_in_charge {

BuildingCoverage::BuildingCoverage(const FloorLayout& layout, const QList<DeanRange>& deans) : m_layout(layout)
{
    for (const DeanRange& range : deans) {
        // A range is read as the floor dialog ticks it again: by its code,
        // or by its text when it has none.
        const FloorSelection reading(layout, StrMultiselect{.s_str = range.readable, .s_code = range.code});
        Dean dean{range, reading.ticked(), reading.staleParts()};
        if (range.code.trimmed().isEmpty() && range.readable.trimmed().isEmpty())
            dean.problems << QStringLiteral("没有选择管理范围");
        else if (!dean.problems.isEmpty())
            dean.problems.prepend(QStringLiteral("以下部分不在本楼院内或无法识别："));
        m_deans << dean;
    }
}

std::optional<BuildingCoverage> BuildingCoverage::read(Sqlca& sqlca, qlonglong building)
{
    const FloorQueries queries(sqlca);
    const std::optional<QString> kind = queries.kind(building);
    if (!kind) return std::nullopt;
    const bool byGates = FloorSelection::listFor(*kind) == FloorSelection::bungalowList();
    const std::optional<FloorLayout> layout = queries.layout(building, byGates);
    if (!layout) return std::nullopt;
    return BuildingCoverage(*layout, queries.deanRanges(building));
}

QList<int> BuildingCoverage::deansAt(const Cell& cell) const
{
    QList<int> found;
    for (int i = 0; i < m_deans.size(); ++i)
        if (m_deans[i].cells.contains(cell)) found << i;
    return found;
}

QStringList BuildingCoverage::namesAt(const Cell& cell) const
{
    QStringList names;
    for (int i : deansAt(cell)) {
        const QString& person = m_deans[i].range.person;
        names << (person.isEmpty() ? QStringLiteral("（未录入姓名）") : person);
    }
    return names;
}

BuildingCoverage::State BuildingCoverage::state(const Cell& cell) const
{
    const qsizetype n = deansAt(cell).size();
    return n == 0 ? State::Uncovered : n == 1 ? State::Covered : State::Shared;
}

int BuildingCoverage::count(State wanted) const
{
    int n = 0;
    for (const Cell& cell : m_layout.allCells())
        if (state(cell) == wanted) ++n;
    return n;
}

QString BuildingCoverage::summary() const
{
    if (cellCount() == 0) return QStringLiteral("该楼院没有填写层数，请先在“社区楼院”中补全。");
    return QStringLiteral("共%1格：无人负责%2格，多人负责%3格。")
        .arg(cellCount())
        .arg(count(State::Uncovered))
        .arg(count(State::Shared));
}

} // namespace cr::persons_in_charge
