#include "app/main_window.h"

#include "app/about_box.h"
#include "app/backup_action.h"
#include "app/coverage_page.h"
#include "app/database_caption.h"
#include "app/help_dialog.h"
#include "app/last_database.h"
#include "app/list_page_widget.h"
#include "app/pictures.h"
#include "app/plain_window_widget.h"
#include "app/record_request.h"
#include "app/scope_dialog.h"
#include "app/start_database.h"
#include "catalog/module_catalog.h"
#include "frame/sqlca.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace cr::app {
namespace {

const char* const kWindowProperty = "cr_window";

QWidget* comingSoon(const QString& label)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* text = new QLabel(QStringLiteral("<h2>%1</h2><p>此功能即将推出，敬请期待。</p>").arg(label.toHtmlEscaped()));
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    return page;
}

} // namespace

MainWindow::MainWindow(std::unique_ptr<Sqlca> sqlca, QWidget* parent)
    : QMainWindow(parent), m_sqlca(std::move(sqlca))
{
    catalog::registerViews(m_catalog);
    catalog::registerWindows(m_registry);
    m_ui.setConnection(m_sqlca.get());
    m_ui.setWindows(&m_registry);
    m_ui.setFallbackParent(this);
    m_context = AppContext{m_sqlca.get(), &m_ui, &m_catalog, &m_registry, &m_message};
    ScopeDialog::registerWith(m_ui, m_context);

    setWindowIcon(appIcon());

    m_split = new QSplitter(Qt::Horizontal);
    m_navigation = new QTreeWidget;
    m_navigation->setHeaderHidden(true);
    m_navigation->setMinimumWidth(150);
    m_tabs = new QTabWidget;
    m_tabs->setTabsClosable(true);
    m_tabs->setDocumentMode(true);
    m_tabs->setMovable(true);
    m_split->addWidget(m_navigation);
    m_split->addWidget(m_tabs);
    m_split->setStretchFactor(1, 1);
    m_split->setSizes({190, 1000});
    setCentralWidget(m_split);

    buildMenus();
    buildNavigation();

    m_databaseLabel = new QLabel;
    m_communityLabel = new QLabel;
    m_demoLabel = new QLabel(QStringLiteral(" %1 ").arg(demoMark()));
    m_demoLabel->setStyleSheet(QStringLiteral("background: #c8102e; color: white; font-weight: bold; border-radius: 3px;"));
    m_demoLabel->setToolTip(QStringLiteral("这是演示用的虚构数据，不能用于实际登记"));
    statusBar()->addPermanentWidget(m_demoLabel);
    statusBar()->addPermanentWidget(m_databaseLabel);
    statusBar()->addPermanentWidget(m_communityLabel);
    updateStatus();

    connect(m_tabs, &QTabWidget::tabCloseRequested, this, &MainWindow::closeTab);
    // F6 moves between the navigation and the open page.
    auto* swap = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(swap, &QShortcut::activated, this, [this] {
        if (m_navigation->hasFocus() && m_tabs->currentWidget()) m_tabs->currentWidget()->setFocus();
        else m_navigation->setFocus();
    });
    auto* closeCurrent = new QShortcut(QKeySequence(QStringLiteral("Ctrl+W")), this);
    connect(closeCurrent, &QShortcut::activated, this, [this] { closeTab(m_tabs->currentIndex()); });

    resize(1200, 760);
    restoreLayout();
}

MainWindow::~MainWindow()
{
    // Pages hold the connection: they go before it.
    while (m_tabs->count() > 0) {
        QWidget* page = m_tabs->widget(0);
        m_tabs->removeTab(0);
        delete page;
    }
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    QAction* connectAction = file->addAction(QStringLiteral("连接数据库(&C)…"), this, &MainWindow::connectDatabase);
    connectAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    file->addAction(QStringLiteral("备份数据库(&B)…"), this, [this] { backUpDatabase(this, *m_sqlca); });
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("退出(&X)"), this, &QWidget::close);
    quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));

    buildDataMenu();

    QMenu* windows = menuBar()->addMenu(QStringLiteral("窗口(&W)"));
    QString group;
    for (const WindowInfo* e : m_registry.navigation()) {
        if (e->navigationGroup != group) {
            if (!group.isEmpty()) windows->addSeparator();
            group = e->navigationGroup;
        }
        windows->addAction(e->navigationLabel, this, [this, w = e->name] { openPage(w); });
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    QAction* contents = help->addAction(QStringLiteral("帮助目录(&C)"), this, [this] {
        QWidget* page = currentPage();
        const WindowInfo* info = page ? m_registry.find(pageWindow(page)) : nullptr;
        m_ui.showHelp(info ? info->helpTopic : QString());
    });
    contents->setShortcut(QKeySequence(QKeySequence::HelpContents));
    help->addAction(QStringLiteral("关于(&A)"), this, [this] { showAboutBox(this, *m_sqlca); });
}

