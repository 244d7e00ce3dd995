// The libFuzzer program of one target, named when it is built
// (CR_FUZZ_TARGET, the name of its corpus folder).
#include "targets/fuzz_targets.h"

#include <QCoreApplication>
#include <cstdlib>
#include <cstring>

namespace {

const cr::fuzz::Target& chosenTarget()
{
    static const cr::fuzz::Target* target = [] {
        for (int i = 0; i < cr::fuzz::targetCount(); ++i)
            if (std::strcmp(cr::fuzz::targets()[i].name, CR_FUZZ_TARGET) == 0) return &cr::fuzz::targets()[i];
        std::abort();
        return static_cast<const cr::fuzz::Target*>(nullptr);
    }();
    return *target;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // SQL drivers are plugins and want an application object.
    static QCoreApplication app(*argc, *argv);
    chosenTarget();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    chosenTarget().run(data, size);
    return 0;
}
