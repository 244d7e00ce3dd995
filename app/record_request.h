#pragma once

#include "app/app_context.h"

#include <QString>
#include <QVariant>

class QWidget;

namespace cr::app {

// Opens the register window `window` with its stored record `key`, modal
// over `parent`, as a window that is no list asks for one of its records (a
// report opening a house). The window's list, when it has one, is not
// involved. False when it did not open (the window has said why).
bool openRequestedRecord(const AppContext& context, QWidget* parent, const QString& window, const QVariant& key);

} // namespace cr::app
