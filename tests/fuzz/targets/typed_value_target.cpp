#include "fuzz_input.h"
#include "fuzz_targets.h"
#include "sample_view.h"

#include "frame/dataview.h"
#include "frame/expr/values.h"

namespace cr::fuzz {

void typedValue(const uint8_t* data, size_t size)
{
    const QString text = textOf(data, size);
    expr::values::toNumber(text);
    expr::values::toInteger(text);
    expr::values::parseDate(text);
    expr::values::parseDateTime(text);

    DataView view(sampleView());
    view.insertRow(0);
    view.insertRow(0);
    for (const ColumnDef& c : view.definition().columns) {
        view.userEdit(1, c.name, text);
        view.displayText(1, c.name);
        view.getItemString(1, c.name);
        view.getItemNumber(1, c.name);
        view.getItemInteger(1, c.name);
        view.getItemDate(1, c.name);
    }
    view.setRow(2);
    view.setPendingText(QStringLiteral("x"), text);
    view.acceptText();

    // A typed text searched for through quote() finds exactly the row that
    // holds it: a quote in it can neither end the literal nor widen the search.
    view.setItem(1, QStringLiteral("t"), text);
    view.setItem(2, QStringLiteral("t"), text + QStringLiteral("x"));
    const int found = view.find(QStringLiteral("t = ") + DataView::quote(text), 1, view.rowCount());
    if (!text.isEmpty()) require(found == 1);
}

} // namespace cr::fuzz
