// mirtal-cli menu PATH CLIP [--pid HEX] [--program | --json]: loads a clip's IG stream and lists
// the composition as the Menu tab shows it; with --program, the buttons' commands as program
// text; with --json, the composition's fields with the grids' cells.

#include "cli/cli.h"
#include "cli/disc_access.h"
#include "cli/json.h"
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
                hdmv::appendCommandListText(out, button.commands, "    ");
            }
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

Json effectsJson(const ig::Teffectseq& e, bool numbered)
{
    Json j = Json::object();
    j["number_of_windows"] = e.numberOfWindows;
    const auto windowRows = ig::windowGridRows(e);
    Json windows = Json::array();
    for (size_t i = 0; i < e.windowsKept(); ++i) {
        const ig::TWindow& w = e.windows[i];
        windows.push_back({{"id", w.id}, {"x", w.x}, {"y", w.y}, {"width", w.width}, {"height", w.height},
                           {"cells", windowRows[i]}});
    }
    j["windows"] = std::move(windows);
    j["number_of_effects"] = e.numberOfEffects;
    const auto effectRows = ig::effectGridRows(e, numbered);
    Json effects = Json::array();
    for (size_t i = 0; i < e.effects.size(); ++i) {
        const ig::Teffect& f = e.effects[i];
        Json effect = Json::object();
        effect["duration_90k"] = f.duration;
        effect["palette_id"] = f.paletteId;
        effect["number_of_objects"] = f.numberOfObjects;
        effect["cells"] = effectRows[i];
        const auto objectRows = ig::compositionObjectGridRows(f, numbered);
        Json objects = Json::array();
        for (size_t k = 0; k < f.objects.size(); ++k) {
            const ig::TCompositionObject& o = f.objects[k];
            objects.push_back({{"object_id", o.objectId},
                               {"window_id", o.windowId},
                               {"flags", o.flags},
                               {"cropped", o.isCropped()},
                               {"forced", o.isForced()},
                               {"x", o.x},
                               {"y", o.y},
                               {"crop_x", o.cropX},
                               {"crop_y", o.cropY},
                               {"crop_width", o.cropWidth},
                               {"crop_height", o.cropHeight},
                               {"cells", objectRows[k]}});
        }
        effect["composition_objects"] = std::move(objects);
        effects.push_back(std::move(effect));
    }
    j["effects"] = std::move(effects);
    return j;
}

Json buttonJson(const ig::TIGbutton& b)
{
    Json j = Json::object();
    j["button_id"] = b.buttonId;
    j["numeric_select_value"] = b.numericSelectValue;
    j["auto_action"] = b.autoAction;
    j["x"] = b.x;
    j["y"] = b.y;
    j["upper"] = b.upper;
    j["lower"] = b.lower;
    j["left"] = b.left;
    j["right"] = b.right;
    j["normal_start"] = b.normalStart;
    j["normal_end"] = b.normalEnd;
    j["normal_flags"] = b.normalFlags;
    j["selected_sound"] = b.selectedSound;
    j["selected_start"] = b.selectedStart;
    j["selected_end"] = b.selectedEnd;
    j["selected_flags"] = b.selectedFlags;
    j["activated_sound"] = b.activatedSound;
    j["activated_start"] = b.activatedStart;
    j["activated_end"] = b.activatedEnd;
    j["number_of_commands"] = b.numberOfCommands;
    j["cells"] = ig::buttonGridRow(b);
    j["commands"] = commandListJson(b.commands);
    return j;
}

