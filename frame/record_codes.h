#pragma once

#include "frame/dataview_def.h"

#include <QList>
#include <QString>

// Codes the record window frame writes and every register window reads.
namespace cr::codes {

// The mode a register window holds its record in (is_stringparm).
namespace mode {
inline const QString add = QStringLiteral("添加");       // a new record
inline const QString modify = QStringLiteral("修改");    // a stored record
} // namespace mode

// issave of a stored record: how it was saved.
namespace issave {
inline const QString temporary = QStringLiteral("0");   // temporary save, no checks
inline const QString validated = QStringLiteral("1");   // validated save
inline const QString companion = QStringLiteral("2");   // written by another window's save
} // namespace issave

// Yes/no columns (isrent, istoilet ...): "1" yes, "0" no, edited as 是/否.
namespace yesno {
inline const QString yes = QStringLiteral("1");
inline const QString no = QStringLiteral("0");
inline const QList<CodeValue> choices = {{QStringLiteral("是"), yes}, {QStringLiteral("否"), no}};
} // namespace yesno

} // namespace cr::codes
