#pragma once

#include <QStringList>

namespace cr::scenario {

class ScenarioSession;

// A list as the clerk sees it after typing into its search box ("" = no
// search), by the rule the desktop list and its export share:
//   expect shown <view> "<search>" rows <n>            rows left by the search
//   expect shown <view> "<search>" line <n> <text>     序号 of the n-th row shown
//   expect shown <view> "<search>" total <column> <text>
//                                                      what the summary line shows under the column
//                                                      (the label column: "合计（显示 2 条）")
bool checkShownList(const QStringList& tokens, ScenarioSession& session, QString* failure);

} // namespace cr::scenario
