#pragma once

#include <QString>
#include <QStringList>

namespace cr {
struct DataViewDef;
class ViewCatalog;
class WindowRegistry;
}

namespace cr::exchange {

struct ListChoice {
    const DataViewDef* view = nullptr;   // nullptr when the name names no list
    QString title;                        // the window's title, else the view's
};

// The list a user names on the command line: a list data view
// (d_ge_houseinfo), a window (w_m_ge_houseinfo) or a window's title
// (社区楼院), compared without regard to case.
ListChoice findList(const ViewCatalog& catalog, const WindowRegistry& windows, const QString& name);

// The names findList() accepts, for a message: every window with a list.
QStringList listNames(const WindowRegistry& windows);

} // namespace cr::exchange
