#pragma once

#include <QString>

namespace cr {

// The selection structure handed to and back from the floor-selection and
// scope dialogs. Each dialog gives the fields its own meaning; both answer
// "$$" in s_str when the user cancels. s_code carries the current choice in
// code form to a dialog that ticks it again (the floor selection): the code,
// not the text shown to people, is what stays readable when names change.
struct StrMultiselect {
    QString s_dw;
    QString s_str;
    QString s_filter;
    QString s_title;
    QString s_code;

    static QString cancelMark() { return QStringLiteral("$$"); }
    bool cancelled() const { return s_str == cancelMark(); }
};

} // namespace cr
