#include "harness/scripted_ui.h"

namespace cr::harness {

// Records what a progress window was told; never fails.
class RecordingProgress : public Progress {
public:
    RecordingProgress(ScriptedUi& ui) : m_ui(ui) {}
    void setText(const QString& text) override
    {
        Prompt p;
        p.kind = Prompt::Kind::Progress;
        p.title = QStringLiteral("progress");
        p.text = text;
        m_ui.m_prompts << p;
    }
    void setValue(int, int) override {}

private:
    ScriptedUi& m_ui;
};

namespace {

QString promptLine(const QString& title, const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QStringLiteral("\"%1\" \"%2\"").arg(title, t);
}

} // namespace

void ScriptedUi::answerPerson(int candidate) { m_answers.append({Answer::PersonIndex, candidate, {}, {}, {}, {}, {}}); }
void ScriptedUi::answerPersonNo(const QString& personNo) { m_answers.append({Answer::PersonNo, 0, personNo, {}, {}, {}, {}}); }
void ScriptedUi::answerPersonCancel() { queue(Answer::PersonCancel); }
void ScriptedUi::answerSelection(const StrMultiselect& result) { m_answers.append({Answer::Selection, 0, {}, result, {}, {}, {}}); }
void ScriptedUi::answerSelectionWith(const QString& description, SelectionAnswer answer)
{
    m_answers.append({Answer::Selection, 0, {}, {}, std::move(answer), description, {}});
}
void ScriptedUi::answerSelectionCancel() { queue(Answer::SelectionCancel); }
void ScriptedUi::answerSelectionPlayed(const QStringList& actions)
{
    m_answers.append({Answer::SelectionPlayed, 0, {}, {}, {}, {}, actions});
}

bool ScriptedUi::isMessageAnswer(Answer a)
{
    return a == Answer::Ok || a == Answer::Yes || a == Answer::No || a == Answer::Cancel;
}

QString ScriptedUi::describe(const Queued& q)
{
    switch (q.kind) {
    case Answer::Ok: return QStringLiteral("ok");
    case Answer::Yes: return QStringLiteral("yes");
    case Answer::No: return QStringLiteral("no");
    case Answer::Cancel: return QStringLiteral("cancel");
    case Answer::PersonIndex: return QStringLiteral("person %1").arg(q.index);
    case Answer::PersonNo: return QStringLiteral("person %1").arg(q.personNo);
    case Answer::PersonCancel: return QStringLiteral("person cancel");
    case Answer::Selection:
        return q.made ? QStringLiteral("selection %1").arg(q.description) : QStringLiteral("selection s_str=%1").arg(q.selection.s_str);
    case Answer::SelectionCancel: return QStringLiteral("selection cancel");
    case Answer::SelectionPlayed: return QStringLiteral("dialog: %1").arg(q.actions.join(QLatin1Char(' ')));
    }
    return QString();
}

QStringList ScriptedUi::pendingDescriptions() const
{
    QStringList d;
    for (const Queued& q : m_answers) d << describe(q);
    return d;
}

QList<Prompt> ScriptedUi::messages() const
{
    QList<Prompt> m;
    for (const Prompt& p : m_prompts)
        if (p.kind == Prompt::Kind::Message) m << p;
    return m;
}

QStringList ScriptedUi::helpTopics() const
{
    QStringList t;
    for (const Prompt& p : m_prompts)
        if (p.kind == Prompt::Kind::Help) t << p.text;
    return t;
}

QStringList ScriptedUi::progressTexts() const
{
    QStringList t;
    for (const Prompt& p : m_prompts)
        if (p.kind == Prompt::Kind::Progress) t << p.text;
    return t;
}

QString ScriptedUi::buttonsName(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QStringLiteral("OK");
    case Buttons::YesNo: return QStringLiteral("Yes/No");
    case Buttons::YesNoCancel: return QStringLiteral("Yes/No/Cancel");
    case Buttons::OkCancel: return QStringLiteral("OK/Cancel");
    }
    return QString();
}

