#pragma once

class QApplication;
class QCoreApplication;

namespace cr::app {

// The names QSettings files the settings under (~/.config/community-registry/),
// the version, the icon, a font with Chinese characters and Qt's own Chinese
// texts.
void setUpApplication(QApplication& app);

// Loads Qt's Chinese translation, so that the buttons and texts of Qt's own
// dialogs (file dialogs, message boxes, the calendar) are Chinese. False
// when it is not installed (Debian package qt6-translations-l10n).
bool installQtChinese(QCoreApplication& app);

} // namespace cr::app
