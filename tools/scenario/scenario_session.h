#pragma once

#include "frame/list_page.h"
#include "frame/message_object.h"
#include "frame/view_catalog.h"
#include "frame/window.h"
#include "frame/window_registry.h"
#include "harness/scripted_ui.h"

#include <QHash>
#include <QString>
#include <climits>
#include <memory>

namespace cr {
class DataView;
class RecordWindow;
class Sqlca;
}

namespace cr::scenario {

// A field as a scenario line names it: "title" (dw_1, current row),
// "dw_house.housenumber" (another data view of the window) or
// "housenumber[3]" (a given row).
struct FieldRef {
    DataView* view = nullptr;
    QString column;
    int row = 0;
};

// Everything one scenario plays with: the database, the windows by name, the
// scripted user, the open list pages and the window under test.
class ScenarioSession {
public:
    explicit ScenarioSession(Sqlca& sqlca);
    ~ScenarioSession();

    Sqlca& sqlca() { return m_sqlca; }
    const ViewCatalog& catalog() const { return m_catalog; }
    const WindowRegistry& registry() const { return m_registry; }
    harness::ScriptedUi& ui() { return m_ui; }
    MessageObject& message() { return m_message; }
    WindowContext context();

    // The list page of a list view; opened and retrieved on first use. The
    // pages live as long as the session: windows point at them.
    ListPage* list(const QString& listView, QString* error);
    ListPage* existingList(const QString& listView) const;

    // The window under test: the one opened last.
    Window* window() const { return m_window.get(); }
    RecordWindow* recordWindow() const;
    void setWindow(std::unique_ptr<Window> window);
    // The last selection dialog a window opened and the scenario played
    // (`answer scope ...`); kept after it closed so its tree can be checked.
    Window* dialog() const { return m_dialog.get(); }
    void setDialog(std::unique_ptr<Window> dialog) { m_dialog = std::move(dialog); }
    // The open window, or nullptr with a reason.
    Window* openWindow(QString* error) const;

    bool resolveField(const QString& text, FieldRef* field, QString* error) const;

    // The last `type`: field and result code.
    QString lastTypeField;
    int lastTypeCode = INT_MIN;
    // Messages already matched by `expect message`.
    int messagesSeen = 0;

private:
    Sqlca& m_sqlca;
    ViewCatalog m_catalog;
    WindowRegistry m_registry;
    harness::ScriptedUi m_ui;
    MessageObject m_message;
    QHash<QString, std::shared_ptr<ListPage>> m_lists;   // by lower-case view name
    std::unique_ptr<Window> m_window;
    std::unique_ptr<Window> m_dialog;
};

} // namespace cr::scenario
