#include "app/scope_dialog.h"

#include "app/desktop_ui.h"
#include "app/pictures.h"
#include "frame/window_registry.h"
#include "resident_teams/scope_tree_model.h"
#include "resident_teams/scope_window.h"
#include "resident_teams/team_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace cr::app {
namespace {

using resident_teams::ScopeTreeModel;
using resident_teams::ScopeWindow;

// Each item's picture (building, door, house, household) from the model's
// picture name; the few icons are made once.
class PictureDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString name = index.data(ScopeTreeModel::PictureRole).toString();
        if (name.isEmpty()) return;
        auto it = m_icons.constFind(name);
        if (it == m_icons.constEnd()) it = m_icons.insert(name, picture(name));
        option->icon = *it;
        option->features |= QStyleOptionViewItem::HasDecoration;
    }

private:
    mutable QHash<QString, QIcon> m_icons;
};

struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

QPushButton* pictureButton(const ControlDef* control, const QString& text)
{
    auto* button = new QPushButton(text);
    if (!control) return button;
    button->setIcon(picture(control->picture));
    button->setToolTip(control->tooltip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ScopeDialog::ScopeDialog(QWidget* parent, const AppContext& context, const StrMultiselect& parameter)
    : QDialog(parent), m_parameter(parameter)
{
    m_message.powerObjectParm = parameter;
    m_window = context.registry->create(ScopeWindow::windowName(),
                                        WindowContext{*context.sqlca, *context.ui, *context.catalog, m_message});
    ScopeWindow* scope = window();
    if (scope) scope->open();
    setWindowTitle(scope ? scope->title() : ScopeWindow::windowTitle());
    buildView();
    if (scope) connect(scope, &Window::closed, this, &QDialog::accept);
}

ScopeDialog::~ScopeDialog()
{
    // The view reads the model and the model the window's tree: both go first.
    delete m_view;
    delete m_model;
}

ScopeWindow* ScopeDialog::window() const { return qobject_cast<ScopeWindow*>(m_window.get()); }

void ScopeDialog::buildView()
{
    ScopeWindow* scope = window();
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(scope ? scope->control(QStringLiteral("st_title"))->text : QString());
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);

    auto* group = new QGroupBox(scope ? scope->control(QStringLiteral("gb_1"))->text : QString());
    auto* groupLayout = new QVBoxLayout(group);
    m_view = new QTreeView;
    m_view->setHeaderHidden(true);
    // One height for every row: the view never measures a quarter of a million items.
    m_view->setUniformRowHeights(true);
    m_view->setItemDelegate(new PictureDelegate(m_view));
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (scope) {
        m_model = new ScopeTreeModel(scope->tree());
        m_view->setModel(m_model);
        // Buildings open one level, so their doors (or a compound's houses) show.
        m_view->expandToDepth(0);
        if (m_model->rowCount() > 0) m_view->setCurrentIndex(m_model->index(0, 0));
    }
    // Enter opens or closes the current item; space ticks it.
    connect(m_view, &QTreeView::activated, this,
            [this](const QModelIndex& index) { m_view->setExpanded(index, !m_view->isExpanded(index)); });
    groupLayout->addWidget(m_view);
    layout->addWidget(group, 1);

    auto* bar = new QHBoxLayout;
    m_expandAll = new QCheckBox(scope ? scope->control(QStringLiteral("cbx_1"))->text : QStringLiteral("展开全部"));
    m_count = new QLabel(scope ? scope->control(QStringLiteral("st_msg"))->text : QString());
    auto* ok = pictureButton(scope ? scope->control(QStringLiteral("cb_ok")) : nullptr, QStringLiteral("确定"));
    auto* cancel = pictureButton(scope ? scope->control(QStringLiteral("p_cancel")) : nullptr, QStringLiteral("取消"));
    bar->addWidget(m_expandAll);
    bar->addSpacing(12);
    bar->addWidget(m_count, 1);
    bar->addWidget(ok);
    bar->addWidget(cancel);
    layout->addLayout(bar);

    if (scope) {
        connect(m_expandAll, &QCheckBox::clicked, scope, [scope] { scope->click(QStringLiteral("cbx_1")); });
        connect(scope, &ScopeWindow::expandAllChanged, this, &ScopeDialog::showExpandAll);
        connect(ok, &QPushButton::clicked, scope, [scope] { scope->click(QStringLiteral("cb_ok")); });
        connect(cancel, &QPushButton::clicked, scope, [scope] { scope->click(QStringLiteral("p_cancel")); });
    } else {
        connect(ok, &QPushButton::clicked, this, &QDialog::reject);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    for (const char* keys : {"Ctrl+Return", "Ctrl+Enter"})
        connect(new QShortcut(QKeySequence(QLatin1String(keys)), this), &QShortcut::activated, ok, &QPushButton::click);
    m_view->setFocus();
    resize(560, 640);
}

void ScopeDialog::showExpandAll(bool all)
{
    const BusyCursor busy;
    m_expandAll->setChecked(all);
    if (all) {
        m_view->expandAll();
    } else {
        m_view->collapseAll();
        m_view->expandToDepth(0);
    }
}

// Esc or closing the window: the scope stays as it was.
void ScopeDialog::reject()
{
    ScopeWindow* scope = window();
    if (scope && scope->isOpen() && !scope->answered()) {
        scope->click(QStringLiteral("p_cancel"));   // closes the window, which closes the dialog
        return;
    }
    QDialog::reject();
}

StrMultiselect ScopeDialog::answer() const
{
    if (const auto* s = std::any_cast<StrMultiselect>(&m_message.powerObjectParm); s && window() && window()->answered())
        return *s;
    StrMultiselect cancelled = m_parameter;
    cancelled.s_str = StrMultiselect::cancelMark();
    return cancelled;
}

StrMultiselect ScopeDialog::choose(QWidget* parent, const AppContext& context, const StrMultiselect& parameter)
{
    ScopeDialog dialog(parent, context, parameter);
    dialog.exec();
    return dialog.answer();
}

StrMultiselect ScopeDialog::requestForTeam(const AppContext& context, const QVariant& team)
{
    std::unique_ptr<Window> created =
        context.registry->create(resident_teams::TeamWindow::windowName(), context.windowContext());
    auto* teams = dynamic_cast<resident_teams::TeamWindow*>(created.get());
    if (!teams || team.toString().isEmpty() || !teams->openModify(team)) return {};
    return teams->scopeRequest(teams->dw_1().getRow());
}

void ScopeDialog::registerWith(DesktopUi& ui, const AppContext& context)
{
    ui.registerSelection(ScopeWindow::windowName(), [&context](QWidget* parent, const StrMultiselect& parameter) {
        return choose(parent, context, parameter);
    });
}

} // namespace cr::app
