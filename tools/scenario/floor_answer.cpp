#include "floor_answer.h"

#include "persons_in_charge/floor_selection.h"

namespace cr::scenario {

using persons_in_charge::FloorSelection;

harness::ScriptedUi::SelectionAnswer floorAnswer(Sqlca& sqlca, const QString& range)
{
    return [&sqlca, range](const StrMultiselect& parameter, QString* error) {
        std::optional<FloorSelection> selection = FloorSelection::open(sqlca, parameter, error);
        if (!selection) {
            StrMultiselect cancelled = parameter;
            cancelled.s_str = StrMultiselect::cancelMark();
            return cancelled;
        }
        QStringList unread;
        if (range != QLatin1String("ok") && !selection->tickReadable(range, &unread))
            *error = QStringLiteral("the building has no %1").arg(unread.join(QStringLiteral(", ")));
        return selection->answer();
    };
}

} // namespace cr::scenario
