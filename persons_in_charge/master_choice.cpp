#include "persons_in_charge/master_choice.h"

#include "frame/colors.h"
#include "frame/field_states.h"
#include "frame/record_window.h"

namespace cr::persons_in_charge {

MasterChoice::MasterChoice(RecordWindow& window, FieldStates& states, const QString& column)
    : m_window(window), m_states(states), m_column(column)
{
}

void MasterChoice::fixOnLoad(bool fixedOnceStored)
{
    if (m_window.dw_1().getRow() <= 0) return;
    if (m_window.openedUnderMaster()) {
        m_states.tabOrder(m_column, 0);
        m_states.paint(m_column, colors::text(colors::fixedByMaster));
    } else if (fixedOnceStored && !m_window.adding()) {
        m_states.tabOrder(m_column, 0);
        m_states.paint(m_column, m_states.contextColour());
    }
}

bool MasterChoice::chosen(int row, const QString& data, const QStringList& copied)
{
    DataView& form = m_window.dw_1();
    bool isNumber = false;
    const qlonglong key = data.trimmed().toLongLong(&isNumber);
    const QVariant before = form.getItem(row, m_column);
    int found = 0;
    DataView* list = isNumber ? form.getChild(m_column) : nullptr;
    if (list) found = list->find(QStringLiteral("%1 = %2").arg(form.dropDown(m_column).dataColumn).arg(key), 1,
                                 list->rowCount());
    for (const QString& column : copied) form.setItem(row, column, found >= 1 ? list->getItem(found, column) : QVariant());
    return !isNumber || before.isNull() || before.toLongLong() != key;
}

} // namespace cr::persons_in_charge
