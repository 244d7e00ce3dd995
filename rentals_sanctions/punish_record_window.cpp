#include "rentals_sanctions/punish_record_window.h"

#include "frame/gf_functions.h"
#include "rentals_sanctions/rental_dates.h"

namespace cr::rentals_sanctions {
namespace {
const QString kDate = QStringLiteral("progdate");
const QString kHouse = QStringLiteral("houseno");
} // namespace

PunishRecordWindow::PunishRecordWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info), m_rental(dw_1(), context.ui), m_queries(context.sqlca)
{
}

// A sanction added under a rental holds only the house's key: the owner it
// shows is read here.
void PunishRecordWindow::ue_loadphoto()
{
    const int row = dw_1().getRow();
    if (row <= 0 || !adding()) return;
    m_rental.showHouse(row, m_queries.houseContext(dw_1().getItem(row, kHouse)));
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
    const QDate registered = m_queries.registrationStart(dw_1().getItem(row, kHouse));
    if (const auto refusal = sanction::againstRegistration(dw_1().getItemDate(row, kDate), registered))
        return m_rental.refuse(*refusal);
    return 0;
}

} // namespace cr::rentals_sanctions
