// community-scenario: plays scenario files (.scn) against the windows of the
// module, each on a fresh database, with scripted answers for every dialog.
// Exit code 0 when every scenario passed, 1 when one failed, 2 for a usage
// error, 77 when PostgreSQL was asked for but CR_TEST_PG names no server.

#include "demo_windows.h"
#include "harness/fresh_database.h"
#include "scenario_player.h"
#include "scenario_script.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace cr;
using namespace cr::scenario;

namespace {

int playFile(const QString& path, Engine engine, bool verbose)
{
    QTextStream out(stdout), err(stderr);
    QList<ScenarioLine> lines;
    QString error;
    if (!ScenarioScript::load(path, &lines, &error)) {
        err << "FAIL " << error << "\n";
        return 1;
    }
    bool notConfigured = false;
    auto db = harness::openFreshDatabase(engine, true, &error, &notConfigured);
    if (notConfigured) {
        out << "SKIP " << path << ": " << error << "\n";
        return 77;
    }
    if (!db || !demo::createDemoTables(*db->sqlca, &error)) {
        err << "FAIL " << path << ": no database: " << error << "\n";
        return 1;
    }
    bool passed = false;
    {
        ScenarioPlayer player(*db->sqlca, verbose);
        passed = player.play(lines);
    }
    (passed ? out : err) << (passed ? "PASS " : "FAIL ") << path << " (" << lines.size() << " lines, "
                         << db->sqlca->dialect().displayName() << ")\n";
    return passed ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("community-scenario"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays scenario files against the registry windows."));
    parser.addHelpOption();
    QCommandLineOption engineOption(QStringLiteral("engine"), QStringLiteral("sqlite (default) or postgres"),
                                    QStringLiteral("engine"), QStringLiteral("sqlite"));
    QCommandLineOption verboseOption(QStringList{QStringLiteral("v"), QStringLiteral("verbose")},
                                     QStringLiteral("print each line as it is played"));
    parser.addOption(engineOption);
    parser.addOption(verboseOption);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("scenario files (.scn)"));
    parser.process(app);

    const QString engineName = parser.value(engineOption).toLower();
    if (engineName != QLatin1String("sqlite") && engineName != QLatin1String("postgres")) {
        QTextStream(stderr) << "unknown engine " << engineName << " (sqlite or postgres)\n";
        return 2;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        parser.showHelp(2);
    }
    const Engine engine = engineName == QLatin1String("postgres") ? Engine::Postgres : Engine::Sqlite;
    int failed = 0, skipped = 0;
    for (const QString& file : files) {
        const int rc = playFile(file, engine, parser.isSet(verboseOption));
        if (rc == 77) ++skipped;
        else if (rc != 0) ++failed;
    }
    if (failed) return 1;
    return skipped == files.size() ? 77 : 0;
}
