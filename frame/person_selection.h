#pragma once

#include "frame/dataview_def.h"
#include "frame/ui_services.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace cr {

class DataView;
class Sqlca;
class ViewCatalog;
struct MessageObject;

// The host's person-selection dialogs w_selectperson and
// w_selectpersoncondition. Persons are never typed in: a window passes the
// typed text and the columns of its record to fill; the user picks one of the
// persons (tc_ge_personinfo with tc_ge_personotherinfo.isvolunteer and the
// age) whose name, ID number or phone matches, and the chosen person's values
// go into those columns of the current row.
//
// The three parts of a request travel apart: the typed text is only ever
// searched for, so nothing a user types ("王;age>0", "王,idcard") can become a
// condition or a column to fill.
class PersonSelection {
public:
    static QString selectPerson() { return QStringLiteral("w_selectperson"); }
    static QString selectPersonCondition() { return QStringLiteral("w_selectpersoncondition"); }

    struct Request {
        QString text;            // what the user typed, searched for as it stands
        QStringList columns;     // columns of the target row to fill (any case)
        QString condition;       // expression over the person columns, written by the window; empty = none
    };

    PersonSelection(Sqlca& sqlca, UiServices& ui, MessageObject& message, const ViewCatalog* catalog = nullptr);
    ~PersonSelection();

    // Opens the dialog (both dialogs behave alike: w_selectperson simply
    // gets no condition). Fills the requested columns that `target` has in its
    // current row (personno always) from the chosen person; sets
    // message.doubleParm to 1 when a person was chosen, 0 when the user
    // cancelled (the row is then left as it was) and returns it.
    int open(const Request& request, DataView& target);

    // The persons a text finds, narrowed by the condition. Living persons
    // only; matching is by part of the name or the start of the ID number or
    // phone. An empty text finds nobody; a condition that cannot be
    // evaluated lets nobody through.
    QList<PersonCandidate> search(const QString& text, const QString& condition = QString());

    // The view the dialog searches (d_selectperson): one person per row.
    static DataViewDef searchViewDef();

private:
    bool passes(int row, const QString& condition) const;
    QVariant personValue(int row, const QString& column) const;

    Sqlca& m_sqlca;
    UiServices& m_ui;
    MessageObject& m_message;
    const ViewCatalog* m_catalog;
    std::unique_ptr<DataView> m_people;
};

} // namespace cr
