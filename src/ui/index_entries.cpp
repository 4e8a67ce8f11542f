// The First Playback and Top Menu editors of the BDMV tab.

#include "bdmv/editing.h"
#include "ui/grid.h"
#include "ui/bdmv_tab.h"
#include "ui/main_window.h"

#include <QCheckBox>
#include <QComboBox>

#include <algorithm>

namespace mirtal::ui {

void BdmvTab::fillFirstPlayback()
{
    const bool was = m_filling;
    m_filling = true;
    const auto& entry = m_disc.index.firstPlayback;
    const bool loaded = m_disc.indexLoaded;
    const bool on = loaded && bdmv::isEntryOn(entry);
    const bool hdmv = entry.objectType == 1;
    m_fpbOn->setChecked(on);
    m_fpbOn->setEnabled(loaded);
    m_fpbType->setCurrentIndex(entry.objectType == 1 || entry.objectType == 2 ? entry.objectType - 1 : -1);
    m_fpbPBType->setCurrentIndex(entry.playbackType < 2 ? entry.playbackType : -1);
    m_fpbObject->setCurrentIndex(hdmv ? idOrNone(m_fpbObject, entry.movieObjectId) : -1);
    if (!hdmv)
        selectText(m_fpbFile, qs(entry.bdjObjectName));
    m_fpbType->setEnabled(on && m_fpbFile->count() > 0);
    m_fpbPBType->setEnabled(on);
    m_fpbObject->setEnabled(on && hdmv);
    m_fpbFile->setEnabled(on && !hdmv);
    m_filling = was;
}

void BdmvTab::fillTopMenu()
{
    const bool was = m_filling;
    m_filling = true;
    const auto& entry = m_disc.index.topMenu;
    const bool loaded = m_disc.indexLoaded;
    const bool on = loaded && bdmv::isEntryOn(entry);
    const bool hdmv = entry.objectType == 1;
    m_tmOn->setChecked(on);
    m_tmOn->setEnabled(loaded);
    m_tmType->setCurrentIndex(entry.objectType == 1 || entry.objectType == 2 ? entry.objectType - 1 : -1);
    m_tmObject->setCurrentIndex(hdmv ? idOrNone(m_tmObject, entry.movieObjectId) : -1);
    if (!hdmv)
        selectText(m_tmFile, qs(entry.bdjObjectName));
    m_tmType->setEnabled(on && m_tmFile->count() > 0);
    m_tmObject->setEnabled(on && hdmv);
    m_tmFile->setEnabled(on && !hdmv);
    m_filling = was;
}

void BdmvTab::fpbOnClicked(bool on)
{
    if (m_filling)
        return;
    auto& entry = m_disc.index.firstPlayback;
    if (on) {
        m_fpbType->setEnabled(m_fpbFile->count() > 0);
        m_fpbPBType->setEnabled(true);
        fpbTypeChanged(std::max(0, m_fpbType->currentIndex()));
        if (m_fpbType->currentIndex() <= 0)
            bdmv::setEntryOn(entry, true, static_cast<uint16_t>(std::max(0, m_fpbObject->currentIndex())));
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{m_fpbType, m_fpbPBType, m_fpbObject, m_fpbFile})
            w->setEnabled(false);
        bdmv::setEntryOn(entry, false, 0);
        const bool was = m_filling;
        m_filling = true;
        m_fpbType->setCurrentIndex(0);
        m_filling = was;
    }
}

void BdmvTab::fpbTypeChanged(int index)
{
    if (m_filling || index < 0)
        return;
    auto& entry = m_disc.index.firstPlayback;
    const bool on = m_fpbOn->isChecked();
    m_fpbObject->setEnabled(on && index == 0);
    m_fpbFile->setEnabled(on && index == 1);
    bdmv::setEntryObjectType(entry, index);
    if (index == 1 && entry.bdjObjectName.empty() && m_fpbFile->currentIndex() >= 0)
        bdmv::setEntryBdjName(entry, m_fpbFile->currentText().toStdString());
    if (index == 0 && on)
        bdmv::setEntryObjectId(entry, static_cast<uint16_t>(std::max(0, m_fpbObject->currentIndex())));
}

void BdmvTab::tmOnClicked(bool on)
{
    if (m_filling)
        return;
    auto& entry = m_disc.index.topMenu;
    if (on) {
        m_tmType->setEnabled(m_tmFile->count() > 0);
        tmTypeChanged(std::max(0, m_tmType->currentIndex()));
        if (m_tmType->currentIndex() <= 0)
            bdmv::setEntryOn(entry, true, static_cast<uint16_t>(std::max(0, m_tmObject->currentIndex())));
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{m_tmType, m_tmObject, m_tmFile})
            w->setEnabled(false);
        bdmv::setEntryOn(entry, false, 0);
        const bool was = m_filling;
        m_filling = true;
        m_tmType->setCurrentIndex(0);
        m_filling = was;
    }
}

void BdmvTab::tmTypeChanged(int index)
{
    if (m_filling || index < 0)
        return;
    auto& entry = m_disc.index.topMenu;
    const bool on = m_tmOn->isChecked();
    m_tmObject->setEnabled(on && index == 0);
    m_tmFile->setEnabled(on && index == 1);
    // The type is stored as for First Playback, so the file says what the editor shows.
    bdmv::setEntryObjectType(entry, index);
    if (index == 1 && entry.bdjObjectName.empty() && m_tmFile->currentIndex() >= 0)
        bdmv::setEntryBdjName(entry, m_tmFile->currentText().toStdString());
    if (index == 0 && on)
        bdmv::setEntryObjectId(entry, static_cast<uint16_t>(std::max(0, m_tmObject->currentIndex())));
}

}  // namespace mirtal::ui
