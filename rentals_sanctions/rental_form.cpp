#include "rentals_sanctions/rental_form.h"

#include "frame/dataview.h"
#include "frame/typed_date.h"
#include "frame/ui_services.h"
#include "rentals_sanctions/rental_dates.h"

namespace cr::rentals_sanctions {

QDate RentalForm::typedDate(const QString& data)
{
    return parseTypedDate(data).value_or(QDate());
}

int RentalForm::refuse(const QString& warning) const
{
    m_ui.messageBox(kWarning, warning, UiServices::Icon::Warning);
    return 1;
}

int RentalForm::refuseTyped(int row, const QString& column, const std::optional<QString>& warning) const
{
    if (!warning) return 0;
    m_form.setItem(row, column, QVariant());
    m_ui.messageBox(kWarning, *warning, UiServices::Icon::Warning);
    m_form.setColumn(column);
    return 1;
}

void RentalForm::showHouse(int row, const QVariantMap& house) const
{
    for (auto it = house.begin(); it != house.end(); ++it)
        if (m_form.definition().column(it.key())) m_form.setItem(row, it.key(), it.value());
}

} // namespace cr::rentals_sanctions
