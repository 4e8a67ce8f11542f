#pragma once
// The fuzz targets: each reader fed with any bytes, followed by what the window and mirtal-cli do
// next with what it read (grid texts, writing back, drawing). Each target has seed inputs made by
// the test builders. libFuzzer runs one target a program (libfuzzer_main.cpp); fuzz_replay runs
// every target over its seeds and the findings kept in fuzz/findings.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mirtal::fuzz {

using Bytes = std::vector<uint8_t>;

struct Target {
    const char* name;
    void (*run)(const uint8_t* data, size_t size);
};

[[nodiscard]] const std::vector<Target>& targets();
// Set by a target for an input that libFuzzer should not keep in its corpus (it still counts as
// run); cleared before each input.
extern bool rejectInput;
[[nodiscard]] const Target* findTarget(const std::string& name);
// The seed inputs of every target, by target name, made from the demo disc the builders write.
[[nodiscard]] std::vector<std::pair<std::string, Bytes>> seeds();

}  // namespace mirtal::fuzz