Json pageJson(const ig::TPage& page)
{
    Json j = Json::object();
    j["page_id"] = page.pageId;
    j["page_version"] = page.pageVersion;
    j["uo_mask_1"] = page.uoMask1;
    j["uo_mask_2"] = page.uoMask2;
    j["animation_frame_rate_code"] = page.animationFrameRateCode;
    j["default_selected_button"] = page.defaultSelectedButton;
    j["default_activated_button"] = page.defaultActivatedButton;
    j["palette_id"] = page.paletteId;
    j["number_of_bogs"] = page.numberOfBOGs;
    Json fields = Json::array();
    for (const auto& [label, text] : ig::pageHeaderFields(page))
        fields.push_back({{"label", label}, {"text", text}});
    j["header_fields"] = std::move(fields);
    // The BOG grid has a column per BOG: its cells are that column.
    const auto grid = ig::bogGrid(page);
    Json bogs = Json::array();
    for (size_t b = 0; b < page.bogs.size(); ++b) {
        Json bog = Json::object();
        bog["default_valid_button"] = page.bogs[b].defaultValidButton;
        bog["number_of_buttons"] = page.bogs[b].numberOfButtons;
        bog["cells"] = {grid[0][b + 1], grid[1][b + 1], grid[2][b + 1]};
        Json buttons = Json::array();
        for (const auto& button : page.bogs[b].buttons)
            buttons.push_back(buttonJson(button));
        bog["buttons"] = std::move(buttons);
        bogs.push_back(std::move(bog));
    }
    j["bogs"] = std::move(bogs);
    j["in_effects"] = effectsJson(page.inEffects, true);
    j["out_effects"] = effectsJson(page.outEffects, false);
    return j;
}

Json menuJson(const ig::IgMenu& menu, const std::string& clip, uint32_t pid)
{
    const ig::TIGSc& ics = menu.ics;
    Json j = jsonDocument("menu");
    j["clip"] = clip;
    j["pid"] = pid;
    j["stream_name"] = menu.streamName;
    j["caption"] = ig::igsInfoCaption(ics);
    j["video_width"] = ics.videoWidth;
    j["video_height"] = ics.videoHeight;
    j["frame_rate_id"] = ics.frameRateId;
    j["composition_number"] = ics.compositionNumber;
    j["composition_state"] = ics.compositionState;
    j["composition_data_length"] = ics.compositionDataLength;
    j["model_flags"] = ics.modelFlags;
    j["user_time_out_90k"] = ics.userTimeOut;
    j["user_time_out"] = ig::userTimeOutText(ics);
    const auto bogCaptions = ig::bogGrid(ig::TPage{});
    j["captions"] = {{"bogs", {bogCaptions[0][0], bogCaptions[1][0], bogCaptions[2][0]}},
                     {"buttons", ig::buttonGridCaptions()},
                     {"commands", hdmv::commandGridCaptions()},
                     {"windows", ig::windowGridCaptions()},
                     {"effects", ig::effectGridCaptions()},
                     {"composition_objects", ig::compositionObjectGridCaptions()}};
    j["object_list"] = {{"hint", ig::objectListHint(menu)}, {"items", ig::objectListItems(menu)}};
    j["palette_list"] = {{"hint", ig::paletteListHint(menu)}, {"items", ig::paletteListItems(menu)}};
    Json objects = Json::array();
    for (const auto& o : menu.objects)
        objects.push_back({{"object_id", o.objectId}, {"width", o.width}, {"height", o.height}, {"data_length", o.dataLength}});
    j["objects"] = std::move(objects);
    Json palettes = Json::array();
    for (const auto& p : menu.palettes)
        palettes.push_back({{"palette_id", p.paletteId}, {"version", p.version}, {"data_length", p.dataLength}});
    j["palettes"] = std::move(palettes);
    j["number_of_pages"] = ics.numberOfPages;
    Json pages = Json::array();
    for (const auto& page : ics.pages)
        pages.push_back(pageJson(page));
    j["pages"] = std::move(pages);
    return j;
}

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--pid"});
    if (!args.ok())
        return usageError(args.error());
    if (args.positional().size() != 2)
        return usageError("usage: mirtal-cli menu PATH CLIP [--pid HEX] [--program | --json]");
    if (args.has("--program") && args.has("--json"))
        return usageError("menu takes --program or --json, not both");
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
    if (args.has("--json")) {
        printJson(menuJson(menu, clip, pid));
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

const Registration reg{{"menu", "menu PATH CLIP [--pid HEX] [--program|--json]  load a clip's IG menu and list its pages", &run}};

}  // namespace
}  // namespace mirtal::cli
