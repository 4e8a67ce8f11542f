// mirtal-cli decode OPCODE DESTINATION SOURCE: the command line of one navigation command and
// its validity.

#include "cli/cli.h"
#include "hdmv/command_text.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    if (!args.ordered().empty())
        return usageError("decode takes no options");
    const auto& words = args.positional();
    if (words.size() != 3)
        return usageError("usage: mirtal-cli decode OPCODE DESTINATION SOURCE (hexadecimal words)");
    hdmv::TNavCommand command;
    uint32_t* fields[] = {&command.opcode, &command.destination, &command.source};
    for (size_t i = 0; i < 3; ++i) {
        const auto value = parseHex(words[i]);
        if (!value)
            return usageError("not a hexadecimal word of up to 8 digits: '" + words[i] + "'");
        *fields[i] = *value;
    }
    const auto row = hdmv::comm2str(command, 0);
    std::printf("%s\n%s\n", row.cells[4].c_str(), row.valid ? "Valid" : "Invalid");
    return kExitOk;
}

const Registration reg{{"decode", "decode OPCODE DESTINATION SOURCE (hex words; prints the command line and Valid/Invalid)", &run}};

}  // namespace
}  // namespace mirtal::cli
