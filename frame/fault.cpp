#include "frame/fault.h"

#include <QDebug>
#include <utility>

namespace cr {
namespace {
FaultHandler& handler()
{
    static FaultHandler h;
    return h;
}
} // namespace

FaultHandler setFaultHandler(FaultHandler h)
{
    FaultHandler previous = std::move(handler());
    handler() = std::move(h);
    return previous;
}

void reportFault(const QString& text)
{
    if (handler()) handler()(text);
    else qWarning().noquote() << "definition fault:" << text;
}

FaultCollector::FaultCollector()
    : m_previous(setFaultHandler([this](const QString& text) { m_faults << text; }))
{
}

FaultCollector::~FaultCollector() { setFaultHandler(std::move(m_previous)); }

QStringList FaultCollector::take() { return std::exchange(m_faults, {}); }

} // namespace cr
