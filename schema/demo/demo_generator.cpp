#include "schema/demo/demo_generator.h"

#include "frame/bulk_load_settings.h"
#include "frame/sqlca.h"
#include "schema/demo/community_writer.h"
#include "schema/registry_settings.h"
#include "schema/schema.h"

namespace cr::demo {

qint64 DemoResult::rows(const QString& table) const
{
    for (const TableLoad& t : tables)
        if (t.table == table) return t.rows;
    return 0;
}

qint64 DemoResult::totalRows() const
{
    qint64 n = 0;
    for (const TableLoad& t : tables) n += t.rows;
    return n;
}

DemoGenerator::DemoGenerator(Sqlca& sqlca, DemoOptions options) : m_sqlca(sqlca), m_options(options) {}

DemoGenerator::~DemoGenerator() = default;

void DemoGenerator::setProgress(DemoProgress progress)
{
    m_progress = std::move(progress);
}

QStringList DemoGenerator::tables()
{
    return QStringLiteral("tc_ge_regionalmanage,tc_ge_building,tc_ge_rpr,tc_ge_personinfo,tc_ge_personotherinfo,"
                          "tc_ge_houseinfo,tc_ge_rprownhouse,tc_ge_renthousereg,tc_ge_rentregistry,tc_ge_buildingdean,"
                          "tc_ge_regionalmanager,tc_og_inhabitantteam,tc_ge_buildingmanage,tc_og_inhabteamscope,"
                          "tc_og_inhabteamleader")
        .split(QLatin1Char(','));
}

bool DemoGenerator::holdsRegistryData(Sqlca& sqlca, bool* holds, QString* error)
{
    *holds = false;
    for (const QString& table : tables()) {
        // Identifiers cannot be bound; the names come from the list above.
        auto q = sqlca.selectRaw(QStringLiteral("SELECT 1 FROM %1").arg(table) + sqlca.dialect().limitClause(1));
        if (!q) {
            if (error) *error = QStringLiteral("读取表 %1 失败：%2").arg(table, sqlca.sqlErrText());
            return false;
        }
        if (q->next()) {
            *holds = true;
            return true;
        }
    }
    return true;
}

bool DemoGenerator::run(DemoResult* result, QString* error)
{
    // The load commits or rolls back as a whole; someone else's pending
    // changes must not ride along.
    if (m_sqlca.inTransaction()) {
        if (error) *error = QStringLiteral("连接上还有未提交的修改，不能写入演示数据");
        return false;
    }
    bool holds = false;
    if (!holdsRegistryData(m_sqlca, &holds, error)) return false;
    if (holds) {
        if (error) *error = QStringLiteral("数据库中已有登记数据，演示数据只能写入空的登记库");
        return false;
    }
    const BulkLoadSettings bulk(m_sqlca);
    if (!m_sqlca.begin()) {
        if (error) *error = m_sqlca.sqlErrText();
        return false;
    }
    CommunityWriter writer(m_sqlca, m_options, m_progress);
    DemoResult written;
    if (!writer.write(&written, error)) {
        m_sqlca.rollback();
        return false;
    }
    // The mark that keeps made-up people from being taken for real ones.
    const QString size = m_options.size == DemoSize::Small ? QStringLiteral("small") : QStringLiteral("large");
    if (!schema::setSetting(m_sqlca, schema::settings::kDemo, size)) {
        if (error) *error = m_sqlca.sqlErrText();
        m_sqlca.rollback();
        return false;
    }
    if (!m_sqlca.commit()) {
        if (error) *error = QStringLiteral("提交演示数据失败：%1").arg(m_sqlca.sqlErrText());
        return false;
    }
    if (result) *result = written;
    return true;
}

} // namespace cr::demo
