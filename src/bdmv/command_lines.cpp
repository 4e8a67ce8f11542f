#include "bdmv/editing.h"

#include "hdmv/command_edit.h"

namespace mirtal::bdmv {

namespace {

// 12 bytes a line in the stored length and in a non-zero ExtensionData start address.
void keepBytesInStep(TMovieObjectFile& file, Tmobjects& object, int64_t lines)
{
    object.numberOfCommands = static_cast<uint16_t>(object.commands.size());
    file.movieObjectsLength = static_cast<uint32_t>(int64_t{file.movieObjectsLength} + 12 * lines);
    if (file.extensionDataStartAddress != 0)
        file.extensionDataStartAddress = static_cast<uint32_t>(int64_t{file.extensionDataStartAddress} + 12 * lines);
}

}  // namespace

std::optional<size_t> insertCommandLine(TMovieObjectFile& file, size_t object, std::optional<size_t> lastSelected)
{
    if (object >= file.objects.size())
        return std::nullopt;
    auto& o = file.objects[object];
    const auto edit = hdmv::insertLine(o.commands, lastSelected.value_or(0));
    if (edit.linesInserted == 0)
        return std::nullopt;
    keepBytesInStep(file, o, static_cast<int64_t>(edit.linesInserted));
    return edit.selectLine;
}

std::optional<size_t> insertCommandLines(TMovieObjectFile& file, size_t object, std::optional<size_t> lastSelected,
                                         const hdmv::CommandList& lines)
{
    if (object >= file.objects.size())
        return std::nullopt;
    auto& o = file.objects[object];
    const auto edit = hdmv::insertLines(o.commands, lastSelected.value_or(0), lines);
    if (edit.linesInserted == 0)
        return std::nullopt;
    keepBytesInStep(file, o, static_cast<int64_t>(edit.linesInserted));
    return edit.selectLine;
}

std::optional<size_t> deleteCommandLines(TMovieObjectFile& file, size_t object, size_t first, size_t last)
{
    if (object >= file.objects.size())
        return std::nullopt;
    auto& o = file.objects[object];
    const auto edit = hdmv::deleteLines(o.commands, first, last);
    if (edit.linesRemoved == 0)
        return std::nullopt;
    keepBytesInStep(file, o, -static_cast<int64_t>(edit.linesRemoved));
    if (edit.nowEmpty)
        return std::nullopt;
    return edit.selectLine;
}

}  // namespace mirtal::bdmv
