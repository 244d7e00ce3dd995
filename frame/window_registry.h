#pragma once

#include "frame/window.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace cr {

struct WindowInfo;
using WindowFactory = std::function<std::unique_ptr<Window>(const WindowContext&, const WindowInfo&)>;

// Whether a record may stand without the master record it belongs to (a
// house without its building). The frame refuses to save, validated or
// temporarily, a record whose master column is empty unless the rule is None.
enum class MasterRule {
    None,          // no master, or one the record may lack (a building's area)
    FromList,      // added only under its master: the detail list fills the master column
    ChosenInForm,  // the form chooses the master, like any required field
};

// Everything the host needs to know of a window by name: how to make it, the
// list page that shows its records, the form its records are edited in, the
// key that identifies a record in both, the master its records belong to, and
// where the main window's navigation and the help show it.
struct WindowInfo {
    QString name;            // w_m_ge_building, w_housemanage ...
    QString title;           // "社区楼院"
    QString listView;        // d_ge_building; empty for plain windows
    QString formView;        // d_ge_building_f; empty for plain windows
    QString keyColumn;       // buildingno: key of a record in the list and the form
    QString helpTopic;       // keyword the help button opens
    QString listParameter;   // is_stringpara of its list page ("GE_RegionalManage")
    QString masterWindow;    // the window whose list this one's list is a detail of
    QString linkColumn;      // column of this record holding the master record's key
    QString masterColumn;    // the master's column the link column holds; empty = the master's key
    MasterRule masterRule = MasterRule::None;
    QString masterName;      // how messages name the master record: "楼院"
    QString navigationGroup; // heading in the navigation ("社区基础信息"); empty = not listed
    QString navigationLabel; // entry in the navigation ("楼院")
    QString helpPage;        // page of the help ("building.html")
    QString recordNoun;      // how messages call one record ("房屋"); the title when empty
    QStringList nameColumns; // columns whose values name a record in messages ("address")
    WindowFactory factory;   // empty while the window is still to come
};

// A factory for a window class whose constructor takes (context, info).
template <class W>
WindowFactory windowFactory()
{
    return [](const WindowContext& context, const WindowInfo& info) -> std::unique_ptr<Window> {
        return std::make_unique<W>(context, info);
    };
}

// Windows by name. The desktop shell, the scenario player and the tests open
// every window through it; nothing else knows the window classes.
class WindowRegistry {
public:
    void add(const WindowInfo& info);                       // replaces one of the same name
    void addIfAbsent(const WindowInfo& info);               // keeps one of the same name
    const WindowInfo* find(const QString& name) const;      // case-insensitive
    const WindowInfo* findByListView(const QString& listView) const;
    QStringList names() const;                              // in registration order
    // Windows the navigation lists, in registration order.
    QList<const WindowInfo*> navigation() const;
    // Puts the windows of these navigation groups in this order of groups,
    // keeping their order within a group (windows of other groups follow).
    // Made once, after registration: it moves the registered entries.
    void orderNavigation(const QStringList& groups);
    // The window whose navigation label, name, title or help topic this is.
    const WindowInfo* findEntry(const QString& labelOrName) const;

    // A new, not yet opened window; nullptr for an unknown name or a window
    // still to come.
    std::unique_ptr<Window> create(const QString& name, const WindowContext& context) const;

private:
    QList<WindowInfo> m_windows;
};

} // namespace cr
