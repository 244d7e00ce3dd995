#include "app/record_window_widget.h"

#include "app/form_view.h"
#include "app/pictures.h"
#include "frame/record_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace cr::app {
namespace {

// Where the inherited buttons stand in the tool bar: moving through the
// list, then keeping or dropping the record, then help and close.
const char* const kButtonOrder[] = {"cb_first", "cb_prior", "cb_next", "cb_last", "|",
                                    "cb_save", "cb_tempsave", "cb_roll", "|", "cb_help", "cb_exit"};

} // namespace

QString RecordWindowWidget::caption(const ControlDef& control)
{
    static const QHash<QString, QString> captions = {
        {QStringLiteral("cb_first"), QStringLiteral("第一条")}, {QStringLiteral("cb_prior"), QStringLiteral("上一条")},
        {QStringLiteral("cb_next"), QStringLiteral("下一条")}, {QStringLiteral("cb_last"), QStringLiteral("最后一条")},
        {QStringLiteral("cb_save"), QStringLiteral("保存")}, {QStringLiteral("cb_tempsave"), QStringLiteral("临时保存")},
        {QStringLiteral("cb_roll"), QStringLiteral("还原")}, {QStringLiteral("cb_help"), QStringLiteral("帮助")},
        {QStringLiteral("cb_exit"), QStringLiteral("关闭")}, {QStringLiteral("p_help"), QStringLiteral("帮助")},
        {QStringLiteral("cb_addall"), QStringLiteral("批量增加")}, {QStringLiteral("cb_deleteall"), QStringLiteral("批量删除")},
        {QStringLiteral("cb_close"), QStringLiteral("退出")}};
    if (!control.text.isEmpty()) return control.text;
    const QString known = captions.value(control.name.toLower());
    if (!known.isEmpty()) return known;
    return control.tooltip.section(QLatin1Char('('), 0, 0);
}

RecordWindowWidget::RecordWindowWidget(std::unique_ptr<RecordWindow> window, UiServices& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), m_window(std::move(window))
{
    setWindowIcon(appIcon());
    setFont(QFont(QStringList{QStringLiteral("宋体"), QStringLiteral("SimSun"), font().family()}));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = new QToolBar;
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(32, 32));
    layout->addWidget(m_toolBar);

    m_form = new FormView(m_window->dw_1(), ui);
    m_scroll = new QScrollArea;
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_form);
    m_scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_scroll, 1);

    m_status = new QLabel;
    m_status->setContentsMargins(8, 3, 8, 3);
    m_status->setStyleSheet(QStringLiteral("background: #eef3f9; color: #234;"));
    layout->addWidget(m_status);

    addControls();
    m_form->setFormButtons(m_window->controls(), [this](const QString& name) { m_window->click(name); });

    connect(m_window.get(), &Window::controlChanged, this, &RecordWindowWidget::updateControl);
    connect(m_window.get(), &Window::titleChanged, this, &RecordWindowWidget::updateTitle);
    connect(m_window.get(), &RecordWindow::modeChanged, this, &RecordWindowWidget::updateTitle);
    connect(m_window.get(), &Window::statusChanged, m_status, &QLabel::setText);
    connect(m_window.get(), &RecordWindow::recordLoaded, this, [this] {
        // A new record: the cursor goes to its first field.
        const QStringList chain = m_form->tabChain();
        if (!chain.isEmpty()) m_form->focusColumn(chain.first());
    });
    connect(m_window.get(), &Window::closed, this, [this] {
        m_closing = true;
        close();
    });
    m_status->setText(m_window->statusText());
    updateTitle();
    resize(qMax(720, m_form->sizeHint().width() + 40), qMin(760, m_form->sizeHint().height() + 140));
    QTimer::singleShot(0, this, [this] {
        const QStringList chain = m_form->tabChain();
        if (!chain.isEmpty()) m_form->focusColumn(chain.first());
    });
}

RecordWindowWidget::~RecordWindowWidget()
{
    // The form reads the window's data view: it goes first.
    delete m_scroll;
}

void RecordWindowWidget::addControls()
{
    QList<const ControlDef*> pictures;
    for (const char* name : kButtonOrder) {
        if (QLatin1String(name) == QLatin1String("|")) {
            pictures << nullptr;
            continue;
        }
        if (const ControlDef* c = m_window->control(QLatin1String(name))) pictures << c;
    }
    // Picture buttons a window adds of its own follow the inherited ones.
    for (const ControlDef& c : m_window->controls())
        if (c.kind == ControlKind::PictureButton && !pictures.contains(&c)) pictures << &c;

    for (const ControlDef* c : pictures) {
        if (!c) {
            m_toolBar->addSeparator();
            continue;
        }
        auto* action = new QAction(picture(c->picture), caption(*c), this);
        action->setObjectName(c->name);
        action->setToolTip(c->tooltip);
        if (!c->shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(c->shortcut));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        connect(action, &QAction::triggered, this, [this, name = c->name] { m_window->click(name); });
        m_toolBar->addAction(action);
        addAction(action);
        m_actions.insert(c->name, action);
        updateControl(c->name);
    }

    // Static texts and plain buttons of the window, under the form.
    auto* box = new QWidget;
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(10, 4, 10, 4);
    bool any = false;
    for (const ControlDef& c : m_window->controls()) {
        QWidget* w = nullptr;
        if (c.kind == ControlKind::Text) {
            auto* label = new QLabel(c.text);
            label->setWordWrap(true);
            label->setStyleSheet(QStringLiteral("color: #8a4b12;"));
            w = label;
        } else if (c.kind == ControlKind::Button) {
            auto* button = new QPushButton(c.text);
            connect(button, &QPushButton::clicked, this, [this, name = c.name] { m_window->click(name); });
            w = button;
        }
        if (!w) continue;
        w->setObjectName(c.name);
        boxLayout->addWidget(w);
        m_others.insert(c.name, w);
        updateControl(c.name);
        any = true;
    }
    if (any) static_cast<QVBoxLayout*>(layout())->insertWidget(2, box);
    else delete box;
}

void RecordWindowWidget::updateControl(const QString& name)
{
    const ControlDef* c = m_window->control(name);
    if (!c) return;
    if (QAction* a = m_actions.value(c->name)) {
        a->setEnabled(c->enabled);
        a->setVisible(c->visible);
        a->setToolTip(c->tooltip);
    } else if (QWidget* w = m_others.value(c->name)) {
        if (auto* label = qobject_cast<QLabel*>(w)) label->setText(c->text);
        if (auto* button = qobject_cast<QPushButton*>(w)) button->setText(c->text);
        w->setEnabled(c->enabled);
        w->setVisible(c->visible);
    } else if (c->kind == ControlKind::FormButton) {
        m_form->updateFormButton(*c);
    }
}

void RecordWindowWidget::updateTitle()
{
    const QString mode = m_window->mode();
    setWindowTitle(mode.isEmpty() ? m_window->title() : QStringLiteral("%1（%2）").arg(m_window->title(), mode));
}

void RecordWindowWidget::closeEvent(QCloseEvent* event)
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
