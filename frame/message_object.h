#pragma once

#include <QString>
#include <any>

namespace cr {

// The host's message object: how a window hands a parameter to the window or
// dialog it opens and how a dialog hands its answer back. The record window
// frame leaves the window's mode ("添加"/"修改") in stringParm; the person
// selection puts 1 (chosen) or 0 (cancelled) in doubleParm; selection dialogs
// may return a StrMultiselect in powerObjectParm.
struct MessageObject {
    QString stringParm;
    double doubleParm = 0;
    std::any powerObjectParm;

    void clear()
    {
        stringParm.clear();
        doubleParm = 0;
        powerObjectParm.reset();
    }
};

} // namespace cr
