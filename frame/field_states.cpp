#include "frame/field_states.h"

#include "frame/colors.h"
#include "frame/dataview.h"

namespace cr {
namespace {

// describe answers "!" for a column or property the form does not have.
void readInto(const DataView& form, const QString& column, QString* colour)
{
    if (column.isEmpty()) return;
    const QString read = form.describe(column + QStringLiteral(".Background.Color")).trimmed();
    if (!read.isEmpty() && read != QLatin1String("!") && read != QLatin1String("?")) *colour = read;
}

} // namespace

FieldStates::FieldStates(DataView& form)
    : m_form(form),
      m_required(colors::text(colors::required)),
      m_optional(colors::text(colors::optional)),
      m_grey(colors::text(colors::lockedGrey)),
      m_context(colors::text(colors::context))
{
}

void FieldStates::readColours(const QString& requiredFrom, const QString& optionalFrom, const QString& contextFrom)
{
    readInto(m_form, requiredFrom, &m_required);
    readInto(m_form, optionalFrom, &m_optional);
    readInto(m_form, contextFrom, &m_context);
}

void FieldStates::look(const QString& column, const QString& colour, const QString& tag)
{
    m_form.modify(QStringLiteral("%1.Background.Color='%2' %1.Tag='%3'").arg(column, colour, tag));
}

void FieldStates::required(const QString& column, const QString& tag) { look(column, m_required, tag); }
void FieldStates::optional(const QString& column) { look(column, m_optional, QString()); }
void FieldStates::grey(const QString& column) { look(column, m_grey, QString()); }
void FieldStates::context(const QString& column) { look(column, m_context, QString()); }

void FieldStates::locked(const QString& column)
{
    grey(column);
    tabOrder(column, 0);
}

void FieldStates::tabOrder(const QString& column, int order) { m_form.setTabOrder(column, order); }

void FieldStates::paint(const QString& column, const QString& colour)
{
    m_form.modify(QStringLiteral("%1.Background.Color='%2'").arg(column, colour));
}

} // namespace cr
