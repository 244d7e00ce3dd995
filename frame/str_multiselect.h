#pragma once

#include <QString>

namespace cr {

// The selection structure handed to and back from the floor-selection and
// scope dialogs. Each dialog gives the fields its own meaning; both answer
// "$$" in s_str when the user cancels.
struct StrMultiselect {
    QString s_dw;
    QString s_str;
    QString s_filter;
    QString s_title;

    static QString cancelMark() { return QStringLiteral("$$"); }
    bool cancelled() const { return s_str == cancelMark(); }
};

} // namespace cr
