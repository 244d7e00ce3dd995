#include "demo_folder_window.h"

namespace cr::scenario::demo {

DemoFolderWindow::DemoFolderWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info)
{
    replaceFrameHandler(Hook::GetFocus);
}

void DemoFolderWindow::ue_loadphoto() { uf_setenabled(QStringLiteral("cb_tempsave"), false); }

} // namespace cr::scenario::demo
