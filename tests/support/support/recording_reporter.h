#pragma once
// A Reporter for tests: keeps every call so a test can assert on log lines and status texts.

#include "core/markup.h"
#include "core/report.h"

#include <string>
#include <vector>

namespace mirtal::support {

class RecordingReporter : public core::Reporter {
public:
    void logLine(std::string_view markup) override { lines.emplace_back(markup); }
    void statusText(int panel, std::string_view text) override
    {
        status.push_back({panel, std::string(text)});
        if (panel >= 0 && panel < 2)
            panels[panel] = std::string(text);
        errorShown = false;
    }
    void errorDisplay(std::string_view text) override
    {
        errorShown = true;
        errors.emplace_back(text);
    }
    void beep() override { ++beeps; }
    void tone(int hz, int ms) override { tones.push_back({hz, ms}); }
    void progress(int64_t done, int64_t total) override { progressCalls.push_back({done, total}); }
    bool cancelRequested() override { return cancelAfter >= 0 && ++polls > cancelAfter; }
    void wait(int ms) override { waits.push_back(ms); }

    // Log lines with the markup removed.
    [[nodiscard]] std::vector<std::string> plainLines() const
    {
        std::vector<std::string> out;
        for (const auto& l : lines)
            out.push_back(core::markupToPlain(l));
        return out;
    }
    [[nodiscard]] bool hasLine(const std::string& markup) const
    {
        for (const auto& l : lines)
            if (l == markup)
                return true;
        return false;
    }

    std::vector<std::string> lines;
    std::vector<std::pair<int, std::string>> status;
    std::string panels[2];
    bool errorShown = false;
    std::vector<std::string> errors;
    int beeps = 0;
    std::vector<std::pair<int, int>> tones;
    std::vector<std::pair<int64_t, int64_t>> progressCalls;
    std::vector<int> waits;
    int cancelAfter = -1;    // cancel once this many polls have passed; -1: never
    int polls = 0;
};

}  // namespace mirtal::support
