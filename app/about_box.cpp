#include "app/about_box.h"

#include "app/database_caption.h"
#include "app/pictures.h"
#include "frame/sqlca.h"
#include "schema/schema.h"

#include <QMessageBox>
#include <cr_version.h>

namespace cr::app {

QString aboutText(Sqlca& sqlca)
{
    const DatabaseCaption caption = describeDatabase(sqlca);
    QString text = QStringLiteral("<h3>社区居委会信息登记</h3><p>版本 %1</p>"
                                  "<p>责任区、楼院和房屋的登记，楼院负责人、责任区负责人、居民小组和小组长，"
                                  "出租房屋、租房人员和处罚记录。</p>")
                       .arg(QStringLiteral(CR_VERSION));
    text += QStringLiteral("<p>%1<br>%2<br>结构版本：%3</p>")
                .arg(caption.database.toHtmlEscaped(), caption.community.toHtmlEscaped())
                .arg(schema::version(sqlca));
    if (caption.demo) text += QStringLiteral("<p><b>当前打开的是演示数据，不能用于实际登记。</b></p>");
    text += QStringLiteral("<p>管理工具：community-admin（建库、复制到服务器、备份和恢复）。<br>Qt %1</p>")
                .arg(QString::fromLatin1(qVersion()));
    return text;
}

QMessageBox* makeAboutBox(QWidget* parent, Sqlca& sqlca)
{
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(QStringLiteral("关于"));
    box->setTextFormat(Qt::RichText);
    box->setText(aboutText(sqlca));
    box->setIconPixmap(appIcon().pixmap(64, 64));
    box->setStandardButtons(QMessageBox::Ok);   // its text comes from Qt's Chinese translation
    return box;
}

void showAboutBox(QWidget* parent, Sqlca& sqlca)
{
    QMessageBox* box = makeAboutBox(parent, sqlca);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->exec();
}

} // namespace cr::app
