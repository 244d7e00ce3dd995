#pragma once

#include <QString>
#include <QStringList>

namespace cr {
class RecordWindow;
}

namespace cr::persons_in_charge {

// How both registers of persons in charge take their person: never typed
// in, but chosen in the person selection from the typed name.
class PersonPick {
public:
    // The columns the person selection fills in the record (isvolunteer
    // only where the form has it).
    static QStringList columns();

    // The person for a name typed into `personname` of `row`: the previous
    // person no longer counts, the selection searches for the typed text
    // and fills the person's columns; cancelling it empties the name too.
    // The fields then hold what the dialog (or the cancel) put there. True
    // when a person was chosen.
    static bool choose(RecordWindow& window, int row, const QString& typed);

    // The check both validated saves start with: "请录入姓名！" when the record
    // has no person. True when it has one.
    static bool present(RecordWindow& window, int row);
};

} // namespace cr::persons_in_charge
