#include "schema/demo/demo_codes.h"

#include "schema/demo/demo_random.h"

namespace cr::demo {

bool DemoCodes::load(Sqlca& sqlca, QString* error)
{
    const std::pair<CodePicker*, const char*> lists[] = {
        {&m_sex, "dddw_gb_sex"},
        {&m_folk, "dddw_gb_folk"},
        {&m_polity, "dddw_gb_polity"},
        {&m_edulevel, "dddw_gb_edulevel"},
        {&m_jobstatus, "dddw_gb_jobstatus"},
        {&m_rprtype, "dddw_ge_rprtype"},
        {&m_rprstatus, "dddw_ge_rprstatus"},
        {&m_buildingUse, "dddw_ge_buildinguse"},
        {&m_structure, "dddw_ge_buildingstruture"},
        {&m_layout, "dddw_ge_buildingmodel"},
        {&m_houseUse, "dddw_ge_houseuse"},
        {&m_ownership, "dddw_ge_droittype"},
        {&m_transfer, "dddw_ge_transfertype"},
        {&m_duty, "dddw_ge_duty"},
    };
    for (const auto& [picker, name] : lists)
        if (!picker->load(sqlca, QString::fromLatin1(name), error)) return false;

    // GB 3304: Han first; Hui, Manchu and Mongol are the larger minorities here.
    m_folk.weigh(QStringLiteral("01"), 900);
    m_folk.weigh(QStringLiteral("03"), 25);
    m_folk.weigh(QStringLiteral("11"), 25);
    m_folk.weigh(QStringLiteral("02"), 8);
    return true;
}

QString DemoCodes::sex(bool male) const
{
    // GB/T 2261.1: 1 男, 2 女, the same parity as the identity card number.
    const QString code = male ? QStringLiteral("1") : QStringLiteral("2");
    return m_sex.contains(code) ? code : m_sex.codes().value(0);
}

QString DemoCodes::folk(DemoRandom& r) const
{
    return m_folk.pick(r);
}

QString DemoCodes::polity(int age, DemoRandom& r) const
{
    // GB/T 4762: 01 党员, 02 预备党员, 03 团员, 13 群众.
    if (age < 14) return m_polity.pickWeighted({{"13", 1}}, r);
    if (age <= 28) return m_polity.pickWeighted({{"03", 45}, {"01", 5}, {"02", 2}, {"13", 48}}, r);
    return m_polity.pickWeighted({{"01", 12}, {"02", 1}, {"05", 1}, {"13", 86}}, r);
}

QString DemoCodes::edulevel(int age, DemoRandom& r) const
{
    // GB/T 4658: 10 研究生, 20 本科, 30 专科, 40 中专, 50 技校, 60 高中, 70 初中, 80 小学, 90 文盲或半文盲.
    if (age < 7) return {};
    if (age <= 12) return m_edulevel.pickWeighted({{"80", 1}}, r);
    if (age <= 15) return m_edulevel.pickWeighted({{"70", 1}}, r);
    if (age <= 18) return m_edulevel.pickWeighted({{"60", 80}, {"40", 12}, {"50", 8}}, r);
    if (age < 45)
        return m_edulevel.pickWeighted({{"10", 8}, {"20", 30}, {"30", 22}, {"40", 8}, {"50", 4}, {"60", 16}, {"70", 12}}, r);
    if (age < 70)
        return m_edulevel.pickWeighted({{"10", 2}, {"20", 10}, {"30", 14}, {"40", 12}, {"50", 6}, {"60", 26}, {"70", 22},
                                        {"80", 8}},
                                       r);
    return m_edulevel.pickWeighted({{"20", 6}, {"30", 6}, {"40", 8}, {"60", 20}, {"70", 25}, {"80", 25}, {"90", 10}}, r);
}

QString DemoCodes::jobstatus(int age, DemoRandom& r) const
{
    // GB/T 2261.4: 31 学生, 80 退（离）休人员, working people in between.
    if (age < 6) return {};
    if (age <= 18) return m_jobstatus.pickWeighted({{"31", 1}}, r);
    if (age <= 22) return m_jobstatus.pickWeighted({{"31", 70}, {"17", 10}, {"24", 10}, {"70", 10}}, r);
    if (age >= 60) return m_jobstatus.pickWeighted({{"80", 88}, {"70", 6}, {"54", 3}, {"90", 3}}, r);
    return m_jobstatus.pickWeighted({{"11", 5}, {"13", 16}, {"17", 24}, {"21", 8}, {"24", 17}, {"37", 1}, {"51", 6},
                                     {"54", 8}, {"70", 10}, {"90", 5}},
                                    r);
}

QString DemoCodes::rprtype(bool local, DemoRandom& r) const
{
    if (local) return m_rprtype.pickWeighted({{"01", 78}, {"05", 16}, {"03", 4}, {"02", 2}}, r);
    return m_rprtype.pickWeighted({{"02", 55}, {"01", 28}, {"05", 15}, {"04", 2}}, r);
}

QString DemoCodes::rprstatus(bool local, DemoRandom& r) const
{
    // 01 人户一致, 03 户在人不在, 04 流动人口.
    if (local) return m_rprstatus.pickWeighted({{"01", 92}, {"03", 8}}, r);
    return m_rprstatus.pickWeighted({{"04", 1}}, r);
}

QString DemoCodes::buildingUse(BuildingKind kind, DemoRandom& r) const
{
    // Never "09": that would make the counts the houses are made from optional.
    switch (kind) {
    case BuildingKind::MultiStorey: return m_buildingUse.pickWeighted({{"01", 90}, {"02", 10}}, r);
    case BuildingKind::Bungalow: return m_buildingUse.pickWeighted({{"01", 1}}, r);
    case BuildingKind::Basement: return m_buildingUse.pickWeighted({{"01", 60}, {"06", 40}}, r);
    }
    return {};
}

QString DemoCodes::structure(const BuildingPlan& b, DemoRandom& r) const
{
    // 01 钢, 02 钢-钢筋混凝土, 03 钢筋混凝土, 04 混合, 05 砖木, 06 其他.
    if (b.kind == BuildingKind::Bungalow) return m_structure.pickWeighted({{"05", 80}, {"06", 20}}, r);
    if (b.kind == BuildingKind::Basement || b.upFloors > 8)
        return m_structure.pickWeighted({{"03", 80}, {"02", 15}, {"01", 5}}, r);
    return m_structure.pickWeighted({{"04", 80}, {"05", 8}, {"03", 12}}, r);
}

QString DemoCodes::layout(double area, DemoRandom& r) const
{
    // 01 单间, 02 一室一厅, 03 两室一厅, 04 两室两厅, 05 三室一厅, 06 三室两厅, 07 四室及以上.
    if (area < 25) return m_layout.pickWeighted({{"01", 1}}, r);
    if (area < 45) return m_layout.pickWeighted({{"01", 30}, {"02", 70}}, r);
    if (area < 70) return m_layout.pickWeighted({{"02", 30}, {"03", 70}}, r);
    if (area < 95) return m_layout.pickWeighted({{"03", 30}, {"04", 40}, {"05", 30}}, r);
    if (area < 125) return m_layout.pickWeighted({{"05", 40}, {"06", 60}}, r);
    return m_layout.pickWeighted({{"06", 40}, {"07", 60}}, r);
}

QString DemoCodes::houseUse(BuildingKind kind, DemoRandom& r) const
{
    // 01 居住, 02 商业, 05 仓储, 06 居住兼经营.
    switch (kind) {
    case BuildingKind::MultiStorey: return m_houseUse.pickWeighted({{"01", 95}, {"06", 3}, {"02", 2}}, r);
    case BuildingKind::Bungalow: return m_houseUse.pickWeighted({{"01", 90}, {"06", 10}}, r);
    case BuildingKind::Basement: return m_houseUse.pickWeighted({{"01", 60}, {"05", 40}}, r);
    }
    return {};
}

QString DemoCodes::ownership(BuildingKind kind, DemoRandom& r) const
{
    // 01 私产, 02 直管公产, 03 单位自管产, 04 集体产.
    switch (kind) {
    case BuildingKind::MultiStorey:
        return m_ownership.pickWeighted({{"01", 75}, {"02", 10}, {"03", 12}, {"04", 3}}, r);
    case BuildingKind::Bungalow: return m_ownership.pickWeighted({{"01", 50}, {"02", 40}, {"04", 10}}, r);
    case BuildingKind::Basement: return m_ownership.pickWeighted({{"03", 70}, {"01", 30}}, r);
    }
    return {};
}

QString DemoCodes::transferType(DemoRandom& r) const
{
    // 01 整套出租, 02 分间出租, 03 转租, 04 出借.
    return m_transfer.pickWeighted({{"01", 60}, {"02", 30}, {"03", 7}, {"04", 3}}, r);
}

QString DemoCodes::deanDuty(const QString& wanted) const
{
    if (wanted.startsWith(QLatin1Char('5')) && m_duty.contains(wanted)) return wanted;
    for (const QString& code : m_duty.codes())
        if (code.startsWith(QLatin1Char('5'))) return code;
    return {};
}

} // namespace cr::demo
