#include "persons_in_charge/floor_selection.h"

#include "persons_in_charge/floor_queries.h"
#include "persons_in_charge/range_code.h"
#include "persons_in_charge/range_text.h"
#include "schema/codes.h"

namespace cr::persons_in_charge {

QString FloorSelection::listFor(const QString& kind)
{
    return kind == codes::roomtype::bungalow ? bungalowList() : buildingList();
}

QString FloorSelection::filterFor(qlonglong building) { return QStringLiteral("buildingno=%1").arg(building); }

std::optional<qlonglong> FloorSelection::buildingOf(const QString& filter)
{
    static const QString column = QStringLiteral("buildingno");
    QString text = filter.trimmed();
    if (!text.startsWith(column, Qt::CaseInsensitive)) return std::nullopt;
    text = text.mid(column.size()).trimmed();
    if (!text.startsWith(QLatin1Char('='))) return std::nullopt;
    text = text.mid(1).trimmed();
    if (text.isEmpty() || text.size() > 18) return std::nullopt;
    for (const QChar c : std::as_const(text))
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    const qlonglong building = text.toLongLong();
    if (building <= 0) return std::nullopt;
    return building;
}

std::optional<FloorSelection> FloorSelection::open(Sqlca& sqlca, const StrMultiselect& parameter, QString* error)
{
    const std::optional<qlonglong> building = buildingOf(parameter.s_filter);
    const bool byGates = parameter.s_dw.trimmed().compare(bungalowList(), Qt::CaseInsensitive) == 0;
    const std::optional<FloorLayout> layout = building ? FloorQueries(sqlca).layout(*building, byGates) : std::nullopt;
    if (!layout) {
        if (error) *error = QStringLiteral("找不到要选择范围的楼院。");
        return std::nullopt;
    }
    return FloorSelection(*layout, parameter);
}

FloorSelection::FloorSelection(const FloorLayout& layout, const StrMultiselect& parameter)
    : m_layout(layout), m_parameter(parameter)
{
    preTick();
}

// The range sent is ticked again from its code; a range stored without
// one (or with one that cannot be read) from its text.
void FloorSelection::preTick()
{
    const QString code = m_parameter.s_code.trimmed();
    if (!code.isEmpty()) {
        RangeCodeError error;
        if (const auto elements = RangeCode::parse(code, &error)) {
            QList<RangeElement> outside;
            m_ticked = RangeCode::cells(m_layout, *elements, &outside);
            for (const RangeElement& e : std::as_const(outside)) m_stale << RangeText::describe(m_layout, e);
            return;
        }
        m_stale << QStringLiteral("范围代码“%1”无法识别（%2）").arg(code, error.text());
    }
    if (!m_parameter.cancelled()) m_ticked = RangeText::parse(m_layout, m_parameter.s_str, &m_stale);
}

void FloorSelection::setTicked(const Cell& cell, bool on)
{
    if (!m_layout.contains(cell)) return;
    if (on) m_ticked.insert(cell);
    else m_ticked.remove(cell);
}

void FloorSelection::toggleWhole(const Cells& whole)
{
    if (m_ticked.contains(whole)) m_ticked.subtract(whole);
    else m_ticked.unite(whole);
}

void FloorSelection::toggleDoor(int door) { toggleWhole(m_layout.doorCells(door)); }
void FloorSelection::toggleFloor(int floor) { toggleWhole(m_layout.floorCells(floor)); }

bool FloorSelection::tickReadable(const QString& text, QStringList* unread)
{
    QStringList missed;
    m_ticked = RangeText::parse(m_layout, text, &missed);
    if (unread) *unread = missed;
    return missed.isEmpty();
}

QString FloorSelection::readable() const { return RangeText::print(m_layout, m_ticked); }
QString FloorSelection::code() const { return RangeCode::print(m_layout, m_ticked); }

StrMultiselect FloorSelection::answer() const
{
    // Nothing ticked answers an empty range, which is no cancel.
    const auto text = [](const QString& t) { return t.isNull() ? QString(QLatin1String("")) : t; };
    StrMultiselect result = m_parameter;
    result.s_str = text(readable());
    result.s_filter = text(code());
    result.s_code = result.s_filter;
    return result;
}

StrMultiselect FloorSelection::cancelled() const
{
    StrMultiselect result = m_parameter;
    result.s_str = StrMultiselect::cancelMark();
    return result;
}

} // namespace cr::persons_in_charge
