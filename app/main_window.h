#pragma once

#include "app/app_context.h"
#include "app/desktop_ui.h"
#include "frame/message_object.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"

#include <QMainWindow>
#include <memory>

class QLabel;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace cr {
class Sqlca;
}

namespace cr::app {

class ListPageWidget;

// The application's main window: the navigation pane with the module's
// windows grouped by subject, each opening its list page in a tab (the
// batch window itself; windows still to come a notice), the status bar with
// the database, the community and the demo mark (also in the title), the
// menu to connect to another database, to back it up and to quit. Size and layout are remembered between runs.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(std::unique_ptr<Sqlca> sqlca, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens (or shows again) the page of a navigation entry, by its label or
    // window name; nullptr for a name the navigation does not know.
    QWidget* openPage(const QString& labelOrWindow);
    QWidget* currentPage() const;
    ListPageWidget* listPage(const QString& window) const;   // the tab's (master) list page
    QTabWidget* tabs() const { return m_tabs; }
    QTreeWidget* navigation() const { return m_navigation; }

    Sqlca& sqlca() const { return *m_sqlca; }
    const AppContext& context() const { return m_context; }
    DesktopUi& ui() { return m_ui; }

    // Replaces the database: every page closes first.
    void setDatabase(std::unique_ptr<Sqlca> sqlca);
    void connectDatabase();   // 文件 > 连接数据库…

    // Tabs keep their window name here.
    static QString pageWindow(const QWidget* page);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildDataMenu();   // import, export and printing (main_window_data.cpp)
    void buildNavigation();
    void updateStatus();
    QWidget* makePage(const QString& window, const QString& label);
    void closeTab(int index);
    void restoreLayout();
    void saveLayout() const;

    std::unique_ptr<Sqlca> m_sqlca;
    DesktopUi m_ui;
    ViewCatalog m_catalog;
    WindowRegistry m_registry;
    MessageObject m_message;
    AppContext m_context;
    QSplitter* m_split = nullptr;
    QTreeWidget* m_navigation = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_databaseLabel = nullptr;
    QLabel* m_communityLabel = nullptr;
    QLabel* m_demoLabel = nullptr;
};

} // namespace cr::app
