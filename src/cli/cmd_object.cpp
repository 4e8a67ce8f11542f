// mirtal-cli object PATH CLIP ID [--palette P] [--palette-view] [--pid HEX] -o FILE.png: the
// object preview of the Menu tab (or its palette view) as a PNG file.

#include "cli/cli.h"
#include "cli/disc_access.h"
#include "cli/menu_access.h"
#include "core/text.h"
#include "ig/bitmaps.h"
#include "ig/ig_load.h"
#include "ig/png.h"

#include <cstdio>

namespace mirtal::cli {
namespace {

// Prints the preview's status detail (panel 1) on standard output once the load is done.
int run(const std::vector<std::string>& raw)
{
    const Args args(raw, {"--palette", "--pid", "-o"});
    if (!args.ok())
        return usageError(args.error());
    const auto out = args.value("-o");
    if (args.positional().size() != 3 || !out)
        return usageError("usage: mirtal-cli object PATH CLIP ID [--palette P] [--palette-view] -o FILE.png");
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

    StatusEchoReporter sink;
    core::Report report(sink);
    ig::IgMenu menu;
    if (!loadClipMenu(bdmv, clip, static_cast<uint16_t>(*pid), menu, report))
        return kExitFailed;
    sink.echo = true;
    std::vector<uint8_t> png;
    if (args.has("--palette-view")) {
        png = ig::encodePng(ig::paletteView(menu, *palette, ig::colours::kSilver, report));
    } else {
        const auto img = ig::ShowButtonPic(menu, *id, *palette, report);
        if (!img) {
            std::fprintf(stderr, "mirtal-cli: object %s cannot be shown\n", core::hex(*id, 4).c_str());
            return kExitFailed;
        }
        png = ig::encodePng(*img);
    }
    std::fflush(stdout);
    std::string error;
    if (!ig::writePng(*out, png, error)) {
        std::fprintf(stderr, "mirtal-cli: cannot write %s: %s\n", out->c_str(), error.c_str());
        return kExitFailed;
    }
    return statusOf(sink);
}

const Registration reg{{"object", "object PATH CLIP ID [--palette P] [--palette-view] -o FILE.png  an IG object as PNG", &run}};

}  // namespace
}  // namespace mirtal::cli
