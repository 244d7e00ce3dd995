#include "rentals_sanctions/rent_house_reg_window.h"

#include "frame/gf_functions.h"
#include "rentals_sanctions/rental_dates.h"

namespace cr::rentals_sanctions {
namespace {
const QString kStart = QStringLiteral("startrentdate");
const QString kEnd = QStringLiteral("endrentdate");
const QString kHouse = QStringLiteral("houseno");
} // namespace

RentHouseRegWindow::RentHouseRegWindow(const WindowContext& context, const WindowInfo& info)
    : RentalWindow(context, info)
{
    addDetailList(QStringLiteral("dw_tenants"), QStringLiteral("d_ge_rentregistry_house"), kHouse);
    addDetailList(QStringLiteral("dw_sanctions"), QStringLiteral("d_ge_punishrecord_house"), kHouse);
}

// One message per change, the typed date refused and its field emptied.
int RentHouseRegWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    const QString c = column.toLower();
    const QDate typed = RentalForm::typedDate(data);
    if (c == kStart)
        return m_rental.refuseTyped(row, c, registration::startTyped(typed, dw_1().getItemDate(row, kEnd), today()));
    if (c == kEnd)
        return m_rental.refuseTyped(row, c, registration::endTyped(typed, dw_1().getItemDate(row, kStart)));
    return 0;
}

int RentHouseRegWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row <= 0) return 1;
    if (const auto refusal = registration::period(dw_1().getItemDate(row, kStart), dw_1().getItemDate(row, kEnd)))
        return m_rental.refuse(*refusal);
    // A house has one registration: a second would only fail to be stored.
    if (m_queries.registrationCount(house(row), currentKey()) > 0)
        return m_rental.refuse(QStringLiteral("该房屋已经有出租登记了，请在出租房屋登记列表中修改它！"));
    return 0;
}

} // namespace cr::rentals_sanctions
