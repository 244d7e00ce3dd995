#include "app/window_widget.h"

#include "app/pictures.h"
#include "frame/window.h"

#include <QAction>
#include <QCloseEvent>
#include <QToolBar>

namespace cr::app {

QString WindowWidget::caption(const ControlDef& control)
{
    static const QHash<QString, QString> captions = {
        {QStringLiteral("cb_first"), QStringLiteral("第一条")}, {QStringLiteral("cb_prior"), QStringLiteral("上一条")},
        {QStringLiteral("cb_next"), QStringLiteral("下一条")}, {QStringLiteral("cb_last"), QStringLiteral("最后一条")},
        {QStringLiteral("cb_save"), QStringLiteral("保存")}, {QStringLiteral("cb_tempsave"), QStringLiteral("临时保存")},
        {QStringLiteral("cb_roll"), QStringLiteral("还原")}, {QStringLiteral("cb_delete"), QStringLiteral("删除")},
        {QStringLiteral("cb_help"), QStringLiteral("帮助")},
        {QStringLiteral("cb_exit"), QStringLiteral("关闭")}, {QStringLiteral("p_help"), QStringLiteral("帮助")},
        {QStringLiteral("cb_addall"), QStringLiteral("批量增加")}, {QStringLiteral("cb_deleteall"), QStringLiteral("批量删除")},
        {QStringLiteral("cb_close"), QStringLiteral("退出")}};
    if (!control.text.isEmpty()) return control.text;
    const QString known = captions.value(control.name.toLower());
    if (!known.isEmpty()) return known;
    return control.tooltip.section(QLatin1Char('('), 0, 0);
}

WindowWidget::WindowWidget(std::unique_ptr<Window> window, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_window(std::move(window))
{
    setWindowIcon(appIcon());
    m_toolBar = new QToolBar;
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(32, 32));
    connect(m_window.get(), &Window::controlChanged, this, [this](const QString& name) { updateControl(name); });
    connect(m_window.get(), &Window::closed, this, [this] {
        m_closing = true;
        close();
    });
}

WindowWidget::~WindowWidget()
{
    // Forms and tables read the window's data views: they go before it.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

QAction* WindowWidget::addButton(const ControlDef& control)
{
    auto* action = new QAction(picture(control.picture), caption(control), this);
    action->setObjectName(control.name);
    action->setToolTip(control.tooltip);
    if (!control.shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(control.shortcut));
        action->setShortcutContext(Qt::WindowShortcut);
    }
    connect(action, &QAction::triggered, this, [this, name = control.name] { m_window->click(name); });
    m_toolBar->addAction(action);
    addAction(action);
    m_actions.insert(control.name, action);
    updateButton(control.name);
    return action;
}

bool WindowWidget::updateButton(const QString& name)
{
    const ControlDef* c = m_window->control(name);
    QAction* a = c ? m_actions.value(c->name) : nullptr;
    if (!a) return false;
    a->setEnabled(c->enabled);
    a->setVisible(c->visible);
    a->setToolTip(c->tooltip);
    return true;
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    // The window decides: it asks about unsaved edits and may stay open.
    if (!m_closing && m_window->isOpen() && !m_window->close()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    emit windowClosed();
}

} // namespace cr::app
