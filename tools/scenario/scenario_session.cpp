#include "scenario_session.h"

#include "catalog/module_catalog.h"
#include "demo_windows.h"
#include "frame/dataview.h"
#include "frame/record_window.h"
#include "scope_tree_lines.h"

#include <QRegularExpression>

namespace cr::scenario {

ScenarioSession::ScenarioSession(Sqlca& sqlca) : m_sqlca(sqlca)
{
    catalog::registerViews(m_catalog);
    catalog::registerWindows(m_registry);
    demo::registerDemoWindows(m_catalog, m_registry);
    m_ui.setDialogRunner([this](const QString& dialog, const StrMultiselect& parameter, const QStringList& actions,
                                QString* error) { return playSelectionDialog(*this, dialog, parameter, actions, error); });
}

ScenarioSession::~ScenarioSession()
{
    m_dialog.reset();
    m_window.reset();   // before the list pages it points at
}

WindowContext ScenarioSession::context()
{
    return WindowContext{m_sqlca, m_ui, m_catalog, m_message, nullptr, nullptr};
}

ListPage* ScenarioSession::existingList(const QString& listView) const
{
    auto it = m_lists.constFind(listView.toLower());
    return it == m_lists.constEnd() ? nullptr : it->get();
}

ListPage* ScenarioSession::list(const QString& listView, QString* error)
{
    if (ListPage* page = existingList(listView)) return page;
    const WindowInfo* info = m_registry.findByListView(listView);
    if (!info) {
        *error = QStringLiteral("no registered window shows the list %1").arg(listView);
        return nullptr;
    }
    auto page = std::make_shared<ListPage>(m_sqlca, m_catalog, *info);
    if (!page->isValid()) {
        *error = QStringLiteral("the catalog has no data view %1").arg(listView);
        return nullptr;
    }
    if (page->ue_retrieve() < 0) {
        *error = QStringLiteral("list %1 could not be retrieved: %2").arg(listView, page->dw_1().lastError());
        return nullptr;
    }
    m_lists.insert(listView.toLower(), page);
    return page.get();
}

RecordWindow* ScenarioSession::recordWindow() const { return dynamic_cast<RecordWindow*>(m_window.get()); }

void ScenarioSession::setWindow(std::unique_ptr<Window> window)
{
    m_dialog.reset();
    m_window = std::move(window);
}

Window* ScenarioSession::openWindow(QString* error) const
{
    if (!m_window) {
        *error = QStringLiteral("no window is open");
        return nullptr;
    }
    if (!m_window->isOpen()) {
        *error = QStringLiteral("window %1 is closed").arg(m_window->name());
        return nullptr;
    }
    return m_window.get();
}

bool ScenarioSession::resolveField(const QString& text, FieldRef* field, QString* error) const
{
    static const QRegularExpression pattern(QStringLiteral("^(?:([A-Za-z_][A-Za-z0-9_]*)\\.)?([A-Za-z_][A-Za-z0-9_]*)(?:\\[(\\d+)\\])?$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) {
        *error = QStringLiteral("\"%1\" is no field (field, view.field or field[row])").arg(text);
        return false;
    }
    Window* window = openWindow(error);
    if (!window) return false;
    const QString viewName = m.captured(1).isEmpty() ? QStringLiteral("dw_1") : m.captured(1);
    DataView* view = window->dataView(viewName);
    if (!view) {
        *error = QStringLiteral("window %1 has no data view %2").arg(window->name(), viewName);
        return false;
    }
    const QString column = m.captured(2);
    if (!view->definition().column(column)) {
        *error = QStringLiteral("data view %1 has no column %2").arg(view->name(), column);
        return false;
    }
    int row = m.captured(3).isEmpty() ? view->getRow() : m.captured(3).toInt();
    if (row < 1 || row > view->rowCount()) {
        *error = QStringLiteral("data view %1 has no row %2 (%3 rows)").arg(view->name()).arg(row).arg(view->rowCount());
        return false;
    }
    field->view = view;
    field->column = column;
    field->row = row;
    return true;
}

} // namespace cr::scenario
