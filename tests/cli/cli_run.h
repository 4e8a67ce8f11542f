#pragma once
// Runs mirtal-cli as a user would and collects what it prints.

#include <string>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// args are passed through the shell as they stand (quote what needs quoting).
CliResult runCli(const std::string& args);
