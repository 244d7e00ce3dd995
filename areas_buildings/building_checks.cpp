#include "areas_buildings/building_checks.h"

#include "schema/codes.h"
#include "areas_buildings/building_queries.h"
#include "frame/dataview.h"
#include "frame/ui_services.h"

#include <QDate>
#include <optional>

namespace cr::areas_buildings {
namespace {

const QString warning = QStringLiteral("警告");
const QString warningInfo = QStringLiteral("警告信息");

const QString multiStoreyFloors = QStringLiteral("楼房的地上层数必须大于1");
const QString bungalowFloors = QStringLiteral("平房的地上层数必须小于2");
const QString basementFloors = QStringLiteral("地下室的地上层数应该等于0");

// The typed text as a number; empty (or not a number) is no number.
std::optional<double> numberOf(const QString& text)
{
    bool ok = false;
    const double n = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(n) : std::nullopt;
}

std::optional<qlonglong> keyOf(const DataView& form, int row)
{
    const std::optional<double> key = form.getItemNumber(row, QStringLiteral("buildingno"));
    if (!key || *key == 0) return std::nullopt;
    return static_cast<qlonglong>(*key);
}

QString kindOf(const DataView& form, int row) { return form.getItemString(row, QStringLiteral("roomtype")); }

} // namespace

BuildingChecks::BuildingChecks(DataView& form, const BuildingQueries& queries, UiServices& ui)
    : m_form(form), m_queries(queries), m_ui(ui)
{
}

void BuildingChecks::warn(const QString& title, const QString& text)
{
    m_ui.messageBox(title, text, UiServices::Icon::Warning);
}

void BuildingChecks::cursorTo(const QString& column)
{
    m_form.setFocus();
    m_form.setColumn(column);
}

int BuildingChecks::thisYear() const { return m_currentYear > 0 ? m_currentYear : QDate::currentDate().year(); }

// --- the validated save ---------------------------------------------------------

int BuildingChecks::verify(bool adding)
{
    const int row = m_form.getRow();
    if (row < 1) return 1;
    if (verifyFloors(row) || verifyDoorWord(row) || verifyUnique(row, adding)) return 1;
    return 0;
}

int BuildingChecks::verifyFloors(int row)
{
    const QString kind = kindOf(m_form, row);
    const std::optional<double> floors = m_form.getItemNumber(row, QStringLiteral("upfloornum"));
    QString text;
    int safe = 0;
    if (kind == codes::roomtype::multiStorey && (!floors || *floors <= 1)) {
        text = multiStoreyFloors;
        safe = 2;
    } else if (kind == codes::roomtype::bungalow && floors && *floors >= 2) {
        text = bungalowFloors;
        safe = 1;
    } else if (kind == codes::roomtype::basement && floors && *floors >= 1) {
        text = basementFloors;
        safe = 0;
    } else {
        return 0;
    }
    warn(warning, text);
    m_form.setItem(row, QStringLiteral("upfloornum"), safe);
    cursorTo(QStringLiteral("upfloornum"));
    return 1;
}

int BuildingChecks::verifyDoorWord(int row)
{
    const QString word = m_form.getItemString(row, QStringLiteral("prepare3")).trimmed();
    if (word.isEmpty()) return 0;
    QString text;
    if (word.front().isDigit())
        text = QStringLiteral("楼门单位不能以数字开头！");
    else if (word.back().isDigit())
        text = QStringLiteral("楼门单位不能以数字结尾！");
    else
        return 0;
    warn(warning, text);
    cursorTo(QStringLiteral("prepare3"));
    return 1;
}

int BuildingChecks::verifyUnique(int row, bool adding)
{
    const QString name = m_form.getItemString(row, QStringLiteral("buildingname")).trimmed();
    const QString address = m_form.getItemString(row, QStringLiteral("address")).trimmed();
    const std::optional<qlonglong> self = adding ? std::nullopt : keyOf(m_form, row);
    // An empty text is nobody's name: the frame's required check speaks for it.
    if (!name.isEmpty() && m_queries.nameCount(name, self) >= 1) {
        cursorTo(QStringLiteral("buildingname"));
        warn(warningInfo, QStringLiteral("该楼院俗称已存在，请重新输入！楼院俗称不允许重复。"));
        return 1;
    }
    if (!address.isEmpty() && m_queries.addressCount(address, self) >= 1) {
        cursorTo(QStringLiteral("address"));
        warn(warningInfo, QStringLiteral("该楼院地址已存在，请重新输入！楼院地址不允许重复。"));
        return 1;
    }
    // Stored without the blanks, so that later comparisons see the same text.
    if (name != m_form.getItemString(row, QStringLiteral("buildingname")) && !name.isEmpty())
        m_form.setItem(row, QStringLiteral("buildingname"), name);
    if (address != m_form.getItemString(row, QStringLiteral("address")) && !address.isEmpty())
        m_form.setItem(row, QStringLiteral("address"), address);
    return 0;
}

// --- entries ------------------------------------------------------------------

int BuildingChecks::entry(int row, const QString& column, const QString& value, bool adding)
{
    const QString c = column.toLower();
    if (c == QLatin1String("buildingname")) return buildingNameEntered(row, value, adding);
    if (c == QLatin1String("fixedyear")) return yearEntered(row, value);
    if (c == QLatin1String("upfloornum")) return upFloorsEntered(row, value);
    if (c == QLatin1String("floorhouesnum")) return housesPerFloorEntered(row, value);
    if (c == QLatin1String("unitnum")) return doorsEntered(row, value);
    return 0;
}

int BuildingChecks::buildingNameEntered(int row, const QString& value, bool adding)
{
    const QString name = value.trimmed();
    if (name.isEmpty()) return 0;
    const std::optional<qlonglong> self = adding ? std::nullopt : keyOf(m_form, row);
    if (m_queries.nameCount(name, self) < 1) return 0;
    m_form.setItem(row, QStringLiteral("buildingname"), QVariant());
    warn(warningInfo, QStringLiteral("该楼院名称已存在，请重新输入！"));
    cursorTo(QStringLiteral("buildingname"));
    return 2;
}

int BuildingChecks::yearEntered(int row, const QString& value)
{
    const std::optional<double> year = numberOf(value);
    if (!year) return 0;
    QString text;
    if (*year > thisYear())
        text = QStringLiteral("建造年份不能大于当前日期!");
    else if (*year < 1800)
        text = QStringLiteral("建造年份不能小于1800年!");
    else
        return 0;
    m_form.setItem(row, QStringLiteral("fixedyear"), QVariant());
    warn(warningInfo, text);
    return 1;
}

int BuildingChecks::upFloorsEntered(int row, const QString& value)
{
    const QString kind = kindOf(m_form, row);
    const std::optional<double> floors = numberOf(value);
    const QString column = QStringLiteral("upfloornum");
    if (kind == codes::roomtype::multiStorey) {
        if (!floors || *floors < 2) {
            warn(warning, multiStoreyFloors);
            m_form.setItem(row, column, 2);
            return 1;
        }
        const std::optional<qlonglong> building = keyOf(m_form, row);
        if (!building) return 0;
        // Only the top stored floor is looked at: houses there would be left
        // above the roof.
        const qlonglong old = m_queries.storedFloors(*building);
        if (*floors < old && m_queries.housesOnFloor(*building, old) >= 1) {
            warn(warningInfo, QStringLiteral("该楼院已经存在房屋信息！修改后的层数不能小于原来的层数。"));
            m_form.setItem(row, column, old);
            return 1;
        }
    } else if (kind == codes::roomtype::bungalow) {
        if (floors && *floors >= 2) {
            warn(warning, bungalowFloors);
            m_form.setItem(row, column, 1);
            return 1;
        }
    } else if (kind == codes::roomtype::basement) {
        if (floors && *floors >= 1) {
            warn(warning, basementFloors);
            m_form.setItem(row, column, 0);
            return 1;
        }
    }
    return 0;
}

int BuildingChecks::housesPerFloorEntered(int row, const QString& value)
{
    const std::optional<double> houses = numberOf(value);
    if (kindOf(m_form, row) != codes::roomtype::multiStorey || (houses && *houses != 0)) return 0;
    warn(warning, QStringLiteral("楼房的每单元每层户数必须大于0"));
    m_form.setItem(row, QStringLiteral("floorhouesnum"), 1);
    return 2;
}

int BuildingChecks::doorsEntered(int row, const QString& value)
{
    const QString kind = kindOf(m_form, row);
    if (kind == codes::roomtype::bungalow || kind == codes::buildinguse::notDwelling) return 0;
    const std::optional<qlonglong> building = keyOf(m_form, row);
    if (!building) return 0;
    // An emptied door count is no doors at all.
    const double doors = numberOf(value).value_or(0);
    const qlonglong old = m_queries.storedDoors(*building);
    if (doors < old && m_queries.housesInDoor(*building, old) >= 1) {
        warn(warningInfo, QStringLiteral("该楼院已经存在房屋信息！修改后的单元数不能小于原来的单元数。"));
        m_form.setItem(row, QStringLiteral("unitnum"), old);
        return 1;
    }
    return 0;
}

} // namespace cr::areas_buildings
