// The Menu tab's remote control: the navigation buttons, clicks on the page view and Start run
// on the shown page through the emulator; the page view, the Button list and the trace display
// follow.

#include "ui/menu_tab.h"

#include "core/text.h"
#include "ui/grid.h"
#include "ui/main_window.h"
#include "ui/page_view.h"

#include <QComboBox>
#include <QTableWidget>

namespace mirtal::ui {

void MenuTab::pageChanged()
{
    m_pageView->setImage(m_session.menuPage.image());
    syncButtonList();
    m_frame.showRunState();
}

void MenuTab::syncButtonList()
{
    const auto& ids = m_session.menuPage.buttonList();
    bool same = m_buttonList->count() == static_cast<int>(ids.size());
    for (size_t i = 0; same && i < ids.size(); ++i)
        same = m_buttonList->itemText(static_cast<int>(i)) == qs(ids[i]);
    if (!same) {
        m_buttonList->clear();
        m_buttonList->addItems(listItems(ids));
    }
    setListItem(m_buttonList, m_session.menuPage.buttonListSelection());
    m_buttonList->setEnabled(!ids.empty());
}

void MenuTab::runOnPage(const std::function<void(ig::MenuPage&, hdmv::Emulator&)>& action)
{
    if (!ready() || !shownPage())
        return;
    const Filling busy(m_busy);
    applyOptions();
    m_frame.beginRun();
    action(m_session.menuPage, m_session.emulator);
    m_frame.endRun();
    pageChanged();
}

void MenuTab::navigateClick(ig::Direction direction)
{
    runOnPage([direction](ig::MenuPage& page, hdmv::Emulator& emulator) { ig::navigate(page, emulator, direction); });
}

void MenuTab::bNavSelClick()
{
    runOnPage(ig::selectButton);
}

void MenuTab::iFullpageMouseDown(int x, int y)
{
    runOnPage([x, y](ig::MenuPage& page, hdmv::Emulator& emulator) { ig::mouseDown(page, emulator, x, y); });
}

void MenuTab::bStartClick()
{
    runOnPage(ig::startMenu);
}

void MenuTab::showTraceLine(int32_t line)
{
    const uint16_t id = m_session.menuPage.buttonListId();
    const auto& states = m_session.menuPage.states();
    if (id >= states.size())
        return;
    const int bog = states[id].bog;
    selectBogColumn(bog + 1);
    m_bogGrid->scrollToItem(m_bogGrid->item(0, bog + 1));
    {
        const Filling filling(m_filling);
        m_buttonGrid->setCurrentCell(states[id].indexInBog, std::max(0, m_buttonGrid->currentColumn()));
    }
    sgButtonClick();
    if (line >= 0 && line < m_commandGrid->rowCount() && m_commandGrid->isEnabled())
        selectGridRow(m_commandGrid, line);
}

}  // namespace mirtal::ui
