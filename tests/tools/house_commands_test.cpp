// generate-houses and delete-houses as the administrator runs them: the same
// rules and messages as the batch window, exit codes where it would refuse.
#include "frame/db_error.h"
#include "frame/sqlca.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifndef CR_ADMIN_PATH
#error "tests/CMakeLists.txt passes the path of community-admin as CR_ADMIN_PATH"
#endif

namespace cr::test {
namespace {

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

AdminRun admin(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(CR_ADMIN_PATH), args);
    // No timing is checked; the limit only keeps a hung child from hanging the suite.
    if (!p.waitForFinished(600000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class HouseCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("registry.db"));
        ASSERT_EQ(admin({QStringLiteral("init"), path}).exitCode, 0);
        DbTarget target;
        target.path = path;
        QString error;
        auto db = Sqlca::connect(target, &error);
        ASSERT_TRUE(db) << error.toStdString();
        const char* const buildings[] = {
            "('1', '和平里1号', '一号楼', '01', 6, 2, '单元', 2)",   // 1: 24 houses
            "('1', '胡同5号', '五号院', '02', 1, 0, '', 3)",          // 2: bungalows 1..3
            "('1', '缺层路1号', '缺层楼', '01', 0, 2, '单元', 2)",    // 3: no floors
            "('1', '和平里9号', '地下室', '03', 0, 0, '', 0)",        // 4: not listed
        };
        for (const char* values : buildings)
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO tc_ge_building (commno, address, buildingname, "
                                                   "roomtype, upfloornum, unitnum, prepare3, floorhouesnum) VALUES ")
                                    + QString::fromUtf8(values)))
                << db->sqlErrText().toStdString();
        ASSERT_TRUE(db->commit());
    }

    void sql(const QString& statement)
    {
        DbTarget target;
        target.path = path;
        QString error;
        auto db = Sqlca::connect(target, &error);
        ASSERT_TRUE(db->execute(statement)) << db->sqlErrText().toStdString();
        ASSERT_TRUE(db->commit());
    }

    qlonglong houses(const QString& where = QStringLiteral("1 = 1"))
    {
        DbTarget target;
        target.path = path;
        QString error;
        auto db = Sqlca::connect(target, &error);
        return db->selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo WHERE ") + where).toLongLong();
    }
    QStringList args(const char* command, const QString& building, const QStringList& more = {})
    {
        return QStringList{QString::fromLatin1(command), path, QStringLiteral("--building"), building} + more;
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(HouseCommands, GenerateReportsAsTheWindowDoes)
{
    const struct {
        QString building;
        int exitCode;
        const char* out;     // part of standard output
        const char* err;     // part of standard error
        qlonglong total;     // houses stored afterwards
    } cases[] = {
        {"1", 0, "提示：批量生成房屋成功，此次共生成24套房屋！\n该楼院共有24套房屋。", "", 24},
        {"1", 0, "提示：批量生成房屋成功，此次共生成0套房屋！", "", 24},
        {"2", 0, "此次共生成3套房屋", "", 27},
        {"3", 1, "提示：此楼院的地上的建筑层数不正确，请改正后再增加！", "", 27},
        {"4", 1, "", "不是楼房或平房", 27},
        {"99", 1, "", "没有编号为 99 的楼院", 27},
        {"x", 2, "", "--building N", 27},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.building.toStdString());
        const AdminRun r = admin(args("generate-houses", c.building));
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(c.out))) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << r.err.toStdString();
        EXPECT_EQ(houses(), c.total);
    }
    // The community number of the office goes into every new house.
    EXPECT_EQ(houses(QStringLiteral("commno = (SELECT value FROM cr_settings WHERE name = 'commno')")), 27);
    EXPECT_EQ(houses(QStringLiteral("unitno = 2 AND housenumber = '602室' AND issave = '0'")), 1);
}

// The command reads of the stored houses only what the generation compares:
// a house entered by hand keeps everything else it holds, and its number is
// not generated again in its door.
TEST_F(HouseCommands, GenerationLeavesHousesEnteredByHandAsTheyAre)
{
    sql(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, floorno, housenumber, "
                       "housearea, houseuse, houserownername, contactphone, note, issave) VALUES ('1', 1, 2, '单元', "
                       "6, '602室', 88.5, '02', '王芳', '13800000000', '临街', '1')"));
    const AdminRun r = admin(args("generate-houses", QStringLiteral("1")));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("此次共生成23套房屋"))) << r.out.toStdString();
    EXPECT_EQ(houses(QStringLiteral("buildingno = 1")), 24);
    EXPECT_EQ(houses(QStringLiteral("buildingno = 1 AND unitno = 2 AND housenumber = '602室' AND housearea = 88.5 "
                                    "AND houseuse = '02' AND houserownername = '王芳' AND contactphone = '13800000000' "
                                    "AND note = '临街' AND issave = '1' AND unitname = '单元' AND floorno = 6")),
              1);
    EXPECT_EQ(admin(args("generate-houses", QStringLiteral("1"))).exitCode, 0);
    EXPECT_EQ(houses(QStringLiteral("buildingno = 1 AND housearea = 88.5 AND note = '临街'")), 1);
    EXPECT_EQ(houses(QStringLiteral("buildingno = 1")), 24);
}

