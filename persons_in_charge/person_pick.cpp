#include "persons_in_charge/person_pick.h"

#include "frame/message_object.h"
#include "frame/record_window.h"
#include "frame/ui_services.h"

namespace cr::persons_in_charge {

QStringList PersonPick::columns()
{
    return {"personno", "personname", "sex",          "idcard",     "birthdate", "age",     "nationality", "polity",
            "edulevel", "contactphone", "personkind", "isvolunteer", "rprtype",  "rpraddr", "presentaddr1"};
}

bool PersonPick::choose(RecordWindow& window, int row, const QString& typed)
{
    DataView& form = window.dw_1();
    form.setItem(row, QStringLiteral("personno"), QVariant());
    window.openSelectPerson(typed, columns());
    const double answer = window.message().doubleParm;
    const bool chosen = answer != 0 && answer != -1;
    if (!chosen) form.setItem(row, QStringLiteral("personname"), QVariant());
    form.acceptText();
    return chosen;
}

bool PersonPick::present(RecordWindow& window, int row)
{
    if (!window.dw_1().getItemString(row, QStringLiteral("personno")).isEmpty()) return true;
    window.ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("请录入姓名！"), UiServices::Icon::Warning);
    return false;
}

} // namespace cr::persons_in_charge
