// mirtal-cli decode OPCODE DESTINATION SOURCE [--json]: the command line of one navigation
// command and its validity.

#include "cli/cli.h"
#include "cli/json.h"
#include "hdmv/command_text.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {});
    if (!args.ok())
        return usageError(args.error());
    const bool json = args.has("--json");
    if (args.ordered().size() != (json ? 1u : 0u))
        return usageError("decode takes no options but --json");
    const auto& words = args.positional();
    if (words.size() != 3)
        return usageError("usage: mirtal-cli decode OPCODE DESTINATION SOURCE [--json] (hexadecimal words)");
    hdmv::TNavCommand command;
    uint32_t* fields[] = {&command.opcode, &command.destination, &command.source};
    for (size_t i = 0; i < 3; ++i) {
        const auto value = parseHex(words[i]);
        if (!value)
            return usageError("not a hexadecimal word of up to 8 digits: '" + words[i] + "'");
        *fields[i] = *value;
    }
    if (json) {
        Json j = jsonDocument("decode");
        j.update(commandJson(command, 0, false));
        printJson(j);
        return kExitOk;
    }
    const auto row = hdmv::comm2str(command, 0);
    std::printf("%s\n%s\n", row.cells[4].c_str(), row.valid ? "Valid" : "Invalid");
    return kExitOk;
}

const Registration reg{{"decode", "decode OPCODE DESTINATION SOURCE [--json] (hex words; the command line and Valid/Invalid)", &run}};

}  // namespace
}  // namespace mirtal::cli
