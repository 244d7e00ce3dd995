#include "fuzz_input.h"
#include "fuzz_targets.h"

#include "frame/gf_functions.h"
#include "frame/sqlca.h"
#include "houses/house_name.h"
#include "schema/schema.h"

#include <memory>

namespace cr::fuzz {
namespace {

// One registry in memory for all runs: a building with a door and a house,
// a household with its head.
Sqlca& registry()
{
    static std::unique_ptr<Sqlca> db = [] {
        DbTarget target;
        target.path = QStringLiteral(":memory:");
        QString error;
        auto sqlca = Sqlca::connect(target, &error);
        require(sqlca && schema::create(*sqlca, &error));
        require(sqlca->execute(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingno, buildingname) "
                                              "VALUES ('c', 12, '和平小区3号楼')")));
        require(sqlca->execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, houseno, buildingno, unitno, "
                                              "unitname, housenumber) VALUES ('c', 457, 12, 3, '单元', '302室')")));
        require(sqlca->execute(QStringLiteral("INSERT INTO tc_ge_rpr (commno, rprno, hostname) VALUES ('c', '0042', '王芳')")));
        require(sqlca->commit());
        return sqlca;
    }();
    return *db;
}

} // namespace

void scopeCode(const uint8_t* data, size_t size)
{
    const QString code = textOf(data, size);
    Sqlca& db = registry();
    const QStringList elements = gf_substr(code, QStringLiteral(","));
    for (const QString& element : elements.mid(0, 64)) houses::gf_gethousename(db, element);
    gf_replaceall(code, QStringLiteral(","), QString());
    require(!db.inTransaction());
}

} // namespace cr::fuzz
