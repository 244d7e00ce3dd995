#pragma once

namespace cr {
class DataView;
class Sqlca;
class UiServices;
} // namespace cr

namespace cr::areas_buildings {

// The validated save of a responsibility area: its name, without surrounding
// blanks, may be used by no other area anywhere in the table. Shows
// "提示信息" / "该区域名称已存在，不能重复录入！" and answers 1 for a
// duplicate, 0 otherwise (a name of blanks only is left to the required-field
// check). An accepted name is stored without its surrounding blanks.
int verifyAreaName(DataView& form, Sqlca& sqlca, UiServices& ui);

} // namespace cr::areas_buildings
