#include "persons_in_charge/master_choice.h"

#include "frame/colors.h"
#include "frame/field_states.h"
#include "frame/record_window.h"

namespace cr::persons_in_charge {

MasterChoice::MasterChoice(RecordWindow& window, FieldStates& states, const QString& column,
                           const QStringList& copied)
    : m_window(window), m_states(states), m_column(column), m_copied(copied)
{
}

void MasterChoice::load(bool fixedOnceStored)
{
    const int row = m_window.dw_1().getRow();
    if (row <= 0) return;
    const QVariant key = m_window.dw_1().getItem(row, m_column);
    if (m_window.adding() && !key.isNull()) copyFrom(row, key);
    if (m_window.openedUnderMaster()) {
        m_states.tabOrder(m_column, 0);
        m_states.paint(m_column, colors::text(colors::fixedByMaster));
    } else if (fixedOnceStored && !m_window.adding()) {
        m_states.tabOrder(m_column, 0);
        m_states.paint(m_column, m_states.contextColour());
    }
}

bool MasterChoice::chosen(int row, const QString& data)
{
    bool isNumber = false;
    const qlonglong key = data.trimmed().toLongLong(&isNumber);
    const QVariant before = m_window.dw_1().getItem(row, m_column);
    copyFrom(row, isNumber ? QVariant(key) : QVariant());
    return !isNumber || before.isNull() || before.toLongLong() != key;
}

void MasterChoice::copyFrom(int row, const QVariant& key)
{
    DataView& form = m_window.dw_1();
    int found = 0;
    DataView* list = key.isNull() ? nullptr : form.getChild(m_column);
    if (list)
        found = list->find(QStringLiteral("%1 = %2").arg(form.dropDown(m_column).dataColumn).arg(key.toLongLong()), 1,
                           list->rowCount());
    for (const QString& column : m_copied)
        form.setItem(row, column, found >= 1 ? list->getItem(found, column) : QVariant());
}

} // namespace cr::persons_in_charge
