#pragma once

#include "frame/ui_services.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace cr::harness {

// One thing a window showed or asked.
struct Prompt {
    enum class Kind { Message, Person, Selection, Progress, Help };
    Kind kind = Kind::Message;
    QString title;       // message title; dialog name of a selection; "progress"/"help"
    QString text;        // message text; person search text; selection s_str; progress/help text
    UiServices::Buttons buttons = UiServices::Buttons::Ok;
    int answer = 0;      // what the window got back (messages)
};

// UiServices for tests and scenarios: answers come from a queue filled
// beforehand, in the order the prompts will appear; every prompt is recorded.
// A prompt that finds no queued answer of its kind is an error that the test
// or scenario fails on (a plain OK message needs no answer). Progress windows
// and help are recorded and never fail.
class ScriptedUi : public UiServices {
public:
    // --- answers -----------------------------------------------------------------
    void answerOk() { queue(Answer::Ok); }
    void answerYes() { queue(Answer::Yes); }
    void answerNo() { queue(Answer::No); }
    void answerCancel() { queue(Answer::Cancel); }
    void answerPerson(int candidate);                 // the n-th person offered (from 1)
    void answerPersonNo(const QString& personNo);     // the person with this number
    void answerPersonCancel();
    void answerSelection(const StrMultiselect& result);
    void answerSelectionCancel();                     // s_str "$$", the rest as sent
    // The dialog's answer made from what it was sent (the rules of the
    // dialog played without widgets); an error fails like a missing answer.
    using SelectionAnswer = std::function<StrMultiselect(const StrMultiselect& parameter, QString* error)>;
    void answerSelectionWith(const QString& description, SelectionAnswer answer);
    // The selection dialog itself opens and the user does `actions` in it
    // ("tick B1U1", "clear H2", "ok" ...): the dialog runner plays them.
    void answerSelectionPlayed(const QStringList& actions);

    // Plays a selection dialog for real: opens `dialog` with `parameter`,
    // does the actions and returns what the dialog handed back; nullopt
    // with `error` set when it cannot.
    using DialogRunner = std::function<std::optional<StrMultiselect>(
        const QString& dialog, const StrMultiselect& parameter, const QStringList& actions, QString* error)>;
    void setDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }

    int pendingAnswers() const { return int(m_answers.size()); }
    QStringList pendingDescriptions() const;          // "yes", "person 2" ...
    void clearAnswers() { m_answers.clear(); }

    // --- what happened -----------------------------------------------------------
    const QList<Prompt>& prompts() const { return m_prompts; }
    QList<Prompt> messages() const;                   // message boxes only, in order
    QStringList helpTopics() const;
    QStringList progressTexts() const;
    QList<PersonCandidate> lastCandidates() const { return m_lastCandidates; }
    StrMultiselect lastSelectionParameter() const { return m_lastSelection; }
    QStringList errors() const { return m_errors; }
    void clearErrors() { m_errors.clear(); }
    void clearPrompts() { m_prompts.clear(); }

    // --- UiServices ----------------------------------------------------------------
    int messageBox(const QString& title, const QString& text, Icon icon = Icon::Information,
                   Buttons buttons = Buttons::Ok, int defaultButton = 1) override;
    std::optional<QString> selectPerson(const QString& title, const QString& searchText,
                                        const PersonSearch& search) override;
    StrMultiselect openSelection(const QString& dialog, const StrMultiselect& parameter) override;
    std::unique_ptr<Progress> showProgress(const QString& text) override;
    void showHelp(const QString& topic) override;

    static QString buttonsName(Buttons buttons);

private:
    enum class Answer {
        Ok, Yes, No, Cancel, PersonIndex, PersonNo, PersonCancel, Selection, SelectionCancel, SelectionPlayed
    };
    struct Queued {
        Answer kind;
        int index = 0;
        QString personNo;
        StrMultiselect selection;
        SelectionAnswer made;    // a selection answer made when the dialog opens
        QString description;     // of the made answer
        QStringList actions;     // played in the dialog itself
    };
    void queue(Answer kind) { m_answers.append({kind, 0, {}, {}, {}, {}, {}}); }
    std::optional<StrMultiselect> playSelection(const QString& dialog, const StrMultiselect& parameter,
                                                const QStringList& actions);
    static QString describe(const Queued& q);
    static bool isMessageAnswer(Answer a);
    void error(const QString& text) { m_errors << text; }

    QList<Queued> m_answers;
    QList<Prompt> m_prompts;
    QStringList m_errors;
    QList<PersonCandidate> m_lastCandidates;
    StrMultiselect m_lastSelection;
    DialogRunner m_dialogRunner;

    friend class RecordingProgress;
};

} // namespace cr::harness
