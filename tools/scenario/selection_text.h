#pragma once

#include "frame/str_multiselect.h"

#include <QString>
#include <QStringList>

namespace cr::scenario {

// "s_str=B1,B2;s_dw=1号楼" -> the structure, and which fields were named.
// A ';' that does not start another s_ field belongs to the value before it.
bool parseSelection(const QString& text, StrMultiselect* out, QStringList* named, QString* error);
QString selectionField(const StrMultiselect& s, const QString& name);

} // namespace cr::scenario
