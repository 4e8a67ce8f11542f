#include "playlist/playback_walk.h"

#include "bdmv/editing.h"
#include "core/report.h"
#include "core/text.h"
#include "hdmv/emulator.h"
#include "hdmv/registers.h"

#include <algorithm>

namespace mirtal::playlist {

namespace {

// What a command does to the walk; everything else is the emulator's business alone.
enum class Flow { None, Play, JumpObject, CallObject, Title, Resume };

Flow flowOf(uint32_t opcode)
{
    switch (opcode) {
    case 0x22000000: case 0x22800000:                                           // Play PL
    case 0x42010000: case 0x42410000: case 0x42810000: case 0x42C10000:         // Play PLatPI
    case 0x42020000: case 0x42420000: case 0x42820000: case 0x42C20000:         // Play PLatMK
        return Flow::Play;
    case 0x21000000: case 0x21800000: return Flow::JumpObject;
    case 0x21020000: case 0x21820000: return Flow::CallObject;
    case 0x21010000: case 0x21810000:                                           // Jump Title
    case 0x21030000: case 0x21830000:                                           // Call Title
        return Flow::Title;
    case 0x01040000: return Flow::Resume;
    default: return Flow::None;
    }
}

void addOnce(std::vector<uint32_t>& list, uint32_t value)
{
    if (std::find(list.begin(), list.end(), value) == list.end())
        list.push_back(value);
}

}  // namespace

std::string playedByText(const PlayedBy& by)
{
    switch (by.kind) {
    case PlayedBy::Kind::FirstPlayback: return "First Playback";
    case PlayedBy::Kind::TopMenu: return "Top Menu";
    case PlayedBy::Kind::Title: return "Title " + std::to_string(by.number);
    case PlayedBy::Kind::Object: return "Object " + core::padded(by.number, 4);
    }
    return {};
}

std::string playedByKindName(PlayedBy::Kind kind)
{
    switch (kind) {
    case PlayedBy::Kind::FirstPlayback: return "first_playback";
    case PlayedBy::Kind::TopMenu: return "top_menu";
    case PlayedBy::Kind::Title: return "title";
    case PlayedBy::Kind::Object: return "object";
    }
    return {};
}

EntryWalk walkMovieObject(const bdmv::TMovieObjectFile& file, uint16_t movieObjectId, uint64_t maxSteps)
{
    EntryWalk walk;
    walk.movieObjectId = movieObjectId;
    core::NullReporter quiet;
    core::Report report(quiet);
    report.setActiDelayMs(0);
    hdmv::Registers regs;
    hdmv::Emulator emulator(regs, report);
    // One command a call, so that the walk sees every command before the emulator carries it
    // out and can move to another object where the emulator only reports the jump.
    emulator.trace = true;
    emulator.maxSteps = 0;
    emulator.CurrentLine = 0;

    const auto& objects = file.objects;
    size_t object = movieObjectId;
    // A called object's Resume continues the caller after its Call Object; the player keeps one.
    std::optional<std::pair<size_t, int32_t>> suspended;
    while (object < objects.size()) {
        const auto& commands = objects[object].commands;
        const int32_t line = emulator.CurrentLine;
        if (line < 0 || static_cast<size_t>(line) >= commands.size())
            break;
        if (walk.executed >= maxSteps) {
            walk.stepLimitReached = true;
            break;
        }
        const hdmv::TNavCommand command = commands[static_cast<size_t>(line)];
        // The operand as the emulator fetches it for this command, before the command runs.
        const uint32_t target = emulator.getop1(command);
        (void)emulator.ExecComm(commands);
        ++walk.executed;
        switch (flowOf(command.opcode)) {
        case Flow::Play:
            addOnce(walk.playLists, target);
            break;
        case Flow::CallObject:
            suspended.emplace(object, emulator.CurrentLine);
            [[fallthrough]];
        case Flow::JumpObject:
            object = target;
            emulator.CurrentLine = 0;
            break;
        case Flow::Resume:
            if (!suspended)
                return walk;
            object = suspended->first;
            emulator.CurrentLine = suspended->second;
            suspended.reset();
            break;
        case Flow::Title:
            walk.jumpedToTitle = target;
            return walk;
        case Flow::None:
            break;
        }
    }
    return walk;
}

std::vector<EntryWalk> walkEntries(const bdmv::TIndexBdmv& index, const bdmv::TMovieObjectFile& objects,
                                   uint64_t maxSteps)
{
    std::vector<EntryWalk> walks;
    const auto walkEntry = [&](const bdmv::TIndexTitle& entry, PlayedBy by) {
        if (entry.objectType != 1 || !bdmv::isEntryOn(entry))
            return;
        walks.push_back(walkMovieObject(objects, entry.movieObjectId, maxSteps));
        walks.back().entry = by;
    };
    walkEntry(index.firstPlayback, {PlayedBy::Kind::FirstPlayback, 0});
    walkEntry(index.topMenu, {PlayedBy::Kind::TopMenu, 0});
    for (size_t i = 0; i < index.titles.size(); ++i)
        walkEntry(index.titles[i], {PlayedBy::Kind::Title, static_cast<uint32_t>(i + 1)});
    return walks;
}

}  // namespace mirtal::playlist
