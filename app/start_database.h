#pragma once

#include "frame/db_target.h"
#include "frame/sqlca.h"

#include <QString>
#include <memory>
#include <optional>

class QSettings;
class QWidget;

namespace cr::app {

// Which registry the application opens when it starts.
struct StartPlan {
    enum class Kind {
        Argument,      // --db names it
        Remembered,    // the one used last
        Default,       // the file in the user's data folder, made by an earlier version
        FirstStart,    // none yet: ask (demo, the office's own, or the server)
    };
    Kind kind = Kind::FirstStart;
    DbTarget target;   // Remembered and Default
    QString notice;    // FirstStart: why (the file used last is gone)
};

StartPlan planStart(const QString& dbArgument, const std::optional<DbTarget>& remembered, const QString& defaultPath);

// Opens the registry at start: the one named on the command line, else the
// one used last, else asks. Interactive: a registry that cannot be opened
// leads to the connect dialog (a server's password is asked there), and the
// registry opened is remembered for the next start. Not interactive
// (screenshots): no dialog, no remembering; the first start takes the demo.
// nullptr when nothing was opened (the user gave up; the reason printed).
std::unique_ptr<Sqlca> openAtStart(const QString& dbArgument, bool interactive, QSettings& settings);

// 文件 > 连接数据库… and the start's fallback: the connect dialog until a
// registry opens or the user cancels. `notice` says why it is shown.
std::unique_ptr<Sqlca> connectInteractively(QWidget* parent, const DbTarget& current, const QString& notice);

} // namespace cr::app
