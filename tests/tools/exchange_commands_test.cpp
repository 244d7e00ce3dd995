// export and import as the administrator runs them: the desktop's rules and
// report, exit codes 0 (done), 1 (problems or failure, nothing written) and
// 2 (wrong arguments).
#include "admin_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace cr::test {
namespace {

class ExchangeCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db = dir.filePath(QStringLiteral("registry.db"));
        ASSERT_EQ(runAdmin({QStringLiteral("init"), db}).exitCode, 0);
    }
    QString file(const QString& name, const QByteArray& text)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    }
    AdminRun run(const QStringList& args) { return runAdmin(QStringList{args.first(), db} + args.mid(1)); }

    QTemporaryDir dir;
    QString db;
};

TEST_F(ExchangeCommands, WrongArgumentsAreRefused)
{
    const QString out = dir.filePath(QStringLiteral("x.xlsx"));
    struct Case {
        const char* name;
        QStringList args;
        const char* message;
    };
    const Case cases[] = {
        {"unknown list", {"export", "没有的列表", "--out", out}, "没有名为"},
        {"no output file", {"export", "d_ge_building"}, "--out"},
        {"output of another kind", {"export", "d_ge_building", "--out", dir.filePath("x.pdf")}, ".xlsx"},
        {"no kind", {"import", out}, "--kind"},
        {"unknown kind", {"import", out, "--kind", "cats"}, "--kind"},
    };
    for (const Case& c : cases) {
        const AdminRun r = run(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << c.name << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ExchangeCommands, ImportChecksReportsAndWritesAllOrNothing)
{
    const QString bad = file(QStringLiteral("bad.csv"), "户号,户主姓名\nH1,王芳\nH1,王芳\n");
    const AdminRun refused = run({"import", bad, "--kind", "households"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.contains(QStringLiteral("第3行 “户号”：与第2行重复。"))) << refused.out.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("没有导入任何数据")));

    const QString good = file(QStringLiteral("good.csv"), "户号,户主姓名\nH1,王芳\nH2,李四\n");
    const AdminRun dry = run({"import", good, "--kind", "households", "--dry-run"});
    EXPECT_EQ(dry.exitCode, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.contains(QStringLiteral("可导入 2 行")));
    const AdminRun written = run({"import", good, "--kind", "households"});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_TRUE(written.out.contains(QStringLiteral("已导入 2 行")));
    const AdminRun again = run({"import", good, "--kind", "households"});
    EXPECT_TRUE(again.out.contains(QStringLiteral("已登记 2 行"))) << "nothing added twice";

    const QString notASheet = file(QStringLiteral("picture.xlsx"), QByteArray("\x89PNG\r\n\x1A\n\0\0\0", 11));
    const AdminRun picture = run({"import", notASheet, "--kind", "persons"});
    EXPECT_EQ(picture.exitCode, 1);
    EXPECT_TRUE(picture.out.contains(QStringLiteral("不是表格"))) << picture.out.toStdString();

    // What was imported lists and exports under the list's own name.
    const QString csv = dir.filePath(QStringLiteral("rpr.csv"));
    const AdminRun exported = run({"export", "户籍", "--out", csv, "--search", "李"});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.contains(QStringLiteral("已导出 1 条记录（共 2 条）")));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\xEF\xBB\xBF户号,户主姓名,户籍地址\r\nH2,李四,\r\n"));
}

} // namespace
} // namespace cr::test
