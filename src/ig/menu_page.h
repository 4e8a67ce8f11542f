#pragma once
// The shown menu page: the 1920 × 1080 page image, the button state table, the prepared-page
// marker (PSR 43) and the drawing operations the emulator calls through hdmv::MenuView. A window
// calls these and shows image(); mirtal-cli and the tests do the same without a window.

#include "core/report.h"
#include "hdmv/menu_view.h"
#include "hdmv/registers.h"
#include "ig/ig.h"
#include "ig/image.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::ig {

// The "Menu options" of the Options tab, with their defaults.
struct MenuOptions {
    Rgb background = colours::kNavy;
    Rgb selectedButton = colours::kYellow;
    Rgb normalButton = colours::kWhite;
    Rgb invalidButton = colours::kGray;
    Rgb window = colours::kLime;
    Rgb selectedFrame = colours::kRed;
    Rgb normalFrame = colours::kSilver;
    Rgb invalidFrame = colours::kBlack;
    bool showButtonId = false;
    bool showObjectId = false;
    bool showButtonFrame = false;
    bool showWindowFrame = false;
};

// One entry per button id of the page being shown.
struct ButtonState {
    bool enabled = false;
    uint8_t bog = 0;
    uint8_t indexInBog = 0;
};

constexpr int kPageWidth = 1920;
constexpr int kPageHeight = 1080;
constexpr size_t kMarkerPsr = 43;

class MenuPage final : public hdmv::MenuView {
public:
    MenuPage(IgMenu& menu, hdmv::Registers& regs, core::Report& report);

    MenuOptions options;
    // Called after each animation frame is drawn, before its frame delay (a window repaints).
    std::function<void()> onRefresh;
    // Called when the page list selects another page (a window refreshes its Menu views).
    std::function<void(int pageIndex)> onPageSelected;

    void setActive(bool active) { m_active = active; }
    // A new menu was loaded into the menu (or it was emptied): its first page is chosen, the
    // button state table and the Button list are empty until the next DrawPage, and the image
    // shows the background.
    void reset();
    // The page as drawn so far: a page drawing the emulator asked for is carried out here (or
    // before the next button drawing), so that a run which changes pages a million times draws
    // the page once.
    [[nodiscard]] const RgbImage& image()
    {
        paintPending();
        return m_image;
    }
    [[nodiscard]] IgMenu& menu() { return m_menu; }
    [[nodiscard]] hdmv::Registers& registers() { return m_regs; }
    [[nodiscard]] core::Report& report() { return m_report; }

    // The position selected in the page list; -1 before a page is chosen.
    [[nodiscard]] int pageIndex() const { return m_pageIndex; }
    void selectPageIndex(int index);
    [[nodiscard]] const TPage* page() const;
    // The shown page's button with this id; nullptr when the page has none.
    [[nodiscard]] const TIGbutton* button(uint32_t id) const;

    [[nodiscard]] const std::vector<ButtonState>& states() const { return m_states; }
    // The Button list: the button ids as 4 hex digits, BOG after BOG; and its selection.
    [[nodiscard]] const std::vector<std::string>& buttonList() const { return m_buttonList; }
    [[nodiscard]] int buttonListSelection() const { return m_buttonListSelection; }

    // The frame delay of the shown page, in milliseconds.
    [[nodiscard]] uint32_t frameDelay() const;
    // Draws an object in the page's palette at (x, y); returns its size ({0, 0} when there is no
    // decoded object with this id).
    std::pair<int, int> drawObject(uint32_t objectId, int x, int y);
    // Draws the objects start..end one after another at (x, y), each followed by a refresh and
    // one frame delay; returns the size of the last object drawn ({0, 0}: none).
    std::pair<int, int> animate(uint16_t start, uint16_t end, int x, int y);
    // The size of a decoded or undecoded object; {0, 0} for 0xFFFF or an id without an object.
    [[nodiscard]] std::pair<int, int> objectSize(uint32_t objectId) const;
    // The id of the button selected in the Button list; 0xFFFF when the list is empty.
    [[nodiscard]] uint16_t buttonListId() const;

    // hdmv::MenuView
    [[nodiscard]] bool isActive() const override { return m_active; }
    [[nodiscard]] int bogOf(uint16_t buttonId) const override;
    void enableExclusive(uint16_t buttonId) override;
    void disable(uint16_t buttonId) override;
    void selectPage(uint32_t page) override;
    void DrawPage() override;
    void DrawButton(uint16_t buttonId) override;
    void DrawSButton() override;
    void DelButton(uint16_t buttonId) override;
    [[nodiscard]] const hdmv::CommandList* autoActionCommands(uint32_t page, uint16_t buttonId) const override;
    void selectButtonInList(uint16_t buttonId) override;
    void flushDrawing() override { paintPending(); }

private:
    void rebuildStates();
    void decodeObjects();
    // The whole-page drawing DrawPage asked for, with the selection and button states of then.
    void paintPending();
    // The page all background again; what was drawn on it is kept as one rectangle.
    void clearPage();
    void touch(int x1, int y1, int x2, int y2);
    void text(int x, int y, const std::string& digits, Rgb background);
    void frame(int x1, int y1, int x2, int y2, Rgb colour);
    void drawButtonNow(uint16_t buttonId);
    void drawSelectedNow(uint32_t buttonId);
    // The page position for a page id: the page with that id, else the id as a position.
    [[nodiscard]] int indexForPageId(uint32_t page) const;

    IgMenu& m_menu;
    hdmv::Registers& m_regs;
    core::Report& m_report;
    RgbImage m_image;
    // The colour the whole page had before anything of m_dirty was drawn (nullopt: unknown).
    std::optional<Rgb> m_clean;
    struct Rect {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    } m_dirty;
    bool m_active = true;
    int m_pageIndex = -1;
    std::vector<ButtonState> m_states;
    std::vector<std::string> m_buttonList;
    int m_buttonListSelection = -1;
    struct PendingPage {
        uint32_t selected = 0xFFFF;    // PSR 10 and PSR 11 when DrawPage was asked for
        uint32_t pageId = 0;
        std::vector<ButtonState> states;
    };
    std::optional<PendingPage> m_pending;
    std::vector<bool> m_decodedPages;    // pages whose objects have been decoded since the load
};

}  // namespace mirtal::ig
