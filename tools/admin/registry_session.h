#pragma once

#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "tools/admin/admin_database.h"

#include <memory>

namespace cr::admin {

class AdminConsole;

// An existing registry opened for a command that reads or writes records:
// the version checked, the office's community number set on the connection,
// every data view and window of the module known by name (made when first
// asked for: a command that needs none of them starts without).
class RegistrySession {
public:
    // nullptr after a message on the console; *exitCode then says why.
    static std::unique_ptr<RegistrySession> open(const QString& argument, AdminConsole& console, int* exitCode);

    Sqlca& sqlca() { return m_db->sqlca(); }
    const ViewCatalog& catalog() const;
    const WindowRegistry& windows() const;

private:
    RegistrySession() = default;

    std::unique_ptr<AdminDatabase> m_db;
    void registerModule() const;

    mutable bool m_registered = false;
    mutable ViewCatalog m_catalog;
    mutable WindowRegistry m_windows;
};

} // namespace cr::admin
