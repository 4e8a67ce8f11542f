#pragma once
// Session: everything the editor has loaded, in one place. The disc, the one PlayList, the clip
// information, the IG menu, the register file and the emulator with its position, and the one
// Report whose cancel flag the Cancel button sets. Each reader replaces its part wholesale; the
// views show it and write their edits into it.

#include "bdmv/disc.h"
#include "core/backup_save.h"
#include "core/report.h"
#include "hdmv/emulator.h"
#include "hdmv/registers.h"
#include "ig/ig.h"
#include "ig/ig_load.h"
#include "ig/menu_page.h"
#include "playlist/clpi.h"
#include "playlist/mpls.h"

#include <optional>
#include <string>

namespace mirtal::session {

// The loaded PlayList and whether it has been edited since it was read or saved.
struct LoadedPlayList {
    std::string name;            // "00001"; empty before the first good read
    playlist::TPLmpls model;
    bool loaded = false;
    bool edited = false;
};

struct LoadedClip {
    std::string name;            // "00001"; empty before the first good read
    playlist::ClipInfo info;
    bool loaded = false;
};

class Session {
public:
    explicit Session(core::Reporter& sink) : report(sink), emulator(registers, report), menuPage(menu, registers, report)
    {
        emulator.setMenuView(&menuPage);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    core::Report report;
    bdmv::Disc disc;
    hdmv::Registers registers;
    hdmv::Emulator emulator;
    LoadedPlayList playList;
    LoadedClip clip;
    ig::IgMenu menu;
    // The shown page of the menu: the page image, the button state table, the Button list. The
    // emulator draws through it while it is active (the Menu tab in front).
    ig::MenuPage menuPage;

    // Opens a BDMV folder: the disc is replaced, and the PlayList, clip and menu of the previous
    // disc are dropped with it. False when a required check failed.
    bool openDisc(const std::filesystem::path& bdmv);

    // Reads PlayList name of the disc. On success the loaded PlayList is replaced (its edits are
    // gone); on an error line the previous one stays as it was.
    bool readPlayList(const std::string& name);
    // plsave of the loaded PlayList under its own name; a good save clears the edited mark.
    core::SaveOutcome savePlayList(const core::BackupOptions& options);
    // An edit was written into the loaded PlayList.
    void playListEdited() { playList.edited = playList.loaded; }
    [[nodiscard]] bool hasUnsavedPlayList() const { return playList.loaded && playList.edited; }

    // Reads clip information name of the disc with its stream file entry. A failed read keeps
    // the previous clip's information (its grid keeps its rows) but the labels are the new ones.
    playlist::ClipInfoRead readClip(const std::string& name);
    // The stream file entry of a clip of the disc's clip list; nullopt when the list lacks it.
    [[nodiscard]] std::optional<bdmv::TAVStream> streamOf(const std::string& clip) const;

    // Loads the IG stream on pid of the disc's clip `clip`. A loaded menu replaces the previous
    // one whole and its first page is chosen; a cancelled load keeps the previous menu as it
    // was; any other failure (not an IG PID, no stream, no composition, a file error) leaves no
    // menu. The caller resets the registers after a good load.
    core::ReadStatus loadMenu(const std::string& clip, uint16_t pid);
    [[nodiscard]] bool hasMenu() const { return menu.loaded && !menu.ics.pages.empty(); }

    // The Cancel button; the long operations clear it when they start and poll it.
    void requestCancel() { report.requestCancel(); }
};

}  // namespace mirtal::session
