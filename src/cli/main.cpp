// mirtal-cli: every operation of the editor for scripts.

#include "cli/cli.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

using namespace mirtal::cli;

namespace {

void printUsage(FILE* to)
{
    std::fprintf(to, "usage: mirtal-cli COMMAND [ARGS...]\n\ncommands:\n");
    auto all = commands();
    std::sort(all.begin(), all.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const auto& c : all)
        std::fprintf(to, "  %s\n", c.usage.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    // A write past the file-size limit fails with an error the save reports and cleans up
    // after, instead of ending the program with its temporary file left beside the disc file.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2)
        return usageError("no command given (try 'mirtal-cli help')");
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        printUsage(stdout);
        return kExitOk;
    }
    const std::vector<std::string> rest(argv + 2, argv + argc);
    for (const auto& c : commands())
        if (c.name == name)
            return c.run(rest);
    return usageError("unknown command '" + name + "' (try 'mirtal-cli help')");
}
