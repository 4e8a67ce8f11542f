#include "hdmv/runner.h"

#include "core/text.h"
#include "hdmv/command_text.h"
#include "hdmv/registers.h"

namespace mirtal::hdmv {
namespace {

bool inList(const CommandList& commands, int32_t line)
{
    return line >= 0 && static_cast<size_t>(line) < commands.size();
}

}  // namespace

StartResult startObject(Emulator& emulator, const CommandList& commands)
{
    StartResult result;
    if (!emulator.trace || !emulator.RunPending) {
        emulator.CurrentLine = emulator.trace ? -1 : 0;
        result.restarted = true;
    }
    result.exec = emulator.ExecComm(commands);
    return result;
}

ExecResult startButton(Emulator& emulator, const CommandList& commands)
{
    emulator.CurrentLine = emulator.trace ? -1 : 0;
    return emulator.ExecComm(commands);
}

std::string traceStatusLine(const CommandList& commands, int32_t line)
{
    if (!inList(commands, line))
        return {};
    const auto row = comm2str(commands[static_cast<size_t>(line)], static_cast<size_t>(line));
    return "Line " + core::padded(line, 4) + " : " + row.cells[1] + " " + row.cells[2] + " " + row.cells[3] +
           " : " + row.cells[4];
}

TracePointer tracePointer(const CommandList& commands, int32_t line)
{
    TracePointer p;
    if (!inList(commands, line))
        return p;
    const TNavCommand& c = commands[static_cast<size_t>(line)];
    const std::string text = commandLine(c);
    if (text.find("GPR") != std::string::npos)
        p.gpr = checkRegisterNumber(RegisterKind::GPR, c.destination);
    if (text.find("PSR") != std::string::npos)
        p.psr = checkRegisterNumber(RegisterKind::PSR, c.destination & 0x7F);
    return p;
}

}  // namespace mirtal::hdmv
