#pragma once

#include "frame/str_multiselect.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>

namespace cr {

// One person offered by the person-selection dialog.
struct PersonCandidate {
    QString personNo;
    QString name;
    QString sex;          // display text
    QString idCard;
    QString birthDate;    // yyyy-MM-dd
    QString address;
    QString phone;
};

// The long work a progress window stands for; closed when destroyed.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setText(const QString& text) = 0;
    virtual void setValue(int done, int total) = 0;
};

// Everything a window may ask of the user. The desktop shell answers with real
// dialogs, the scenario player and the tests with scripted answers. Windows
// never reach widgets any other way.
class UiServices {
public:
    enum class Icon { Information, Question, Warning, Error };
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    // Answers: 1 = OK / Yes, 2 = No (or Cancel of OkCancel), 3 = Cancel.

    virtual ~UiServices() = default;

    virtual int messageBox(const QString& title, const QString& text,
                           Icon icon = Icon::Information, Buttons buttons = Buttons::Ok,
                           int defaultButton = 1) = 0;
    // An error box whose technical reason (the database's own words) stays
    // out of the text, under "详细信息" for the IT person. A shell without
    // such a place shows the text alone.
    virtual void errorBox(const QString& title, const QString& text, const QString& detail)
    {
        Q_UNUSED(detail);
        messageBox(title, text, Icon::Error);
    }

    // Person selection: `search` finds candidates for a text (the caller has
    // already applied any condition). Returns the chosen person's number, or
    // nullopt when the user cancels.
    using PersonSearch = std::function<QList<PersonCandidate>(const QString& text)>;
    virtual std::optional<QString> selectPerson(const QString& title, const QString& searchText,
                                                const PersonSearch& search) = 0;

    // Floor selection and the team scope dialog: modal, answer "$$" in s_str
    // when cancelled. `dialog` names the window (w_multiselect_floor, ...).
    virtual StrMultiselect openSelection(const QString& dialog, const StrMultiselect& parameter) = 0;

    virtual std::unique_ptr<Progress> showProgress(const QString& text) = 0;
    virtual void showHelp(const QString& topic) = 0;
};

} // namespace cr
