#include "persons_in_charge/building_dean_window.h"

#include "frame/message_object.h"
#include "frame/sqlca.h"
#include "frame/ui_services.h"
#include "persons_in_charge/floor_selection.h"
#include "persons_in_charge/person_pick.h"
#include "persons_in_charge/same_person_count.h"

namespace cr::persons_in_charge {
namespace {

const QString kBuilding = QStringLiteral("buildingno");
const QString kRangeName = QStringLiteral("scopename");
const QString kRangeCode = QStringLiteral("scopecode");
const QString kRangeButton = QStringLiteral("b_selectunit");

} // namespace

BuildingDeanWindow::BuildingDeanWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info),
      m_states(dw_1()),
      m_building(*this, m_states, kBuilding, {"buildingname", "address", "roomtype"}),
      m_queries(context.sqlca)
{
    addFormButton(kRangeButton, QStringLiteral(">>"), kRangeName);
    // Its range row is written under the building: once stored, the dean
    // keeps it.
    connect(this, &RecordWindow::recordSaved, this, [this] { m_building.load(true); });
}

// Only duties of persons in charge of buildings (codes 5x) are offered.
void BuildingDeanWindow::onOpen()
{
    m_states.readColours(QStringLiteral("personname"), QStringLiteral("note"), QStringLiteral("address"));
    if (dw_1().getRow() <= 0) return;
    if (DataView* duties = dw_1().getChild(QStringLiteral("duty"))) {
        duties->setFilter(QStringLiteral("Tcode like '5%'"));
        duties->filter();
    }
}

// The building stays what it is once the dean is stored (the range row is
// kept under it) or when the dean is added under a building's list.
void BuildingDeanWindow::ue_loadphoto() { m_building.load(true); }

int BuildingDeanWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    const QString c = column.toLower();
    if (c == QLatin1String("personname")) return personTyped(row, data);
    if (c == kBuilding) buildingChosen(row, data);
    return 0;
}

int BuildingDeanWindow::personTyped(int row, const QString& data)
{
    PersonPick::choose(*this, row, data);
    warnIfYoung(row);
    // The typed text is not taken: the fields keep what the dialog (or the
    // cancel) put there, and the cursor moves on.
    return 2;
}

void BuildingDeanWindow::warnIfYoung(int row)
{
    const std::optional<double> age = dw_1().getItemNumber(row, QStringLiteral("age"));
    if (age && *age < kAdultAge)
        ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("年龄太小！请确认后再保存。"), UiServices::Icon::Warning);
}

// A building chosen in the form brings its name, address and kind along; a
// range ticked for another building no longer applies.
void BuildingDeanWindow::buildingChosen(int row, const QString& data)
{
    if (!m_building.chosen(row, data)) return;
    dw_1().setItem(row, kRangeName, QVariant());
    dw_1().setItem(row, kRangeCode, QVariant());
}

void BuildingDeanWindow::dw_1_buttonclicked(int row, const QString& button)
{
    if (button.compare(kRangeButton, Qt::CaseInsensitive) == 0) chooseRange(row);
}

// b_selectunit: the doors and floors ticked in the floor dialog. They stay
// in the form until the dean is saved (wf_update_after writes them).
void BuildingDeanWindow::chooseRange(int row)
{
    DataView& form = dw_1();
    const std::optional<qlonglong> building = form.getItemInteger(row, kBuilding);
    if (!building || *building == 0) {
        ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("楼院信息不正确！无法选择管理范围"),
                        UiServices::Icon::Warning);
        return;
    }
    StrMultiselect sent;
    sent.s_dw = FloorSelection::listFor(form.getItemString(row, QStringLiteral("roomtype")));
    sent.s_str = form.getItemString(row, kRangeName);
    sent.s_filter = FloorSelection::filterFor(*building);
    sent.s_code = form.getItemString(row, kRangeCode);
    const StrMultiselect back = ui().openSelection(FloorSelection::dialogName(), sent);
    message().powerObjectParm = back;
    // Cancelled: the range stays. An empty range is taken as it comes.
    if (back.cancelled()) return;
    form.setItem(row, kRangeName, back.s_str.isNull() ? QString(QLatin1String("")) : back.s_str);
    form.setItem(row, kRangeCode, back.s_filter.isNull() ? QString(QLatin1String("")) : back.s_filter);
}

int BuildingDeanWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row <= 0) return 1;
    if (!PersonPick::present(*this, row)) return 1;
    const QVariant building = dw_1().getItem(row, kBuilding);
    const std::optional<QVariant> except =
        adding() ? std::nullopt : std::optional<QVariant>(dw_1().getItem(row, QStringLiteral("buildingmanagerno")));
    const SamePerson deans{QStringLiteral("TC_GE_BuildingDean"), QStringLiteral("BuildingNo"),
                           QStringLiteral("BuildingmanagerNo")};
    if (samePersonCount(sqlca(), deans, building, dw_1().getItemString(row, QStringLiteral("personno")), except) >= 1) {
        ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("该人已经是该楼院负责人，请重新输入！"),
                        UiServices::Icon::Warning);
        return 1;
    }
    return 0;
}

// The range is written beside the dean after each save: inserted the first
// time, changed afterwards. Inside the save's unit of work: should it fail,
// the whole save is rolled back and reported, so no dean is left stored
// without the range the clerk ticked.
bool BuildingDeanWindow::wf_update_after()
{
    const int row = dw_1().getRow();
    if (row <= 0) return true;
    const QVariant dean = dw_1().getItem(row, QStringLiteral("buildingmanagerno"));
    const QVariant building = dw_1().getItem(row, kBuilding);
    const QVariant name = dw_1().getItem(row, kRangeName);
    const QVariant code = dw_1().getItem(row, kRangeCode);
    if (m_queries.rangeRows(dean, building) == 0) {
        if (!m_queries.insertRange(dean, building, name, code))
            return failSave(QStringLiteral("新增楼院管理表单元层数范围出错！\r\n") + sqlca().sqlErrText());
    } else if (!m_queries.updateRange(dean, building, name, code)) {
        return failSave(QStringLiteral("修改楼院管理表单元层数范围出错！\r\n") + sqlca().sqlErrText());
    }
    return true;
}

} // namespace cr::persons_in_charge
