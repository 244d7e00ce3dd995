// The main window's 数据 menu: importing persons and households, and
// getting the current tab's list out.
#include "app/import_dialog.h"
#include "app/list_output.h"
#include "app/main_window.h"

#include <QMenuBar>

namespace cr::app {

void MainWindow::buildDataMenu()
{
    QMenu* data = menuBar()->addMenu(QStringLiteral("数据(&D)"));
    QAction* import = data->addAction(QStringLiteral("导入人员、户籍(&I)…"), this, [this] {
        ImportDialog dialog(*m_sqlca, this);
        dialog.exec();
    });
    import->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
    data->addSeparator();
    addOutputActions(data, this, [this] { return currentPage() ? listPage(pageWindow(currentPage())) : nullptr; },
                     true);
}

} // namespace cr::app
