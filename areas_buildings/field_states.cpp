#include "areas_buildings/field_states.h"

#include "frame/colors.h"
#include "frame/dataview.h"

namespace cr::areas_buildings {

FieldStates::FieldStates(DataView& form)
    : m_form(form),
      m_required(colors::text(colors::required)),
      m_optional(colors::text(colors::optional)),
      m_grey(colors::text(colors::rgb(220, 220, 220)))
{
}

void FieldStates::readColours()
{
    // describe answers "!" for an unknown property; keep the defaults then.
    const QString optionalLook = m_form.describe(QStringLiteral("note.Background.Color")).trimmed();
    const QString requiredLook = m_form.describe(QStringLiteral("address.Background.Color")).trimmed();
    if (!optionalLook.isEmpty() && optionalLook != QLatin1String("!") && optionalLook != QLatin1String("?"))
        m_optional = optionalLook;
    if (!requiredLook.isEmpty() && requiredLook != QLatin1String("!") && requiredLook != QLatin1String("?"))
        m_required = requiredLook;
    m_grey = colors::text(colors::rgb(220, 220, 220));
}

void FieldStates::paint(const QString& column, const QString& colour, const QString& tag)
{
    m_form.modify(QStringLiteral("%1.Background.Color='%2'").arg(column, colour));
    m_form.modify(QStringLiteral("%1.Tag='%2'").arg(column, tag));
}

void FieldStates::required(const QString& column) { paint(column, m_required, QStringLiteral("1")); }

void FieldStates::optional(const QString& column) { paint(column, m_optional, QString()); }

void FieldStates::grey(const QString& column) { paint(column, m_grey, QString()); }

void FieldStates::locked(const QString& column)
{
    grey(column);
    tabOrder(column, 0);
}

void FieldStates::tabOrder(const QString& column, int order) { m_form.setTabOrder(column, order); }

} // namespace cr::areas_buildings
