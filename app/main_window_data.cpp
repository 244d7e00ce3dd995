// The main window's 数据 menu: importing persons and households, and
// getting the current tab's list out.
#include "app/import_dialog.h"
#include "app/list_output.h"
#include "app/main_window.h"

#include "app/list_page_widget.h"

#include <QApplication>
#include <QMenuBar>

namespace cr::app {
namespace {

// The list the menu's export and printing act on: the pane of the current
// tab that holds the focus (a detail list beneath its master), else the
// tab's own list.
ListPageWidget* focusedList(QWidget* page, ListPageWidget* tabList)
{
    QWidget* focus = QApplication::focusWidget();
    if (page && focus && page->isAncestorOf(focus))
        for (QWidget* w = focus; w && w != page; w = w->parentWidget())
            if (auto* list = qobject_cast<ListPageWidget*>(w)) return list;
    return tabList;
}

} // namespace

void MainWindow::buildDataMenu()
{
    QMenu* data = menuBar()->addMenu(QStringLiteral("数据(&D)"));
    QAction* import = data->addAction(QStringLiteral("导入人员、户籍(&I)…"), this, [this] {
        ImportDialog dialog(*m_sqlca, this);
        dialog.exec();
    });
    import->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
    data->addSeparator();
    addOutputActions(data, this, [this] {
        QWidget* page = currentPage();
        return focusedList(page, page ? listPage(pageWindow(page)) : nullptr);
    }, true);
}

} // namespace cr::app