TEST_F(HouseCommands, DeleteOnlyWithYes)
{
    ASSERT_EQ(admin(args("generate-houses", QStringLiteral("1"))).exitCode, 0);
    ASSERT_EQ(admin(args("generate-houses", QStringLiteral("2"))).exitCode, 0);

    const AdminRun refused = admin(args("delete-houses", QStringLiteral("1")));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.contains(QStringLiteral("确定要删除楼院“和平里1号 一号楼”的全部 24 套房屋吗？")));
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--yes")));
    EXPECT_EQ(houses(), 27);

    EXPECT_EQ(admin(args("delete-houses", QStringLiteral("1"), {QStringLiteral("--yes=no")})).exitCode, 2);

    const AdminRun done = admin(args("delete-houses", QStringLiteral("1"), {QStringLiteral("--yes")}));
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_TRUE(done.out.contains(QStringLiteral("该楼院已没有房屋信息。")));
    EXPECT_EQ(houses(QStringLiteral("buildingno = 1")), 0);
    EXPECT_EQ(houses(QStringLiteral("buildingno = 2")), 3);

    // Nothing left to delete: nothing asked, nothing refused.
    const AdminRun empty = admin(args("delete-houses", QStringLiteral("1")));
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_TRUE(empty.out.contains(QStringLiteral("该楼院还没有房屋信息。")));
}

// Houses a household lives in or that are let are not deleted in bulk: the
// command says how many and by what, before anything is asked or deleted.
TEST_F(HouseCommands, DeleteRefusedWhileHousesAreInUse)
{
    ASSERT_EQ(admin(args("generate-houses", QStringLiteral("1"))).exitCode, 0);
    sql(QStringLiteral("INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno) VALUES ('1', 'R1', 3)"));
    sql(QStringLiteral("INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno) VALUES ('1', 'R2', 3)"));
    sql(QStringLiteral("INSERT INTO tc_ge_renthousereg (commno, houseno) VALUES ('1', 5)"));

    const AdminRun refused = admin(args("delete-houses", QStringLiteral("1"), {QStringLiteral("--yes")}));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.contains(
        QStringLiteral("该楼院有 2 套房屋还在使用（2 条住户居住登记、1 条出租登记），不能批量删除，没有删除任何房屋。")))
        << refused.out.toStdString();
    EXPECT_EQ(houses(), 24);

    sql(QStringLiteral("DELETE FROM tc_ge_rprownhouse"));
    sql(QStringLiteral("DELETE FROM tc_ge_renthousereg"));
    EXPECT_EQ(admin(args("delete-houses", QStringLiteral("1"), {QStringLiteral("--yes")})).exitCode, 0);
    EXPECT_EQ(houses(), 0);
}

// Rows pointing at records that no longer exist are listed by upgrade, each
// reference with its count, and kept.
TEST_F(HouseCommands, UpgradeReportsOrphansAndKeepsThem)
{
    const AdminRun clean = admin({QStringLiteral("upgrade"), path});
    EXPECT_EQ(clean.exitCode, 0) << clean.err.toStdString();
    EXPECT_TRUE(clean.out.contains(QStringLiteral("没有发现指向不存在记录的数据。"))) << clean.out.toStdString();

    // A registry of version 4, before the database guarded its links.
    QStringList guards;
    {
        DbTarget target;
        target.path = path;
        QString error;
        auto db = Sqlca::connect(target, &error);
        auto q = db->select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' AND name LIKE 'fk~_%' "
                                           "ESCAPE '~'"));
        while (q && q->next()) guards << q->value(0).toString();
    }
    ASSERT_FALSE(guards.isEmpty());
    for (const QString& guard : guards) sql(QStringLiteral("DROP TRIGGER ") + guard);
    sql(QStringLiteral("UPDATE cr_settings SET value = '4' WHERE name = 'schema_version'"));
    sql(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, housenumber) VALUES ('1', 99, '101')"));
    sql(QStringLiteral("INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno) VALUES ('1', 'R1', 77)"));
    sql(QStringLiteral("INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno) VALUES ('1', 'R2', 78)"));
    sql(QStringLiteral("INSERT INTO tc_og_inhabteamscope (commno, teamno, scopecode) VALUES ('1', 5, 'B1')"));
    const AdminRun report = admin({QStringLiteral("upgrade"), path});
    EXPECT_EQ(report.exitCode, 0) << report.err.toStdString();
    for (const char* line : {"tc_ge_houseinfo.buildingno：1 行指向不存在的 tc_ge_building.buildingno（房屋）",
                             "tc_ge_rprownhouse.houseno：2 行指向不存在的 tc_ge_houseinfo.houseno（住户居住登记）",
                             "tc_og_inhabteamscope.teamno：1 行指向不存在的 tc_og_inhabitantteam.teamno"})
        EXPECT_TRUE(report.out.contains(QString::fromUtf8(line))) << line << "\n" << report.out.toStdString();
    EXPECT_TRUE(report.out.contains(QStringLiteral("数据库从现在起拒绝新的这类数据"))) << report.out.toStdString();
    EXPECT_EQ(houses(), 1);

    // Guarded again: a new row naming a missing building is refused.
    DbTarget target;
    target.path = path;
    QString error;
    auto db = Sqlca::connect(target, &error);
    EXPECT_FALSE(db->execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, housenumber) "
                                            "VALUES ('1', 99, '102')")));
    EXPECT_EQ(db->sqlError().message, QStringLiteral("所引用的记录不存在（可能已被删除），不能保存。请重新选择后再保存。"));
}

} // namespace
} // namespace cr::test
