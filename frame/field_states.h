#pragma once

#include <QString>

namespace cr {
class DataView;

// The looks a form field takes in a register window, by name instead of
// property strings:
//   required  the required colour, Tag "1" (checked by the validated save)
//   optional  the optional colour, empty Tag
//   grey      the locked grey, empty Tag, still reachable
//   locked    grey and tab order 0
//   context   the colour of fields shown for context (edited elsewhere), empty Tag
// The colours are read from reference fields of the form itself (the
// window's open), so a form designer who recolours those fields recolours
// every state with them. Every change is checked: a column the form does
// not have is a fault (frame/fault.h).
class FieldStates {
public:
    explicit FieldStates(DataView& form);

    // Reads the reference colours; a reference the form lacks keeps the
    // house colour of frame/colors.h.
    void readColours(const QString& requiredFrom, const QString& optionalFrom, const QString& contextFrom = {});

    void required(const QString& column, const QString& tag = QStringLiteral("1"));
    void optional(const QString& column);
    void grey(const QString& column);
    void locked(const QString& column);
    void context(const QString& column);
    // Required while `on`, optional otherwise.
    void requiredIf(bool on, const QString& column) { on ? required(column) : optional(column); }

    void tabOrder(const QString& column, int order);
    // Only the background, Tag and tab order untouched.
    void paint(const QString& column, const QString& colour);

    QString requiredColour() const { return m_required; }
    QString optionalColour() const { return m_optional; }
    QString greyColour() const { return m_grey; }
    QString contextColour() const { return m_context; }

private:
    void look(const QString& column, const QString& colour, const QString& tag);

    DataView& m_form;
    QString m_required;
    QString m_optional;
    QString m_grey;
    QString m_context;
};

} // namespace cr
