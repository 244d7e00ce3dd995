#include "app/help_dialog.h"

#include "frame/window_registry.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace cr::app {

QString HelpDialog::pageFor(const WindowRegistry& windows, const QString& topic)
{
    const WindowInfo* window = windows.findEntry(topic);
    if (!window || window->helpPage.isEmpty()) return QStringLiteral("qrc:/help/index.html");
    return QStringLiteral("qrc:/help/") + window->helpPage;
}

HelpDialog::HelpDialog(QWidget* parent, const WindowRegistry& windows, const QString& topic) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("帮助 - %1").arg(topic.isEmpty() ? QStringLiteral("社区居委会信息登记") : topic));
    auto* layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser;
    m_browser->setOpenLinks(true);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setSource(QUrl(pageFor(windows, topic)));
    layout->addWidget(m_browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 520);
}

QString HelpDialog::currentSource() const
{
    return m_browser->source().toString();
}

void HelpDialog::show(QWidget* parent, const WindowRegistry& windows, const QString& topic)
{
    HelpDialog dialog(parent, windows, topic);
    dialog.exec();
}

} // namespace cr::app
