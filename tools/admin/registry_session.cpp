#include "tools/admin/registry_session.h"

#include "catalog/module_catalog.h"
#include "schema/schema.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/registry_check.h"

namespace cr::admin {

std::unique_ptr<RegistrySession> RegistrySession::open(const QString& argument, AdminConsole& console, int* exitCode)
{
    *exitCode = ExitFailed;
    std::unique_ptr<RegistrySession> s(new RegistrySession);
    QString error;
    s->m_db = AdminDatabase::open(argument, AdminDatabase::Mode::MustExist, &error);
    if (!s->m_db) {
        console.fail(error);
        return nullptr;
    }
    const int version = registryVersion(s->sqlca(), s->m_db->display(), &error);
    if (version == 0) {
        console.fail(error);
        return nullptr;
    }
    if (const QString mismatch = versionMismatch(version); !mismatch.isEmpty()) {
        console.fail(mismatch);
        return nullptr;
    }
    s->sqlca().setCommNo(schema::setting(s->sqlca(), QStringLiteral("commno")));
    *exitCode = ExitOk;
    return s;
}

void RegistrySession::registerModule() const
{
    if (m_registered) return;
    catalog::registerViews(m_catalog);
    catalog::registerWindows(m_windows);
    m_registered = true;
}

const ViewCatalog& RegistrySession::catalog() const
{
    registerModule();
    return m_catalog;
}

const WindowRegistry& RegistrySession::windows() const
{
    registerModule();
    return m_windows;
}

} // namespace cr::admin
