#include "rentals_sanctions/punish_record_window.h"

#include "frame/gf_functions.h"
#include "rentals_sanctions/rental_dates.h"

namespace cr::rentals_sanctions {
namespace {
const QString kDate = QStringLiteral("progdate");
} // namespace

PunishRecordWindow::PunishRecordWindow(const WindowContext& context, const WindowInfo& info)
    : RentalWindow(context, info)
{
}

int PunishRecordWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    if (column.toLower() != kDate) return 0;
    return m_rental.refuseTyped(row, kDate, sanction::dateTyped(RentalForm::typedDate(data), today()));
}

int PunishRecordWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row <= 0) return 1;
    const QDate registered = m_queries.registrationStart(house(row));
    if (const auto refusal = sanction::againstRegistration(dw_1().getItemDate(row, kDate), registered))
        return m_rental.refuse(*refusal);
    return 0;
}

} // namespace cr::rentals_sanctions
