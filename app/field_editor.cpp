#include "app/field_editor.h"

#include "frame/dataview.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QCheckBox>
#include <QToolButton>
#include <QWidgetAction>

namespace cr::app {
namespace {

bool yes(const QString& text)
{
    const QString t = text.trimmed().toLower();
    return t == QLatin1String("yes") || t == QLatin1String("true") || t == QLatin1String("1");
}

} // namespace

QColor FieldEditor::colourFromNumber(const QString& number)
{
    bool ok = false;
    const long n = number.trimmed().toLong(&ok);
    if (!ok || n < 0) return {};
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

FieldEditor::FieldEditor(DataView& view, const ColumnDef& def, QWidget* parent)
    : QWidget(parent), m_view(view), m_def(def)
{
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_style = wantedStyle();
    build();
}

// The edit style in force: a column turns into a drop-down list as soon as
// a lookup list is named for it, and back when the name is removed.
FieldEditor::Style FieldEditor::wantedStyle() const
{
    if (!m_view.dropDown(m_def.name).name.trimmed().isEmpty()) return Style::DropDown;
    switch (m_def.edit) {
    case EditStyle::MultiLine: return Style::MultiLine;
    case EditStyle::CodeList: return Style::CodeList;
    case EditStyle::RadioButtons: return Style::Radio;
    case EditStyle::CheckBox: return Style::Check;
    case EditStyle::Date: return Style::Date;
    case EditStyle::DropDown: return Style::DropDown;
    case EditStyle::Edit: break;
    }
    if (m_def.kind == ColumnKind::Date || m_def.kind == ColumnKind::DateTime) return Style::Date;
    if (m_def.kind == ColumnKind::Integer || m_def.kind == ColumnKind::Decimal) return Style::Number;
    return Style::Line;
}

void FieldEditor::build()
{
    // The old editor may be the one whose signal brought us here: it goes
    // once control is back in the event loop.
    m_rebuilding = true;
    QWidget* focused = QApplication::focusWidget();
    const bool hadFocus = m_editor && focused && (focused == m_editor || m_editor->isAncestorOf(focused));
    if (m_editor) {
        focusTarget()->removeEventFilter(this);
        if (m_combo && m_combo->lineEdit()) m_combo->lineEdit()->removeEventFilter(this);
        m_editor->hide();
        m_layout->removeWidget(m_editor);
        m_editor->deleteLater();
    }
    if (m_calendarButton) {
        m_calendarButton->hide();
        m_calendarButton->deleteLater();
    }
    m_line = nullptr;
    m_text = nullptr;
    m_combo = nullptr;
    m_buttons = nullptr;
    m_calendarButton = nullptr;
    m_dropName.clear();

    switch (m_style) {
    case Style::Line:
    case Style::Number:
    case Style::Date: {
        m_line = new QLineEdit;
        if (m_style == Style::Number) m_line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (m_style == Style::Date) m_line->setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
        // Typing stops at the column's length; the frame refuses what gets past.
        if (m_style == Style::Line && m_def.kind == ColumnKind::Text && m_def.maxLength > 0)
            m_line->setMaxLength(m_def.maxLength);
        if (m_def.width > 0) m_line->setMinimumWidth(m_line->fontMetrics().averageCharWidth() * qMin(m_def.width, 40));
        connect(m_line, &QLineEdit::textEdited, this, &FieldEditor::setDirty);
        connect(m_line, &QLineEdit::returnPressed, this, &FieldEditor::finish);
        m_editor = m_line;
        if (m_style == Style::Date) {
            // The window's month calendar (mc_1) pops up under the field.
            m_calendarButton = new QToolButton;
            m_calendarButton->setText(QStringLiteral("…"));
            m_calendarButton->setToolTip(QStringLiteral("选择日期"));
            m_calendarButton->setFocusPolicy(Qt::NoFocus);
            connect(m_calendarButton, &QToolButton::clicked, this, &FieldEditor::popUpCalendar);
        }
        break;
    }
    case Style::MultiLine:
        m_text = new QPlainTextEdit;
        m_text->setTabChangesFocus(true);
        m_text->setMaximumHeight(m_text->fontMetrics().height() * 4 + 12);
        connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
            if (!m_settingValue) setDirty(m_text->toPlainText());
        });
        m_editor = m_text;
        break;
    case Style::DropDown:
    case Style::CodeList:
        m_combo = new QComboBox;
        m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_combo->setMinimumContentsLength(8);
        connect(m_combo, &QComboBox::activated, this, [this](int) {
            if (m_settingValue) return;
            m_dirty = true;
            finish();
        });
        m_editor = m_combo;
        break;
    case Style::Radio:
    case Style::Check: {
        auto* box = new QWidget;
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(2, 0, 2, 0);
        m_buttons = new QButtonGroup(box);
        if (m_style == Style::Check) {
            auto* check = new QCheckBox;
            m_buttons->addButton(check, 0);
            m_buttons->setExclusive(false);
            row->addWidget(check);
        } else {
            const QList<CodeValue> values = m_def.values;
            for (int i = 0; i < values.size(); ++i) {
                auto* radio = new QRadioButton(values[i].display);
                m_buttons->addButton(radio, i);
                row->addWidget(radio);
            }
        }
        row->addStretch();
        connect(m_buttons, &QButtonGroup::idClicked, this, [this](int) {
            if (m_settingValue) return;
            m_dirty = true;
            finish();
        });
        box->setAutoFillBackground(true);
        m_editor = box;
        break;
    }
    }
    m_layout->insertWidget(0, m_editor, 1);
    if (m_calendarButton) m_layout->insertWidget(1, m_calendarButton);
    m_rebuilding = false;
    focusTarget()->installEventFilter(this);
    setFocusProxy(focusTarget());
    if (hadFocus) focusTarget()->setFocus(Qt::OtherFocusReason);
    if (m_combo) refreshList();
    applyLook();
    refreshValue();
    emit rebuilt(m_def.name);
}

