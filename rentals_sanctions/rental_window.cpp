#include "rentals_sanctions/rental_window.h"

namespace cr::rentals_sanctions {

RentalWindow::RentalWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info), m_rental(dw_1(), context.ui), m_queries(context.sqlca)
{
}

void RentalWindow::ue_loadphoto()
{
    const int row = dw_1().getRow();
    if (row <= 0 || !adding()) return;
    m_rental.showHouse(row, m_queries.houseContext(house(row)));
}

} // namespace cr::rentals_sanctions
