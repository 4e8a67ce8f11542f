#pragma once
// One HDMV navigation command: three 32-bit words. Group, sub-group, option and operands are
// decoded on demand, so any word pattern round-trips.

#include <cstdint>
#include <vector>

namespace mirtal::hdmv {

struct TNavCommand {
    uint32_t opcode = 0;
    uint32_t destination = 0;    // operand 1
    uint32_t source = 0;         // operand 2

    [[nodiscard]] uint32_t operandCount() const { return opcode >> 29; }
    [[nodiscard]] uint32_t group() const { return (opcode >> 27) & 3; }
    [[nodiscard]] uint32_t subGroup() const { return (opcode >> 24) & 7; }
    [[nodiscard]] bool immediate1() const { return (opcode >> 23) & 1; }
    [[nodiscard]] bool immediate2() const { return (opcode >> 22) & 1; }
    [[nodiscard]] uint32_t branchOption() const { return (opcode >> 16) & 0xF; }
    [[nodiscard]] uint32_t compareOption() const { return (opcode >> 8) & 0xF; }
    [[nodiscard]] uint32_t setOption() const { return opcode & 0x1F; }
    // The option of the command's group; 0 for group 3.
    [[nodiscard]] uint32_t option() const
    {
        switch (group()) {
        case 0: return branchOption();
        case 1: return compareOption();
        case 2: return setOption();
        default: return 0;
        }
    }
    bool operator==(const TNavCommand&) const = default;
};

using CommandList = std::vector<TNavCommand>;

}  // namespace mirtal::hdmv
