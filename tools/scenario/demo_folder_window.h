#pragma once

#include "frame/record_window.h"

namespace cr::scenario::demo {

// w_m_demo_folder: folders are always saved with the checks (the temporary
// save is off) and entering the form moves no cursor.
class DemoFolderWindow : public RecordWindow {
    Q_OBJECT
public:
    DemoFolderWindow(const WindowContext& context, const WindowInfo& info);
    static QString listParameter() { return QStringLiteral("DEMO_Folder"); }

protected:
    void ue_loadphoto() override;
};

} // namespace cr::scenario::demo
