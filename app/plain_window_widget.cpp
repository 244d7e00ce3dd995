#include "app/plain_window_widget.h"

#include "app/form_view.h"
#include "frame/dataview.h"
#include "frame/dataview_model.h"
#include "frame/window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace cr::app {
namespace {

bool isForm(const DataView& view)
{
    return view.definition().name.endsWith(QLatin1String("_f"), Qt::CaseInsensitive);
}

} // namespace

PlainWindowWidget::PlainWindowWidget(std::unique_ptr<Window> window, UiServices& ui, QWidget* parent)
    : WindowWidget(std::move(window), parent)
{
    setWindowTitle(this->window().title());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolBar());

    for (const ControlDef& c : this->window().controls()) {
        if (c.kind == ControlKind::PictureButton || c.kind == ControlKind::Button) {
            addButton(c);
        } else if (c.kind == ControlKind::Text) {
            auto* label = new QLabel(c.text);
            label->setObjectName(c.name);
            label->setWordWrap(true);
            label->setContentsMargins(8, 2, 8, 2);
            m_texts.insert(c.name, label);
            layout->addWidget(label);
            updateControl(c.name);
        }
    }

    // The first list on the left; forms, then the other lists, on the right.
    // A report without forms reads top to bottom: its lists one above the other.
    auto* split = new QSplitter(Qt::Horizontal);
    auto* right = new QSplitter(Qt::Vertical);
    QStringList forms;
    QStringList lists;
    for (const QString& name : this->window().dataViewNames()) {
        DataView* view = this->window().dataView(name);
        if (!view) continue;
        (isForm(*view) ? forms : lists) << name;
    }
    const int first = int(lists.indexOf(QStringLiteral("dw_1")));
    if (first > 0) lists.move(first, 0);
    if (forms.isEmpty() && lists.size() > 1) split->setOrientation(Qt::Vertical);
    if (!lists.isEmpty()) {
        const QString name = lists.takeFirst();
        split->addWidget(viewWidget(name, *this->window().dataView(name), ui));
    }
    for (const QString& name : forms + lists) right->addWidget(viewWidget(name, *this->window().dataView(name), ui));
    if (right->count() > 0) split->addWidget(right);
    else delete right;
    split->setStretchFactor(0, 1);
    split->setStretchFactor(split->count() - 1, 3);
    layout->addWidget(split, 1);

    connect(&this->window(), &Window::titleChanged, this, &QWidget::setWindowTitle);
}

QWidget* PlainWindowWidget::viewWidget(const QString& name, DataView& view, UiServices& ui)
{
    if (isForm(view)) {
        auto* form = new FormView(view, ui);
        m_forms.insert(name.toLower(), form);
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setWidget(form);
        return scroll;
    }
    auto* table = new QTableView;
    auto* model = new DataViewModel(&view, false, table);
    table->setModel(model);
    table->setObjectName(name);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    bool ownNumbers = false;
    for (int c = 0; c < model->columnCount(); ++c) {
        const ColumnDef& def = view.definition().columns.value(model->viewColumn(c));
        ownNumbers = ownNumbers || def.compute.trimmed().compare(QLatin1String("getrow()"), Qt::CaseInsensitive) == 0;
    }
    table->verticalHeader()->setVisible(!ownNumbers);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->resizeColumnsToContents();
    m_tables.insert(name.toLower(), table);
    // The user's row becomes the view's current row (its rowfocuschanged),
    // and a row the window makes current is shown selected.
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [&view](const QModelIndex& current) {
                if (current.isValid() && view.getRow() != current.row() + 1) view.setRow(current.row() + 1);
            });
    connect(&view, &DataView::currentRowChanged, table, [table](int row) {
        if (row < 1 || row > table->model()->rowCount()) return;
        if (table->currentIndex().row() == row - 1) return;
        table->selectRow(row - 1);
    });
    connect(table, &QTableView::doubleClicked, this, [&view, model](const QModelIndex& index) {
        view.userDoubleClicked(index.row() + 1, view.definition().columns.value(model->viewColumn(index.column())).name);
    });
    return table;
}

void PlainWindowWidget::updateControl(const QString& name)
{
    const ControlDef* c = window().control(name);
    if (!c || updateButton(name)) return;
    if (auto* label = qobject_cast<QLabel*>(m_texts.value(c->name))) {
        label->setText(c->text);
        label->setVisible(c->visible && !c->text.isEmpty());
    }
}

} // namespace cr::app
