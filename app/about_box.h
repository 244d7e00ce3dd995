#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace cr {
class Sqlca;
}

namespace cr::app {

// 帮助 > 关于: the program, its version, and the registry it works on.
QString aboutText(Sqlca& sqlca);
QMessageBox* makeAboutBox(QWidget* parent, Sqlca& sqlca);   // owned by parent (or the caller)
void showAboutBox(QWidget* parent, Sqlca& sqlca);

} // namespace cr::app
