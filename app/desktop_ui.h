#pragma once

#include "frame/ui_services.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace cr {
class Sqlca;
class WindowRegistry;
}

namespace cr::app {

// The real dialogs behind the windows' UI services: message boxes, person
// selection, the floor-selection dialog and any selection dialog registered
// by name, the progress window and the help viewer. Dialogs open over the
// active window.
class DesktopUi : public UiServices {
public:
    using SelectionDialog = std::function<StrMultiselect(QWidget* parent, const StrMultiselect& parameter)>;

    DesktopUi();

    void setConnection(Sqlca* sqlca) { m_sqlca = sqlca; }
    // The windows whose help pages the help viewer opens.
    void setWindows(const WindowRegistry* windows) { m_windows = windows; }
    void setFallbackParent(QWidget* parent) { m_fallbackParent = parent; }
    // Adds or replaces the dialog opened by openSelection(name, ...).
    void registerSelection(const QString& name, SelectionDialog dialog);
    // Without a user (screenshots): messages go to stderr and are answered
    // with their default button; no dialog opens.
    void setUnattended(bool unattended) { m_unattended = unattended; }

    int messageBox(const QString& title, const QString& text, Icon icon = Icon::Information,
                   Buttons buttons = Buttons::Ok, int defaultButton = 1) override;
    std::optional<QString> selectPerson(const QString& title, const QString& searchText,
                                        const PersonSearch& search) override;
    StrMultiselect openSelection(const QString& dialog, const StrMultiselect& parameter) override;
    std::unique_ptr<Progress> showProgress(const QString& text) override;
    void showHelp(const QString& topic) override;

    // Message texts use "\r\r\n" and "\r\n" between lines; a box shows "\n".
    static QString displayText(const QString& text);

private:
    QWidget* parent() const;

    Sqlca* m_sqlca = nullptr;
    const WindowRegistry* m_windows = nullptr;
    bool m_unattended = false;
    QPointer<QWidget> m_fallbackParent;
    QHash<QString, SelectionDialog> m_selections;
};

} // namespace cr::app
