#include "scenario_player.h"

#include "frame/dataview.h"
#include "frame/fault.h"
#include "frame/record_window.h"
#include "frame/sqlca.h"
#include "floor_answer.h"
#include "scope_tree_lines.h"
#include "selection_text.h"

#include <QRegularExpression>
#include <QTextStream>

namespace cr::scenario {
namespace {

QString usage(const QString& form) { return QStringLiteral("usage: ") + form; }

bool rowNumber(const QString& text, int* row)
{
    bool ok = false;
    *row = text.toInt(&ok);
    return ok;
}

// A key as typed in a scenario: whole numbers are numbers.
QVariant keyValue(const QString& text)
{
    static const QRegularExpression integer(QStringLiteral("^-?\\d+$"));
    if (integer.match(text).hasMatch()) return QVariant(text.toLongLong());
    return QVariant(text);
}

} // namespace

ScenarioPlayer::ScenarioPlayer(Sqlca& sqlca, bool verbose) : m_session(sqlca), m_verbose(verbose)
{
    sqlca.setCommNo(QStringLiteral("0001"));
}

void ScenarioPlayer::report(const QString& where, const QString& text, const QString& failure) const
{
    QTextStream err(stderr);
    err << "FAIL " << where << ": " << text << "\n";
    for (const QString& l : failure.split(QLatin1Char('\n'))) err << "    " << l << "\n";
    err.flush();
}

bool ScenarioPlayer::play(const QList<ScenarioLine>& lines)
{
    QTextStream out(stdout);
    // A property change or definition naming a column that does not exist
    // fails the line that caused it.
    FaultCollector faults;
    for (const ScenarioLine& line : lines) {
        if (m_verbose) {
            out << "  " << line.where() << ": " << line.text << "\n";
            out.flush();
        }
        QString failure;
        const int errorsBefore = int(m_session.ui().errors().size());
        bool ok = run(line, &failure);
        QStringList errors = m_session.ui().errors().mid(errorsBefore);
        for (const QString& fault : faults.take()) errors << QStringLiteral("program fault: ") + fault;
        if (ok && !errors.isEmpty()) {
            ok = false;
            failure = errors.join(QLatin1Char('\n'));
        }
        if (!ok) {
            report(line.where(), line.text, failure);
            return false;
        }
    }
    QString failure;
    if (!finish(&failure)) {
        report(lines.isEmpty() ? QStringLiteral("(empty)") : lines.last().file, QStringLiteral("end of scenario"),
               failure);
        return false;
    }
    return true;
}

// Nothing the user was shown may go unchecked, and no answer may be left over.
bool ScenarioPlayer::finish(QString* failure)
{
    QStringList problems;
    const QList<harness::Prompt> messages = m_session.ui().messages();
    for (int i = m_session.messagesSeen; i < messages.size(); ++i)
        problems << QStringLiteral("message not expected: \"%1\" \"%2\"").arg(messages[i].title, messages[i].text);
    for (const QString& a : m_session.ui().pendingDescriptions())
        problems << QStringLiteral("answer never used: %1").arg(a);
    *failure = problems.join(QLatin1Char('\n'));
    return problems.isEmpty();
}

bool ScenarioPlayer::run(const ScenarioLine& line, QString* failure)
{
    const QStringList& t = line.tokens;
    const QString command = t.value(0).toLower();
    if (command == QLatin1String("expect")) return m_checks.run(t, m_session, failure);
    if (command == QLatin1String("sql")) return doSql(line, failure);
    if (command == QLatin1String("commno")) {
        if (t.size() != 2) return *failure = usage(QStringLiteral("commno <code>")), false;
        m_session.sqlca().setCommNo(t[1]);
        return true;
    }
    if (command == QLatin1String("list")) return doList(t, failure);
    if (command == QLatin1String("open")) return doOpen(t, failure);
    if (command == QLatin1String("close")) {
        Window* w = m_session.openWindow(failure);
        if (!w) return false;
        w->close();
        return true;
    }
    if (command == QLatin1String("type")) return doType(t, true, failure);
    if (command == QLatin1String("typing")) return doType(t, false, failure);
    if (command == QLatin1String("click")) return doClick(t, failure);
    if (command == QLatin1String("select")) return doSelect(t, failure);
    if (command == QLatin1String("doubleclick")) {
        FieldRef f;
        if (t.size() != 2) return *failure = usage(QStringLiteral("doubleclick <field>")), false;
        if (!m_session.resolveField(t[1], &f, failure)) return false;
        f.view->userDoubleClicked(f.row, f.column);
        return true;
    }
    if (command == QLatin1String("focus")) {
        Window* w = m_session.openWindow(failure);
        if (!w) return false;
        DataView* form = w->dataView(t.value(1, QStringLiteral("dw_1")));
        if (!form) return *failure = QStringLiteral("no data view %1").arg(t.value(1, QStringLiteral("dw_1"))), false;
        form->userFocus();
        return true;
    }
    if (command == QLatin1String("tick") || command == QLatin1String("clear")) return playScopeTreeLine(t, m_session, failure);
    if (command == QLatin1String("answer")) return doAnswer(t, failure);
    if (command == QLatin1String("parameter")) return doParameter(t, failure);
    *failure = QStringLiteral("unknown command \"%1\"").arg(t.value(0));
    return false;
}

bool ScenarioPlayer::doSql(const ScenarioLine& line, QString* failure)
{
    const QString statement = line.rest(1);
    if (statement.isEmpty()) return *failure = usage(QStringLiteral("sql <statement>")), false;
    Sqlca& sqlca = m_session.sqlca();
    if (!sqlca.execute(statement)) {
        *failure = QStringLiteral("statement failed: %1").arg(sqlca.sqlErrText());
        sqlca.rollback();
        return false;
    }
    sqlca.commit();
    return true;
}

// list <view> [master <view> [link <column>]] | list <view> select row <n> | list <view> refresh
// | list <view> filter [<label>]
// | list <view> delete
bool ScenarioPlayer::doList(const QStringList& t, QString* failure)
{
    if (t.size() < 2) return *failure = usage(QStringLiteral("list <view> [master <view> [link <column>]]")), false;
    ListPage* page = m_session.list(t[1], failure);
    if (!page) return false;
    if (t.size() == 5 && t[2] == QLatin1String("select") && t[3] == QLatin1String("row")) {
        int row = 0;
        if (!rowNumber(t[4], &row) || !page->selectRow(row))
            return *failure = QStringLiteral("list %1 has no row %2 (%3 rows)").arg(t[1], t[4]).arg(page->rowCount()),
                   false;
        return true;
    }
    if ((t.size() == 3 || t.size() == 4) && t[2] == QLatin1String("filter")) {
        const QString label = t.value(3);
        if (!label.isEmpty() && !page->listFilters().contains(label))
            return *failure = QStringLiteral("list %1 offers no filter %2 (%3)")
                                  .arg(t[1], label, page->listFilters().join(QStringLiteral(", "))),
                   false;
        return page->setListFilter(label) || (*failure = QStringLiteral("filter %1 cannot be applied: %2")
                                                              .arg(label, page->dw_1().lastError()),
                                               false);
    }
    if (t.size() == 3 && t[2] == QLatin1String("refresh")) {
        page->refreshKeepingRow();
        return true;
    }
    if (t.size() == 3 && t[2] == QLatin1String("delete")) {
        page->deleteCurrent(m_session.ui());   // refused or deleted: the messages say which
        return true;
    }
    if (t.size() >= 4 && t[2] == QLatin1String("master")) {
        ListPage* master = m_session.list(t[3], failure);
        if (!master) return false;
        QString link;
        if (t.size() == 6 && t[4] == QLatin1String("link")) {
            link = t[5];
        } else if (t.size() == 4) {
            const WindowInfo* info = m_session.registry().findByListView(t[1]);
            link = info ? info->linkColumn : QString();
        } else {
            return *failure = usage(QStringLiteral("list <view> master <view> [link <column>]")), false;
        }
        if (link.isEmpty())
            return *failure = QStringLiteral("no link column known for %1: add link <column>").arg(t[1]), false;
        page->setMaster(master, link);
        return true;
    }
    if (t.size() != 2) return *failure = QStringLiteral("unknown list command"), false;
    return page->ue_retrieve() >= 0 || (*failure = page->dw_1().lastError(), false);
}

// open <window> [add | modify [<key>]] [from list [<view>]] [row <n>] [master <view> [row <m>]]
bool ScenarioPlayer::doOpen(const QStringList& t, QString* failure)
{
    const QString form = QStringLiteral(
        "open <window> [add|modify [<key>]] [from list [<view>]] [row <n>] [master <view> [row <m>]]");
    if (t.size() < 2) return *failure = usage(form), false;
    const WindowInfo* info = m_session.registry().find(t[1]);
    if (!info) return *failure = QStringLiteral("no window %1 is registered").arg(t[1]), false;

    int i = 2;
    QString mode;
    QString key;
    if (i < t.size() && (t[i] == QLatin1String("add") || t[i] == QLatin1String("modify"))) mode = t[i++];
    const auto keyword = [](const QString& w) {
        return w == QLatin1String("from") || w == QLatin1String("row") || w == QLatin1String("master");
    };
    if (mode == QLatin1String("modify") && i < t.size() && !keyword(t[i])) key = t[i++];
    bool fromList = false;
    QString listView = info->listView;
    QString masterView;
    int row = 0, masterRow = 0;
    while (i < t.size()) {
        if (t[i] == QLatin1String("from") && t.value(i + 1) == QLatin1String("list")) {
            fromList = true;
            i += 2;
            if (i < t.size() && !keyword(t[i])) listView = t[i++];
        } else if (t[i] == QLatin1String("master") && i + 1 < t.size()) {
            fromList = true;
            masterView = t[i + 1];
            i += 2;
            if (t.value(i) == QLatin1String("row") && i + 1 < t.size() && rowNumber(t[i + 1], &masterRow)) i += 2;
        } else if (t[i] == QLatin1String("row") && i + 1 < t.size() && rowNumber(t[i + 1], &row)) {
            fromList = true;
            i += 2;
        } else {
            return *failure = usage(form), false;
        }
    }

    m_session.setWindow(nullptr);
    m_session.lastTypeCode = INT_MIN;
    if (fromList) {
        ListPage* page = m_session.list(listView, failure);
        if (!page) return false;
        if (!masterView.isEmpty()) {
            ListPage* master = m_session.list(masterView, failure);
            if (!master) return false;
            if (page->master() != master) {
                if (info->linkColumn.isEmpty())
                    return *failure = QStringLiteral("no link column known for %1: use list ... master ... link").arg(listView), false;
                page->setMaster(master, info->linkColumn);
            }
            if (masterRow > 0 && !master->selectRow(masterRow))
                return *failure = QStringLiteral("list %1 has no row %2").arg(masterView).arg(masterRow), false;
        }
        if (row > 0 && !page->selectRow(row))
            return *failure = QStringLiteral("list %1 has no row %2").arg(listView).arg(row), false;
        if (!key.isEmpty() && !page->selectRow(page->findKey(keyValue(key))))
            return *failure = QStringLiteral("list %1 has no record %2").arg(listView, key), false;
        const RecordMode m = mode == QLatin1String("add") ? RecordMode::Add : RecordMode::Modify;
        if (m == RecordMode::Modify && page->currentRow() < 1)
            return *failure = QStringLiteral("list %1 has no current row to open").arg(listView), false;
        m_session.setWindow(page->openWindow(m_session.registry(), m_session.context(), m));
        return true;
    }
    std::unique_ptr<Window> window = m_session.registry().create(t[1], m_session.context());
    if (!window) return *failure = QStringLiteral("window %1 could not be made").arg(t[1]), false;
    bool opened = false;
    if (auto* record = dynamic_cast<RecordWindow*>(window.get())) {
        if (mode == QLatin1String("modify")) {
            if (key.isEmpty()) return *failure = QStringLiteral("open ... modify needs a key or a list row"), false;
            opened = record->openModify(keyValue(key));
        } else {
            opened = record->openAdd();
        }
    } else {
        if (!mode.isEmpty()) return *failure = QStringLiteral("%1 is no register window: open it without a mode").arg(t[1]), false;
        opened = window->open();
    }
    // A window that refused to open stays closed; `expect closed` checks it.
    if (opened) m_session.setWindow(std::move(window));
    return true;
}

bool ScenarioPlayer::doType(const QStringList& t, bool leave, QString* failure)
{
    if (t.size() != 3) return *failure = usage(leave ? QStringLiteral("type <field> <value>") : QStringLiteral("typing <field> <value>")), false;
    FieldRef f;
    if (!m_session.resolveField(t[1], &f, failure)) return false;
    if (f.view->getRow() != f.row) f.view->setRow(f.row);
    f.view->setColumn(f.column);
    if (!leave) {
        f.view->setPendingText(f.column, t[2]);
        return true;
    }
    m_session.lastTypeField = t[1];
    m_session.lastTypeCode = f.view->userEdit(f.row, f.column, t[2]);
    return true;
}

bool ScenarioPlayer::doClick(const QStringList& t, QString* failure)
{
    if (t.size() != 2) return *failure = usage(QStringLiteral("click <control>")), false;
    Window* w = m_session.openWindow(failure);
    if (!w) return false;
    const ControlDef* c = w->control(t[1]);
    if (!c) return *failure = QStringLiteral("window %1 has no control %2").arg(w->name(), t[1]), false;
    if (!c->visible || !c->enabled)
        return *failure = QStringLiteral("control %1 is %2: a user cannot click it").arg(t[1], c->visible ? QStringLiteral("disabled") : QStringLiteral("hidden")),
               false;
    w->click(t[1]);
    return true;
}

// select <view> row <n>: makes a row of a window's data view current.
bool ScenarioPlayer::doSelect(const QStringList& t, QString* failure)
{
    int row = 0;
    if (t.size() != 4 || t[2] != QLatin1String("row") || !rowNumber(t[3], &row))
        return *failure = usage(QStringLiteral("select <view> row <n>")), false;
    Window* w = m_session.openWindow(failure);
    if (!w) return false;
    DataView* view = w->dataView(t[1]);
    if (!view) return *failure = QStringLiteral("window %1 has no data view %2").arg(w->name(), t[1]), false;
    if (row < 1 || row > view->rowCount())
        return *failure = QStringLiteral("%1 has no row %2 (%3 rows)").arg(t[1]).arg(row).arg(view->rowCount()), false;
    view->setRow(row);
    view->scrollToRow(row);
    return true;
}

bool ScenarioPlayer::doAnswer(const QStringList& t, QString* failure)
{
    harness::ScriptedUi& ui = m_session.ui();
    const QString what = t.value(1).toLower();
    if (t.size() == 2) {
        if (what == QLatin1String("ok")) return ui.answerOk(), true;
        if (what == QLatin1String("yes")) return ui.answerYes(), true;
        if (what == QLatin1String("no")) return ui.answerNo(), true;
        if (what == QLatin1String("cancel")) return ui.answerCancel(), true;
    }
    if (t.size() == 3 && what == QLatin1String("person")) {
        int n = 0;
        if (t[2] == QLatin1String("cancel")) return ui.answerPersonCancel(), true;
        if (rowNumber(t[2], &n) && n > 0) return ui.answerPerson(n), true;
    }
    if (t.size() == 4 && what == QLatin1String("person") && t[2] == QLatin1String("no")) {
        ui.answerPersonNo(t[3]);
        return true;
    }
    if (t.size() == 3 && what == QLatin1String("selection")) {
        if (t[2] == QLatin1String("cancel")) return ui.answerSelectionCancel(), true;
        StrMultiselect s;
        QStringList named;
        if (!parseSelection(t[2], &s, &named, failure)) return false;
        ui.answerSelection(s);
        return true;
    }
    if (t.size() == 3 && what == QLatin1String("floors")) {
        ui.answerSelectionWith(QStringLiteral("floors ") + t[2], floorAnswer(m_session.sqlca(), t[2]));
        return true;
    }
    if (t.size() >= 3 && what == QLatin1String("scope")) {
        ui.answerSelectionPlayed(t.mid(2));
        return true;
    }
    *failure = usage(QStringLiteral("answer ok|yes|no|cancel | answer person <n>|cancel | answer person no <personno> | "
                                    "answer selection s_str=...;s_dw=...|cancel | answer floors <range>|ok | "
                                    "answer scope <actions> ok|cancel"));
    return false;
}

// parameter string <text> | parameter selection s_...=...: what the next
// window finds in the message object when it opens.
bool ScenarioPlayer::doParameter(const QStringList& t, QString* failure)
{
    if (t.size() == 3 && t[1] == QLatin1String("string")) {
        m_session.message().stringParm = t[2];
        return true;
    }
    if (t.size() == 3 && t[1] == QLatin1String("selection")) {
        StrMultiselect s;
        QStringList named;
        if (!parseSelection(t[2], &s, &named, failure)) return false;
        m_session.message().powerObjectParm = s;
        return true;
    }
    *failure = usage(QStringLiteral("parameter string <text> | parameter selection s_...=..."));
    return false;
}

} // namespace cr::scenario
