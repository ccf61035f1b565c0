// The libFuzzer entry points: the target is chosen by TALLYO_FUZZ_TARGET
// (`make fuzz` runs each in turn); TALLYO_FUZZ_TARGET=list prints the names.
#include "targets.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace tallyo::fuzz;

namespace {
const FuzzTarget* chosen = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* name = std::getenv("TALLYO_FUZZ_TARGET");
    if (name && std::string_view(name) == "list") {
        for (const FuzzTarget& target : FuzzTargets())
            std::printf("%s\n", target.name);
        std::exit(0);
    }
    chosen = name ? FindFuzzTarget(name) : nullptr;
    if (!chosen) {
        std::fprintf(stderr, "TALLYO_FUZZ_TARGET must name a target (TALLYO_FUZZ_TARGET=list lists them)\n");
        std::exit(2);
    }
    PrepareFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    chosen->run(data, size);
    return 0;
}
