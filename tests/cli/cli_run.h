#pragma once
// Runs mirtal-cli as a user would and collects what it prints.

#include <nlohmann/json.hpp>

#include <string>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// args are passed through the shell as they stand (quote what needs quoting).
CliResult runCli(const std::string& args);

using Json = nlohmann::ordered_json;

// The --json document a run printed, parsed. Checks (as test failures) the exit status, that "schema" ("mirtal-" + schema) and "version" (1) come first, and that the text is the one
// the document gives with a two-space indent and a newline at the end. Null when it does not parse.
Json jsonOf(const CliResult& r, const std::string& schema, int status = 0);

// A grid as the text output prints it: the caption row, then the "cells" of each record.
std::string gridText(const Json& captions, const Json& records);
