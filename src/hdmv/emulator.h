#pragma once
// The command emulator: runs a command list against the register file from CurrentLine, to the
// end or one command at a time when tracing. Messages and waits go through the Report; drawing
// and the button state table through the MenuView (none, or one that is not active: the button
// commands only change the registers).

#include "core/report.h"
#include "hdmv/command.h"
#include "hdmv/menu_view.h"
#include "hdmv/registers.h"

#include <cstdint>
#include <functional>

namespace mirtal::hdmv {

// The default bound on the commands one untraced run executes; a program that loops forever
// is stopped there and the stop is logged.
constexpr uint64_t kDefaultMaxSteps = 1'000'000;

struct ExecResult {
    uint64_t executed = 0;          // commands carried out by this call
    bool stepLimitReached = false;  // stopped by maxSteps (logged)
    bool cancelled = false;         // stopped by the cancel flag (logged)
    bool runPending = false;        // RunPending after the call
    // The list being run when the call ended: the given list, or the commands of an auto-action
    // button that a SetButtonPage continued with (see continuedButton).
    CommandList program;
    bool continuedWithButton = false;
    uint16_t continuedButton = 0xFFFF;
};

class Emulator {
public:
    Emulator(Registers& regs, core::Report& report) : m_regs(&regs), m_report(&report) {}

    // nullptr (the default) or a view that is not active: menu commands act on registers only.
    void setMenuView(MenuView* view) { m_view = view; }
    [[nodiscard]] MenuView* menuView() const { return m_view; }
    [[nodiscard]] bool menuActive() const { return m_view != nullptr && m_view->isActive(); }

    // Runs commands from CurrentLine (0: from the top; -1: only position a trace at line 0;
    // otherwise continue a pending trace). Never fails; any words are accepted.
    ExecResult ExecComm(const CommandList& commands);

    // Operand values (with the packed register forms of SetStream, SetButtonPage and
    // SetSecondaryStream) and operand stores (nothing for an immediate or absent operand).
    [[nodiscard]] uint32_t getop1(const TNavCommand& command) const;
    [[nodiscard]] uint32_t getop2(const TNavCommand& command) const;
    void setdst(const TNavCommand& command, uint32_t value);
    void setsrc(const TNavCommand& command, uint32_t value);

    // The Start button's caption is bold while a traced run is pending.
    [[nodiscard]] bool startCaptionBold() const { return RunPending && trace; }

    [[nodiscard]] Registers& registers() { return *m_regs; }
    [[nodiscard]] const Registers& registers() const { return *m_regs; }
    [[nodiscard]] core::Report& report() { return *m_report; }
    [[nodiscard]] uint32_t seed() const { return m_seed; }
    void setSeed(uint32_t seed) { m_seed = seed; }

    int32_t CurrentLine = 0;
    bool RunPending = false;
    bool trace = false;
    uint64_t maxSteps = kDefaultMaxSteps;    // 0: no bound
    // Called at the end of a traced call that left the run pending, with the list being run and
    // the next line: the view highlights it (traceStatusLine, tracePointer in runner.h).
    std::function<void(const CommandList& program, int32_t line)> onTraceDisplay;

private:
    Registers* m_regs;
    core::Report* m_report;
    MenuView* m_view = nullptr;
    uint32_t m_seed = 0;    // never re-seeded
};

}  // namespace mirtal::hdmv
