// Copying a registry between engines: every row and key arrives, the target's
// key generators go on after the copied keys, and a copy that cannot finish
// leaves the target as it was.
#include "maintenance/registry_copy.h"
#include "schema/demo/demo_generator.h"
#include "schema/registry_settings.h"
#include "schema/schema.h"
#include "support/test_db.h"

#include <QDate>
#include <QSqlRecord>
#include <algorithm>

namespace cr::test {
namespace {

using maintenance::RegistryCopy;

// A value as text that reads the same from either engine: numbers as
// numbers (SQLite hands back 85 for 85.00), dates as ISO dates.
QString normalised(const QVariant& v)
{
    if (v.isNull()) return QStringLiteral("<null>");
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    default:
        return v.toString();
    }
}

// Every row of a table, sorted, with the columns by name.
QStringList snapshot(Sqlca& db, const QString& table)
{
    QStringList rows;
    auto q = db.selectRaw(QStringLiteral("SELECT * FROM %1").arg(table));
    EXPECT_TRUE(q.has_value()) << table.toStdString() << ": " << db.sqlErrText().toStdString();
    if (!q) return rows;
    while (q->next()) {
        QStringList values;
        const QSqlRecord r = q->record();
        for (int c = 0; c < r.count(); ++c) values << r.fieldName(c).toLower() + QLatin1Char('=') + normalised(q->value(c));
        values.sort();
        rows << values.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}

void expectSameContents(Sqlca& a, Sqlca& b, const char* what)
{
    for (const QString& table : RegistryCopy::tables()) {
        SCOPED_TRACE(std::string(what) + ": " + table.toStdString());
        const QStringList left = snapshot(a, table);
        const QStringList right = snapshot(b, table);
        EXPECT_EQ(left.size(), right.size());
        if (left != right) {
            const auto diff = std::mismatch(left.begin(), left.end(), right.begin(), right.end());
            ADD_FAILURE() << "first difference:\n  " << (diff.first != left.end() ? diff.first->toStdString() : "")
                          << "\n  " << (diff.second != right.end() ? diff.second->toStdString() : "");
        }
    }
}

bool copy(Sqlca& from, Sqlca& to, QString* error, QList<maintenance::CopiedTable>* copied = nullptr)
{
    RegistryCopy c(from, to);
    return c.run(copied, error);
}

std::unique_ptr<FreshDatabase> freshOrSkip(Engine engine)
{
    QString reason;
    auto db = openFreshDatabase(engine, true, &reason);
    if (!db && !(engine == Engine::Postgres && qEnvironmentVariableIsEmpty("CR_TEST_PG")))
        ADD_FAILURE() << reason.toStdString();
    return db;
}

// The source: the small demo with a touch of everything the demo leaves out
// (a building without area, a date, a decimal, a text with quotes).
class RegistryCopyTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        m_source = openFreshDatabase(Engine::Sqlite, true, nullptr);
        ASSERT_TRUE(m_source);
        Sqlca& s = *m_source->sqlca;
        QString error;
        ASSERT_TRUE(demo::DemoGenerator(s, {demo::DemoSize::Small, 5}).run(nullptr, &error)) << error.toStdString();
        ASSERT_TRUE(s.execute(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingno, address, buildingname, "
                                             "roomtype, buildingarea, issave, note) VALUES "
                                             "('110105001001', 9001, :address, '无责任区楼', '01', 1234.56, '1', :note)"),
                              {{QStringLiteral("address"), QStringLiteral("光华路\"9\"号")},
                               {QStringLiteral("note"), QStringLiteral("O'Brien 的楼；第二行\n")}}));
        ASSERT_TRUE(s.execute(QStringLiteral("INSERT INTO tc_ge_punishrecord (commno, orderno, houseno, progdate, "
                                             "progcause, issave) VALUES ('110105001001', 77, "
                                             "(SELECT MIN(houseno) FROM tc_ge_renthousereg), :d, '01', '1')"),
                              {{QStringLiteral("d"), QDate(2024, 2, 29)}}));
        ASSERT_TRUE(s.commit());
    }
    Sqlca& source() { return *m_source->sqlca; }

private:
    std::unique_ptr<FreshDatabase> m_source;
};

TEST_P(RegistryCopyTest, ThereAndBackAgainEveryRowAndKeyArrives)
{
    QString error;
    QList<maintenance::CopiedTable> copied;
    ASSERT_TRUE(copy(source(), db(), &error, &copied)) << error.toStdString();
    EXPECT_EQ(copied.size(), RegistryCopy::tables().size());
    expectSameContents(source(), db(), "there");
    EXPECT_TRUE(schema::isDemo(db())) << "a copy of the demo is still marked as one";

    auto back = freshOrSkip(Engine::Sqlite);
    ASSERT_TRUE(back);
    ASSERT_TRUE(copy(db(), *back->sqlca, &error)) << error.toStdString();
    expectSameContents(source(), *back->sqlca, "back again");
}

