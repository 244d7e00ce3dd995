#pragma once

#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::app {

// How the main window names the open registry, so that nobody types real
// entries into the wrong one: the window title, the status bar's database
// and community, and the demo mark.
struct DatabaseCaption {
    QString title;        // "第一社区 - registry.db（演示数据）"
    QString database;     // "数据库：/home/…/registry.db（SQLite）"
    QString community;    // "社区：第一社区（110105001001）" or "社区编号：110105001001"
    bool demo = false;
};

DatabaseCaption describeDatabase(Sqlca& sqlca);

// The mark of a registry of made-up people.
inline QString demoMark() { return QStringLiteral("演示数据"); }

} // namespace cr::app
