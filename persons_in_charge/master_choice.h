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
    MasterChoice(RecordWindow& window, FieldStates& states, const QString& column);

    // ue_loadphoto: the column is out of reach when the master is fixed by
    // the list, or (`fixedOnceStored`) once the record is stored.
    void fixOnLoad(bool fixedOnceStored);

    // itemchanged of the column: the record takes `copied` from the chosen
    // row of the drop-down list (emptied for an unknown key). True when the
    // master is another one than before.
    bool chosen(int row, const QString& data, const QStringList& copied);

private:
    RecordWindow& m_window;
    FieldStates& m_states;
    QString m_column;
};

} // namespace cr::persons_in_charge