void MainWindow::buildNavigation()
{
    QTreeWidgetItem* group = nullptr;
    for (const WindowInfo* e : m_registry.navigation()) {
        if (!group || group->text(0) != e->navigationGroup) {
            group = new QTreeWidgetItem(m_navigation, {e->navigationGroup});
            group->setFlags(Qt::ItemIsEnabled);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            group->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(group, {e->navigationLabel});
        item->setData(0, Qt::UserRole, e->name);
        item->setToolTip(0, e->factory ? e->title : QStringLiteral("即将推出"));
        if (!e->factory) item->setForeground(0, QColor(0x88, 0x88, 0x88));
    }
    m_navigation->expandAll();
    // Enter or a double-click opens; a single click too, as in a menu.
    connect(m_navigation, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString window = item->data(0, Qt::UserRole).toString();
        if (!window.isEmpty()) openPage(window);
    });
    connect(m_navigation, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString window = item->data(0, Qt::UserRole).toString();
        if (!window.isEmpty()) openPage(window);
    });
}

QString MainWindow::pageWindow(const QWidget* page)
{
    return page ? page->property(kWindowProperty).toString() : QString();
}

QWidget* MainWindow::currentPage() const
{
    return m_tabs->currentWidget();
}

QWidget* MainWindow::openPage(const QString& labelOrWindow)
{
    const WindowInfo* entry = m_registry.findEntry(labelOrWindow);
    if (!entry || entry->navigationGroup.isEmpty()) return nullptr;
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (pageWindow(m_tabs->widget(i)) == entry->name) {
            m_tabs->setCurrentIndex(i);
            return m_tabs->widget(i);
        }
    }
    QWidget* page = makePage(entry->name, entry->navigationLabel);
    if (!page) return nullptr;
    page->setProperty(kWindowProperty, entry->name);
    m_tabs->setCurrentIndex(m_tabs->addTab(page, entry->navigationLabel));
    page->setFocus();
    return page;
}

// The page of one window: its list (with the lists that are its details
// underneath), the window itself when it has no list, or a notice.
QWidget* MainWindow::makePage(const QString& window, const QString& label)
{
    const WindowInfo* info = m_registry.find(window);
    if (!info || !info->factory) return comingSoon(label);

    if (info->listView.isEmpty()) {
        std::unique_ptr<Window> w = m_registry.create(window, m_context.windowContext());
        if (!w) return comingSoon(label);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool opened = w->open();
        QApplication::restoreOverrideCursor();
        if (!opened) return nullptr;
        // The coverage page draws its grid itself.
        if (auto* coverage = dynamic_cast<persons_in_charge::CoverageWindow*>(w.get())) {
            w.release();
            return new CoveragePage(std::unique_ptr<persons_in_charge::CoverageWindow>(coverage), m_ui);
        }
        auto* page = new PlainWindowWidget(std::move(w), m_ui);
        // The window's own close button closes its tab.
        connect(page, &PlainWindowWidget::windowClosed, this, [this, page] {
            const int index = m_tabs->indexOf(page);
            if (index >= 0) m_tabs->removeTab(index);
            page->deleteLater();
        });
        connect(&page->window(), &Window::statusChanged, this,
                [this](const QString& text) { statusBar()->showMessage(text, 8000); });
        connect(&page->window(), &Window::recordRequested, this, [this](const QString& name, const QVariant& key) {
            openRequestedRecord(m_context, this, name, key);
        });
        return page;
    }

    auto* master = new ListPageWidget(m_context, *info);
    connect(master, &ListPageWidget::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, 8000); });
    QList<ListPageWidget*> details;
    for (const QString& name : m_registry.names()) {
        const WindowInfo* d = m_registry.find(name);
        if (d->masterWindow.compare(window, Qt::CaseInsensitive) != 0 || d->listView.isEmpty()) continue;
        auto* detail = new ListPageWidget(m_context, *d);
        detail->setMaster(master, d->linkColumn);
        connect(detail, &ListPageWidget::statusMessage, this,
                [this](const QString& text) { statusBar()->showMessage(text, 8000); });
        details << detail;
    }
    master->retrieve();
    for (ListPageWidget* d : details) d->retrieve();
    if (details.isEmpty()) return master;

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(master);
    for (ListPageWidget* d : details) {
        auto* box = new QWidget;
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 4, 0, 0);
        const WindowInfo* dInfo = &d->info();
        auto* heading = new QLabel(QStringLiteral("<b>%1</b>（当前%2的）").arg(dInfo->title, info->title));
        heading->setContentsMargins(6, 0, 0, 0);
        layout->addWidget(heading);
        layout->addWidget(d, 1);
        split->addWidget(box);
    }
    split->setFocusProxy(master);
    return split;
}

