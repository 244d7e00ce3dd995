#pragma once

#include "frame/record_window.h"
#include "rentals_sanctions/rental_form.h"
#include "rentals_sanctions/rental_queries.h"

namespace cr::rentals_sanctions {

// What the rented-house, tenant and sanction windows share: each edits a
// record that belongs to a rented house (houseno), refuses dates with the
// rental warnings, and reads with the rental queries.
class RentalWindow : public RecordWindow {
    Q_OBJECT
protected:
    RentalWindow(const WindowContext& context, const WindowInfo& info);

    // A record added under its house holds only the house's key: the house
    // the form shows is read here.
    void ue_loadphoto() override;

    QVariant house(int row) const { return dw_1().getItem(row, QStringLiteral("houseno")); }

    RentalForm m_rental;
    RentalQueries m_queries;
};

} // namespace cr::rentals_sanctions
