// The Menu tab's handlers: loading a menu into it, the page list and the grids that follow it,
// the object preview and its animations, and the remote control over the page view.

#include "ui/menu_tab.h"

#include "core/text.h"
#include "hdmv/command_edit.h"
#include "hdmv/command_text.h"
#include "hdmv/runner.h"
#include "ig/bitmaps.h"
#include "ig/ig_text.h"
#include "ig/menu_selection.h"
#include "ui/grid.h"
#include "ui/main_window.h"
#include "ui/num_edit.h"
#include "ui/page_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

namespace mirtal::ui {

namespace {

// The header fields after the page id, in the order of the page's header texts.
enum HeaderField { kUO1, kUO2, kFrameRate, kDefSel, kDefAct, kPalette, kInWin, kInEff, kOutWin, kOutEff, kBogs };

enum SubTab { kSubBogs, kSubInEffects, kSubOutEffects, kSubPageView };

QImage toQImage(const ig::RgbImage& image)
{
    QImage out(image.width(), image.height(), QImage::Format_RGB888);
    const size_t rowBytes = static_cast<size_t>(image.width()) * 3;
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(image.bytes().data() + rowBytes * static_cast<size_t>(y), rowBytes, out.scanLine(y));
    return out;
}

uint32_t hexOf(const QString& text)
{
    return static_cast<uint32_t>(core::hexToNumber(text.toStdString()));
}

}  // namespace

void MenuTab::connectControls()
{
    m_frameRate = static_cast<TIntEdit*>(m_header[kFrameRate]);
    connect(m_menuTabs, &QTabWidget::currentChanged, this, [this] { pcMenuChange(); });
    connect(m_page, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            cbPageChange();
    });
    // A page chosen by the user becomes the player's page (PSR 11); the page view shows it.
    connect(m_page, &QComboBox::activated, this, [this](int index) {
        if (!menuShown() || index < 0 || static_cast<size_t>(index) >= m_session.menu.ics.pages.size())
            return;
        m_session.registers.psr[11] = m_session.menu.ics.pages[static_cast<size_t>(index)].pageId;
        if (pageViewShown() && ready()) {
            const Filling busy(m_busy);
            applyOptions();
            m_session.menuPage.DrawPage();
            pageChanged();
        }
    });
    connect(m_bogGrid, &QTableWidget::currentCellChanged, this, [this] {
        if (!m_filling)
            sgBOGClick();
    });
    connect(m_buttonGrid, &QTableWidget::currentCellChanged, this, [this] {
        if (!m_filling)
            sgButtonClick();
    });
    connect(m_buttonGrid, &QTableWidget::cellClicked, this, [this] { sgButtonClick(); });
    connect(m_buttonGrid, &QTableWidget::cellDoubleClicked, this, [this] { sgButtonDblClick(); });
    connect(m_commandGrid, &QTableWidget::cellDoubleClicked, this, [this](int row) { sgMCommandsDblClick(row); });
    for (int in = 0; in < 2; ++in)
        connect(m_effects[static_cast<size_t>(in)][1], &QTableWidget::currentCellChanged, this, [this, in] {
            if (!m_filling)
                effectsClick(in == 0);
        });
    const auto showSelected = [this] {
        if (!m_filling && menuShown())
            ShowButtonPic(hexOf(m_objects->currentText()), hexOf(m_palettes->currentText()));
    };
    connect(m_objects, &QComboBox::currentIndexChanged, this, showSelected);
    connect(m_palettes, &QComboBox::currentIndexChanged, this, showSelected);
    connect(m_paletteOnly, &QCheckBox::toggled, this, showSelected);
    // A new animation frame rate code changes the frame delay of later animations.
    connect(m_frameRate, &QLineEdit::textEdited, this, [this] {
        if (ig::TPage* p = const_cast<ig::TPage*>(shownPage()))
            p->animationFrameRateCode = static_cast<uint8_t>(std::clamp<qint64>(m_frameRate->value(), 0, 255));
    });
    for (size_t f : {kDefSel, kDefAct, kInWin, kInEff, kOutWin, kOutEff})
        m_header[f]->installEventFilter(this);
    for (size_t i = 0; i < m_overlayPage.size(); ++i)
        connect(m_overlayPage[i], &QCheckBox::toggled, this, [this] {
            // The page view's boxes redraw the page once they are on show.
            if (m_infos->isVisible() && ready()) {
                const Filling busy(m_busy);
                applyOptions();
                m_session.menuPage.DrawPage();
                pageChanged();
            }
        });
    connect(m_pageView, &TPageView::pageMouseDown, this, [this](int x, int y) { iFullpageMouseDown(x, y); });
    connect(m_buttonList, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            m_session.menuPage.selectButtonInList(static_cast<uint16_t>(hexOf(m_buttonList->itemText(index))));
    });
    m_session.menuPage.onRefresh = [this] { m_pageView->setImage(m_session.menuPage.image()); };
    m_session.menuPage.onPageSelected = [this](int index) {
        // The emulator's SetButtonPage: the page list and the grids follow.
        if (m_page->currentIndex() != index)
            m_page->setCurrentIndex(index);
    };
}