QWidget* FieldEditor::focusTarget() const
{
    if (m_buttons && !m_buttons->buttons().isEmpty()) return m_buttons->buttons().first();
    return m_editor.data();
}

void FieldEditor::refreshProperties()
{
    const Style wanted = wantedStyle();
    if (wanted != m_style) {
        m_style = wanted;
        build();   // also applies the look and the list
        return;
    }
    if (m_combo && m_view.dropDown(m_def.name).name.trimmed() != m_dropName) refreshList();
    applyLook();
}

// Background colour, required marking is the form's; here: whether the
// field takes input, and the drop-down's visible lines and typing.
void FieldEditor::applyLook()
{
    const bool viewReadOnly = m_view.isReadOnly();
    m_editable = !viewReadOnly && !m_def.readOnly && m_view.tabOrder(m_def.name) > 0;
    const auto number = m_view.backgroundColor(m_row, m_view.definition().columnIndex(m_def.name));
    const QColor background = number ? colourFromNumber(QString::number(*number)) : QColor();
    const DropDownDef dropDown = m_view.dropDown(m_def.name);

    QWidget* target = m_editor;
    QPalette pal = target->palette();
    if (background.isValid()) {
        pal.setColor(QPalette::Base, background);
        pal.setColor(QPalette::Window, background);
        pal.setColor(QPalette::Button, background);
    } else {
        pal = QPalette();
    }
    if (!m_editable) pal.setColor(QPalette::Text, QColor(0x40, 0x40, 0x40));
    target->setPalette(pal);
    for (QWidget* child : target->findChildren<QWidget*>()) child->setPalette(pal);

    const Qt::FocusPolicy focus = m_editable ? Qt::StrongFocus : Qt::NoFocus;
    if (m_line) {
        m_line->setReadOnly(!m_editable);
        m_line->setFocusPolicy(m_editable ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (m_calendarButton) m_calendarButton->setEnabled(m_editable);
    if (m_text) {
        m_text->setReadOnly(!m_editable);
        m_text->setFocusPolicy(m_editable ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (m_combo) {
        const bool typing = m_style == Style::DropDown && dropDown.allowEdit;
        if (m_combo->isEditable() != typing) {
            m_combo->setEditable(typing);
            if (typing) {
                m_combo->setInsertPolicy(QComboBox::NoInsert);
                m_combo->lineEdit()->installEventFilter(this);
                connect(m_combo->lineEdit(), &QLineEdit::textEdited, this, &FieldEditor::setDirty);
                connect(m_combo->lineEdit(), &QLineEdit::returnPressed, this, &FieldEditor::finish);
            }
        }
        m_combo->setEnabled(true);
        m_combo->setFocusPolicy(focus);
        if (!m_editable) m_combo->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        else m_combo->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        m_combo->setMaxVisibleItems(dropDown.lines > 0 ? dropDown.lines : 10);
        m_combo->view()->setVerticalScrollBarPolicy(dropDown.vscrollBar ? Qt::ScrollBarAsNeeded
                                                                       : Qt::ScrollBarAlwaysOff);
        if (typing && dropDown.limit > 0) m_combo->lineEdit()->setMaxLength(dropDown.limit);
    }
    if (m_buttons) {
        for (QAbstractButton* b : m_buttons->buttons()) {
            b->setEnabled(true);
            b->setFocusPolicy(focus);
            b->setAttribute(Qt::WA_TransparentForMouseEvents, !m_editable);
        }
    }
}

QList<CodeValue> FieldEditor::listEntries()
{
    if (m_style == Style::CodeList || m_style == Style::Radio) return m_def.values;
    QList<CodeValue> entries;
    DataView* child = m_view.getChild(m_def.name);
    if (!child) return m_def.values;
    const DropDownDef dropDown = m_view.dropDown(m_def.name);
    const QString display = dropDown.displayColumn.trimmed();
    const QString data = dropDown.dataColumn.trimmed();
    for (int r = 1; r <= child->rowCount(); ++r) {
        const QString shown = child->getItem(r, display.isEmpty() ? data : display).toString();
        QString stored = child->getItem(r, data.isEmpty() ? display : data).toString();
        entries.append({shown, stored});
    }
    return entries;
}

void FieldEditor::refreshList()
{
    if (!m_combo) return;
    m_dropName = m_view.dropDown(m_def.name).name.trimmed();
    m_entries = listEntries();
    m_settingValue = true;
    m_combo->clear();
    m_combo->addItem(QString(), QString());   // lets the user empty the field
    for (const CodeValue& e : m_entries) m_combo->addItem(e.display, e.data);
    m_settingValue = false;
    refreshValue();
}

QString FieldEditor::rawText() const
{
    const QVariant v = m_view.getItem(m_row, m_def.name);
    if (!v.isValid() || v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (v.typeId() == QMetaType::Double) return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

void FieldEditor::refreshValue()
{
    m_settingValue = true;
    m_dirty = false;
    const bool hasRow = m_row >= 1 && m_row <= m_view.rowCount();
    const QString raw = hasRow ? rawText() : QString();
    if (m_line) {
        // While the user is in a number field it shows the plain number;
        // elsewhere the field's display format.
        const bool editing = m_line->hasFocus() && m_editable;
        m_line->setText(!hasRow ? QString() : editing ? raw : m_view.displayText(m_row, m_def.name));
    } else if (m_text) {
        if (m_text->toPlainText() != raw) m_text->setPlainText(raw);
    } else if (m_combo) {
        int index = raw.isEmpty() ? 0 : m_combo->findData(raw);
        if (index < 0) {
            // A stored code the list does not offer still shows as stored.
            const QString shown = hasRow ? m_view.displayText(m_row, m_def.name) : raw;
            if (m_combo->isEditable()) {
                m_combo->setCurrentIndex(-1);
                m_combo->setEditText(shown.isEmpty() ? raw : shown);
            } else {
                m_combo->addItem(shown.isEmpty() ? raw : shown, raw);
                index = m_combo->count() - 1;
            }
        }
        if (index >= 0) m_combo->setCurrentIndex(index);
    } else if (m_buttons) {
        if (m_style == Style::Check) {
            m_buttons->button(0)->setChecked(yes(raw));
        } else {
            m_buttons->setExclusive(false);
            for (int i = 0; i < m_def.values.size(); ++i)
                m_buttons->button(i)->setChecked(m_def.values[i].data == raw);
            m_buttons->setExclusive(true);
        }
    }
    m_settingValue = false;
}

QString FieldEditor::editText() const
{
    if (m_line) return m_line->text();
    if (m_text) return m_text->toPlainText();
    if (m_combo) {
        if (m_combo->isEditable()) {
            // Typed text that names an entry stands for that entry's data.
            const QString typed = m_combo->currentText();
            for (const CodeValue& e : m_entries)
                if (e.display == typed) return e.data;
            return typed;
        }
        return m_combo->currentData().toString();
    }
    if (m_buttons) {
        if (m_style == Style::Check) return m_buttons->button(0)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        const int id = m_buttons->checkedId();
        return id >= 0 && id < m_def.values.size() ? m_def.values[id].data : QString();
    }
    return {};
}

void FieldEditor::setDirty(const QString& text)
{
    if (m_settingValue) return;
    m_dirty = true;
    emit typed(m_def.name, m_combo && m_combo->isEditable() ? editText() : text);
}

void FieldEditor::finish()
{
    if (!m_dirty || !m_editable) return;
    m_dirty = false;
    emit finished(m_def.name, editText());
}

void FieldEditor::selectAllText()
{
    if (m_line) m_line->selectAll();
    else if (m_text) m_text->selectAll();
    else if (m_combo && m_combo->isEditable()) m_combo->lineEdit()->selectAll();
}

bool FieldEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (m_rebuilding) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn && m_line && watched == m_line && m_editable && !m_dirty) {
        // Show the plain value for editing.
        m_settingValue = true;
        m_line->setText(rawText());
        m_settingValue = false;
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        emit doubleClicked(m_def.name);
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A popup (the drop-down list, a menu) is no leaving of the field.
        if (reason != Qt::PopupFocusReason) {
            if (m_dirty) finish();
            else if (m_line && !m_line->hasFocus()) refreshValue();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FieldEditor::popUpCalendar()
{
    if (!m_line || !m_editable) return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto* calendar = new QCalendarWidget;
    calendar->setObjectName(QStringLiteral("mc_1"));
    const QDate current = QDate::fromString(m_line->text().trimmed(), QStringLiteral("yyyy-MM-dd"));
    calendar->setSelectedDate(current.isValid() ? current : QDate::currentDate());
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(calendar);
    menu->addAction(action);
    connect(calendar, &QCalendarWidget::activated, this, [this, menu](const QDate& date) {
        menu->close();
        m_line->setFocus();
        m_line->setText(date.toString(QStringLiteral("yyyy-MM-dd")));
        m_dirty = true;
        finish();
    });
    connect(calendar, &QCalendarWidget::clicked, calendar, &QCalendarWidget::activated);
    menu->popup(m_line->mapToGlobal(QPoint(0, m_line->height())));
    calendar->setFocus();
}

} // namespace cr::app
