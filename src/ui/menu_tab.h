#pragma once
// The Menu tab: the loaded IG menu's composition, pages, BOGs, buttons and their commands, the
// object preview, the effects and the page view. Its controls stay disabled until a menu is
// loaded.

#include "session/session.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QTabWidget;

namespace mirtal::ui {

class TfMain;

class MenuTab : public QWidget {
    Q_OBJECT
public:
    MenuTab(TfMain& frame, session::Session& session, QWidget* parent = nullptr);

    // The page view is the sub-tab in front (FormKeyDown echoes keys there).
    [[nodiscard]] bool pageViewShown() const;
    // Whether a menu is on show (its page list is enabled).
    [[nodiscard]] bool menuShown() const;
    // SetButtonPage followed from a command: the page, when the menu has it.
    void showPage(uint32_t page);
    [[nodiscard]] QCheckBox* overlayBox(size_t which) const { return m_overlayPage[which]; }

private:
    QWidget* buildPageView();
    void pcMenuChange();

    TfMain& m_frame;
    session::Session& m_session;
    QComboBox* m_page = nullptr;
    QTabWidget* m_menuTabs = nullptr;
    QLabel* m_objectPreview = nullptr;
    QLabel* m_pageImage = nullptr;
    QGroupBox* m_infos = nullptr;
    std::array<QCheckBox*, 4> m_overlayPage{};    // the page view's twins of the overlay options
};

}  // namespace mirtal::ui
