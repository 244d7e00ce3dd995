#pragma once

#include "frame/ui_services.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>

namespace cr::test {

// Answers every message box with OK and remembers what it was shown; the
// tests of this folder ask nothing else.
class RecordingUi : public UiServices {
public:
    struct Shown {
        QString title;
        QString text;
    };
    QList<Shown> messages;

    int messageBox(const QString& title, const QString& text, Icon, Buttons, int) override
    {
        messages.append({title, text});
        return 1;
    }
    std::optional<QString> selectPerson(const QString&, const QString&, const PersonSearch&) override
    {
        ADD_FAILURE() << "unexpected person selection";
        return std::nullopt;
    }
    StrMultiselect openSelection(const QString&, const StrMultiselect&) override
    {
        ADD_FAILURE() << "unexpected selection dialog";
        return StrMultiselect{.s_str = StrMultiselect::cancelMark()};
    }
    std::unique_ptr<Progress> showProgress(const QString&) override { return nullptr; }
    void showHelp(const QString&) override {}

    // "title / text" of the one message shown, or what went wrong.
    QString single() const
    {
        if (messages.size() != 1) return QStringLiteral("%1 messages").arg(messages.size());
        return messages.front().title + QStringLiteral(" / ") + messages.front().text;
    }
};

} // namespace cr::test
