#include "app/record_request.h"

#include "app/record_window_widget.h"
#include "frame/record_window.h"
#include "frame/window_registry.h"

#include <QApplication>

namespace cr::app {

bool openRequestedRecord(const AppContext& context, QWidget* parent, const QString& window, const QVariant& key)
{
    std::unique_ptr<Window> created = context.registry->create(window, context.windowContext());
    auto* record = dynamic_cast<RecordWindow*>(created.get());
    if (!record) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = record->openModify(key);
    QApplication::restoreOverrideCursor();
    if (!opened) return false;
    created.release();
    auto* widget = new RecordWindowWidget(std::unique_ptr<RecordWindow>(record), *context.ui, parent);
    widget->setWindowFlag(Qt::Window);
    widget->setAttribute(Qt::WA_DeleteOnClose);
    widget->setWindowModality(Qt::ApplicationModal);
    widget->show();
    return true;
}

} // namespace cr::app
