#include "persons_in_charge/regional_manager_window.h"

#include "frame/list_page.h"
#include "frame/ui_services.h"
#include "persons_in_charge/person_pick.h"
#include "persons_in_charge/same_person_count.h"

namespace cr::persons_in_charge {
namespace {
const QString kArea = QStringLiteral("regionalno");
}

RegionalManagerWindow::RegionalManagerWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info), m_states(dw_1()), m_area(*this, m_states, kArea, {"regionalname"})
{
    // The four navigation buttons hand their row to wf_scroll themselves.
    replaceFrameHandler(Hook::First);
    replaceFrameHandler(Hook::Prior);
    replaceFrameHandler(Hook::Next);
    replaceFrameHandler(Hook::Last);
}

void RegionalManagerWindow::onOpen()
{
    m_states.readColours(QStringLiteral("personname"), QStringLiteral("note"), QStringLiteral("idcard"));
}

// A manager added under an area's list belongs to that area.
void RegionalManagerWindow::ue_loadphoto() { m_area.load(false); }

int RegionalManagerWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    const QString c = column.toLower();
    if (c == kArea) {
        // The list shows the area's name: it follows the area chosen.
        m_area.chosen(row, data);
        return 0;
    }
    if (c != QLatin1String("personname")) return 0;
    PersonPick::choose(*this, row, data);
    // The typed text is not taken: the fields keep what the dialog (or the
    // cancel) put there, and the cursor stays in the name.
    return 1;
}

int RegionalManagerWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row <= 0) return 1;
    if (!PersonPick::present(*this, row)) return 1;
    const std::optional<QVariant> except =
        adding() ? std::nullopt : std::optional<QVariant>(dw_1().getItem(row, QStringLiteral("orderno")));
    const SamePerson managers{QStringLiteral("TC_GE_RegionalManager"), QStringLiteral("RegionalNo"),
                              QStringLiteral("OrderNo")};
    if (samePersonCount(sqlca(), managers, dw_1().getItem(row, kArea),
                        dw_1().getItemString(row, QStringLiteral("personno")), except) > 0) {
        ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("该人已经是该责任区负责人，请重新输入！"),
                        UiServices::Icon::Warning);
        return 1;
    }
    return 0;
}

bool RegionalManagerWindow::wf_update_after()
{
    wf_refresh_list();
    return true;
}

void RegionalManagerWindow::goTo(long row)
{
    il_row = row;
    wf_scroll();
    wf_getdata();
}

void RegionalManagerWindow::cb_first_clicked() { goTo(1); }
void RegionalManagerWindow::cb_prior_clicked() { goTo(il_row - 1); }
void RegionalManagerWindow::cb_next_clicked() { goTo(il_row + 1); }
// The last record of the list (the form itself only ever holds one row).
void RegionalManagerWindow::cb_last_clicked() { goTo(guo_tabpg_now() ? guo_tabpg_now()->rowCount() : 1); }

} // namespace cr::persons_in_charge
