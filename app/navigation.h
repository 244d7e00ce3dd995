#pragma once

#include <QList>
#include <QString>

namespace cr::app {

// One entry of the main window's navigation pane.
struct NavigationEntry {
    QString group;     // 社区基础信息 ...
    QString label;     // 楼院 ...
    QString window;    // w_m_ge_building ...
};

// The module's windows as the office finds them, grouped by subject.
const QList<NavigationEntry>& navigationEntries();
const NavigationEntry* navigationEntry(const QString& labelOrWindow);

} // namespace cr::app
