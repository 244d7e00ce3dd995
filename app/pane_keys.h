#pragma once

#include <QKeySequence>
#include <QString>
#include <functional>

class QWidget;

namespace cr::app {

// The keys of a list page. A page may show a master list with detail lists
// beneath it: every key acts on the pane that holds the focus and on no
// other, and none is an Alt+letter (those open the menu bar's menus).
namespace paneKeys {
inline QKeySequence find() { return QKeySequence(Qt::CTRL | Qt::Key_F); }   // to the search box
inline QKeySequence add() { return QKeySequence(Qt::CTRL | Qt::Key_N); }    // 新增
inline QKeySequence modify() { return QKeySequence(Qt::Key_F2); }           // 修改 (Enter in the list too)
inline QKeySequence refresh() { return QKeySequence(Qt::Key_F5); }          // 刷新
} // namespace paneKeys

// Makes `key` run `act` while the focus is anywhere inside `pane`.
void bindPaneKey(QWidget* pane, const QKeySequence& key, const std::function<void()>& act);

// "登记一条新记录（Ctrl+N）": a tooltip that names its key.
QString withKey(const QString& tip, const QKeySequence& key);

} // namespace cr::app
