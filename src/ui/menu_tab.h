#pragma once
// The Menu tab: the loaded IG menu's composition, pages, BOGs, buttons and their commands, the
// object preview, the effects and the page view, and the remote control over the page (the
// navigation buttons, clicks, Start on the page's buttons). Its controls stay disabled until a
// menu is loaded.

#include "ig/navigation.h"
#include "session/session.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QTabWidget;
class QTableWidget;

namespace mirtal::ui {

class TfMain;
class TIntEdit;
class TPageView;

class MenuTab : public QWidget {
    Q_OBJECT
public:
    // buttonList: the run panel's Button list (cbButton), which the page drawing fills.
    MenuTab(TfMain& frame, session::Session& session, QComboBox* buttonList, QWidget* parent = nullptr);

    // Loads the IG stream on pid of clip `clip` (five digits) with progress and Cancel; a loaded
    // menu fills the tab and shows it. False when nothing new was loaded.
    bool bLoadToMenuClick(const std::string& clip, uint16_t pid);
    // The disc was opened or the menu dropped: the tab is emptied and disabled.
    void menuCleared();

    // The page view is the sub-tab in front (FormKeyDown echoes keys there).
    [[nodiscard]] bool pageViewShown() const;
    // Whether a menu is on show (its page list is enabled).
    [[nodiscard]] bool menuShown() const;
    // SetButtonPage followed from a command: the page (when the menu has it), then the BOG and
    // the button with that id.
    void showPage(uint32_t page);
    void showButton(uint16_t buttonId);
    [[nodiscard]] QCheckBox* overlayBox(size_t which) const { return m_overlayPage[which]; }

    // The handlers, callable as the controls call them.
    void cbPageChange();
    void sgBOGClick();
    void sgButtonClick();
    void sgButtonDblClick();
    void effectsClick(bool in);
    void ShowButtonPic(uint32_t objectId, uint32_t palette);
    void navigateClick(ig::Direction direction);
    void bNavSelClick();
    void iFullpageMouseDown(int x, int y);
    // Start on the Menu tab.
    void bStartClick();
    // A traced step stopped at line of the Button list's button: its BOG, button and command
    // line are shown.
    void showTraceLine(int32_t line);
    // The Menu tab came to the front or left it: the emulator draws on the page only meanwhile.
    void setActive(bool active);
    // The colours and overlays of the options apply from the next drawing on; the surrounding
    // areas take the new colours at once.
    void applyOptions();

    // What the views show, for the tests.
    [[nodiscard]] const QImage& pageImage() const;
    [[nodiscard]] const QImage& previewImage() const { return m_preview; }
    [[nodiscard]] TPageView* pageView() const { return m_pageView; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildPageView();
    void connectControls();
    void pcMenuChange();
    void fillEffects(bool in);
    void sgMCommandsDblClick(int row);
    // After the page was drawn or a run changed it: the page view, the Button list and the
    // register fields follow.
    void pageChanged();
    // One action of the remote control on the shown page, as a run of the emulator.
    void runOnPage(const std::function<void(ig::MenuPage&, hdmv::Emulator&)>& action);
    void syncButtonList();
    void showPreview(const QImage& image);
    [[nodiscard]] const ig::TPage* shownPage() const;
    [[nodiscard]] const ig::TIGbutton* shownButton() const;
    [[nodiscard]] const ig::Teffectseq* shownEffects(bool in) const;
    // Whether the remote control may act: a menu is shown and no drawing or run is going on.
    [[nodiscard]] bool ready() const;
    void selectBogColumn(int column);

    TfMain& m_frame;
    session::Session& m_session;
    QComboBox* m_buttonList;
    bool m_filling = false;
    bool m_busy = false;    // an animation, a run or a load is going on

    QGroupBox* m_igsBox = nullptr;
    QGroupBox* m_headBox = nullptr;
    QGroupBox* m_objPalBox = nullptr;
    QLabel* m_info = nullptr;
    QLineEdit* m_timeOut = nullptr;
    QComboBox* m_page = nullptr;
    std::array<QLineEdit*, 11> m_header{};
    TIntEdit* m_frameRate = nullptr;
    QComboBox* m_objects = nullptr;
    QComboBox* m_palettes = nullptr;
    QCheckBox* m_paletteOnly = nullptr;
    QScrollArea* m_previewArea = nullptr;
    QLabel* m_objectPreview = nullptr;
    QImage m_preview;
    QTabWidget* m_menuTabs = nullptr;
    QTableWidget* m_bogGrid = nullptr;
    QTableWidget* m_buttonGrid = nullptr;
    QTableWidget* m_commandGrid = nullptr;
    // [0] In Effects, [1] Out Effects: windows, effects, composition objects.
    std::array<std::array<QTableWidget*, 3>, 2> m_effects{};
    TPageView* m_pageView = nullptr;
    QGroupBox* m_infos = nullptr;
    std::array<QCheckBox*, 4> m_overlayPage{};    // the page view's twins of the overlay options
};

}  // namespace mirtal::ui
