#include "scope_tree_lines.h"

#include "resident_teams/scope_window.h"
#include "scenario_session.h"
#include "selection_text.h"

namespace cr::scenario {
namespace {

using resident_teams::ScopeTree;
using resident_teams::ScopeWindow;

bool fail(QString* failure, const QString& text)
{
    *failure = text;
    return false;
}

bool differs(QString* failure, const QString& expected, const QString& actual)
{
    return fail(failure, QStringLiteral("expected: %1\nactual:   %2").arg(expected, actual));
}

ScopeWindow* scopeWindow(ScenarioSession& s, QString* failure)
{
    if (auto* played = qobject_cast<ScopeWindow*>(s.dialog()); played && !qobject_cast<ScopeWindow*>(s.window()))
        return played;
    Window* w = s.openWindow(failure);
    if (!w) return nullptr;
    auto* scope = qobject_cast<ScopeWindow*>(w);
    if (!scope) fail(failure, QStringLiteral("%1 is not the scope dialog").arg(w->name()));
    return scope;
}

QStringList codesOf(const ScopeTree& tree, const QList<int>& items)
{
    QStringList codes;
    for (int i : items) codes << tree.code(i);
    return codes;
}

QList<int> children(const ScopeTree& tree, int item)
{
    QList<int> out;
    const int n = item < 0 ? tree.topLevelCount() : tree.childCount(item);
    for (int r = 0; r < n; ++r) out << (item < 0 ? tree.topLevelItem(r) : tree.child(item, r));
    return out;
}

QString joined(const QStringList& codes) { return codes.isEmpty() ? QStringLiteral("(none)") : codes.join(QLatin1Char(' ')); }

// Plays the actions on the open dialog; false with the reason when one
// cannot be played.
bool playActions(ScopeWindow& w, const QStringList& actions, ScenarioSession& s, QString* failure)
{
    for (int i = 0; i < actions.size(); ++i) {
        const QString& a = actions[i];
        if ((a == QLatin1String("tick") || a == QLatin1String("clear")) && i + 1 < actions.size()) {
            if (!playScopeTreeLine({a, actions[++i]}, s, failure)) return false;
        } else if (a == QLatin1String("expandall")) {
            w.click(QStringLiteral("cbx_1"));
        } else if ((a == QLatin1String("ok") || a == QLatin1String("cancel")) && i + 1 == actions.size()) {
            w.click(a == QLatin1String("ok") ? QStringLiteral("cb_ok") : QStringLiteral("p_cancel"));
            return true;
        } else {
            return fail(failure, QStringLiteral("cannot play \"%1\": tick <code>, clear <code>, expandall, then ok or cancel")
                                     .arg(actions.mid(i).join(QLatin1Char(' '))));
        }
    }
    return fail(failure, QStringLiteral("the actions must end with ok or cancel"));
}

} // namespace

std::optional<StrMultiselect> playSelectionDialog(ScenarioSession& s, const QString& dialog,
                                                  const StrMultiselect& parameter, const QStringList& actions,
                                                  QString* error)
{
    if (dialog.compare(ScopeWindow::windowName(), Qt::CaseInsensitive) != 0) {
        *error = QStringLiteral("only the scope dialog can be played");
        return std::nullopt;
    }
    s.message().powerObjectParm = parameter;
    s.setDialog(s.registry().create(dialog, s.context()));
    auto* w = qobject_cast<ScopeWindow*>(s.dialog());
    if (!w || !w->open()) {
        *error = QStringLiteral("the dialog did not open");
        return std::nullopt;
    }
    if (!playActions(*w, actions, s, error)) return std::nullopt;
    const auto* answer = std::any_cast<StrMultiselect>(&s.message().powerObjectParm);
    if (!answer) {
        *error = QStringLiteral("the dialog handed nothing back");
        return std::nullopt;
    }
    return *answer;
}

bool playScopeTreeLine(const QStringList& t, ScenarioSession& s, QString* failure)
{
    bool ok = true;
    const int n = t.size() == 3 ? t[2].toInt(&ok) : 1;
    if (t.size() < 2 || t.size() > 3 || !ok || n < 1)
        return fail(failure, QStringLiteral("usage: %1 <code> [<n>]").arg(t.value(0)));
    ScopeWindow* w = scopeWindow(s, failure);
    if (!w) return false;
    const QList<int> items = w->tree().find(t[1]);
    if (items.size() < n)
        return fail(failure, QStringLiteral("the tree has %1 item(s) with the code %2").arg(items.size()).arg(t[1]));
    w->tree().setTicked(items[n - 1], t[0] == QLatin1String("tick"));
    return true;
}

bool checkScopeTreeLine(const QStringList& t, ScenarioSession& s, QString* failure)
{
    if (t.value(1) == QLatin1String("returned")) {
        StrMultiselect expected;
        QStringList named;
        if (t.size() != 3 || !parseSelection(t[2], &expected, &named, failure))
            return t.size() == 3 ? false : fail(failure, QStringLiteral("usage: expect returned s_str=...;s_dw=..."));
        const auto* actual = std::any_cast<StrMultiselect>(&s.message().powerObjectParm);
        if (!actual) return differs(failure, t[2], QStringLiteral("nothing handed back"));
        for (const QString& field : named)
            if (selectionField(*actual, field) != selectionField(expected, field))
                return differs(failure, field + QLatin1Char('=') + selectionField(expected, field),
                               field + QLatin1Char('=') + selectionField(*actual, field));
        return true;
    }

    ScopeWindow* w = scopeWindow(s, failure);
    if (!w) return false;
    const ScopeTree& tree = w->tree();
    const QString what = t.value(2);
    if (what == QLatin1String("items") && t.size() == 4)
        return QString::number(tree.itemCount()) == t[3] || differs(failure, t[3], QString::number(tree.itemCount()));
    if (what == QLatin1String("top")) {
        const QString expected = joined(t.mid(3)), actual = joined(codesOf(tree, children(tree, -1)));
        return expected == actual || differs(failure, expected, actual);
    }
    if (what == QLatin1String("expandall") && t.size() == 4) {
        const QString actual = w->expandAll() ? QStringLiteral("on") : QStringLiteral("off");
        return actual == t[3] || differs(failure, t[3], actual);
    }
    if (t.size() < 4)
        return fail(failure, QStringLiteral("usage: expect tree <code> ticked|unticked|missing|label|under|children ..."));

    const QList<int> items = tree.find(what);
    const QString check = t[3];
    if (check == QLatin1String("missing"))
        return items.isEmpty() || differs(failure, QStringLiteral("no item ") + what, QStringLiteral("%1 item(s)").arg(items.size()));
    if (items.isEmpty()) return differs(failure, QStringLiteral("an item ") + what, QStringLiteral("none"));
    const int item = items.first();
    if (check == QLatin1String("ticked") || check == QLatin1String("unticked")) {
        const QString actual = tree.isTicked(item) ? QStringLiteral("ticked") : QStringLiteral("unticked");
        return actual == check || differs(failure, check, actual);
    }
    if (check == QLatin1String("label") && t.size() == 5)
        return tree.label(item) == t[4] || differs(failure, t[4], tree.label(item));
    if (check == QLatin1String("under") && t.size() == 5) {
        const int parent = tree.parent(item);
        const QString actual = parent < 0 ? QStringLiteral("top") : tree.code(parent);
        return actual == t[4] || differs(failure, t[4], actual);
    }
    if (check == QLatin1String("children")) {
        const QString expected = joined(t.mid(4)), actual = joined(codesOf(tree, children(tree, item)));
        return expected == actual || differs(failure, expected, actual);
    }
    return fail(failure, QStringLiteral("unknown check \"%1\"").arg(check));
}

} // namespace cr::scenario
