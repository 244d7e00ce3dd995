#pragma once

#include "rentals_sanctions/rental_window.h"

#include <QStringList>

namespace cr::rentals_sanctions {

// w_m_ge_rentregistry ("房屋出租记录"): one tenant of a rented house
// (tc_ge_rentregistry). The tenant is a person on record, chosen by name in
// the person selection (persons older than 6 only); the rental may not
// start before the house's registration does, and one person is a tenant of
// one rental once. A tenant belongs to the rental registration of its house
// and is added under it.
class RentRegistryWindow : public RentalWindow {
    Q_OBJECT
public:
    RentRegistryWindow(const WindowContext& context, const WindowInfo& info);

    // The columns the person selection fills from the chosen tenant.
    static QStringList tenantColumns();
    // Whom the person selection offers.
    static QString tenantCondition() { return QStringLiteral("age>6"); }

protected:
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    int wf_dw_verify() override;

private:
    int tenantTyped(int row, const QString& data);
};

} // namespace cr::rentals_sanctions
