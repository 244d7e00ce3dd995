#include "app/record_window_widget.h"

#include "app/form_view.h"
#include "app/view_table.h"
#include "frame/dataview.h"
#include "frame/record_window.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace cr::app {
namespace {

// Where the inherited buttons stand in the tool bar: moving through the
// list, then keeping or dropping the record, then help and close.
const char* const kButtonOrder[] = {"cb_first", "cb_prior", "cb_next", "cb_last", "|",
                                    "cb_save", "cb_tempsave", "cb_roll", "cb_delete", "|", "cb_help", "cb_exit"};

} // namespace

RecordWindowWidget::RecordWindowWidget(std::unique_ptr<RecordWindow> window, UiServices& ui, QWidget* parent)
    : WindowWidget(std::unique_ptr<Window>(window.get()), parent, Qt::Window), m_record(window.release())
{
    setFont(QFont(QStringList{QStringLiteral("宋体"), QStringLiteral("SimSun"), font().family()}));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar());

    m_form = new FormView(m_record->dw_1(), ui);
    m_scroll = new QScrollArea;
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_form);
    m_scroll->setFrameShape(QFrame::NoFrame);
    QWidget* details = detailLists();
    if (details) {
        auto* split = new QSplitter(Qt::Vertical);
        split->addWidget(m_scroll);
        split->addWidget(details);
        split->setStretchFactor(0, 3);
        split->setStretchFactor(1, 2);
        layout->addWidget(split, 1);
    } else {
        layout->addWidget(m_scroll, 1);
    }

    m_status = new QLabel;
    m_status->setContentsMargins(8, 3, 8, 3);
    m_status->setStyleSheet(QStringLiteral("background: #eef3f9; color: #234;"));
    layout->addWidget(m_status);

    addControls();
    m_form->setFormButtons(m_record->controls(), [this](const QString& name) { m_record->click(name); });

    connect(m_record, &Window::titleChanged, this, &RecordWindowWidget::updateTitle);
    connect(m_record, &RecordWindow::modeChanged, this, &RecordWindowWidget::updateTitle);
    connect(m_record, &Window::statusChanged, m_status, &QLabel::setText);
    connect(m_record, &RecordWindow::recordLoaded, this, [this] {
        // A new record: the cursor goes to its first field.
        const QStringList chain = m_form->tabChain();
        if (!chain.isEmpty()) m_form->focusColumn(chain.first());
    });
    m_status->setText(m_record->statusText());
    updateTitle();
    const int listsHeight = details ? 300 : 0;
    resize(qMax(720, m_form->sizeHint().width() + 40), qMin(760 + listsHeight, m_form->sizeHint().height() + 140 + listsHeight));
    QTimer::singleShot(0, this, [this] {
        const QStringList chain = m_form->tabChain();
        if (!chain.isEmpty()) m_form->focusColumn(chain.first());
    });
}

// The window's detail lists under the form, one above the other, each with
// its title and how many rows it holds; nullptr when it has none.
QWidget* RecordWindowWidget::detailLists()
{
    const QStringList names = m_record->detailLists();
    if (names.isEmpty()) return nullptr;
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    for (const QString& name : names) {
        DataView* view = m_record->dataView(name);
        if (!view) continue;
        auto* heading = new QLabel;
        heading->setObjectName(name + QStringLiteral("_heading"));
        const auto count = [heading, view] {
            heading->setText(QStringLiteral("<b>%1</b>（%2条）").arg(view->definition().title).arg(view->rowCount()));
        };
        count();
        connect(view, &DataView::rowsReset, heading, count);
        QTableView* table = makeViewTable(*view, true);
        table->setObjectName(name);
        table->setAlternatingRowColors(true);
        // Widths follow each record's rows, measured in the window's font.
        const auto fit = [table] { QTimer::singleShot(0, table, [table] { table->resizeColumnsToContents(); }); };
        fit();
        connect(view, &DataView::rowsReset, table, fit);
        layout->addWidget(heading);
        layout->addWidget(table, 1);
        m_details.insert(name.toLower(), table);
    }
    return box;
}

void RecordWindowWidget::addControls()
{
    QList<const ControlDef*> pictures;
    for (const char* name : kButtonOrder) {
        if (QLatin1String(name) == QLatin1String("|")) {
            pictures << nullptr;
            continue;
        }
        if (const ControlDef* c = m_record->control(QLatin1String(name))) pictures << c;
    }
    // Picture buttons a window adds of its own follow the inherited ones.
    for (const ControlDef& c : m_record->controls())
        if (c.kind == ControlKind::PictureButton && !pictures.contains(&c)) pictures << &c;

    for (const ControlDef* c : pictures) {
        if (c) addButton(*c);
        else toolBar()->addSeparator();
    }

    // Static texts and plain buttons of the window, under the form.
    auto* box = new QWidget;
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(10, 4, 10, 4);
    bool any = false;
    for (const ControlDef& c : m_record->controls()) {
        QWidget* w = nullptr;
        if (c.kind == ControlKind::Text) {
            auto* label = new QLabel(c.text);
            label->setWordWrap(true);
            label->setStyleSheet(QStringLiteral("color: #8a4b12;"));
            w = label;
        } else if (c.kind == ControlKind::Button) {
            auto* button = new QPushButton(c.text);
            connect(button, &QPushButton::clicked, this, [this, name = c.name] { m_record->click(name); });
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
    const ControlDef* c = m_record->control(name);
    if (!c || updateButton(name)) return;
    if (QWidget* w = m_others.value(c->name)) {
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
    const QString mode = m_record->mode();
    setWindowTitle(mode.isEmpty() ? m_record->title() : QStringLiteral("%1（%2）").arg(m_record->title(), mode));
}

} // namespace cr::app
