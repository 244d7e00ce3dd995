#include "shown_list_lines.h"

#include "exchange/list_extract.h"
#include "exchange/list_search.h"
#include "frame/dataview.h"
#include "frame/list_page.h"
#include "scenario_session.h"

namespace cr::scenario {
namespace {

bool fail(QString* failure, const QString& text)
{
    *failure = text;
    return false;
}

bool compare(QString* failure, const QString& expected, const QString& actual)
{
    return expected == actual || fail(failure, QStringLiteral("expected: %1\nactual:   %2").arg(expected, actual));
}

int columnOf(const exchange::ListExtract& list, const QString& name)
{
    for (int c = 0; c < list.columnCount(); ++c)
        if (list.columns()[c].name.compare(name, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

} // namespace

bool checkShownList(const QStringList& t, ScenarioSession& s, QString* failure)
{
    const QString form = QStringLiteral("usage: expect shown <view> \"<search>\" rows <n> | line <n> <text> | total <column> <text>");
    if (t.size() < 6) return fail(failure, form);
    ListPage* page = s.existingList(t[2]);
    if (!page) return fail(failure, QStringLiteral("list %1 is not open (a list or open line opens it)").arg(t[2]));
    const DataView& view = page->dw_1();
    const QList<int> rows = exchange::ListSearch(t[3]).rows(view, exchange::listColumns(view));
    const exchange::ListExtract list(view, rows, QString());
    if (t[4] == QLatin1String("rows") && t.size() == 6) return compare(failure, t[5], QString::number(list.rowCount()));
    if (t[4] == QLatin1String("line") && t.size() == 7) {
        const int n = t[5].toInt();
        const int c = columnOf(list, QStringLiteral("rownumber"));
        if (n < 1 || n > list.rowCount() || c < 0) return fail(failure, QStringLiteral("no line %1 shown").arg(t[5]));
        return compare(failure, t[6], list.text(n - 1, c));
    }
    if (t[4] == QLatin1String("total") && t.size() == 7) {
        const int c = columnOf(list, t[5]);
        if (c < 0 || !list.hasSummary()) return fail(failure, QStringLiteral("no summary under %1").arg(t[5]));
        return compare(failure, t[6], list.summary()[c]);
    }
    return fail(failure, form);
}

} // namespace cr::scenario
