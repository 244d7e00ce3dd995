#pragma once

#include <QString>
#include <QStringList>

namespace cr {
class FieldStates;
class RecordWindow;
}

namespace cr::persons_in_charge {

// The building or area a person in charge belongs to, chosen in the form
// through a drop-down on its key column: fixed when the record was added
// under the master's list (the frame put the master's key there), chosen
// by the clerk otherwise.
class MasterChoice {
public:
    // `copied`: the master's columns the record shows, taken from the
    // chosen row of the drop-down list.
    MasterChoice(RecordWindow& window, FieldStates& states, const QString& column, const QStringList& copied);

    // ue_loadphoto: a new record added under the master's list takes the
    // master's columns; the column is out of reach when the master is fixed
    // by the list, or (`fixedOnceStored`) once the record is stored.
    void load(bool fixedOnceStored);

    // itemchanged of the column: the record takes the master's columns
    // (emptied for an unknown key). True when the master is another one
    // than before.
    bool chosen(int row, const QString& data);

private:
    void copyFrom(int row, const QVariant& key);

    RecordWindow& m_window;
    FieldStates& m_states;
    QString m_column;
    QStringList m_copied;
};

} // namespace cr::persons_in_charge
