#include "areas_buildings/area_name_check.h"
#include "building_fixture.h"

namespace cr::test {
namespace {

using AreaNameCheckTest = BuildingFixture;

qlonglong addArea(Sqlca& db, const QString& name)
{
    const QVariant key = db.insertReturningKey(
        QStringLiteral("INSERT INTO tc_ge_regionalmanage (commno, regionalname, issave) VALUES (:c, :n, :s)"),
        {{"c", QStringLiteral("110105001001")}, {"n", name}, {"s", QStringLiteral("1")}},
        QStringLiteral("regionalno"));
    EXPECT_FALSE(key.isNull()) << db.sqlErrText().toStdString();
    return key.toLongLong();
}

TEST_P(AreaNameCheckTest, NameIsUniqueOverTheWholeTable)
{
    const qlonglong first = addArea(db(), QStringLiteral("一区"));
    const qlonglong second = addArea(db(), QStringLiteral("二区"));
    addArea(db(), QStringLiteral(" 三区"));
    // Another community's area counts too.
    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE tc_ge_regionalmanage SET commno = :c WHERE regionalno = :k"),
                             {{"c", QStringLiteral("999")}, {"k", second}}));
    commit();
    struct Case {
        const char* what;
        QString typed;
        qlonglong self;   // 0 = a new area
        int code;
        QString stored;   // regionalname after the check
    };
    const QList<Case> cases = {
        {"new with a used name", "一区", 0, 1, "一区"},
        {"new with blanks around a used name", "  一区 ", 0, 1, "  一区 "},
        {"other community's name", "二区", 0, 1, "二区"},
        {"stored name has a blank", "三区", 0, 1, "三区"},
        {"blanks only", "   ", 0, 0, "   "},
        {"own row unchanged", "一区", first, 0, "一区"},
        {"another's name while modifying", "一区", second, 1, "一区"},
        {"new name stored trimmed", " 四区 ", 0, 0, "四区"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetForm(QStringLiteral("d_ge_regionalmanage_f"));
        if (c.self) form->setItem(1, QStringLiteral("regionalno"), c.self);
        form->setItem(1, QStringLiteral("regionalname"), c.typed);
        EXPECT_EQ(areas_buildings::verifyAreaName(*form, db(), ui), c.code);
        EXPECT_EQ(form->getItemString(1, QStringLiteral("regionalname")), c.stored);
        if (c.code == 1)
            EXPECT_EQ(ui.single(), QStringLiteral("提示信息 / 该区域名称已存在，不能重复录入！"));
        else
            EXPECT_TRUE(ui.messages.isEmpty());
    }
}

INSTANTIATE_ENGINES(AreaNameCheckTest);

} // namespace
} // namespace cr::test