bool MenuTab::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && menuShown()) {
        // Entering a default button field previews the object whose id is its value.
        if (watched == m_header[kDefSel] || watched == m_header[kDefAct]) {
            const auto* field = static_cast<THexEdit*>(watched);
            ShowButtonPic(static_cast<uint32_t>(field->value()),
                          static_cast<uint32_t>(static_cast<THexEdit*>(m_header[kPalette])->value()));
        }
    }
    if (event->type() == QEvent::MouseButtonPress && shownPage()) {
        const bool in = watched == m_header[kInWin] || watched == m_header[kInEff];
        const bool out = watched == m_header[kOutWin] || watched == m_header[kOutEff];
        if ((in && ig::effectsTabOpens(shownPage()->inEffects)) || (out && ig::effectsTabOpens(shownPage()->outEffects)))
            m_menuTabs->setCurrentIndex(in ? kSubInEffects : kSubOutEffects);
    }
    return QWidget::eventFilter(watched, event);
}

bool MenuTab::bLoadToMenuClick(const std::string& clip, uint16_t pid)
{
    if (m_busy)
        return false;
    const Filling busy(m_busy);
    m_frame.longOperation(true);
    const auto status = m_session.loadMenu(clip, pid);
    m_frame.longOperation(false);
    if (status == core::ReadStatus::Cancelled) {
        // The window stays as it was: the previous menu, if any, is still on show.
        m_session.report.slog("", 0);
        return false;
    }
    if (!m_session.hasMenu()) {
        menuCleared();
        return false;
    }
    m_frame.showTab(TfMain::kTabMenu);
    m_frame.ResetRegs();
    m_session.emulator.RunPending = false;
    m_session.emulator.CurrentLine = 0;

    const ig::IgMenu& menu = m_session.menu;
    {
        const Filling filling(m_filling);
        m_objects->clear();
        m_objects->addItems(listItems(ig::objectListItems(menu)));
        m_objects->setToolTip(qs(ig::objectListHint(menu)));
        m_objects->setCurrentIndex(m_objects->count() > 0 ? 0 : -1);
        m_palettes->clear();
        m_palettes->addItems(listItems(ig::paletteListItems(menu)));
        m_palettes->setToolTip(qs(ig::paletteListHint(menu)));
        m_palettes->setCurrentIndex(m_palettes->count() > 0 ? 0 : -1);
        m_page->clear();
        m_page->addItems(listItems(ig::pageListItems(menu)));
        m_page->setCurrentIndex(0);
    }
    m_timeOut->setText(qs(ig::userTimeOutText(menu.ics)));
    m_info->setText(qs(ig::igsInfoCaption(menu.ics)));
    for (QWidget* w : std::initializer_list<QWidget*>{m_commandGrid, m_buttonGrid, m_bogGrid, m_page, m_palettes,
                                                      m_objects, m_igsBox, m_headBox, m_objPalBox})
        w->setEnabled(true);
    cbPageChange();
    m_menuTabs->setEnabled(true);
    m_session.menuPage.setActive(m_frame.currentTab() == TfMain::kTabMenu);
    m_pageView->setImage(m_session.menuPage.image());
    syncButtonList();
    m_session.report.slog("Ready.", 0);
    m_session.report.slog("", 1);
    return true;
}

