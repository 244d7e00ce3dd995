#include "rentals_sanctions/rent_registry_window.h"

#include "rentals_sanctions/rental_dates.h"

namespace cr::rentals_sanctions {
namespace {
const QString kStart = QStringLiteral("startrentdate");
const QString kEnd = QStringLiteral("endrentdate");
const QString kPersonNo = QStringLiteral("personno");
const QString kPersonName = QStringLiteral("personname");
const QString kRental = QStringLiteral("orderno");
} // namespace

RentRegistryWindow::RentRegistryWindow(const WindowContext& context, const WindowInfo& info)
    : RentalWindow(context, info)
{
}

QStringList RentRegistryWindow::tenantColumns()
{
    return {"personno", "personname", "sex",       "idcard",     "birthdate", "age",
            "polity",   "edulevel",   "contactphone", "personkind", "rpraddr",   "rprstatus"};
}

// A new tenant also belongs to its house's rental record, and rents for the
// rental's use unless told otherwise.
void RentRegistryWindow::ue_loadphoto()
{
    RentalWindow::ue_loadphoto();
    const int row = dw_1().getRow();
    if (row <= 0 || !adding()) return;
    const QVariantMap registration = m_queries.registrationOf(house(row));
    dw_1().setItem(row, kRental, registration.value(kRental));
    if (dw_1().getItem(row, QStringLiteral("houseuse")).isNull())
        dw_1().setItem(row, QStringLiteral("houseuse"), registration.value(QStringLiteral("houseuse")));
}

int RentRegistryWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    const QString c = column.toLower();
    if (c == kPersonName) return tenantTyped(row, data);
    if (c == kStart) return m_rental.refuseTyped(row, c, tenant::startTyped(RentalForm::typedDate(data)));
    if (c == kEnd) return m_rental.refuseTyped(row, c, tenant::endTyped(RentalForm::typedDate(data)));
    return 0;
}

// A tenant is a person on record: the typed name only searches. Nothing
// chosen leaves number and name empty.
int RentRegistryWindow::tenantTyped(int row, const QString& data)
{
    dw_1().setItem(row, kPersonNo, QVariant());
    openSelectPersonCondition(data, tenantColumns(), tenantCondition());
    dw_1().acceptText();
    if (dw_1().getItemString(row, kPersonNo).isEmpty()) dw_1().setItem(row, kPersonName, QVariant());
    return 2;
}

// In this order: the period, the registration's start, a tenant at all,
// the same tenant twice in one rental.
int RentRegistryWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row <= 0) return 1;
    const QDate start = dw_1().getItemDate(row, kStart);
    if (const auto refusal = tenant::period(start, dw_1().getItemDate(row, kEnd))) return m_rental.refuse(*refusal);
    const QDate registered = m_queries.registrationStart(house(row));
    if (const auto refusal = tenant::againstRegistration(start, registered)) return m_rental.refuse(*refusal);
    const QString person = dw_1().getItemString(row, kPersonNo);
    if (person.isEmpty()) return m_rental.refuse(QStringLiteral("请录入正确的租房人姓名！"));
    // The record itself is never counted: a stored tenant saved again is no
    // duplicate of itself.
    if (m_queries.tenantCount(dw_1().getItem(row, kRental), person, currentKey()) > 0)
        return m_rental.refuse(QStringLiteral("该出租记录的租房人已经存在，请重新输入！"));
    return 0;
}

} // namespace cr::rentals_sanctions
