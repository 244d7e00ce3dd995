#pragma once

#include <QDate>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace cr {
class DataView;
class UiServices;
}

namespace cr::rentals_sanctions {

// What the three rental windows do alike with their forms.
class RentalForm {
public:
    RentalForm(DataView& form, UiServices& ui) : m_form(form), m_ui(ui) {}

    // The date the clerk typed (the frame refuses text that is no date
    // before the window sees it); invalid for an emptied field.
    static QDate typedDate(const QString& data);

    // wf_dw_verify's refusal: the warning shown, 1 answered.
    int refuse(const QString& warning) const;
    // itemchanged's refusal of a typed date: the warning shown, the field
    // emptied, the cursor kept in it (1). 0 when there is no warning.
    int refuseTyped(int row, const QString& column, const std::optional<QString>& warning) const;

    // A record added under its house shows the house: the columns of
    // `house` (RentalQueries::houseContext) that the form has.
    void showHouse(int row, const QVariantMap& house) const;

private:
    DataView& m_form;
    UiServices& m_ui;
};

} // namespace cr::rentals_sanctions