void MenuTab::menuCleared()
{
    const Filling filling(m_filling);
    m_page->clear();
    m_objects->clear();
    m_objects->setToolTip(QStringLiteral("0 objects"));
    m_palettes->clear();
    m_palettes->setToolTip(QStringLiteral("0 palettes"));
    m_info->setText(QStringLiteral("-"));
    m_timeOut->clear();
    for (QLineEdit* field : m_header)
        field->clear();
    for (QTableWidget* grid : {m_buttonGrid, m_commandGrid})
        ResetSG(grid);
    for (auto& tab : m_effects)
        for (QTableWidget* grid : tab)
            ResetSG(grid);
    m_bogGrid->setColumnCount(2);
    for (int r = 0; r < 3; ++r)
        m_bogGrid->setItem(r, 1, new QTableWidgetItem);
    for (QWidget* w : std::initializer_list<QWidget*>{m_bogGrid, m_page, m_palettes, m_objects, m_igsBox, m_headBox,
                                                      m_objPalBox, m_menuTabs})
        w->setEnabled(false);
    m_buttonList->clear();
    m_frame.setNavigationEnabled(false);
    m_preview = QImage();
    m_objectPreview->clear();
    m_pageView->setImage(m_session.menuPage.image());
}

bool MenuTab::pageViewShown() const
{
    return m_menuTabs->currentIndex() == kSubPageView;
}

bool MenuTab::menuShown() const
{
    return m_page->isEnabled() && m_session.hasMenu();
}

bool MenuTab::ready() const
{
    return menuShown() && !m_busy;
}

const ig::TPage* MenuTab::shownPage() const
{
    const int i = m_page->currentIndex();
    if (!m_session.hasMenu() || i < 0 || static_cast<size_t>(i) >= m_session.menu.ics.pages.size())
        return nullptr;
    return &m_session.menu.ics.pages[static_cast<size_t>(i)];
}

const ig::TIGbutton* MenuTab::shownButton() const
{
    const ig::TPage* p = shownPage();
    const int bog = m_bogGrid->currentColumn() - 1;
    const int row = m_buttonGrid->currentRow();
    if (!p || bog < 0 || static_cast<size_t>(bog) >= p->bogs.size() || row < 0 ||
        static_cast<size_t>(row) >= p->bogs[static_cast<size_t>(bog)].buttons.size())
        return nullptr;
    return &p->bogs[static_cast<size_t>(bog)].buttons[static_cast<size_t>(row)];
}

void MenuTab::pcMenuChange()
{
    // The overlay boxes show up the first time the page view is opened.
    if (pageViewShown())
        m_infos->show();
}

void MenuTab::cbPageChange()
{
    const ig::TPage* p = shownPage();
    if (!p)
        return;
    m_session.menuPage.selectPageIndex(m_page->currentIndex());
    m_frame.setNavigationEnabled(true);
    const auto fields = ig::pageHeaderFields(*p);
    for (size_t i = 0; i < m_header.size() && i + 1 < fields.size(); ++i)
        m_header[i]->setText(qs(fields[i + 1].second));

    {
        const Filling filling(m_filling);
        const auto rows = ig::bogGrid(*p);
        m_bogGrid->setColumnCount(static_cast<int>(rows[0].size()));
        // One narrow column per BOG, as wide as four hexadecimal digits need.
        const int columnWidth = std::max(32, m_bogGrid->fontMetrics().horizontalAdvance(QStringLiteral("FFFF")) + 10);
        for (int r = 0; r < 3; ++r)
            for (size_t c = 1; c < rows[static_cast<size_t>(r)].size(); ++c) {
                m_bogGrid->setItem(r, static_cast<int>(c), new QTableWidgetItem(qs(rows[static_cast<size_t>(r)][c])));
                m_bogGrid->setColumnWidth(static_cast<int>(c), columnWidth);
            }
        int width = 0;
        for (int c = 0; c < m_bogGrid->columnCount(); ++c)
            width += m_bogGrid->columnWidth(c);
        // Room for the scroll bar when not every column fits.
        const int rowsHeight = 3 * m_bogGrid->rowHeight(0) + 2 * m_bogGrid->frameWidth();
        const bool scrolls = width > m_bogGrid->width() - 2 * m_bogGrid->frameWidth();
        m_bogGrid->setFixedHeight(rowsHeight + (scrolls ? m_bogGrid->horizontalScrollBar()->sizeHint().height() : 0));
    }
    selectBogColumn(1);
    fillEffects(true);
    fillEffects(false);
    if (pageViewShown())
        m_session.report.slog("", 1);
}

