#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace cr {
class WindowRegistry;
}

namespace cr::app {

// The local help: one page per window (its catalog entry names the page),
// chosen by the topic the window asks for (its help topic, title or name),
// shown in a browser with links between pages.
class HelpDialog : public QDialog {
    Q_OBJECT
public:
    HelpDialog(QWidget* parent, const WindowRegistry& windows, const QString& topic);
    static void show(QWidget* parent, const WindowRegistry& windows, const QString& topic);

    // The resource page of a topic; the general page when the topic is unknown.
    static QString pageFor(const WindowRegistry& windows, const QString& topic);
    QString currentSource() const;

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace cr::app
