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
    catalog::registerViews(s->m_catalog);
    catalog::registerWindows(s->m_windows);
    *exitCode = ExitOk;
    return s;
}

} // namespace cr::admin