ListPageWidget* MainWindow::listPage(const QString& window) const
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        QWidget* page = m_tabs->widget(i);
        if (pageWindow(page).compare(window, Qt::CaseInsensitive) != 0) continue;
        if (auto* list = qobject_cast<ListPageWidget*>(page)) return list;
        for (ListPageWidget* list : page->findChildren<ListPageWidget*>())
            if (list->info().name.compare(window, Qt::CaseInsensitive) == 0) return list;
        return nullptr;
    }
    return nullptr;
}

void MainWindow::closeTab(int index)
{
    QWidget* page = m_tabs->widget(index);
    if (!page) return;
    // A window in the tab may keep itself open (unsaved edits).
    if (auto* plain = qobject_cast<PlainWindowWidget*>(page)) {
        plain->close();   // its windowClosed removes the tab
        return;
    }
    m_tabs->removeTab(index);
    page->deleteLater();
}

void MainWindow::updateStatus()
{
    // Which registry is open, always in sight: real entries never go into the demo.
    const DatabaseCaption caption = describeDatabase(*m_sqlca);
    setWindowTitle(caption.title);
    m_databaseLabel->setText(caption.database);
    m_communityLabel->setText(caption.community);
    m_demoLabel->setVisible(caption.demo);
}

void MainWindow::setDatabase(std::unique_ptr<Sqlca> sqlca)
{
    while (m_tabs->count() > 0) {
        QWidget* page = m_tabs->widget(0);
        m_tabs->removeTab(0);
        delete page;
    }
    m_sqlca = std::move(sqlca);
    m_ui.setConnection(m_sqlca.get());
    m_context.sqlca = m_sqlca.get();
    updateStatus();
    statusBar()->showMessage(QStringLiteral("已连接数据库 %1").arg(m_sqlca->target().display()), 8000);
}

void MainWindow::connectDatabase()
{
    std::unique_ptr<Sqlca> opened = connectInteractively(this, m_sqlca->target(), QString());
    if (!opened) return;
    setDatabase(std::move(opened));
    QSettings settings;
    rememberDatabase(settings, m_sqlca->target());   // the next start opens it again
}

void MainWindow::restoreLayout()
{
    QSettings s;
    s.beginGroup(QStringLiteral("mainwindow"));
    if (s.contains(QStringLiteral("geometry"))) restoreGeometry(s.value(QStringLiteral("geometry")).toByteArray());
    if (s.contains(QStringLiteral("state"))) restoreState(s.value(QStringLiteral("state")).toByteArray());
    if (s.contains(QStringLiteral("split"))) m_split->restoreState(s.value(QStringLiteral("split")).toByteArray());
}

void MainWindow::saveLayout() const
{
    QSettings s;
    s.beginGroup(QStringLiteral("mainwindow"));
    s.setValue(QStringLiteral("geometry"), saveGeometry());
    s.setValue(QStringLiteral("state"), saveState());
    s.setValue(QStringLiteral("split"), m_split->saveState());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (auto* plain = qobject_cast<PlainWindowWidget*>(m_tabs->widget(i))) {
            if (!plain->window().close()) {
                event->ignore();
                return;
            }
        }
    }
    saveLayout();
    event->accept();
}

} // namespace cr::app
