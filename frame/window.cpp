#include "frame/window.h"

#include "frame/dataview.h"
#include "frame/view_catalog.h"

namespace cr {

Window::Window(const WindowContext& context, const QString& name, const QString& title)
    : m_context(context), m_name(name), m_title(title)
{
}

Window::~Window() = default;

void Window::setTitle(const QString& title)
{
    if (m_title == title) return;
    m_title = title;
    emit titleChanged(title);
}

DataView* Window::dataView(const QString& name) const
{
    for (const auto& v : m_views)
        if (v.first.compare(name, Qt::CaseInsensitive) == 0) return v.second.get();
    return nullptr;
}

QStringList Window::dataViewNames() const
{
    QStringList names;
    for (const auto& v : m_views) names << v.first;
    return names;
}

DataView* Window::addDataView(const QString& name, const QString& viewName)
{
    const DataViewDef* def = m_context.catalog.find(viewName);
    return def ? addDataView(name, *def) : nullptr;
}

DataView* Window::addDataView(const QString& name, const DataViewDef& def)
{
    auto view = std::make_unique<DataView>(def);
    view->setTransObject(&m_context.sqlca);
    view->setCatalog(&m_context.catalog);
    return adoptDataView(name, std::move(view));
}

DataView* Window::adoptDataView(const QString& name, std::unique_ptr<DataView> view)
{
    DataView* raw = view.get();
    m_views.emplace_back(name, std::move(view));
    return raw;
}

const ControlDef* Window::control(const QString& name) const
{
    for (const ControlDef& c : m_controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

ControlDef* Window::findControl(const QString& name)
{
    for (ControlDef& c : m_controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

bool Window::isControlEnabled(const QString& name) const
{
    const ControlDef* c = control(name);
    return c && c->enabled && c->visible;
}

void Window::setControlEnabled(const QString& name, bool enabled)
{
    ControlDef* c = findControl(name);
    if (!c || c->enabled == enabled) return;
    c->enabled = enabled;
    emit controlChanged(c->name);
}

void Window::setControlVisible(const QString& name, bool visible)
{
    ControlDef* c = findControl(name);
    if (!c || c->visible == visible) return;
    c->visible = visible;
    emit controlChanged(c->name);
}

void Window::setControlText(const QString& name, const QString& text)
{
    ControlDef* c = findControl(name);
    if (!c || c->text == text) return;
    c->text = text;
    emit controlChanged(c->name);
}

void Window::addControl(const ControlDef& def, std::function<void()> onClick)
{
    if (ControlDef* existing = findControl(def.name))
        *existing = def;
    else
        m_controls.append(def);
    if (onClick) setClickHandler(def.name, std::move(onClick));
}

void Window::setClickHandler(const QString& name, std::function<void()> onClick)
{
    for (auto& h : m_handlers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0) {
            h.second = std::move(onClick);
            return;
        }
    }
    m_handlers.append({name, std::move(onClick)});
}

bool Window::click(const QString& controlName)
{
    if (!isControlEnabled(controlName)) return false;
    for (const auto& h : m_handlers) {
        if (h.first.compare(controlName, Qt::CaseInsensitive) == 0) {
            if (h.second) h.second();
            return true;
        }
    }
    return true;   // a control without a handler: clicking it does nothing
}

bool Window::open()
{
    if (m_open) return true;
    m_open = true;
    onOpen();
    return m_open;
}

bool Window::close()
{
    if (!m_open) return true;
    if (!closeQuery()) return false;
    m_open = false;
    emit closed();
    return true;
}

void Window::setStatus(const QString& text)
{
    m_status = text;
    emit statusChanged(text);
}

} // namespace cr