void MenuTab::selectBogColumn(int column)
{
    {
        const Filling filling(m_filling);
        m_bogGrid->setCurrentCell(0, column);
    }
    sgBOGClick();
}

void MenuTab::sgBOGClick()
{
    const ig::TPage* p = shownPage();
    const int bog = m_bogGrid->currentColumn() - 1;
    if (!p || bog < 0 || static_cast<size_t>(bog) >= p->bogs.size()) {
        ResetSG(m_buttonGrid);
        ResetSG(m_commandGrid);
        return;
    }
    {
        const Filling filling(m_filling);
        fillGrid(m_buttonGrid, ig::buttonGridRows(p->bogs[static_cast<size_t>(bog)]));
        m_buttonGrid->setCurrentCell(0, 9);
    }
    sgButtonClick();
}

void MenuTab::sgButtonClick()
{
    const ig::TPage* p = shownPage();
    const ig::TIGbutton* b = shownButton();
    if (!p || !b) {
        ResetSG(m_commandGrid);
        return;
    }
    fillGrid(m_commandGrid, hdmv::commandGridRows(b->commands));
    for (const auto& c : b->commands)
        if (hdmv::renderToneDue(hdmv::isValidOpcode(c.opcode), m_frame.currentTab() == TfMain::kTabMenu))
            m_session.report.tone(hdmv::kInvalidToneHz, hdmv::kRenderToneMs);
    ShowButtonPic(ig::objectOfButtonColumn(*b, m_buttonGrid->currentColumn()), p->paletteId);
}

void MenuTab::sgButtonDblClick()
{
    const ig::TIGbutton* b = shownButton();
    if (!b || m_busy) {
        m_frame.setCancelEnabled(false);
        return;
    }
    const auto animation = ig::previewAnimation(*b, m_buttonGrid->currentColumn());
    if (!animation) {
        m_frame.setCancelEnabled(false);
        return;
    }
    const Filling busy(m_busy);
    m_session.report.clearCancel();
    m_frame.setCancelEnabled(animation->repeat);
    const uint32_t palette = hexOf(m_palettes->currentText());
    ig::playPreview(m_session.menu, *animation, m_session.menuPage.frameDelay(), m_session.report,
                    [this, palette](uint16_t id) { ShowButtonPic(id, palette); });
    m_frame.setCancelEnabled(false);
}

void MenuTab::ShowButtonPic(uint32_t objectId, uint32_t palette)
{
    if (!m_session.hasMenu())
        return;
    if (m_paletteOnly->isChecked()) {
        const QColor back = m_frame.colour(kColObjectBackground);
        const auto view = ig::paletteView(m_session.menu, palette,
                                          {static_cast<uint8_t>(back.red()), static_cast<uint8_t>(back.green()),
                                           static_cast<uint8_t>(back.blue())},
                                          m_session.report);
        QImage image(view.rgba.data(), view.width, view.height, view.width * 4, QImage::Format_RGBA8888);
        showPreview(image.copy());
        return;
    }
    const auto image = ig::ShowButtonPic(m_session.menu, objectId, palette, m_session.report);
    if (!image)
        return;
    showPreview(toQImage(*image));
    if (objectId == ig::kNone)
        return;
    // The lists name what the preview shows.
    const Filling filling(m_filling);
    const auto& index = m_session.menu.objectIndex;
    if (objectId < index.size() && index[objectId] != ig::kNone)
        setListItem(m_objects, index[objectId]);
    const int p = m_palettes->findText(qs(core::hex(palette, 2)));
    if (p >= 0)
        m_palettes->setCurrentIndex(p);
}

