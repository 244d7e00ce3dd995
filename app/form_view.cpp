#include "app/form_view.h"

#include "app/field_editor.h"
#include "app/pictures.h"
#include "frame/dataview.h"
#include "frame/ui_services.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace cr::app {
namespace {

QString plainLabel(const ColumnDef& def)
{
    QString label = def.label.isEmpty() ? def.heading : def.label;
    label.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return label;
}

// The label as a message names it: without line breaks and trailing colon.
QString spokenLabel(const ColumnDef& def)
{
    QString label = plainLabel(def);
    label.remove(QLatin1Char('\n')).remove(QLatin1Char(' '));
    while (label.endsWith(QLatin1Char(':')) || label.endsWith(QChar(0xFF1A))) label.chop(1);
    return label.isEmpty() ? def.name : label;
}

bool takesWholeLine(const ColumnDef& def)
{
    return def.edit == EditStyle::MultiLine || def.width >= 36;
}

// The order the fields stand in: the keyboard order the form was designed
// with. A field nobody tabs into (tab order 0) keeps its place after the
// field it follows in the definition.
QList<const ColumnDef*> layoutOrder(const DataViewDef& def)
{
    struct Placed {
        const ColumnDef* column;
        double key;
    };
    QList<Placed> placed;
    double previous = 0;
    for (const ColumnDef& c : def.columns) {
        if (!c.inForm) continue;
        previous = c.tabOrder > 0 ? c.tabOrder : previous + 0.001;
        placed.append({&c, previous});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.key < b.key; });
    QList<const ColumnDef*> order;
    for (const Placed& p : placed) order << p.column;
    return order;
}

} // namespace

FormView::FormView(DataView& view, UiServices& ui, QWidget* parent) : QWidget(parent), m_view(view), m_ui(ui)
{
    build();
    connect(&m_view, &DataView::itemChangedValue, this, [this](int row, const QString& column) {
        if (row != this->row()) return;
        if (column.isEmpty()) {
            refreshAll();
        } else if (FieldEditor* f = field(column)) {
            f->refreshValue();
        }
    });
    connect(&m_view, &DataView::rowsReset, this, &FormView::refreshAll);
    connect(&m_view, &DataView::rowInserted, this, &FormView::refreshAll);
    connect(&m_view, &DataView::rowRemoved, this, &FormView::refreshAll);
    connect(&m_view, &DataView::currentRowChanged, this, &FormView::refreshAll);
    connect(&m_view, &DataView::propertiesChanged, this, &FormView::refreshProperties);
    connect(&m_view, &DataView::focusRequested, this, [this](const QString& column) {
        // Asked for by a handler, maybe while its message box is up: move
        // the cursor once control is back in the form.
        QTimer::singleShot(0, this, [this, column] { focusColumn(column); });
    });
    // The form getting the focus from elsewhere is the data view's getfocus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const bool inside = now && isAncestorOf(now);
        if (!inside) return;
        if (!old || !isAncestorOf(old)) m_view.userFocus();
        for (FieldEditor* f : m_fields)
            if (f->isAncestorOf(now) && m_view.getColumnName() != f->column()) {
                const QSignalBlocker quiet(&m_view);   // the user put the cursor here already
                m_view.setColumn(f->column());
            }
    });
}

