#pragma once

#include <QString>

namespace cr {
class DataView;
}

namespace cr::areas_buildings {

// The four looks a form field can take in the building register:
//   required  background of the form's `address` field, Tag "1"
//   optional  background of the form's `note` field, empty Tag
//   grey      the locked grey, empty Tag (tab order untouched)
//   locked    grey and tab order 0
// The reference colours are read from the form itself, so a form designer
// who recolours address/note changes every state with it.
class FieldStates {
public:
    explicit FieldStates(DataView& form);

    // Reads the reference colours (the window's open).
    void readColours();

    void required(const QString& column);
    void optional(const QString& column);
    void grey(const QString& column);
    void locked(const QString& column);
    void tabOrder(const QString& column, int order);

    QString requiredColour() const { return m_required; }
    QString optionalColour() const { return m_optional; }
    QString greyColour() const { return m_grey; }

private:
    void paint(const QString& column, const QString& colour, const QString& tag);

    DataView& m_form;
    QString m_required;
    QString m_optional;
    QString m_grey;
};

} // namespace cr::areas_buildings
