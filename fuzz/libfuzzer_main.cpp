// One fuzz target as a libFuzzer program (built by scripts/fuzz.sh with clang).

#include "fuzz/targets.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const mirtal::fuzz::Target* target = [] {
        const auto* t = mirtal::fuzz::findTarget(MIRTAL_FUZZ_TARGET);
        if (!t) {
            std::fprintf(stderr, "no fuzz target %s\n", MIRTAL_FUZZ_TARGET);
            std::abort();
        }
        return t;
    }();
    mirtal::fuzz::rejectInput = false;
    target->run(data, size);
    return mirtal::fuzz::rejectInput ? -1 : 0;
}
