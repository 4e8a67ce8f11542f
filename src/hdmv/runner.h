#pragma once
// The run panel's model side: Start on a movie object or a button, and the trace display texts.

#include "hdmv/command.h"
#include "hdmv/emulator.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mirtal::hdmv {

struct StartResult {
    // True when the run was (re)started from the top: the Object list selects the object.
    bool restarted = false;
    ExecResult exec;
};

// Start on the BDMV tab with the selected object's commands: unless a traced run is pending,
// CurrentLine := -1 (tracing: the first click only positions the trace) or 0; then ExecComm.
StartResult startObject(Emulator& emulator, const CommandList& commands);

// A button's commands run from the top (the menu navigation's select action, the Menu-tab
// Start for an auto-action default button): CurrentLine := -1 when tracing, 0 otherwise; then
// ExecComm.
ExecResult startButton(Emulator& emulator, const CommandList& commands);

// "Line 0000 : <opcode> <dest> <source> : <command line>"; empty for a line outside the list.
[[nodiscard]] std::string traceStatusLine(const CommandList& commands, int32_t line);

// The register fields a traced line points at, checked as when the field is left: gpr is set
// when the command line names a GPR (the destination word; above 4095 it becomes 0), psr when it
// names a PSR (bits 6-0 of the destination word). Both are empty for a line outside the list.
struct TracePointer {
    std::optional<uint32_t> gpr;
    std::optional<uint32_t> psr;
};
[[nodiscard]] TracePointer tracePointer(const CommandList& commands, int32_t line);

}  // namespace mirtal::hdmv
