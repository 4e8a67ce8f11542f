// mirtal-cli render PATH CLIP --page N -o FILE.png [--pid HEX] [--button-ids] [--object-ids]
// [--button-frames] [--window-frames] [--keys up,down,...] [--click X,Y] [--json]: draws a menu
// page as the Page view shows it after Start and the given keys and clicks.

#include "cli/cli.h"
#include "cli/disc_access.h"
#include "cli/json.h"
#include "cli/menu_access.h"
#include "core/text.h"
#include "hdmv/emulator.h"
#include "hdmv/registers.h"
#include "ig/ig_load.h"
#include "ig/menu_page.h"
#include "ig/navigation.h"
#include "ig/png.h"

#include <cstdio>
#include <optional>
#include <sstream>

namespace mirtal::cli {
namespace {

std::vector<std::string> split(const std::string& text, char by)
{
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, by))
        out.push_back(item);
    return out;
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--page", "-o", "--pid", "--keys", "--click"});
    if (!args.ok())
        return usageError(args.error());
    const auto out = args.value("-o");
    const auto pageText = args.value("--page");
    if (args.positional().size() != 2 || !out || !pageText)
        return usageError("usage: mirtal-cli render PATH CLIP --page N -o FILE.png [--pid HEX] [--button-ids] "
                          "[--object-ids] [--button-frames] [--window-frames] [--keys K,...] [--click X,Y] [--json]");
    const auto pageNumber = parseNumber(*pageText);
    const auto pid = parseHex(args.value("--pid").value_or("1400"));
    if (!pageNumber || *pageNumber < 0 || !pid || *pid > 0x1FFF)
        return usageError("--page takes a page position, --pid a hexadecimal PID");
    // Check every key and click before anything is read.
    std::vector<std::pair<std::string, std::string>> actions;
    for (const auto& [option, value] : args.ordered()) {
        if (option == "--keys") {
            for (const auto& k : split(value, ','))
                if (!ig::parseNavKey(k))
                    return usageError("--keys takes up, down, left, right and select: " + k);
            actions.emplace_back(option, value);
        } else if (option == "--click") {
            const auto xy = split(value, ',');
            if (xy.size() != 2 || !parseNumber(xy[0]) || !parseNumber(xy[1]))
                return usageError("--click takes X,Y");
            actions.emplace_back(option, value);
        }
    }
    int status = 0;
    const auto arg = discFileArg(args.positional()[0], args.positional()[1], ".m2ts", "clip", status);
    if (!arg)
        return status;
    const fs::path& bdmv = arg->bdmv;
    const std::string& clip = arg->name;

    // The emulator's messages and the page's status texts (panel 1) are the answer once the load
    // is done: lines on standard output, or the "messages" of the --json document.
    AnswerReporter sink;
    core::Report report(sink);
    ig::IgMenu menu;
    if (!loadClipMenu(bdmv, clip, static_cast<uint16_t>(*pid), menu, report))
        return kExitFailed;
    if (static_cast<size_t>(*pageNumber) >= menu.ics.pages.size()) {
        std::fprintf(stderr, "mirtal-cli: the menu has %zu pages\n", menu.ics.pages.size());
        return kExitFailed;
    }
    std::optional<JsonArrayStream> stream;
    if (args.has("--json")) {
        Json head = jsonDocument("render");
        head["clip"] = clip;
        head["pid"] = *pid;
        head["page"] = *pageNumber;
        head["output"] = *out;
        stream.emplace(head, "messages");
        sink.onLine = [&](std::string_view line) { stream->push(Json(std::string(line))); };
    }
    sink.answering = true;
    hdmv::Registers regs;
    regs.ResetRegs();
    ig::MenuPage page(menu, regs, report);
    page.options.showButtonId = args.has("--button-ids");
    page.options.showObjectId = args.has("--object-ids");
    page.options.showButtonFrame = args.has("--button-frames");
    page.options.showWindowFrame = args.has("--window-frames");
    page.selectPageIndex(static_cast<int>(*pageNumber));
    regs.psr[11] = menu.ics.pages[static_cast<size_t>(*pageNumber)].pageId;
    hdmv::Emulator emulator(regs, report);
    emulator.setMenuView(&page);
    ig::startMenu(page, emulator);
    for (const auto& [option, value] : actions) {
        if (option == "--keys") {
            for (const auto& k : split(value, ',')) {
                const auto key = *ig::parseNavKey(k);
                if (key.select)
                    ig::selectButton(page, emulator);
                else
                    ig::navigate(page, emulator, key.direction);
            }
        } else {
            const auto xy = split(value, ',');
            ig::mouseDown(page, emulator, static_cast<int>(*parseNumber(xy[0])), static_cast<int>(*parseNumber(xy[1])));
        }
    }
    std::fflush(stdout);
    std::string error;
    const bool written = ig::writePng(*out, ig::encodePng(page.image()), error);
    if (stream) {
        Json tail = Json::object();
        tail["selected_button"] = regs.psr[10];
        tail["page_id"] = regs.psr[11];
        tail["width"] = page.image().width();
        tail["height"] = page.image().height();
        tail["written"] = written;
        stream->finish(tail);
    }
    if (!written) {
        std::fprintf(stderr, "mirtal-cli: cannot write %s: %s\n", out->c_str(), error.c_str());
        return kExitFailed;
    }
    return statusOf(sink);
}

const Registration reg{{"render", "render PATH CLIP --page N -o FILE.png [options] [--json]  draw a menu page as PNG", &run}};

}  // namespace
}  // namespace mirtal::cli
