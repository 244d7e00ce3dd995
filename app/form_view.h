#pragma once

#include "frame/controls.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace cr {
class DataView;
class UiServices;
}

namespace cr::app {

class FieldEditor;

// A form data view rendered from its definition: a label and an editor per
// form column, grouped under their group headings, two fields to a line
// (several-line and wide fields take a line of their own), the form's
// buttons beside their columns. Required fields (Tag "1") show a red
// asterisk and a bold label; the keyboard walks the fields by tab order
// (tab order 0: not reachable, read-only).
//
// The form follows the data view: values set by the window's handlers show
// at once, property changes (colour, Tag, tab order, drop-down lists) are
// applied when modify() announces them. When the user finishes a field the
// form runs the data view's item-changed handling and honours its answer:
// 1 refuses the value and keeps the focus in the field, 2 refuses it and
// lets the focus go on; a value that does not fit the column is refused
// with a message.
class FormView : public QWidget {
    Q_OBJECT
public:
    FormView(DataView& view, UiServices& ui, QWidget* parent = nullptr);

    DataView& dataView() const { return m_view; }
    FieldEditor* field(const QString& column) const;
    QLabel* label(const QString& column) const;
    QStringList columns() const;                 // form columns, in layout order
    QStringList tabChain() const;                // reachable columns, in keyboard order
    bool isRequiredMarked(const QString& column) const;

    // Buttons of the form (b_selectunit ...) beside their columns; clicking
    // one calls `click` with its name.
    void setFormButtons(const QList<ControlDef>& buttons, std::function<void(const QString&)> click);
    void updateFormButton(const ControlDef& button);

    int row() const;
    void focusColumn(const QString& column);

    // The user finished `column` with `text`: item-changed, then the answer.
    // Returns the data view's code (0, 1, 2, or -1 for a value that does not fit).
    int commit(const QString& column, const QString& text);

signals:
    void committed(const QString& column, int code);

private:
    void build();
    void refreshAll();
    void refreshProperties(const QString& column);
    void refreshLabel(const QString& column);
    void applyTabOrder();
    void watchChildList(const QString& column);
    void scheduleListRefresh(const QString& column);

    DataView& m_view;
    UiServices& m_ui;
    QList<FieldEditor*> m_fields;
    QHash<QString, QLabel*> m_labels;
    QHash<QString, QPushButton*> m_buttons;
    QHash<QString, QPointer<QObject>> m_watchedLists;
    QSet<QString> m_pendingLists;
    std::function<void(const QString&)> m_buttonClick;
    bool m_committing = false;
};

} // namespace cr::app
