#include "frame/dialect.h"
#include "support/test_db.h"

#include <QSqlRecord>

namespace cr::test {
namespace {

// The door display name as the windows' queries write it, in each form.
const char* const kDoorHouseRegister =
    "case unitno when 0 then unitname when null then unitname else convert(varchar(10),unitno) + unitname end";
const char* const kDoorScopeTree =
    "(case unitno when 0 then space(0) when null then space(0) else convert(varchar(10),unitno) end) + unitname";
const char* const kDoorRental =
    "( (case unitno when 0 then space(0) when null then space(0) else Cast(unitno as char(10)) end) + unitname )";
const char* const kDoorIsNull =
    "case when isnull(unitno,0)=0 then space(0) else convert(varchar(10),unitno) end + unitname";

struct RenderCase {
    const char* name;
    const char* module;
    const char* sqlite;
    const char* postgres;   // nullptr: same as sqlite
};

const RenderCase kRenderCases[] = {
    {"top at statement end", "select top 1 unitname from tc_ge_houseinfo where unitno = :unitno",
     "select unitname from tc_ge_houseinfo where unitno = :unitno LIMIT 1", nullptr},
    {"top before order and semicolon", "SELECT TOP 3 a FROM t ORDER BY a ;", "SELECT a FROM t ORDER BY a LIMIT 3 ;", nullptr},
    {"top in a subquery", "select x from t where k = (select top 1 k from u order by k) and y = 1",
     "select x from t where k = (select k from u order by k LIMIT 1) and y = 1", nullptr},
    {"top after distinct", "select distinct top 5 a from t", "select distinct a from t LIMIT 5", nullptr},
    {"top as a parameter", "select top :n a from t", "select a from t LIMIT :n", nullptr},
    {"convert to varchar", "select convert(varchar(10),unitno) from h", "select CAST(unitno AS TEXT) from h",
     "select CAST(unitno AS VARCHAR(10)) from h"},
    {"cast to char does not pad", "select Cast(unitno as char(10)) from h", "select CAST(unitno AS TEXT) from h",
     "select CAST(unitno AS VARCHAR(10)) from h"},
    {"cast to a number stays a cast", "select cast(x as int) from h", "select CAST(x AS INTEGER) from h", nullptr},
    {"space", "select space(0), space(3) from h", "select '', '   ' from h", nullptr},
    {"isnull", "where isnull(unitno,0)=0", "where coalesce(unitno,0)=0", nullptr},
    {"text plus parameter", "select 'B' + :no", "select 'B' || :no", nullptr},
    {"numbers keep plus", "select a + b, a+1 from t where c = d + 2", "select a + b, a+1 from t where c = d + 2", nullptr},
    {"sum before text is grouped", "select 1 + 2 + 'x'", "select (1 + 2) || 'x'", nullptr},
    {"product after text is grouped", "select 'x' + a * 2", "select 'x' || (a * 2)", nullptr},
    {"text then number", "select 'x' + 1 + 2", "select 'x' || 1 || 2", nullptr},
    {"literal text is untouched", "select 'a + b top 1 convert(varchar(10),x) space(0)' + name from t",
     "select 'a + b top 1 convert(varchar(10),x) space(0)' || name from t", nullptr},
    {"quotes inside a literal", "select 'it''s ' + name from t", "select 'it''s ' || name from t", nullptr},
    {"parameters are untouched", "select a from t where b = :space and c = :convert",
     "select a from t where b = :space and c = :convert", nullptr},
    {"identifiers keep their case, unquoted", "SELECT BuildingNo FROM TC_GE_Building WHERE BuildingName = :name",
     "SELECT BuildingNo FROM TC_GE_Building WHERE BuildingName = :name", nullptr},
    {"alias without as ends the expression", "select 'x' + name label, y from t",
     "select 'x' || name label, y from t", nullptr},
    {"count with blanks", "Select Count ( *) From tc_ge_houseinfo Where buildingno = :buildingno",
     "Select Count ( *) From tc_ge_houseinfo Where buildingno = :buildingno", nullptr},
    {"national literal", "select N'楼' + name from t", "select '楼' || name from t", nullptr},
    {"comment is untouched", "select a -- 'x' + top 1\n from t", "select a -- 'x' + top 1\n from t", nullptr},
    {"unclosed literal passes unchanged", "select 'abc + 1", "select 'abc + 1", nullptr},
    {"door name, isnull form", kDoorIsNull,
     "case when coalesce(unitno,0)=0 then '' else CAST(unitno AS TEXT) end || unitname",
     "case when coalesce(unitno,0)=0 then '' else CAST(unitno AS VARCHAR(10)) end || unitname"},
    {"door name, simple case with when null", kDoorScopeTree,
     "(case when unitno = 0 then '' when unitno IS NULL then '' else CAST(unitno AS TEXT) end) || unitname",
     "(case when unitno = 0 then '' when unitno IS NULL then '' else CAST(unitno AS VARCHAR(10)) end) || unitname"},
    {"door name inside a case branch", kDoorHouseRegister,
     "case when unitno = 0 then unitname when unitno IS NULL then unitname else CAST(unitno AS TEXT) || unitname end",
     "case when unitno = 0 then unitname when unitno IS NULL then unitname else CAST(unitno AS VARCHAR(10)) || unitname end"},
    {"case of plain names stays", "select case k when 1 then a else b end + c from t",
     "select case k when 1 then a else b end + c from t", nullptr},
};

TEST(SqlRenderTest, RendersTheModuleFormsForEachEngine)
{
    const auto sqlite = Dialect::create(Engine::Sqlite);
    const auto postgres = Dialect::create(Engine::Postgres);
    for (const RenderCase& c : kRenderCases) {
        const QString module = QString::fromUtf8(c.module);
        EXPECT_EQ(sqlite->render(module).toStdString(), c.sqlite) << c.name;
        EXPECT_EQ(postgres->render(module).toStdString(), c.postgres ? c.postgres : c.sqlite) << c.name;
    }
}

// Each rendered form must also run, with the same result, on both engines.
class SqlRenderExecutionTest : public DbTest {
protected:
    bool wantsSchema() const override { return false; }

    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE door (k INTEGER, unitno INTEGER, unitname VARCHAR(20))")));
        const struct {
            int k;
            QVariant unitno;
            QVariant unitname;
        } rows[] = {
            {1, 0, QStringLiteral("单元")},
            {2, QVariant(QMetaType(QMetaType::Int)), QStringLiteral("单元")},
            {3, 3, QStringLiteral("单元")},
            {4, 3, QVariant(QMetaType(QMetaType::QString))},
            {5, 12, QStringLiteral("门")},
        };
        for (const auto& r : rows)
            ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO door (k, unitno, unitname) VALUES (:k, :u, :n)"),
                                     {{QStringLiteral("k"), r.k}, {QStringLiteral("u"), r.unitno}, {QStringLiteral("n"), r.unitname}}))
                << db().sqlErrText().toStdString();
        ASSERT_TRUE(db().commit());
    }

    // Values of the first column, ordered by k; NULL as "<null>".
    QStringList column(const QString& expression)
    {
        QStringList out;
        auto q = db().select(QStringLiteral("select %1 as v from door order by k").arg(expression));
        if (!q) {
            ADD_FAILURE() << db().renderedSql(expression).toStdString() << ": " << db().sqlErrText().toStdString();
            return out;
        }
        while (q->next()) out << (q->value(0).isNull() ? QStringLiteral("<null>") : q->value(0).toString());
        return out;
    }
};

