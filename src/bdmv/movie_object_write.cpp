#include "bdmv/movie_object.h"

#include "core/section_writer.h"
#include "core/text.h"

namespace mirtal::bdmv {

std::vector<uint8_t> writeMovieObjects(const TMovieObjectFile& file, std::string* problem)
{
    core::SectionWriter out;
    out.setSize(40);
    out.writelong(file.typeIndicator, 0);
    out.writelong(file.version, 4);
    out.writelong(file.extensionDataStartAddress, 8);
    for (size_t i = 0; i < file.reserved.size(); ++i)
        out.writebyte(file.reserved[i], 12 + i);
    out.append();

    out.setSize(10);
    out.writelong(file.movieObjectsLength, 0);
    out.writelong(file.reservedWord, 4);
    out.writeword(static_cast<uint32_t>(file.objects.size()), 8);
    out.append();

    for (const auto& object : file.objects) {
        out.setSize(4 + 12 * object.commands.size());
        const uint32_t flags = (uint32_t{object.resume & 1u} * 4 + uint32_t{object.menuCall & 1u} * 2 +
                                uint32_t{object.titleSearch & 1u})
                               << 13;
        out.writeword(flags, 0);
        out.writeword(static_cast<uint32_t>(object.commands.size()), 2);
        for (size_t k = 0; k < object.commands.size(); ++k) {
            const auto& c = object.commands[k];
            out.writelong(c.opcode, 4 + 12 * k);
            out.writelong(c.destination, 8 + 12 * k);
            out.writelong(c.source, 12 + 12 * k);
        }
        out.append();
    }
    if (file.extensionDataStartAddress != 0) {
        out.placeAt(file.extensionDataStartAddress, "ExtensionData()");
        core::writeExtensionData(out, file.extensionData);
    }
    if (!out.problem().empty()) {
        if (problem)
            *problem = out.problem();
        return {};
    }
    return out.take();
}

std::string resumeText(uint8_t resume)
{
    return resume ? "suspend" : "discard";
}

std::string maskText(uint8_t mask)
{
    return mask ? "disable" : "enable";
}

std::array<std::string, 5> objectCaptions()
{
    return {"No.", "resume", "menu call", "title search", "commands"};
}

std::array<std::string, 5> objline(const Tmobjects& object, size_t i)
{
    return {core::padded(static_cast<int64_t>(i), 3), resumeText(object.resume), maskText(object.menuCall),
            maskText(object.titleSearch), std::to_string(object.commands.size())};
}

std::vector<std::array<std::string, 5>> objectRows(const TMovieObjectFile& file)
{
    std::vector<std::array<std::string, 5>> rows;
    rows.reserve(file.objects.size());
    for (size_t i = 0; i < file.objects.size(); ++i)
        rows.push_back(objline(file.objects[i], i));
    return rows;
}

}  // namespace mirtal::bdmv
