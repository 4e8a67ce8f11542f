#include "bdmv/movie_object.h"

#include "bdmv/index_bdmv.h"
#include "core/field_reader.h"

namespace mirtal::bdmv {

MovieObjectRead readMovieObjects(std::span<const uint8_t> bytes, core::Report& report)
{
    MovieObjectRead r;
    TMovieObjectFile& file = r.value;
    report.log("Reading MovieObject.bdmv");
    report.slog("Reading MovieObject.bdmv...", 0);
    report.slog("", 1);

    core::FieldReader in(bytes);
    if (!core::readTypeAndVersion(in, kMobj, file.typeIndicator, file.version)) {
        report.erlog("Format error MovieObject.bdmv");
        r.stopPosition = in.position();
        return r;
    }
    file.extensionDataStartAddress = in.readlword();
    for (auto& b : file.reserved)
        b = in.readbyte();
    file.movieObjectsLength = in.readlword();
    file.reservedWord = in.readlword();
    const uint16_t m = in.readword();
    file.numberOfMovieObjects = m;
    // Objects the file ends before stay zero; a count of 65535 costs a few hundred kilobytes.
    file.objects.resize(m);
    const uint64_t size = in.size();
    size_t heldObjects = 0;
    uint64_t heldCommands = 0;
    uint64_t declaredCommands = 0;
    for (uint16_t i = 0; i < m && !in.atEnd(); ++i) {
        Tmobjects& object = file.objects[i];
        const uint16_t flags = in.readword();
        object.resume = (flags >> 15) & 1;
        object.menuCall = (flags >> 14) & 1;
        object.titleSearch = (flags >> 13) & 1;
        const uint16_t n = in.readword();
        object.numberOfCommands = n;
        object.commands.resize(n);
        declaredCommands += n;
        for (uint16_t k = 0; k < n; ++k) {
            auto& c = object.commands[k];
            c.opcode = in.readlword();
            c.destination = in.readlword();
            c.source = in.readlword();
            if (!in.overrun())
                ++heldCommands;
            if (in.atEnd())
                break;
        }
        if (!in.overrun())
            ++heldObjects;
        if (in.atEnd())
            break;
        report.slog(std::to_string(in.position()) + "/" + std::to_string(size), 1);
    }
    r.endedEarly = in.overrun() || heldObjects < m;
    r.stopPosition = in.position();
    if (r.endedEarly)
        // Read as declared, the rest empty: said, so that nobody saves the empty entries unaware.
        report.log("  MovieObject.bdmv ends early: it holds " + std::to_string(heldObjects) + " of the " +
                   std::to_string(m) + " movie objects it declares and " + std::to_string(heldCommands) + " of the " +
                   std::to_string(declaredCommands) + " commands declared before its end; the rest are empty.");
    if (file.extensionDataStartAddress != 0)
        file.extensionData = core::ReadExtensionData(in);
    report.log("  Found [b]" + std::to_string(m) + "[/b] objects, " +
               std::to_string(file.extensionData.numberOfEntries) + " extended entry.");
    r.status = core::ReadStatus::Ok;
    return r;
}

}  // namespace mirtal::bdmv
