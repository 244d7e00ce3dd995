#include "tools/admin/house_batch_target.h"

#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "houses/houses_views.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/command_line.h"

namespace cr::admin {

HouseBatchTarget::~HouseBatchTarget()
{
    // The views go before the connection they are bound to.
    m_houses.reset();
    m_buildings.reset();
}

std::unique_ptr<HouseBatchTarget> HouseBatchTarget::load(const CommandLine& line, const QString& usage,
                                                         AdminConsole& console, int* exitCode, Grid grid)
{
    *exitCode = ExitUsage;
    if (line.positional().size() != 1) {
        console.usage(QStringLiteral("需要且只需要一个数据库参数 DB"), usage);
        return nullptr;
    }
    bool numeric = false;
    const qlonglong buildingNo = line.value(QStringLiteral("building")).toLongLong(&numeric);
    if (!line.has(QStringLiteral("building")) || !numeric || buildingNo <= 0) {
        console.usage(QStringLiteral("需要用 --building N 指定楼院编号（正整数）"), usage);
        return nullptr;
    }

    std::unique_ptr<HouseBatchTarget> t(new HouseBatchTarget);
    t->m_session = RegistrySession::open(line.positional().first(), console, exitCode);
    if (!t->m_session) return nullptr;
    *exitCode = ExitFailed;
    Sqlca& sqlca = t->sqlca();
    // The building is locked before anything of it is read: what the command
    // counts, generates against or deletes is what is stored until it ends.
    if (!sqlca.beginLocked(QStringLiteral("tc_ge_building"), QStringLiteral("buildingno"), buildingNo)) {
        console.fail(QStringLiteral("无法锁定楼院 %1：%2").arg(buildingNo).arg(sqlca.sqlError().fullText()));
        return nullptr;
    }

    houses::registerBatchViews(t->m_views);
    auto view = [&](const DataViewDef& def) {
        auto v = std::make_unique<DataView>(def);
        v->setTransObject(&sqlca);
        v->setCatalog(&t->m_views);
        return v;
    };
    // The building's row as the window's building form reads it (the same
    // columns as its list, without reading every building).
    t->m_buildings = view(*t->m_views.find(QStringLiteral("d_housemanage_f")));
    if (t->m_buildings->retrieve({buildingNo}) < 0) {
        console.fail(QStringLiteral("无法读取楼院：%1").arg(t->m_buildings->lastError()));
        return nullptr;
    }
    if (t->m_buildings->rowCount() < 1) {
        console.fail(QStringLiteral("没有编号为 %1 的楼院").arg(buildingNo));
        return nullptr;
    }
    // The window lists only multi-storey buildings and bungalow compounds.
    const QString kind = t->m_buildings->getItemString(1, QStringLiteral("roomtype"));
    if (kind != QLatin1String("01") && kind != QLatin1String("02")) {
        console.fail(QStringLiteral("楼院 %1 的房屋类型不是楼房或平房，不能批量维护房屋").arg(buildingNo));
        return nullptr;
    }
    t->m_row = 1;
    t->m_houses = view(grid == Grid::ForGeneration ? houses::houseGridForGeneration()
                                                   : *t->m_views.find(QStringLiteral("d_housemanage_house")));
    if (t->m_houses->retrieve({buildingNo}) < 0) {
        console.fail(QStringLiteral("无法读取楼院的房屋：%1").arg(t->m_houses->lastError()));
        return nullptr;
    }
    *exitCode = ExitOk;
    return t;
}

houses::BatchBuilding HouseBatchTarget::building() const
{
    return houses::BatchBuilding::fromRow(*m_buildings, m_row);
}

QString HouseBatchTarget::buildingLabel() const
{
    return QStringLiteral("楼院 %1（%2）")
        .arg(m_buildings->getItem(m_row, QStringLiteral("buildingno")).toLongLong())
        .arg(m_buildings->getItemString(m_row, QStringLiteral("buildingname")));
}

void printOutcome(AdminConsole& console, const houses::BatchOutcome& outcome)
{
    if (!outcome.hasMessage()) return;
    if (outcome.result == houses::BatchOutcome::Result::Failed) {
        console.fail(outcome.errorText.isEmpty() ? outcome.text
                                                 : QStringLiteral("%1（%2）").arg(outcome.text, outcome.errorText));
        return;
    }
    console.out() << outcome.title << QStringLiteral("：") << outcome.text << Qt::endl;
}

} // namespace cr::admin
