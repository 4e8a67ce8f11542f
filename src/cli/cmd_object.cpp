// mirtal-cli object PATH CLIP ID [--palette P] [--palette-view] [--pid HEX] -o FILE.png [--json]:
// the object preview of the Menu tab (or its palette view) as a PNG file.

#include "cli/cli.h"
#include "cli/disc_access.h"
#include "cli/json.h"
#include "cli/menu_access.h"
#include "core/text.h"
#include "ig/bitmaps.h"
#include "ig/ig_load.h"
#include "ig/png.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--palette", "--pid", "-o"});
    if (!args.ok())
        return usageError(args.error());
    const auto out = args.value("-o");
    if (args.positional().size() != 3 || !out)
        return usageError("usage: mirtal-cli object PATH CLIP ID [--palette P] [--palette-view] -o FILE.png [--json]");
    const auto id = parseHex(args.positional()[2]);
    const auto palette = parseHex(args.value("--palette").value_or("0"));
    const auto pid = parseHex(args.value("--pid").value_or("1400"));
    if (!id || *id > 0xFFFF || !palette || !pid || *pid > 0x1FFF)
        return usageError("ID, --palette and --pid take hexadecimal numbers");
    int status = 0;
    const auto arg = discFileArg(args.positional()[0], args.positional()[1], ".m2ts", "clip", status);
    if (!arg)
        return status;
    const fs::path& bdmv = arg->bdmv;
    const std::string& clip = arg->name;

    // The preview's status detail (panel 1) is the answer once the load is done.
    AnswerReporter sink;
    core::Report report(sink);
    ig::IgMenu menu;
    if (!loadClipMenu(bdmv, clip, static_cast<uint16_t>(*pid), menu, report))
        return kExitFailed;
    const bool json = args.has("--json");
    std::vector<std::string> messages;
    if (json)
        sink.onLine = [&](std::string_view line) { messages.emplace_back(line); };
    sink.answering = true;
    const bool paletteView = args.has("--palette-view");
    std::vector<uint8_t> png;
    int width = 0, height = 0;
    bool shown = true;
    if (paletteView) {
        const auto img = ig::paletteView(menu, *palette, ig::colours::kSilver, report);
        png = ig::encodePng(img);
        width = img.width;
        height = img.height;
    } else if (const auto img = ig::ShowButtonPic(menu, *id, *palette, report)) {
        png = ig::encodePng(*img);
        width = img->width();
        height = img->height();
    } else {
        shown = false;
    }
    std::string error;
    const bool written = shown && ig::writePng(*out, png, error);
    if (json) {
        Json j = jsonDocument("object");
        j["clip"] = clip;
        j["pid"] = *pid;
        j["object_id"] = *id;
        j["palette_id"] = *palette;
        j["palette_view"] = paletteView;
        j["output"] = *out;
        j["messages"] = messages;
        if (const ig::TIGobject* o = paletteView ? nullptr : menu.object(*id))
            j["object"] = {{"object_id", o->objectId}, {"width", o->width}, {"height", o->height},
                           {"data_length", o->dataLength}, {"lines_held", o->linesHeld()}};
        j["shown"] = shown;
        j["width"] = width;
        j["height"] = height;
        j["written"] = written;
        printJson(j);
    }
    std::fflush(stdout);
    if (!shown) {
        std::fprintf(stderr, "mirtal-cli: object %s cannot be shown\n", core::hex(*id, 4).c_str());
        return kExitFailed;
    }
    if (!written) {
        std::fprintf(stderr, "mirtal-cli: cannot write %s: %s\n", out->c_str(), error.c_str());
        return kExitFailed;
    }
    return statusOf(sink);
}

const Registration reg{{"object", "object PATH CLIP ID [--palette P] [--palette-view] -o FILE.png [--json]  an IG object as PNG", &run}};

}  // namespace
}  // namespace mirtal::cli
