#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace cr {

// A fault in the program's own definitions, never in what a user typed: a
// property change naming a column the data view does not have, a view column
// the schema does not declare. The operation that found it still answers as
// documented (an error text, -1); in addition the fault goes to one handler.
// The application logs it; the tests and the scenario player fail on it, so
// that a misspelt column name cannot pass the suite unnoticed.
using FaultHandler = std::function<void(const QString& text)>;

// Installs a handler and returns the previous one (an empty handler logs).
FaultHandler setFaultHandler(FaultHandler handler);
void reportFault(const QString& text);

// Collects the faults reported while it lives instead of passing them on;
// the handler before it is back when it goes. The scenario player fails the
// line that caused one; a test that provokes one on purpose checks it here.
class FaultCollector {
public:
    FaultCollector();
    ~FaultCollector();
    FaultCollector(const FaultCollector&) = delete;
    FaultCollector& operator=(const FaultCollector&) = delete;

    QStringList take();   // the faults so far, and forgets them

private:
    FaultHandler m_previous;
    QStringList m_faults;
};

} // namespace cr
