// Every stored fuzzing input, replayed: the corpus each target grew from and
// every input that once crashed or hung one (crashes/<target>/). Under the
// sanitizer build this also catches what the fuzzers would have caught.
#include "targets/fuzz_targets.h"

#include "frame/fault.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#ifndef CR_FUZZ_DATA
#error "tests/fuzz/CMakeLists.txt passes the folder of the stored inputs as CR_FUZZ_DATA"
#endif

namespace cr::fuzz {
namespace {

struct Replay {
    const Target* target;
    const char* folder;   // corpus or crashes
};

class StoredInputs : public ::testing::TestWithParam<Replay> {};

TEST_P(StoredInputs, RunWithoutFault)
{
    const Replay& r = GetParam();
    const QDir dir(QStringLiteral(CR_FUZZ_DATA "/%1/%2").arg(QLatin1String(r.folder), QLatin1String(r.target->name)));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    if (QLatin1String(r.folder) == QLatin1String("corpus"))
        EXPECT_FALSE(files.isEmpty()) << "no corpus in " << dir.path().toStdString();
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = f.readAll();
        SCOPED_TRACE(name.toStdString());
        // Malformed property changes are what these inputs are: the faults
        // they report are the expected answer, not a failure of the test.
        FaultCollector expectedFaults;
        r.target->run(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
    }
}

std::vector<Replay> allReplays()
{
    std::vector<Replay> all;
    for (int i = 0; i < targetCount(); ++i)
        for (const char* folder : {"corpus", "crashes"}) all.push_back({&targets()[i], folder});
    return all;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, StoredInputs, ::testing::ValuesIn(allReplays()), [](const auto& info) {
    return std::string(info.param.folder) + "_" + info.param.target->name;
});

} // namespace
} // namespace cr::fuzz