int ScriptedUi::messageBox(const QString& title, const QString& text, Icon, Buttons buttons, int defaultButton)
{
    Prompt p;
    p.kind = Prompt::Kind::Message;
    p.title = title;
    p.text = text;
    p.buttons = buttons;

    // The answer that does least when nobody expected the question.
    const int harmless = buttons == Buttons::YesNoCancel ? 3 : buttons == Buttons::Ok ? 1 : 2;
    (void)defaultButton;
    const bool head = !m_answers.isEmpty() && isMessageAnswer(m_answers.first().kind);
    if (buttons == Buttons::Ok) {
        // A plain message needs no answer; a queued "ok" is taken if it is next.
        if (head && m_answers.first().kind == Answer::Ok) m_answers.removeFirst();
        p.answer = 1;
        m_prompts << p;
        return 1;
    }
    if (!head) {
        error(QStringLiteral("unexpected question %1 (%2): no answer queued").arg(promptLine(title, text),
                                                                                buttonsName(buttons)));
        p.answer = harmless;
        m_prompts << p;
        return harmless;
    }
    const Queued q = m_answers.takeFirst();
    int answer = 0;
    switch (buttons) {
    case Buttons::YesNo:
        answer = q.kind == Answer::Yes ? 1 : q.kind == Answer::No ? 2 : 0;
        break;
    case Buttons::YesNoCancel:
        answer = q.kind == Answer::Yes ? 1 : q.kind == Answer::No ? 2 : q.kind == Answer::Cancel ? 3 : 0;
        break;
    case Buttons::OkCancel:
        answer = q.kind == Answer::Ok ? 1 : q.kind == Answer::Cancel ? 2 : 0;
        break;
    case Buttons::Ok:
        break;
    }
    if (answer == 0) {
        error(QStringLiteral("answer \"%1\" does not fit question %2 (%3)")
                  .arg(describe(q), promptLine(title, text), buttonsName(buttons)));
        answer = harmless;
    }
    p.answer = answer;
    m_prompts << p;
    return answer;
}

std::optional<QString> ScriptedUi::selectPerson(const QString& title, const QString& searchText,
                                                const PersonSearch& search)
{
    Prompt p;
    p.kind = Prompt::Kind::Person;
    p.title = title;
    p.text = searchText;
    m_prompts << p;
    m_lastCandidates = search ? search(searchText) : QList<PersonCandidate>();

    const bool head = !m_answers.isEmpty()
                      && (m_answers.first().kind == Answer::PersonIndex || m_answers.first().kind == Answer::PersonNo
                          || m_answers.first().kind == Answer::PersonCancel);
    if (!head) {
        error(QStringLiteral("unexpected person selection for \"%1\": no person answer queued").arg(searchText));
        return std::nullopt;
    }
    const Queued q = m_answers.takeFirst();
    if (q.kind == Answer::PersonCancel) return std::nullopt;
    if (q.kind == Answer::PersonIndex) {
        if (q.index < 1 || q.index > m_lastCandidates.size()) {
            error(QStringLiteral("person %1 asked for, but \"%2\" offers %3 person(s)")
                      .arg(q.index)
                      .arg(searchText)
                      .arg(m_lastCandidates.size()));
            return std::nullopt;
        }
        return m_lastCandidates[q.index - 1].personNo;
    }
    for (const PersonCandidate& c : m_lastCandidates)
        if (c.personNo == q.personNo) return c.personNo;
    error(QStringLiteral("person %1 asked for, but \"%2\" does not offer it").arg(q.personNo, searchText));
    return std::nullopt;
}

StrMultiselect ScriptedUi::openSelection(const QString& dialog, const StrMultiselect& parameter)
{
    Prompt p;
    p.kind = Prompt::Kind::Selection;
    p.title = dialog;
    p.text = parameter.s_str;
    m_prompts << p;
    m_lastSelection = parameter;

    StrMultiselect cancelled = parameter;
    cancelled.s_str = StrMultiselect::cancelMark();
    const bool head = !m_answers.isEmpty()
                      && (m_answers.first().kind == Answer::Selection || m_answers.first().kind == Answer::SelectionCancel
                          || m_answers.first().kind == Answer::SelectionPlayed);
    if (!head) {
        error(QStringLiteral("unexpected dialog %1: no selection answer queued").arg(dialog));
        return cancelled;
    }
    const Queued q = m_answers.takeFirst();
    if (q.kind == Answer::SelectionPlayed) return playSelection(dialog, parameter, q.actions).value_or(cancelled);
    if (q.kind != Answer::Selection) return cancelled;
    if (!q.made) return q.selection;
    QString problem;
    const StrMultiselect made = q.made(parameter, &problem);
    if (!problem.isEmpty()) error(QStringLiteral("%1 could not answer: %2").arg(dialog, problem));
    return made;
}

std::optional<StrMultiselect> ScriptedUi::playSelection(const QString& dialog, const StrMultiselect& parameter,
                                                        const QStringList& actions)
{
    if (!m_dialogRunner) {
        error(QStringLiteral("dialog %1 cannot be played here").arg(dialog));
        return std::nullopt;
    }
    QString problem;
    const std::optional<StrMultiselect> result = m_dialogRunner(dialog, parameter, actions, &problem);
    if (!result) error(QStringLiteral("dialog %1: %2").arg(dialog, problem));
    return result;
}

std::unique_ptr<Progress> ScriptedUi::showProgress(const QString& text)
{
    auto progress = std::make_unique<RecordingProgress>(*this);
    progress->setText(text);
    return progress;
}

void ScriptedUi::showHelp(const QString& topic)
{
    Prompt p;
    p.kind = Prompt::Kind::Help;
    p.title = QStringLiteral("help");
    p.text = topic;
    m_prompts << p;
}

} // namespace cr::harness
