#include "demo_windows.h"

#include "demo_folder_window.h"
#include "demo_note_window.h"
#include "frame/sqlca.h"
#include "frame/window_registry.h"

namespace cr::scenario::demo {

void registerDemoWindows(ViewCatalog& catalog, WindowRegistry& registry)
{
    registerDemoViews(catalog);
    registry.add(WindowInfo{.name = QStringLiteral("w_m_demo_folder"),
                            .title = QStringLiteral("文件夹"),
                            .listView = QStringLiteral("d_demo_folder"),
                            .formView = QStringLiteral("d_demo_folder_f"),
                            .keyColumn = QStringLiteral("folderno"),
                            .helpTopic = QStringLiteral("文件夹"),
                            .listParameter = DemoFolderWindow::listParameter(),
                            .factory = windowFactory<DemoFolderWindow>()});
    registry.add(WindowInfo{.name = QStringLiteral("w_m_demo_note"),
                            .title = QStringLiteral("便笺"),
                            .listView = QStringLiteral("d_demo_note"),
                            .formView = QStringLiteral("d_demo_note_f"),
                            .keyColumn = QStringLiteral("noteno"),
                            .helpTopic = QStringLiteral("便笺"),
                            .listParameter = QStringLiteral("DEMO_Note"),
                            .masterWindow = QStringLiteral("w_m_demo_folder"),
                            .linkColumn = QStringLiteral("folderno"),
                            .factory = windowFactory<DemoNoteWindow>()});
}

bool createDemoTables(Sqlca& sqlca, QString* error)
{
    const Dialect& d = sqlca.dialect();
    const QStringList statements = {
        QStringLiteral("CREATE TABLE demo_folder (folderno %1, commno %2, foldername %3, issave %4)")
            .arg(d.identityKeyType(), d.textType(20), d.textType(60), d.textType(1)),
        QStringLiteral("CREATE TABLE demo_note (noteno %1, commno %2, folderno INTEGER, title %3, kind %4, "
                       "pages INTEGER CHECK (pages IS NULL OR pages >= 0), body %5, issave %6, note %7)")
            .arg(d.identityKeyType(), d.textType(20), d.textType(60), d.textType(2), d.textType(400), d.textType(1),
                 d.textType(200)),
        QStringLiteral("CREATE TABLE demo_notelog (logno %1, commno %2, noteno INTEGER NOT NULL, title %3)")
            .arg(d.identityKeyType(), d.textType(20), d.textType(60)),
    };
    for (const QString& s : statements) {
        if (!sqlca.executeRaw(s)) {
            *error = sqlca.sqlErrText();
            sqlca.rollback();
            return false;
        }
    }
    return sqlca.commit() || (*error = sqlca.sqlErrText(), false);
}

} // namespace cr::scenario::demo