TEST_P(SqlRenderExecutionTest, DoorDisplayNameInEveryForm)
{
    // unitno 0, NULL and 3 with 单元; 3 without a door word; 12 with 门.
    const std::string expected = "单元|单元|3单元|<null>|12门";
    for (const char* form : {kDoorHouseRegister, kDoorScopeTree, kDoorRental, kDoorIsNull})
        EXPECT_EQ(column(QString::fromUtf8(form)).join(QLatin1Char('|')).toStdString(), expected) << form;
}

TEST_P(SqlRenderExecutionTest, RenderedExpressionsGiveTheSameValues)
{
    const struct {
        const char* expression;
        const char* firstRow;
    } cases[] = {
        {"'B' + convert(varchar(10), k) + 'U' + convert(varchar(10), unitno)", "B1U0"},
        {"unitno + k", "1"},                       // numbers still add
        {"1 + 2 + 'x'", "3x"},
        {"'x' + k * 2", "x2"},
        {"'[' + space(2) + ']'", "[  ]"},
        {"'a' + null", "<null>"},                  // joining with NULL gives NULL
        {"isnull(unitname, '-') + '!'", "单元!"},
        {"'it''s ' + unitname", "it's 单元"},
        {"(select top 1 unitname from door d where d.unitno = 3 order by d.k)", "单元"},
    };
    for (const auto& c : cases) {
        const QStringList values = column(QString::fromUtf8(c.expression));
        ASSERT_FALSE(values.isEmpty()) << c.expression;
        EXPECT_EQ(values.first().toStdString(), c.firstRow) << c.expression;
    }
}

TEST_P(SqlRenderExecutionTest, TopLimitsTheRowsAndParametersStayBound)
{
    auto q = db().select(QStringLiteral("select top 2 k from door where unitname = :name order by k desc"),
                         {{QStringLiteral("name"), QStringLiteral("单元")}});
    ASSERT_TRUE(q) << db().sqlErrText().toStdString();
    QList<int> keys;
    while (q->next()) keys << q->value(0).toInt();
    EXPECT_EQ(keys, (QList<int>{3, 2}));

    const QVariant code = db().selectValue(QStringLiteral("select 'B' + :no + 'U' + :door"),
                                           {{QStringLiteral("no"), QStringLiteral("12")}, {QStringLiteral("door"), QStringLiteral("3")}});
    EXPECT_EQ(code.toString(), QStringLiteral("B12U3")) << db().sqlErrText().toStdString();
}

INSTANTIATE_ENGINES(SqlRenderExecutionTest);

} // namespace
} // namespace cr::test
