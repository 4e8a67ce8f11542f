// mirtal-cli menu PATH CLIP [--pid HEX] [--program]: loads a clip's IG stream and lists the
// composition as the Menu tab shows it; with --program, the buttons' commands as program text.

#include "cli/cli.h"
#include "cli/disc_access.h"
#include "cli/menu_access.h"
#include "core/text.h"
#include "hdmv/command_text.h"
#include "hdmv/program_text.h"
#include "ig/ig_load.h"
#include "ig/ig_text.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

void printEffects(const char* tag, size_t p, const ig::Teffectseq& e, bool numbered)
{
    std::printf("[%s %zu]\n", tag, p);
    printGrid(ig::windowGridCaptions(), ig::windowGridRows(e));
    printGrid(ig::effectGridCaptions(), ig::effectGridRows(e, numbered));
    for (const auto& effect : e.effects)
        printGrid(ig::compositionObjectGridCaptions(), ig::compositionObjectGridRows(effect, numbered));
}

// Every button's commands under a "button ID" line, page after page and BOG after BOG.
void printProgram(const ig::IgMenu& menu)
{
    std::string out = "; " + menu.streamName + ": " + std::to_string(menu.ics.pages.size()) + " pages\n";
    for (size_t p = 0; p < menu.ics.pages.size(); ++p) {
        const ig::TPage& page = menu.ics.pages[p];
        for (size_t b = 0; b < page.bogs.size(); ++b) {
            out += "\n; page " + std::to_string(p) + " (id " + std::to_string(page.pageId) + "), BOG " +
                   std::to_string(b) + "\n";
            for (const auto& button : page.bogs[b].buttons) {
                out += "button 0x" + core::hex(button.buttonId, 4) + (button.autoAction ? "    ; auto action\n" : "\n");
                for (const auto& line : hdmv::commandListText(button.commands, "    "))
                    out += line + "\n";
            }
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--pid"});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 2)
        return usageError("usage: mirtal-cli menu PATH CLIP [--pid HEX] [--program]");
    uint32_t pid = 0x1400;
    if (auto v = args.value("--pid")) {
        const auto h = parseHex(*v);
        if (!h || *h > 0x1FFF)
            return usageError("--pid takes a hexadecimal PID");
        pid = *h;
    }
    int status = 0;
    const auto arg = discFileArg(args.positional()[0], args.positional()[1], ".m2ts", "clip", status);
    if (!arg)
        return status;
    const fs::path& bdmv = arg->bdmv;
    const std::string& clip = arg->name;

    StderrReporter sink;
    core::Report report(sink);
    ig::IgMenu menu;
    if (!loadClipMenu(bdmv, clip, static_cast<uint16_t>(pid), menu, report))
        return kExitFailed;
    if (args.has("--program")) {
        printProgram(menu);
        std::fflush(stdout);
        return statusOf(sink);
    }

    std::printf("%s\n", ig::igsInfoCaption(menu.ics).c_str());
    std::printf("User time out duration\t%s\n", ig::userTimeOutText(menu.ics).c_str());
    printGrid(std::vector<std::string>{"Objects", ig::objectListHint(menu)}, {ig::objectListItems(menu)});
    printGrid(std::vector<std::string>{"Palettes", ig::paletteListHint(menu)}, {ig::paletteListItems(menu)});
    for (size_t p = 0; p < menu.ics.pages.size(); ++p) {
        const ig::TPage& page = menu.ics.pages[p];
        std::printf("[Page %zu]\n", p);
        for (const auto& [label, text] : ig::pageHeaderFields(page))
            std::printf("%s\t%s\n", label.c_str(), text.c_str());
        std::printf("[BOGs %zu]\n", p);
        const auto bogs = ig::bogGrid(page);
        printGrid(bogs[0], {bogs[1], bogs[2]});
        for (size_t b = 0; b < page.bogs.size(); ++b) {
            std::printf("[Buttons %zu %zu]\n", p, b);
            printGrid(ig::buttonGridCaptions(), ig::buttonGridRows(page.bogs[b]));
        }
        for (const auto& bog : page.bogs)
            for (const auto& button : bog.buttons) {
                std::printf("[Commands %zu %s]\n", p, core::hex(button.buttonId, 4).c_str());
                printGrid(hdmv::commandGridCaptions(), hdmv::commandGridRows(button.commands));
            }
        printEffects("InEffects", p, page.inEffects, true);
        printEffects("OutEffects", p, page.outEffects, false);
    }
    std::fflush(stdout);
    return statusOf(sink);
}

const Registration reg{{"menu", "menu PATH CLIP [--pid HEX] [--program]  load a clip's IG menu and list its pages", &run}};

}  // namespace
}  // namespace mirtal::cli
