#pragma once

#include <QList>
#include <QString>

namespace cr {

// What a control of a window is; the shell picks the widget from it.
enum class ControlKind {
    Button,          // a plain push button with a text
    PictureButton,   // uo_button: a picture, a tooltip, enable/disable
    Text,            // a static text (st_...)
    Calendar,        // a month calendar (mc_1)
    DataView,        // a data view placed on the window (dw_...)
    FormButton,      // a button inside a form (b_...), beside the column `column`
};

// One control of a window as plain data: the shell renders it, the scenario
// player clicks it by name, the window enables and relabels it.
struct ControlDef {
    QString name;             // cb_save, st_msg, b_selectunit ...
    ControlKind kind = ControlKind::Button;
    QString text;             // caption or static text
    QString picture;          // "bmp/cb_save.bmp"
    QString tooltip;
    QString shortcut;         // QKeySequence text: "Ctrl+S", "Esc"
    bool enabled = true;
    bool visible = true;
    QString column;           // FormButton: the form column it stands beside
};

// The controls every register window inherits, in their declaration order.
QList<ControlDef> recordWindowControls();

} // namespace cr
