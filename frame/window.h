#pragma once

#include "frame/controls.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace cr {

class DataView;
class ListPage;
class Sqlca;
class UiServices;
class ViewCatalog;
struct DataViewDef;
struct MessageObject;

// How a register window holds its record: a new one ("添加") or a stored one ("修改").
enum class RecordMode { Add, Modify };

// What the host hands every window it opens: the connection, the user
// interface services, the data view definitions, the message object, and the
// list page the window was opened from with its master list page (both null
// when the window was not opened from a list).
struct WindowContext {
    Sqlca& sqlca;
    UiServices& ui;
    const ViewCatalog& catalog;
    MessageObject& message;
    ListPage* guo_tabpg_now = nullptr;
    ListPage* guo_tabpg_master = nullptr;
};

// Any window of the module: a name, a title, named data views and named
// controls. The shell renders the controls and data views; the scenario player
// and the tests drive the window through click(), as a user would.
class Window : public QObject {
    Q_OBJECT
public:
    Window(const WindowContext& context, const QString& name, const QString& title);
    ~Window() override;

    QString name() const { return m_name; }
    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QString icon() const { return QStringLiteral("AppIcon!"); }
    QString fontFamily() const { return QStringLiteral("宋体"); }
    QString helpTopic() const { return m_helpTopic; }
    void setHelpTopic(const QString& topic) { m_helpTopic = topic; }

    const WindowContext& context() const { return m_context; }
    Sqlca& sqlca() const { return m_context.sqlca; }
    UiServices& ui() const { return m_context.ui; }
    const ViewCatalog& catalog() const { return m_context.catalog; }
    MessageObject& message() const { return m_context.message; }
    ListPage* guo_tabpg_now() const { return m_context.guo_tabpg_now; }
    ListPage* guo_tabpg_master() const { return m_context.guo_tabpg_master; }

    // --- data views -------------------------------------------------------
    DataView* dataView(const QString& name) const;       // nullptr when unknown
    QStringList dataViewNames() const;                   // in the order added

    // --- controls ----------------------------------------------------------
    const QList<ControlDef>& controls() const { return m_controls; }
    const ControlDef* control(const QString& name) const;
    bool isControlEnabled(const QString& name) const;
    void setControlEnabled(const QString& name, bool enabled);
    void setControlVisible(const QString& name, bool visible);
    void setControlText(const QString& name, const QString& text);

    // Presses a control as a user would: false when there is no such
    // control, or it is hidden or disabled (nothing happens then).
    virtual bool click(const QString& controlName);

    // --- lifecycle -----------------------------------------------------------
    // Runs the window's open event. False when the window could not open (it
    // has told the user why); the caller discards it then.
    virtual bool open();
    // Opens the window as a list page asks: a register window with a new
    // record (Add) or the stored record `key` (Modify); any other window
    // simply opens.
    virtual bool openRecord(RecordMode /*mode*/, const QVariant& /*key*/) { return open(); }
    // Closes unless the window refuses (unsaved edits kept by the user).
    virtual bool close();
    bool isOpen() const { return m_open; }

    // The last line the window would show in the shell's status bar.
    QString statusText() const { return m_status; }

signals:
    void controlChanged(const QString& name);
    void titleChanged(const QString& title);
    void statusChanged(const QString& text);
    void closed();
    // The window asks the shell to open the register window `window` with
    // its stored record `key` (a report opening one of its houses).
    void recordRequested(const QString& window, const QVariant& key);

protected:
    // A data view of the window, from the catalog definition `viewName`,
    // bound to the connection. nullptr when the catalog has no such view.
    DataView* addDataView(const QString& name, const QString& viewName);
    DataView* addDataView(const QString& name, const DataViewDef& def);
    // A data view the window made itself; the window owns it from now on.
    DataView* adoptDataView(const QString& name, std::unique_ptr<DataView> view);

    // A control with what happens when it is clicked (may be empty).
    void addControl(const ControlDef& def, std::function<void()> onClick = {});
    void setClickHandler(const QString& name, std::function<void()> onClick);

    void setStatus(const QString& text);
    void setOpen(bool open) { m_open = open; }

    // The window's own open event and close query; closeQuery() false keeps
    // the window open.
    virtual void onOpen() {}
    virtual bool closeQuery() { return true; }

private:
    ControlDef* findControl(const QString& name);

    WindowContext m_context;
    QString m_name;
    QString m_title;
    QString m_helpTopic;
    QString m_status;
    bool m_open = false;
    std::vector<std::pair<QString, std::unique_ptr<DataView>>> m_views;
    QList<ControlDef> m_controls;
    QList<std::pair<QString, std::function<void()>>> m_handlers;
};

} // namespace cr
