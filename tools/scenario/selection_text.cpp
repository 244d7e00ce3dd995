#include "selection_text.h"

namespace cr::scenario {
namespace {

QString* field(StrMultiselect& s, const QString& name)
{
    if (name == QLatin1String("s_dw")) return &s.s_dw;
    if (name == QLatin1String("s_str")) return &s.s_str;
    if (name == QLatin1String("s_filter")) return &s.s_filter;
    if (name == QLatin1String("s_title")) return &s.s_title;
    if (name == QLatin1String("s_code")) return &s.s_code;
    return nullptr;
}

} // namespace

QString selectionField(const StrMultiselect& s, const QString& name)
{
    StrMultiselect copy = s;
    QString* f = field(copy, name);
    return f ? *f : QString();
}

bool parseSelection(const QString& text, StrMultiselect* out, QStringList* named, QString* error)
{
    *out = StrMultiselect();
    named->clear();
    QString* current = nullptr;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        const int eq = part.indexOf(QLatin1Char('='));
        QString* target = eq > 0 ? field(*out, part.left(eq).trimmed().toLower()) : nullptr;
        if (target) {
            current = target;
            *current = part.mid(eq + 1);
            named->append(part.left(eq).trimmed().toLower());
        } else if (current) {
            *current += QLatin1Char(';') + part;
        } else {
            *error = QStringLiteral("\"%1\" names no field of the selection (s_dw, s_str, s_filter, s_title, s_code)").arg(part);
            return false;
        }
    }
    return true;
}

} // namespace cr::scenario
