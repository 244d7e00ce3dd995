#include "app/pane_keys.h"

#include <QShortcut>
#include <QWidget>

namespace cr::app {

void bindPaneKey(QWidget* pane, const QKeySequence& key, const std::function<void()>& act)
{
    auto* shortcut = new QShortcut(key, pane);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, pane, act);
}

QString withKey(const QString& tip, const QKeySequence& key)
{
    return QStringLiteral("%1（%2）").arg(tip, key.toString(QKeySequence::NativeText));
}

} // namespace cr::app
