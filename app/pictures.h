#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace cr::app {

// Pictures of bmp/ as the windows name them ("bmp/cb_save.bmp" or
// "bmp\cb_save.bmp"), read from the compiled-in resource. An unknown name
// gives a null icon, never a failure.
QIcon picture(const QString& name);
QString pictureResource(const QString& name);   // ":/bmp/cb_save.bmp"
QIcon appIcon();

} // namespace cr::app
