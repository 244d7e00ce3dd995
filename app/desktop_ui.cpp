#include "app/desktop_ui.h"

#include "app/floor_dialog.h"
#include "app/help_dialog.h"
#include "app/person_dialog.h"
#include "app/progress_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace cr::app {

DesktopUi::DesktopUi()
{
    registerSelection(QStringLiteral("w_multiselect_floor"), [this](QWidget* parent, const StrMultiselect& p) {
        return FloorDialog::choose(parent, m_sqlca, p);
    });
}

void DesktopUi::registerSelection(const QString& name, SelectionDialog dialog)
{
    m_selections.insert(name.toLower(), std::move(dialog));
}

QWidget* DesktopUi::parent() const
{
    if (QWidget* active = QApplication::activeModalWidget()) return active;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return m_fallbackParent;
}

QString DesktopUi::displayText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\r\n"), QStringLiteral("\n"));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

int DesktopUi::messageBox(const QString& title, const QString& text, Icon icon, Buttons buttons,
                          int defaultButton)
{
    if (m_unattended) {
        fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(displayText(text)));
        return defaultButton;
    }
    QMessageBox box(parent());
    box.setWindowTitle(title);
    box.setText(displayText(text));
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    // Answers in the order the windows number them: 1, 2, 3.
    QList<QPushButton*> answers;
    switch (buttons) {
    case Buttons::Ok:
        answers << box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        break;
    case Buttons::YesNo:
        answers << box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole)
                << box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        break;
    case Buttons::YesNoCancel:
        answers << box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole)
                << box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole)
                << box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        break;
    case Buttons::OkCancel:
        answers << box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole)
                << box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        break;
    }
    box.setDefaultButton(answers.value(qBound(1, defaultButton, int(answers.size())) - 1));
    // Esc answers with the last, most cautious button (No or Cancel).
    box.setEscapeButton(answers.last());
    box.exec();
    const int index = answers.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return index < 0 ? int(answers.size()) : index + 1;
}

std::optional<QString> DesktopUi::selectPerson(const QString& title, const QString& searchText,
                                               const PersonSearch& search)
{
    if (m_unattended) return std::nullopt;
    return PersonDialog::choose(parent(), title, searchText, search);
}

StrMultiselect DesktopUi::openSelection(const QString& dialog, const StrMultiselect& parameter)
{
    const auto it = m_selections.constFind(dialog.toLower());
    if (m_unattended || it == m_selections.constEnd()) {
        messageBox(QStringLiteral("提示"), QStringLiteral("“%1”即将推出。").arg(dialog));
        StrMultiselect cancelled = parameter;
        cancelled.s_str = StrMultiselect::cancelMark();
        return cancelled;
    }
    return (*it)(parent(), parameter);
}

std::unique_ptr<Progress> DesktopUi::showProgress(const QString& text)
{
    return std::make_unique<ProgressWindow>(parent(), text);
}

void DesktopUi::showHelp(const QString& topic)
{
    if (m_unattended || !m_windows) return;
    HelpDialog::show(parent(), *m_windows, topic);
}

} // namespace cr::app