void FormView::build()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    QGridLayout* grid = nullptr;
    QString currentGroup;
    int gridRow = 0;
    int gridColumn = 0;
    bool first = true;

    for (const ColumnDef* column : layoutOrder(m_view.definition())) {
        const ColumnDef& def = *column;
        if (first || def.group != currentGroup) {
            // A new run of fields under one heading.
            first = false;
            currentGroup = def.group;
            QWidget* section = nullptr;
            if (def.group.isEmpty()) {
                section = new QWidget;
            } else {
                auto* box = new QGroupBox(def.group);
                section = box;
            }
            grid = new QGridLayout(section);
            if (def.group.isEmpty()) grid->setContentsMargins(0, 0, 0, 0);
            grid->setColumnStretch(1, 1);
            grid->setColumnStretch(3, 1);
            grid->setHorizontalSpacing(8);
            outer->addWidget(section);
            gridRow = 0;
            gridColumn = 0;
        }
        auto* editor = new FieldEditor(m_view, def);
        editor->setObjectName(def.name);
        editor->setRow(row());
        auto* label = new QLabel;
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(editor->focusTarget());
        m_labels.insert(def.name, label);
        m_fields.append(editor);

        auto* cell = new QWidget;
        cell->setObjectName(QStringLiteral("cell_") + def.name);
        auto* cellLayout = new QHBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 0, 0);
        cellLayout->addWidget(editor, 1);
        if (!def.suffix.isEmpty()) cellLayout->addWidget(new QLabel(def.suffix));

        const bool whole = takesWholeLine(def);
        if (whole && gridColumn != 0) {
            ++gridRow;
            gridColumn = 0;
        }
        grid->addWidget(label, gridRow, gridColumn);
        grid->addWidget(cell, gridRow, gridColumn + 1, 1, whole ? 3 : 1);
        if (whole || gridColumn == 2) {
            ++gridRow;
            gridColumn = 0;
        } else {
            gridColumn = 2;
        }

        connect(editor, &FieldEditor::typed, this,
                [this](const QString& column, const QString& text) { m_view.setPendingText(column, text); });
        connect(editor, &FieldEditor::finished, this, [this](const QString& column, const QString& text) {
            commit(column, text);
        });
        connect(editor, &FieldEditor::doubleClicked, this,
                [this](const QString& column) { m_view.userDoubleClicked(row(), column); });
        connect(editor, &FieldEditor::rebuilt, this, [this, label](const QString& column) {
            if (FieldEditor* f = field(column)) label->setBuddy(f->focusTarget());
            applyTabOrder();
            watchChildList(column);
        });
        refreshLabel(def.name);
        watchChildList(def.name);
    }
    outer->addStretch();
    applyTabOrder();
}

FieldEditor* FormView::field(const QString& column) const
{
    for (FieldEditor* f : m_fields)
        if (f->column().compare(column, Qt::CaseInsensitive) == 0) return f;
    return nullptr;
}

QLabel* FormView::label(const QString& column) const
{
    return m_labels.value(column.toLower());
}

QStringList FormView::columns() const
{
    QStringList names;
    for (FieldEditor* f : m_fields) names << f->column();
    return names;
}

int FormView::row() const
{
    const int r = m_view.getRow();
    if (r >= 1 && r <= m_view.rowCount()) return r;
    return m_view.rowCount() > 0 ? 1 : 0;
}

bool FormView::isRequiredMarked(const QString& column) const
{
    // As the validated save reads it: a Tag beginning with 1 ("1", "1-").
    return m_view.property(column, QStringLiteral("tag")).trimmed().startsWith(QLatin1Char('1'));
}

void FormView::refreshLabel(const QString& column)
{
    QLabel* l = m_labels.value(column);
    FieldEditor* f = field(column);
    if (!l || !f) return;
    const QString text = plainLabel(f->definition()).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    if (isRequiredMarked(column)) {
        l->setText(QStringLiteral("<span style=\"color:#c0161b\">*</span><b>%1</b>").arg(text));
        l->setToolTip(QStringLiteral("必填项目"));
    } else {
        l->setText(text);
        l->setToolTip(QString());
    }
}

void FormView::refreshAll()
{
    for (FieldEditor* f : m_fields) {
        f->setRow(row());
        f->refreshProperties();
        f->refreshValue();
        refreshLabel(f->column());
    }
    applyTabOrder();
}

void FormView::refreshProperties(const QString& column)
{
    if (column.isEmpty()) {
        for (FieldEditor* f : m_fields) {
            f->refreshProperties();
            refreshLabel(f->column());
            watchChildList(f->column());
        }
    } else if (FieldEditor* f = field(column)) {
        f->refreshProperties();
        refreshLabel(f->column());
        watchChildList(f->column());
    }
    applyTabOrder();
}

QStringList FormView::tabChain() const
{
    QList<FieldEditor*> reachable;
    for (FieldEditor* f : m_fields)
        if (f->isEditable()) reachable << f;
    std::stable_sort(reachable.begin(), reachable.end(), [this](FieldEditor* a, FieldEditor* b) {
        return m_view.tabOrder(a->column()) < m_view.tabOrder(b->column());
    });
    QStringList names;
    for (FieldEditor* f : reachable) names << f->column();
    return names;
}