void MenuTab::showPreview(const QImage& image)
{
    m_preview = image;
    m_objectPreview->setPixmap(QPixmap::fromImage(image));
    m_objectPreview->resize(image.size());
    m_objectPreview->repaint();
}

const ig::Teffectseq* MenuTab::shownEffects(bool in) const
{
    const ig::TPage* p = shownPage();
    return p ? (in ? &p->inEffects : &p->outEffects) : nullptr;
}

void MenuTab::fillEffects(bool in)
{
    const ig::Teffectseq* effects = shownEffects(in);
    if (!effects)
        return;
    const ig::Teffectseq& seq = *effects;
    auto& grids = m_effects[in ? 0 : 1];
    {
        const Filling filling(m_filling);
        fillGrid(grids[0], ig::windowGridRows(seq));
        fillGrid(grids[1], ig::effectGridRows(seq, in));
        if (!seq.effects.empty())
            grids[1]->setCurrentCell(0, 0);
    }
    if (seq.effects.empty())
        ResetSG(grids[2]);
    else
        effectsClick(in);
}

void MenuTab::effectsClick(bool in)
{
    const ig::Teffectseq* seq = shownEffects(in);
    const int row = m_effects[in ? 0 : 1][1]->currentRow();
    if (!seq || row < 0 || static_cast<size_t>(row) >= seq->effects.size())
        return;
    fillGrid(m_effects[in ? 0 : 1][2], ig::compositionObjectGridRows(seq->effects[static_cast<size_t>(row)], in));
}

void MenuTab::showPage(uint32_t page)
{
    const int i = m_page->findText(QString::number(page));
    if (i >= 0)
        m_page->setCurrentIndex(i);
}

void MenuTab::showButton(uint16_t buttonId)
{
    const ig::TPage* p = shownPage();
    if (!p)
        return;
    const auto place = ig::findButton(*p, buttonId);
    if (!place)
        return;
    selectBogColumn(static_cast<int>(place->bog) + 1);
    m_buttonGrid->setCurrentCell(static_cast<int>(place->index), 9);
    sgButtonClick();
}

void MenuTab::sgMCommandsDblClick(int row)
{
    const ig::TIGbutton* b = shownButton();
    if (!b || row < 0)
        return;
    const hdmv::CommandList commands = b->commands;
    const auto target = hdmv::followTarget(commands, static_cast<size_t>(row));
    switch (target.kind) {
    case hdmv::FollowTarget::Kind::GoToLine:
        if (target.lineInList)
            selectGridRow(m_commandGrid, static_cast<int>(target.line));
        break;
    case hdmv::FollowTarget::Kind::ButtonPage:
        if (target.page)
            showPage(*target.page);
        if (target.button)
            showButton(*target.button);
        break;
    default:
        m_frame.followTarget(target);
        break;
    }
}

void MenuTab::setActive(bool active)
{
    m_session.menuPage.setActive(active && m_session.hasMenu());
}

void MenuTab::applyOptions()
{
    ig::MenuOptions o = m_frame.options().menuOptions();
    // The page view's twins are the ones just changed when they call.
    o.showButtonId = m_overlayPage[0]->isChecked();
    o.showObjectId = m_overlayPage[1]->isChecked();
    o.showButtonFrame = m_overlayPage[2]->isChecked();
    o.showWindowFrame = m_overlayPage[3]->isChecked();
    m_session.menuPage.options = o;
    m_pageView->setSurround(m_frame.colour(kColBackground));
    QPalette pal = m_previewArea->palette();
    pal.setColor(QPalette::Window, m_frame.colour(kColObjectBackground));
    m_previewArea->setPalette(pal);
    m_previewArea->viewport()->setPalette(pal);
    m_previewArea->viewport()->setAutoFillBackground(true);
}

const QImage& MenuTab::pageImage() const
{
    return m_pageView->image();
}

}  // namespace mirtal::ui
