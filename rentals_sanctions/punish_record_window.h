#pragma once

#include "rentals_sanctions/rental_window.h"

namespace cr::rentals_sanctions {

// w_m_ge_punishrecord ("房屋出租处罚记录"): one sanction against a rented
// house (tc_ge_punishrecord): its date, cause and result, the owner shown
// for reference. A sanction is dated neither after today nor before the
// house's rental registration starts. It belongs to the registration of its
// house and is added under it.
class PunishRecordWindow : public RentalWindow {
    Q_OBJECT
public:
    PunishRecordWindow(const WindowContext& context, const WindowInfo& info);

protected:
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    int wf_dw_verify() override;
};

} // namespace cr::rentals_sanctions
