#pragma once

#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "tools/admin/admin_database.h"

#include <memory>

namespace cr::admin {

class AdminConsole;

// An existing registry opened for a command that reads or writes records:
// the version checked, the office's community number set on the connection,
// every data view and window of the module known by name.
class RegistrySession {
public:
    // nullptr after a message on the console; *exitCode then says why.
    static std::unique_ptr<RegistrySession> open(const QString& argument, AdminConsole& console, int* exitCode);

    Sqlca& sqlca() { return m_db->sqlca(); }
    const ViewCatalog& catalog() const { return m_catalog; }
    const WindowRegistry& windows() const { return m_windows; }

private:
    RegistrySession() = default;

    std::unique_ptr<AdminDatabase> m_db;
    ViewCatalog m_catalog;
    WindowRegistry m_windows;
};

} // namespace cr::admin
