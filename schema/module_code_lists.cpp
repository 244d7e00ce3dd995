#include "schema/code_lists.h"

namespace cr::schema {

QList<CodeList> moduleCodeLists()
{
    return {
        // Building kind: the windows switch their layout on 01, 02 and 03.
        {"dddw_ge_roomtype", {{"01", "楼房"}, {"02", "平房"}, {"03", "地下室"}}},

        // Use of a building: 09 (not a dwelling) makes floor, door and
        // houses-per-floor counts optional.
        {"dddw_ge_buildinguse",
         {{"01", "住宅"},
          {"02", "商住两用"},
          {"03", "办公"},
          {"04", "商业"},
          {"05", "工业厂房"},
          {"06", "仓储"},
          {"07", "教育医疗"},
          {"08", "公共设施"},
          {"09", "其他（非住宅）"}}},

        // Structure classes after GB/T 17986.1-2000 房产测量规范.
        {"dddw_ge_buildingstruture",
         {{"01", "钢结构"},
          {"02", "钢、钢筋混凝土结构"},
          {"03", "钢筋混凝土结构"},
          {"04", "混合结构"},
          {"05", "砖木结构"},
          {"06", "其他结构"}}},

        // Layout of a house; 01 is what the batch window gives a bungalow room.
        {"dddw_ge_buildingmodel",
         {{"01", "单间"},
          {"02", "一室一厅"},
          {"03", "两室一厅"},
          {"04", "两室两厅"},
          {"05", "三室一厅"},
          {"06", "三室两厅"},
          {"07", "四室及以上"},
          {"09", "其他"}}},

        // Use of a house, also the use a house is rented for; 01 for generated houses.
        {"dddw_ge_houseuse",
         {{"01", "居住"},
          {"02", "商业"},
          {"03", "办公"},
          {"04", "生产加工"},
          {"05", "仓储"},
          {"06", "居住兼经营"},
          {"09", "其他"}}},

        // Kind of ownership: 01 private property needs a registered owner when rented.
        {"dddw_ge_droittype",
         {{"01", "私产"},
          {"02", "直管公产"},
          {"03", "单位自管产"},
          {"04", "集体产"},
          {"05", "军产"},
          {"06", "宗教产"},
          {"09", "其他"}}},

        {"dddw_ge_is", {{"1", "是"}, {"0", "否"}}},

        // Duties of persons in charge; the building dean window offers the 5x codes.
        {"dddw_ge_duty",
         {{"11", "居委会主任"},
          {"12", "居委会副主任"},
          {"13", "居委会委员"},
          {"21", "居民小组长"},
          {"22", "居民小组副组长"},
          {"51", "楼长"},
          {"52", "副楼长"},
          {"53", "门栋长"},
          {"54", "楼层长"},
          {"55", "院落长"},
          {"59", "其他楼院负责人"}}},

        // How the right of use passes to the tenant.
        {"dddw_ge_transfertype",
         {{"01", "整套出租"}, {"02", "分间出租"}, {"03", "转租"}, {"04", "出借"}, {"09", "其他"}}},

        // Causes and results of sanctions against rented houses.
        {"dddw_ge_progcause",
         {{"01", "未办理出租登记"},
          {"02", "未签订治安责任书"},
          {"03", "未登记承租人身份"},
          {"04", "擅自改变房屋用途"},
          {"05", "群租"},
          {"06", "利用出租房屋从事违法活动"},
          {"07", "存在消防安全隐患"},
          {"09", "其他"}}},
        {"dddw_ge_progresult",
         {{"01", "警告"},
          {"02", "责令改正"},
          {"03", "罚款"},
          {"04", "没收违法所得"},
          {"05", "责令停止出租"},
          {"09", "其他"}}},
    };
}

} // namespace cr::schema
