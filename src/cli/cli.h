#pragma once
// Shared pieces of mirtal-cli: argument access, the reporter that writes log lines to standard
// error, grid printing, disc paths. Each subcommand lives in its own file and registers itself.

#include "core/report.h"

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::cli {

namespace fs = std::filesystem;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Arguments after the subcommand name: positionals in order, options by name ("--trace",
// "--max-steps 5" or "--max-steps=5"). An option that takes a value must be declared.
class Args {
public:
    // valueOptions: the options that take a value, with their leading dashes.
    Args(const std::vector<std::string>& raw, const std::vector<std::string>& valueOptions);
    [[nodiscard]] bool ok() const { return m_error.empty(); }
    [[nodiscard]] const std::string& error() const { return m_error; }
    [[nodiscard]] const std::vector<std::string>& positional() const { return m_positional; }
    [[nodiscard]] bool has(const std::string& option) const;
    [[nodiscard]] std::optional<std::string> value(const std::string& option) const;
    // Every value of an option that may be given several times, in command-line order.
    [[nodiscard]] std::vector<std::string> values(const std::string& option) const;
    // The options and values in command-line order (for options whose order matters).
    [[nodiscard]] const std::vector<std::pair<std::string, std::string>>& ordered() const { return m_options; }

private:
    std::vector<std::string> m_positional;
    std::vector<std::pair<std::string, std::string>> m_options;
    std::string m_error;
};

// Log lines to standard error with the markup removed; counts error lines.
class StderrReporter : public core::Reporter {
public:
    void logLine(std::string_view markup) override;
    void errorDisplay(std::string_view text) override;
    [[nodiscard]] int errors() const { return m_errors; }

private:
    int m_errors = 0;
};

// A grid as the window shows it: caption row, then one line per row, cells joined by one TAB.
void printGrid(const std::vector<std::string>& captions, const std::vector<std::vector<std::string>>& rows);
template <size_t N>
void printGrid(const std::array<std::string, N>& captions, const std::vector<std::array<std::string, N>>& rows)
{
    std::vector<std::vector<std::string>> r;
    for (const auto& row : rows)
        r.emplace_back(row.begin(), row.end());
    printGrid(std::vector<std::string>(captions.begin(), captions.end()), r);
}

// "mirtal-cli: message" on standard error, and the usage exit status.
int usageError(const std::string& message);
// A number in decimal, or hexadecimal with "0x"; nullopt when the text is not one.
std::optional<long long> parseNumber(const std::string& text);
std::optional<uint32_t> parseHex(const std::string& text);

// A subcommand. run gets the arguments after its name and returns the exit status.
struct Command {
    std::string name;
    std::string usage;    // one line, shown by "mirtal-cli help"
    std::function<int(const std::vector<std::string>&)> run;
};
// Each subcommand file registers its commands with a static Registration.
struct Registration {
    explicit Registration(Command command);
};
const std::vector<Command>& commands();

// A disc file named on the command line: its five-digit name, given with or without the
// extension in any case ("00001", "00001.mpls", "00001.MPLS" with extension ".mpls"); nullopt
// for anything else, so a name never reaches outside its folder.
[[nodiscard]] std::optional<std::string> fiveDigitName(const std::string& text, const std::string& extension);
// The BDMV folder for PATH as the disc commands take it, also from a file or folder inside one of
// its subfolders (BDMV/PLAYLIST/00001.mpls); nullopt when PATH does not exist.
[[nodiscard]] std::optional<fs::path> bdmvFolderFor(const std::string& path);

// The PATH and NAME arguments of a command on one disc file: the BDMV folder (bdmvFolderFor) and
// the five-digit name (fiveDigitName). A PATH that does not exist is a usage error, a NAME that is
// no such name an error; the message is printed then and `status` holds the exit status.
struct DiscFileArg {
    fs::path bdmv;
    std::string name;
};
[[nodiscard]] std::optional<DiscFileArg> discFileArg(const std::string& path, const std::string& name,
                                                     const std::string& extension, const char* kind, int& status);

}  // namespace mirtal::cli
