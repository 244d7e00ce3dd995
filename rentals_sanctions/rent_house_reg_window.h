#pragma once

#include "rentals_sanctions/rental_window.h"

namespace cr::rentals_sanctions {

// w_m_ge_renthousereg ("出租房屋登记"): the rental terms of one rented house
// (tc_ge_renthousereg), the house shown read-only. A registration belongs
// to its house: the house register writes it when a house is marked as
// rented, and one is added by hand only under its house. The dates are
// checked while typing and at the validated save; beside the form stand the
// house's tenants and sanctions.
class RentHouseRegWindow : public RentalWindow {
    Q_OBJECT
public:
    RentHouseRegWindow(const WindowContext& context, const WindowInfo& info);

protected:
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    int wf_dw_verify() override;
};

} // namespace cr::rentals_sanctions
