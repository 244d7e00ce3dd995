#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace cr::app {

// The local help: one page per window, chosen by its topic (the window's
// title, or "房屋信息批量维护"), shown in a browser with links between pages.
class HelpDialog : public QDialog {
    Q_OBJECT
public:
    HelpDialog(QWidget* parent, const QString& topic);
    static void show(QWidget* parent, const QString& topic);

    // The resource page of a topic; the general page when the topic is unknown.
    static QString pageFor(const QString& topic);
    QString currentSource() const;

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace cr::app
