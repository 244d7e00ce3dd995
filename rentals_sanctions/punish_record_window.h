#pragma once

#include "frame/record_window.h"
#include "rentals_sanctions/rental_form.h"
#include "rentals_sanctions/rental_queries.h"

namespace cr::rentals_sanctions {

// w_m_ge_punishrecord ("房屋出租处罚记录"): one sanction against a rented
// house (tc_ge_punishrecord): its date, cause and result, the owner shown
// for reference. A sanction is dated neither after today nor before the
// house's rental registration starts. It belongs to the registration of its
// house and is added under it.
class PunishRecordWindow : public RecordWindow {
    Q_OBJECT
public:
    PunishRecordWindow(const WindowContext& context, const WindowInfo& info);

protected:
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    int wf_dw_verify() override;

private:
    RentalForm m_rental;
    RentalQueries m_queries;
};

} // namespace cr::rentals_sanctions
