#pragma once

#include "frame/message_object.h"
#include "frame/window.h"

namespace cr {
class Sqlca;
class UiServices;
class ViewCatalog;
class WindowRegistry;
}

namespace cr::app {

// What the shell's pages need to open windows: the connection, the dialogs,
// the data view definitions, the windows by name and the message object.
struct AppContext {
    Sqlca* sqlca = nullptr;
    UiServices* ui = nullptr;
    const ViewCatalog* catalog = nullptr;
    const WindowRegistry* registry = nullptr;
    MessageObject* message = nullptr;

    WindowContext windowContext() const { return WindowContext{*sqlca, *ui, *catalog, *message}; }
};

} // namespace cr::app
