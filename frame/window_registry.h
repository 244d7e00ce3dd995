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

// Everything the host needs to open a window by name: how to make it, the
// list page that shows its records, the form its records are edited in and
// the key that identifies a record in both.
struct WindowInfo {
    QString name;            // w_m_ge_building, w_housemanage ...
    QString title;           // "社区楼院"
    QString listView;        // d_ge_building; empty for plain windows
    QString formView;        // d_ge_building_f; empty for plain windows
    QString keyColumn;       // buildingno: key of a record in the list and the form
    QString helpTopic;       // keyword the help button opens
    QString listParameter;   // is_stringpara of its list page ("GE_RegionalManage")
    QString masterWindow;    // the window whose list this one's list is a detail of
    QString linkColumn;      // column of this list holding the master record's key
    WindowFactory factory;
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
    const WindowInfo* find(const QString& name) const;      // case-insensitive
    const WindowInfo* findByListView(const QString& listView) const;
    QStringList names() const;                              // in registration order

    // A new, not yet opened window; nullptr for an unknown name.
    std::unique_ptr<Window> create(const QString& name, const WindowContext& context) const;

private:
    QList<WindowInfo> m_windows;
};

} // namespace cr
