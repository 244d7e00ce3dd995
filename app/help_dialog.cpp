#include "app/help_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace cr::app {
namespace {

// Topic (window title or window name) -> page of the help resource.
struct HelpTopic {
    const char* topic;
    const char* window;
    const char* page;
};

const HelpTopic kTopics[] = {
    {"责任区", "w_m_ge_regionalmanage", "regionalmanage.html"},
    {"社区楼院", "w_m_ge_building", "building.html"},
    {"房屋信息表", "w_m_ge_houseinfo", "houseinfo.html"},
    {"房屋信息批量维护", "w_housemanage", "housemanage.html"},
    {"楼院负责人", "w_m_ge_buildingdean", "buildingdean.html"},
    {"居委会分片管理负责人", "w_m_ge_regionalmanager", "regionalmanager.html"},
    {"居民小组", "w_m_og_inhabitantteam", "inhabitantteam.html"},
    {"居民小组所辖范围定义", "w_inhabitantteam_scope", "inhabitantteam.html"},
    {"居民小组长", "w_m_og_inhabteamleader", "inhabteamleader.html"},
    {"出租房屋登记", "w_m_ge_renthousereg", "renthousereg.html"},
    {"房屋出租记录", "w_m_ge_rentregistry", "rentregistry.html"},
    {"房屋出租处罚记录", "w_m_ge_punishrecord", "punishrecord.html"},
};

} // namespace

QString HelpDialog::pageFor(const QString& topic)
{
    const QString t = topic.trimmed();
    for (const HelpTopic& h : kTopics)
        if (t == QString::fromUtf8(h.topic) || t.compare(QLatin1String(h.window), Qt::CaseInsensitive) == 0)
            return QStringLiteral("qrc:/help/") + QLatin1String(h.page);
    return QStringLiteral("qrc:/help/index.html");
}

HelpDialog::HelpDialog(QWidget* parent, const QString& topic) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("帮助 - %1").arg(topic.isEmpty() ? QStringLiteral("社区居委会信息登记") : topic));
    auto* layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser;
    m_browser->setOpenLinks(true);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setSource(QUrl(pageFor(topic)));
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

void HelpDialog::show(QWidget* parent, const QString& topic)
{
    HelpDialog dialog(parent, topic);
    dialog.exec();
}

} // namespace cr::app
