#pragma once

#include "frame/dataview_def.h"

#include <QPointer>
#include <QWidget>

class QButtonGroup;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace cr {
class DataView;
}

namespace cr::app {

// One field of a rendered form: the editor its edit style asks for (line,
// several lines, date with calendar, drop-down list, code list, radio
// buttons, check box), kept in step with the field's value and run-time
// properties in the data view. The editor is rebuilt when a modify turns a
// plain field into a drop-down list or back.
//
// The field never writes the data view itself: it reports `typed` while the
// user types and `finished` when the user is done with the value (leaves
// the field, presses Enter, picks an entry); the form then runs the data
// view's item-changed handling.
class FieldEditor : public QWidget {
    Q_OBJECT
public:
    enum class Style { Line, Number, MultiLine, Date, DropDown, CodeList, Radio, Check };

    FieldEditor(DataView& view, const ColumnDef& def, QWidget* parent = nullptr);

    QString column() const { return m_def.name; }
    const ColumnDef& definition() const { return m_def; }
    Style style() const { return m_style; }
    QWidget* focusTarget() const;     // the widget that takes the keyboard focus
    bool isEditable() const { return m_editable; }
    bool isDirty() const { return m_dirty; }
    QString editText() const;         // what the user typed or picked, as the data view takes it

    void setRow(int row) { m_row = row; }
    void refreshValue();              // shows the data view's value; forgets typing
    void refreshProperties();         // colour, read-only, drop-down settings (may rebuild)
    void refreshList();               // re-reads the entries of a drop-down list
    void selectAllText();

    // Colour numbers of the forms: red + 256 * green + 65536 * blue.
    static QColor colourFromNumber(const QString& number);

signals:
    void typed(const QString& column, const QString& text);
    void finished(const QString& column, const QString& text);
    void doubleClicked(const QString& column);
    void rebuilt(const QString& column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Style wantedStyle() const;
    void build();
    void applyLook();
    void setDirty(const QString& text);
    void finish();
    void popUpCalendar();
    QString rawText() const;          // the value as one edits it (no grouping)
    QList<CodeValue> listEntries();   // (display, data) of the drop-down or code list

    DataView& m_view;
    ColumnDef m_def;
    Style m_style = Style::Line;
    int m_row = 1;
    bool m_editable = true;
    bool m_dirty = false;
    bool m_settingValue = false;
    bool m_rebuilding = false;
    QString m_dropName;               // drop-down list the entries were read from
    QHBoxLayout* m_layout = nullptr;
    QPointer<QWidget> m_editor;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QComboBox* m_combo = nullptr;
    QButtonGroup* m_buttons = nullptr;
    QToolButton* m_calendarButton = nullptr;
    QList<CodeValue> m_entries;
};

} // namespace cr::app
