#include "scenario_checks.h"

#include "frame/dataview.h"
#include "frame/record_window.h"
#include "frame/sqlca.h"
#include "scenario_session.h"
#include "scope_tree_lines.h"
#include "selection_text.h"
#include "value_text.h"

namespace cr::scenario {
namespace {

// Control characters made visible, so that two messages that differ only
// in their line breaks do not look alike in a report.
QString shown(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

bool differs(QString* failure, const QString& expected, const QString& actual)
{
    *failure = QStringLiteral("expected: %1\nactual:   %2").arg(expected, actual);
    return false;
}

bool usage(QString* failure, const QString& form)
{
    *failure = QStringLiteral("usage: expect ") + form;
    return false;
}

bool number(const QString& text, int* n)
{
    bool ok = false;
    *n = text.toInt(&ok);
    return ok;
}

} // namespace

QString ScenarioChecks::fieldState(const FieldRef& f)
{
    const QString colour = f.view->describe(f.column + QStringLiteral(".Background.Color")).trimmed();
    const QString tag = f.view->describe(f.column + QStringLiteral(".Tag"));
    const bool grey = colour == greyColour();
    if (grey) return f.view->tabOrder(f.column) == 0 ? QStringLiteral("locked") : QStringLiteral("grey");
    if (tag.startsWith(QLatin1Char('1'))) return QStringLiteral("required");
    if (tag.isEmpty() || tag == QLatin1String("?")) return QStringLiteral("optional");
    return QStringLiteral("tag %1").arg(shown(tag));
}

bool ScenarioChecks::run(const QStringList& t, ScenarioSession& s, QString* failure)
{
    const QString what = t.value(1).toLower();
    if (what == QLatin1String("message") || what == QLatin1String("no")) return message(t, s, failure);
    if (what == QLatin1String("value") || what == QLatin1String("display") || what == QLatin1String("state")
        || what == QLatin1String("taborder") || what == QLatin1String("tag") || what == QLatin1String("color")
        || what == QLatin1String("cursor"))
        return field(t, s, failure);
    if (what == QLatin1String("dropdown")) return dropdown(t, s, failure);
    if (what == QLatin1String("tree") || what == QLatin1String("returned")) return checkScopeTreeLine(t, s, failure);
    if (what == QLatin1String("sql")) return sql(t, s, failure);
    if (what == QLatin1String("list")) return list(t, s, failure);
    if (what == QLatin1String("persons") || what == QLatin1String("selection") || what == QLatin1String("help"))
        return dialogs(t, s, failure);
    return window(t, s, failure);
}

// expect message "<title>" "<text>" | expect message "<title>" starting "<text>" | expect no message
bool ScenarioChecks::message(const QStringList& t, ScenarioSession& s, QString* failure)
{
    const QList<harness::Prompt> messages = s.ui().messages();
    if (t.value(1) == QLatin1String("no")) {
        if (t.size() != 3 || t[2] != QLatin1String("message")) return usage(failure, QStringLiteral("no message"));
        if (s.messagesSeen >= messages.size()) return true;
        return differs(failure, QStringLiteral("no message"),
                       QStringLiteral("%1 %2").arg(shown(messages[s.messagesSeen].title), shown(messages[s.messagesSeen].text)));
    }
    const bool prefix = t.size() == 5 && t[3] == QLatin1String("starting");
    if (t.size() != 4 && !prefix) return usage(failure, QStringLiteral("message \"<title>\" [starting] \"<text>\""));
    const QString title = t[2];
    const QString text = prefix ? t[4] : t[3];
    const QString expected = QStringLiteral("%1 %2%3").arg(shown(title), prefix ? QStringLiteral("starting ") : QString(), shown(text));
    if (s.messagesSeen >= messages.size()) return differs(failure, expected, QStringLiteral("no (further) message"));
    const harness::Prompt& m = messages[s.messagesSeen++];
    const bool same = m.title == title && (prefix ? m.text.startsWith(text) : m.text == text);
    if (same) return true;
    return differs(failure, expected, QStringLiteral("%1 %2").arg(shown(m.title), shown(m.text)));
}

// expect value|display|state|taborder|tag|color <field> <value>, expect cursor <field>
bool ScenarioChecks::field(const QStringList& t, ScenarioSession& s, QString* failure)
{
    const QString what = t[1].toLower();
    if (what == QLatin1String("cursor")) {
        if (t.size() != 3) return usage(failure, QStringLiteral("cursor <field>"));
        Window* w = s.openWindow(failure);
        if (!w) return false;
        DataView* form = w->dataView(QStringLiteral("dw_1"));
        QString actual = form ? form->getColumnName() : QString();
        if (actual.isEmpty()) actual = QStringLiteral("none");
        return actual.compare(t[2], Qt::CaseInsensitive) == 0 || differs(failure, t[2], actual);
    }
    if (t.size() != 4) return usage(failure, what + QStringLiteral(" <field> <value>"));
    FieldRef f;
    if (!s.resolveField(t[2], &f, failure)) return false;
    const QString& expected = t[3];
    if (what == QLatin1String("value")) {
        const QVariant v = f.view->getItem(f.row, f.column);
        return valueMatches(v, expected) || differs(failure, expected, valueText(v));
    }
    QString actual;
    if (what == QLatin1String("display")) actual = f.view->displayText(f.row, f.column);
    else if (what == QLatin1String("state")) actual = fieldState(f);
    else if (what == QLatin1String("taborder")) actual = QString::number(f.view->tabOrder(f.column));
    else if (what == QLatin1String("tag")) actual = f.view->describe(f.column + QStringLiteral(".Tag"));
    else actual = f.view->describe(f.column + QStringLiteral(".Background.Color")).trimmed();
    if (actual == expected) return true;
    if (what == QLatin1String("state")) {
        actual += QStringLiteral(" (Tag %1, background %2, tab order %3)")
                      .arg(shown(f.view->describe(f.column + QStringLiteral(".Tag"))),
                           f.view->describe(f.column + QStringLiteral(".Background.Color")))
                      .arg(f.view->tabOrder(f.column));
    }
    return differs(failure, expected, actual);
}

// expect dropdown <field> <values...>: the texts the drop-down list offers, in order.
bool ScenarioChecks::dropdown(const QStringList& t, ScenarioSession& s, QString* failure)
{
    if (t.size() < 3) return usage(failure, QStringLiteral("dropdown <field> <values...>"));
    FieldRef f;
    if (!s.resolveField(t[2], &f, failure)) return false;
    QStringList actual;
    if (DataView* child = f.view->getChild(f.column)) {
        QString display = f.view->dropDown(f.column).displayColumn;
        if (display.isEmpty() || !child->definition().column(display))
            display = child->definition().columns.value(0).name;
        for (int row = 1; row <= child->rowCount(); ++row) actual << valueText(child->getItem(row, display));
    } else if (const ColumnDef* c = f.view->definition().column(f.column); c && !c->values.isEmpty()) {
        for (const CodeValue& v : c->values) actual << v.display;
    } else {
        return differs(failure, QStringLiteral("a drop-down list"), QStringLiteral("%1 has none").arg(f.column));
    }
    const QStringList expected = t.mid(3);
    if (actual == expected) return true;
    return differs(failure, expected.join(QLatin1Char(' ')), actual.isEmpty() ? QStringLiteral("(empty list)") : actual.join(QLatin1Char(' ')));
}

// expect sql "<select>" <value>
bool ScenarioChecks::sql(const QStringList& t, ScenarioSession& s, QString* failure)
{
    if (t.size() != 4) return usage(failure, QStringLiteral("sql \"<select>\" <value>"));
    Sqlca& sqlca = s.sqlca();
    const QVariant v = sqlca.selectValue(t[2]);
    if (sqlca.sqlCode() == Sqlca::Failure) return differs(failure, t[3], QStringLiteral("statement failed: ") + sqlca.sqlErrText());
    return valueMatches(v, t[3]) || differs(failure, t[3], valueText(v));
}

// expect list <view> rows <n> | row <n> | value <row> <column> <value>
bool ScenarioChecks::list(const QStringList& t, ScenarioSession& s, QString* failure)
{
    if (t.size() < 5) return usage(failure, QStringLiteral("list <view> rows <n> | row <n> | add allowed|refused | value <row> <column> <value>"));
    ListPage* page = s.existingList(t[2]);
    if (!page) return differs(failure, QStringLiteral("list %1 open").arg(t[2]), QStringLiteral("not opened by a list or open line"));
    int n = 0;
    if (t[3] == QLatin1String("rows") && t.size() == 5 && number(t[4], &n))
        return page->rowCount() == n || differs(failure, t[4] + QStringLiteral(" rows"), QString::number(page->rowCount()) + QStringLiteral(" rows"));
    if (t[3] == QLatin1String("row") && t.size() == 5 && number(t[4], &n))
        return page->currentRow() == n || differs(failure, QStringLiteral("row ") + t[4], QStringLiteral("row %1").arg(page->currentRow()));
    if (t[3] == QLatin1String("add") && t.size() == 5 && (t[4] == QLatin1String("allowed") || t[4] == QLatin1String("refused"))) {
        const QString actual = page->canAdd() ? QStringLiteral("allowed") : QStringLiteral("refused");
        return actual == t[4] || differs(failure, QStringLiteral("add ") + t[4], QStringLiteral("add ") + actual);
    }
    if (t[3] == QLatin1String("value") && t.size() == 7 && number(t[4], &n)) {
        if (n < 1 || n > page->rowCount() || !page->dw_1().definition().column(t[5]))
            return differs(failure, QStringLiteral("row %1 column %2").arg(t[4], t[5]), QStringLiteral("no such cell"));
        const QVariant v = page->dw_1().getItem(n, t[5]);
        return valueMatches(v, t[6]) || differs(failure, t[6], valueText(v));
    }
    return usage(failure, QStringLiteral("list <view> rows <n> | row <n> | add allowed|refused | value <row> <column> <value>"));
}

// expect mode|row|accepted|rejected|closed|open|enabled|disabled|text|status|rows ...
bool ScenarioChecks::window(const QStringList& t, ScenarioSession& s, QString* failure)
{
    const QString what = t.value(1).toLower();
    if (what == QLatin1String("closed") || what == QLatin1String("open")) {
        const bool open = s.window() && s.window()->isOpen();
        return open == (what == QLatin1String("open")) || differs(failure, what, open ? QStringLiteral("open") : QStringLiteral("closed"));
    }
    if (what == QLatin1String("accepted") || what == QLatin1String("rejected")) {
        if (s.lastTypeCode == INT_MIN) return differs(failure, what, QStringLiteral("nothing typed yet"));
        const int code = s.lastTypeCode;
        const QString actual = code == 0 ? QStringLiteral("accepted") : QStringLiteral("rejected (%1)").arg(code);
        if (what == QLatin1String("accepted")) return code == 0 || differs(failure, what, actual);
        if (t.size() == 3) return actual == QStringLiteral("rejected (%1)").arg(t[2]) || differs(failure, QStringLiteral("rejected (%1)").arg(t[2]), actual);
        return code != 0 || differs(failure, what, actual);
    }
    Window* w = s.openWindow(failure);
    if (!w) return false;
    RecordWindow* record = s.recordWindow();
    if (what == QLatin1String("mode") && t.size() == 3) {
        if (!record) return differs(failure, t[2], QStringLiteral("no register window"));
        return record->mode() == t[2] || differs(failure, t[2], record->mode());
    }
    int n = 0;
    if (what == QLatin1String("row") && t.size() == 3 && number(t[2], &n)) {
        if (!record) return differs(failure, t[2], QStringLiteral("no register window"));
        return record->row() == n || differs(failure, QStringLiteral("il_row ") + t[2], QStringLiteral("il_row %1").arg(record->row()));
    }
    if ((what == QLatin1String("enabled") || what == QLatin1String("disabled")) && t.size() == 3) {
        if (!w->control(t[2])) return differs(failure, t[2], QStringLiteral("no such control"));
        const bool enabled = w->isControlEnabled(t[2]);
        return enabled == (what == QLatin1String("enabled")) || differs(failure, what, enabled ? QStringLiteral("enabled") : QStringLiteral("disabled"));
    }
    if (what == QLatin1String("text") && t.size() == 4) {
        const ControlDef* c = w->control(t[2]);
        if (!c) return differs(failure, shown(t[3]), QStringLiteral("no control ") + t[2]);
        return c->text == t[3] || differs(failure, shown(t[3]), shown(c->text));
    }
    if (what == QLatin1String("status") && t.size() == 3)
        return w->statusText() == t[2] || differs(failure, shown(t[2]), shown(w->statusText()));
    if (what == QLatin1String("rows") && t.size() == 4 && number(t[3], &n)) {
        DataView* view = w->dataView(t[2]);
        if (!view) return differs(failure, t[3], QStringLiteral("no data view ") + t[2]);
        return view->rowCount() == n || differs(failure, t[3] + QStringLiteral(" rows"), QString::number(view->rowCount()) + QStringLiteral(" rows"));
    }
    *failure = QStringLiteral("unknown expectation \"%1\"").arg(t.join(QLatin1Char(' ')));
    return false;
}

// expect persons <n> | expect selection "<dialog>" [s_...=...] | expect help "<topic>"
bool ScenarioChecks::dialogs(const QStringList& t, ScenarioSession& s, QString* failure)
{
    const QString what = t[1].toLower();
    int n = 0;
    if (what == QLatin1String("persons") && t.size() == 3 && number(t[2], &n)) {
        const int offered = int(s.ui().lastCandidates().size());
        return offered == n || differs(failure, t[2] + QStringLiteral(" persons offered"), QString::number(offered));
    }
    if (what == QLatin1String("help") && t.size() == 3) {
        const QStringList topics = s.ui().helpTopics();
        const QString last = topics.isEmpty() ? QStringLiteral("(no help shown)") : topics.last();
        return last == t[2] || differs(failure, shown(t[2]), shown(last));
    }
    if (what == QLatin1String("selection") && (t.size() == 3 || t.size() == 4)) {
        QString dialog;
        for (const harness::Prompt& p : s.ui().prompts())
            if (p.kind == harness::Prompt::Kind::Selection) dialog = p.title;
        if (dialog != t[2]) return differs(failure, QStringLiteral("dialog ") + t[2], dialog.isEmpty() ? QStringLiteral("no dialog opened") : QStringLiteral("dialog ") + dialog);
        if (t.size() == 3) return true;
        StrMultiselect expected;
        QStringList named;
        if (!parseSelection(t[3], &expected, &named, failure)) return false;
        const StrMultiselect sent = s.ui().lastSelectionParameter();
        for (const QString& field : named) {
            const QString want = selectionField(expected, field), got = selectionField(sent, field);
            if (want != got) return differs(failure, field + QLatin1Char('=') + shown(want), field + QLatin1Char('=') + shown(got));
        }
        return true;
    }
    return usage(failure, QStringLiteral("persons <n> | selection \"<dialog>\" [s_...=...] | help \"<topic>\""));
}

} // namespace cr::scenario