TEST_P(RegistryCopyTest, NewRowsOfTheTargetGetKeysAfterTheCopiedOnes)
{
    QString error;
    ASSERT_TRUE(copy(source(), db(), &error)) << error.toStdString();
    struct Case {
        const char* table;
        const char* key;
        const char* insert;
    };
    const Case cases[] = {
        {"tc_ge_building", "buildingno",
         "INSERT INTO tc_ge_building (commno, address, buildingname, roomtype, issave) "
         "VALUES ('1', 'new address', 'new name', '01', '0')"},
        {"tc_ge_houseinfo", "houseno",
         "INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, floorno, housenumber, issave) "
         "VALUES ('1', 1, 1, 1, '9999室', '0')"},
        {"tc_ge_punishrecord", "orderno",
         "INSERT INTO tc_ge_punishrecord (commno, houseno, progcause, issave) "
         "SELECT '1', MIN(houseno), '01', '0' FROM tc_ge_renthousereg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const qint64 largest =
            db().selectValue(QStringLiteral("SELECT MAX(%1) FROM %2").arg(QLatin1String(c.key), QLatin1String(c.table)))
                .toLongLong();
        const QVariant key = db().insertReturningKey(QString::fromLatin1(c.insert), {}, QString::fromLatin1(c.key));
        ASSERT_FALSE(key.isNull()) << db().sqlErrText().toStdString();
        EXPECT_GT(key.toLongLong(), largest);
    }
    EXPECT_TRUE(db().commit());
}

TEST_P(RegistryCopyTest, WhatCannotBeCopiedLeavesTheTargetAsItWas)
{
    struct Case {
        const char* name;
        QString prepareTarget;   // run on the target first (committed)
        QString prepareSource;   // run on the source first (committed)
        const char* message;
    };
    const Case cases[] = {
        {"target already holds registry data",
         QStringLiteral("INSERT INTO tc_ge_regionalmanage (commno, regionalno, regionalname, issave) "
                        "VALUES ('1', 1, '已有', '1')"),
         {}, "已有登记数据"},
        {"target has another structure version",
         QStringLiteral("UPDATE cr_settings SET value = '1' WHERE name = 'schema_version'"), {}, "结构版本不同"},
        // SQLite keeps a text longer than its column; a server refuses it.
        // Either way the target must not keep half a copy.
        {"a row the target refuses", {},
         QStringLiteral("INSERT INTO tc_ge_regionalmanage (commno, regionalno, regionalname, issave) "
                        "VALUES ('1', 99, '%1', '1')").arg(QStringLiteral("名称太长").repeated(30)),
         "regionalmanage"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto target = freshOrSkip(GetParam());
        if (!target) GTEST_SKIP() << "no PostgreSQL server for tests";
        Sqlca& to = *target->sqlca;
        if (!c.prepareTarget.isEmpty()) ASSERT_TRUE(to.execute(c.prepareTarget) && to.commit());
        if (!c.prepareSource.isEmpty()) ASSERT_TRUE(source().execute(c.prepareSource) && source().commit());
        const QStringList settingsBefore = snapshot(to, QStringLiteral("cr_settings"));
        const QStringList areasBefore = snapshot(to, QStringLiteral("tc_ge_regionalmanage"));

        QString error;
        const bool copied = copy(source(), to, &error);
        if (!c.prepareSource.isEmpty() && GetParam() == Engine::Sqlite) {
            // SQLite takes the long name: the copy is whole.
            EXPECT_TRUE(copied) << error.toStdString();
            continue;
        }
        EXPECT_FALSE(copied);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << error.toStdString();
        EXPECT_FALSE(to.inTransaction());
        EXPECT_EQ(snapshot(to, QStringLiteral("cr_settings")), settingsBefore);
        EXPECT_EQ(snapshot(to, QStringLiteral("tc_ge_regionalmanage")), areasBefore);
        EXPECT_EQ(to.selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_personinfo")).toInt(), 0);
    }
}

// A registry written before its links were guarded, with a house of a
// deleted building: the target would refuse the row, so nothing is written
// and the message names what to mend.
TEST_P(RegistryCopyTest, ASourceWithRowsNamingMissingRecordsIsRefusedBeforeWriting)
{
    ASSERT_TRUE(source().executeRaw(QStringLiteral("DROP TRIGGER fk_houseinfo_buildingno_building_ins")));
    ASSERT_TRUE(source().execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, housenumber) "
                                                "VALUES ('1', 99999, '孤立')")));
    ASSERT_TRUE(source().commit());
    QString error;
    EXPECT_FALSE(copy(source(), db(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("tc_ge_houseinfo.buildingno：1 行指向不存在的 tc_ge_building.buildingno")))
        << error.toStdString();
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_building")).toInt(), 0);
}

INSTANTIATE_ENGINES(RegistryCopyTest);

} // namespace
} // namespace cr::test
