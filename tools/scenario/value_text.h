#pragma once

#include <QString>
#include <QVariant>

namespace cr::scenario {

// How a value reads in a scenario: "null" for an empty field, numbers
// without trailing zeros (3, 12.5), dates as yyyy-MM-dd.
QString valueText(const QVariant& value);

// Whether a value is what a scenario line expects: "null" means an empty
// field; a number compares as a number (3 matches 3.0); anything else as text.
bool valueMatches(const QVariant& value, const QString& expected);

} // namespace cr::scenario
