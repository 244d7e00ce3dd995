#include "resident_teams/coverage_report.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

namespace cr::admin {
namespace {

using resident_teams::CoverageCounts;

// Columns line up on a terminal: Chinese characters take two cells.
int cellsOf(const QString& text)
{
    int width = 0;
    for (const QChar c : text) width += c.unicode() >= 0x1100 ? 2 : 1;
    return width;
}
QString padded(const QString& text, int cells) { return text + QString(qMax(0, cells - cellsOf(text)), QLatin1Char(' ')); }
QString rightAligned(const QString& text, int cells) { return QString(qMax(0, cells - cellsOf(text)), QLatin1Char(' ')) + text; }

QString countsLine(const CoverageCounts& c)
{
    QString out = padded(c.area, 20);
    for (qlonglong n : {c.houses, c.housesUncovered, c.housesShared, c.households, c.householdsUncovered,
                        c.householdsShared, c.personsUncovered, c.personsShared})
        out += rightAligned(QString::number(n), 12);
    return out;
}

} // namespace

int runCoverage(const CommandLine& args, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("coverage"))->usage;
    if (args.positional().size() != 1) return console.usage(QStringLiteral("需要且只需要一个数据库参数 DB"), usage);
    QString error;
    auto db = AdminDatabase::open(args.positional().first(), AdminDatabase::Mode::MustExist, &error);
    if (!db) return console.fail(error);
    if (registryVersion(db->sqlca(), db->display(), &error) == 0) return console.fail(error);

    resident_teams::CoverageInput input;
    if (!input.read(db->sqlca(), &error)) return console.fail(QStringLiteral("读取登记数据失败：") + error);
    const resident_teams::CoverageReport report = resident_teams::coverageReport(input);

    QTextStream& out = console.out();
    out << QStringLiteral("居民小组管辖范围覆盖情况：%1（居民小组 %2 个）\n").arg(db->display()).arg(input.teams.size())
        << padded(QStringLiteral("责任区"), 20);
    for (const char* heading : {"房屋", "未覆盖房屋", "多组房屋", "户数", "未覆盖户数", "多组户数", "未覆盖人口", "多组人口"})
        out << rightAligned(QString::fromUtf8(heading), 12);
    out << '\n';
    for (const CoverageCounts& c : report.areas) out << countsLine(c) << '\n';
    out << countsLine(report.total) << '\n';
    out << QStringLiteral("（户数和人口按户去重；人口为在世人口；一户住在两个责任区时各区都计入，合计只计一次）\n");

    if (args.has(QStringLiteral("houses"))) {
        out << QStringLiteral("\n没有居民小组管辖或由多个居民小组管辖的房屋：\n");
        for (const auto& gap : report.gaps)
            out << QStringLiteral("  %1 %2 房屋编号 %3 %4\n")
                       .arg(padded(gap.area, 16), padded(gap.house, 36))
                       .arg(gap.houseNo)
                       .arg(gap.teams.isEmpty() ? QStringLiteral("未覆盖")
                                                : QStringLiteral("多组：") + gap.teams.join(QStringLiteral("、")));
        if (report.gaps.isEmpty()) out << QStringLiteral("  （无）\n");
    }
    out.flush();
    return ExitOk;
}

} // namespace cr::admin
