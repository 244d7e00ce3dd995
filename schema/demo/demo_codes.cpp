#include "schema/demo/demo_codes.h"

#include "schema/demo/demo_random.h"

namespace cr::demo {

bool DemoCodes::load(Sqlca& sqlca, QString* error)
{
    const std::pair<CodePicker*, const char*> lists[] = {
        {&m_sex, "dddw_gb_sex"},           {&m_folk, "dddw_gb_folk"},
        {&m_polity, "dddw_gb_polity"},     {&m_edulevel, "dddw_gb_edulevel"},
        {&m_jobstatus, "dddw_gb_jobstatus"}, {&m_rprtype, "dddw_ge_rprtype"},
        {&m_rprstatus, "dddw_ge_rprstatus"}, {&m_buildingUse, "dddw_ge_buildinguse"},
        {&m_structure, "dddw_ge_buildingstruture"}, {&m_layout, "dddw_ge_buildingmodel"},
        {&m_houseUse, "dddw_ge_houseuse"}, {&m_ownership, "dddw_ge_droittype"},
        {&m_transfer, "dddw_ge_transfertype"},
    };
    for (const auto& [picker, name] : lists)
        if (!picker->load(sqlca, QString::fromLatin1(name), error)) return false;

    // GB 3304: Han first; Hui, Manchu and Mongol are the larger minorities here.
    m_folk.weigh(QStringLiteral("01"), 900);
    m_folk.weigh(QStringLiteral("03"), 25);
    m_folk.weigh(QStringLiteral("11"), 25);
    m_folk.weigh(QStringLiteral("02"), 8);
    // GB/T 4762: most people are 群众 (13), about one in eight a party member.
    m_polity.setDefaultWeight(0);
    m_polity.weigh(QStringLiteral("01"), 12);
    m_polity.weigh(QStringLiteral("02"), 1);
    m_polity.weigh(QStringLiteral("13"), 85);
    return true;
}

QString DemoCodes::sex(bool male) const
{
    // GB/T 2261.1: 1 男, 2 女.
    return male ? QStringLiteral("1") : QStringLiteral("2");
}

QString DemoCodes::folk(DemoRandom& r) const
{
    return m_folk.pick(r);
}

QString DemoCodes::polity(int age, DemoRandom& r) const
{
    if (age < 14) return m_polity.preferred(QStringLiteral("13"), r);
    if (age <= 28 && r.percent(45)) return m_polity.preferred(QStringLiteral("03"), r);
    return m_polity.pick(r);
}

QString DemoCodes::edulevel(int age, DemoRandom& r) const
{
    // GB/T 4658: 10 研究生, 20 本科, 30 专科, 40 中职, 60 高中, 70 初中, 80 小学, 90 其他.
    if (age < 6) return {};
    if (age <= 12) return m_edulevel.preferred(QStringLiteral("80"), r);
    if (age <= 15) return m_edulevel.preferred(QStringLiteral("70"), r);
    if (age <= 18) return m_edulevel.preferred(QStringLiteral("60"), r);
    static const QStringList young{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"),
                                   QStringLiteral("40"), QStringLiteral("60"), QStringLiteral("70")};
    static const QStringList old{QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("40"),
                                 QStringLiteral("60"), QStringLiteral("70"), QStringLiteral("80")};
    const QList<int> youngWeights{8, 30, 22, 10, 18, 12};
    const QList<int> oldWeights{8, 10, 14, 28, 28, 12};
    const QStringList& codes = age < 45 ? young : old;
    const QString code = codes[r.weighted(age < 45 ? youngWeights : oldWeights)];
    return m_edulevel.preferred(code, r);
}

QString DemoCodes::jobstatus(int age, DemoRandom& r) const
{
    return m_jobstatus.pick(r);
    Q_UNUSED(age);
}

QString DemoCodes::rprtype(bool local, DemoRandom& r) const
{
    Q_UNUSED(local);
    return m_rprtype.pick(r);
}

QString DemoCodes::rprstatus(bool deceased, DemoRandom& r) const
{
    Q_UNUSED(deceased);
    return m_rprstatus.pick(r);
}

QString DemoCodes::buildingUse(BuildingKind kind, DemoRandom& r) const
{
    Q_UNUSED(kind);
    return m_buildingUse.preferred(QStringLiteral("01"), r);
}

QString DemoCodes::structure(const BuildingPlan& building, DemoRandom& r) const
{
    Q_UNUSED(building);
    return m_structure.pick(r);
}

QString DemoCodes::layout(double area, DemoRandom& r) const
{
    Q_UNUSED(area);
    return m_layout.pick(r);
}

QString DemoCodes::houseUse(BuildingKind kind, DemoRandom& r) const
{
    Q_UNUSED(kind);
    return m_houseUse.preferred(QStringLiteral("01"), r);
}

QString DemoCodes::ownership(BuildingKind kind, DemoRandom& r) const
{
    Q_UNUSED(kind);
    return r.percent(75) ? m_ownership.preferred(privateOwnership(), r) : m_ownership.pick(r);
}

QString DemoCodes::transferType(DemoRandom& r) const
{
    return m_transfer.pick(r);
}

} // namespace cr::demo
