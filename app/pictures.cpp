#include "app/pictures.h"

#include <QFile>

namespace cr::app {

QString pictureResource(const QString& name)
{
    QString file = name;
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    file = file.section(QLatin1Char('/'), -1);
    return file.isEmpty() ? QString() : QStringLiteral(":/bmp/") + file;
}

QIcon picture(const QString& name)
{
    const QString resource = pictureResource(name);
    if (resource.isEmpty() || !QFile::exists(resource)) return {};
    return QIcon(resource);
}

QIcon appIcon()
{
    // Two sizes: the title bar's and the desktop's (task switcher, menu).
    QIcon icon = picture(QStringLiteral("AppIcon.png"));
    icon.addFile(pictureResource(QStringLiteral("AppIcon-128.png")));
    return icon;
}

} // namespace cr::app