void FormView::applyTabOrder()
{
    QWidget* previous = nullptr;
    for (const QString& column : tabChain()) {
        QWidget* target = field(column)->focusTarget();
        if (previous) QWidget::setTabOrder(previous, target);
        previous = target;
        // A form button goes right after the field it belongs to.
        for (auto it = m_buttons.constBegin(); it != m_buttons.constEnd(); ++it) {
            if (it.value()->property("cr_column").toString().compare(column, Qt::CaseInsensitive) != 0) continue;
            QWidget::setTabOrder(previous, it.value());
            previous = it.value();
        }
    }
}

void FormView::setFormButtons(const QList<ControlDef>& buttons, std::function<void(const QString&)> click)
{
    m_buttonClick = std::move(click);
    for (const ControlDef& def : buttons) {
        if (def.kind != ControlKind::FormButton) continue;
        auto* button = new QPushButton(def.text);
        button->setObjectName(def.name);
        button->setProperty("cr_column", def.column);
        button->setAutoDefault(false);
        m_buttons.insert(def.name, button);
        connect(button, &QPushButton::clicked, this, [this, name = def.name] {
            if (m_buttonClick) m_buttonClick(name);
        });
        QWidget* cell = findChild<QWidget*>(QStringLiteral("cell_") + def.column.toLower());
        if (cell) static_cast<QHBoxLayout*>(cell->layout())->addWidget(button);
        else layout()->addWidget(button);
        updateFormButton(def);
    }
    applyTabOrder();
}

void FormView::updateFormButton(const ControlDef& def)
{
    QPushButton* button = m_buttons.value(def.name);
    if (!button) return;
    button->setText(def.text);
    if (!def.picture.isEmpty()) button->setIcon(picture(def.picture));
    button->setToolTip(def.tooltip);
    button->setEnabled(def.enabled);
    button->setVisible(def.visible);
}

void FormView::focusColumn(const QString& column)
{
    FieldEditor* f = field(column);
    if (!f || !f->focusTarget()) return;
    f->focusTarget()->setFocus(Qt::OtherFocusReason);
    f->selectAllText();
}

int FormView::commit(const QString& column, const QString& text)
{
    if (m_committing) return 0;   // a message box of the handler took the focus
    m_committing = true;
    const int code = m_view.userEdit(row(), column, text);
    m_view.clearPendingText();   // the field shows the outcome below; nothing stays typed
    m_committing = false;
    FieldEditor* f = field(column);
    if (code == -1) {
        const QString name = f ? spokenLabel(f->definition()) : column;
        m_ui.messageBox(QStringLiteral("提示"), QStringLiteral("“%1”的值不正确，请重新输入！").arg(name),
                        UiServices::Icon::Warning);
    }
    // The field shows what the data view holds now: the new value, the old
    // one after a refusal, or what the handler put there instead.
    if (f) f->refreshValue();
    if ((code == 1 || code == -1) && f) {
        QPointer<FieldEditor> keep(f);
        QTimer::singleShot(0, this, [keep] {
            if (!keep || !keep->focusTarget()) return;
            keep->focusTarget()->setFocus(Qt::OtherFocusReason);
            keep->selectAllText();
        });
    }
    emit committed(column, code);
    return code;
}

void FormView::watchChildList(const QString& column)
{
    FieldEditor* f = field(column);
    if (!f || f->style() != FieldEditor::Style::DropDown) return;
    DataView* child = m_view.getChild(column);
    QPointer<QObject>& watched = m_watchedLists[column.toLower()];
    if (watched == child) return;
    if (watched) disconnect(watched, nullptr, this, nullptr);
    watched = child;
    if (!child) return;
    auto changed = [this, column] { scheduleListRefresh(column); };
    connect(child, &DataView::rowsReset, this, changed);
    connect(child, &DataView::rowInserted, this, changed);
    connect(child, &DataView::rowRemoved, this, changed);
    connect(child, &DataView::itemChangedValue, this, changed);
}

// A window fills a list row by row; the entries are read once it is done.
void FormView::scheduleListRefresh(const QString& column)
{
    if (m_pendingLists.contains(column)) return;
    m_pendingLists.insert(column);
    QTimer::singleShot(0, this, [this, column] {
        m_pendingLists.remove(column);
        if (FieldEditor* f = field(column)) f->refreshList();
    });
}

} // namespace cr::app
