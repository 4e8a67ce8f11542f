#include "ui/main_window.h"

#include "ui/bdmv_tab.h"
#include "ui/clip_tab.h"
#include "ui/menu_tab.h"
#include "ui/playlist_tab.h"

#include "bdmv/disc_path.h"
#include "bdmv/save.h"
#include "playlist/mpls_io.h"
#include "ui/ext_dat.h"
#include "ui/grid.h"
#include "ui/num_edit.h"
#include "ui/page_control.h"
#include "ui/window_reporter.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace mirtal::ui {

namespace {

const QString kProgramTitle = QStringLiteral("Mirtal v") + QString::fromLatin1(bdmv::kVersionText);


}  // namespace

TfMain::TfMain(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), m_session(m_sink), m_arguments(arguments)
{
    setObjectName(QStringLiteral("fMain"));
    setMinimumSize(913, 550);
    resize(976, 599);

    // The log view comes first: the reporter writes into it from the start.
    m_log = new QTextEdit;
    m_log->setObjectName(QStringLiteral("mLog"));
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QTextEdit::NoWrap);
    QFont logFont = m_log->font();
    logFont.setPointSize(9);
    m_log->setFont(logFont);

    m_panel0 = new QLabel;
    m_panel0->setObjectName(QStringLiteral("sbPanel0"));
    m_panel0->setFixedWidth(100);
    m_panel1 = new QLabel;
    m_panel1->setObjectName(QStringLiteral("sbPanel1"));
    m_panel1->setMinimumWidth(50);
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("pbProgress"));
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(140);
    m_progress->setMaximumHeight(14);
    m_progress->hide();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(m_panel0);
    statusBar()->addWidget(m_panel1, 1);
    statusBar()->addPermanentWidget(m_progress);

    m_sink.attach(m_log, statusBar(), m_panel0, m_panel1, m_progress);

    m_extDat = new TfExtDat(this);

    // The bottom bar first: the BDMV tab's object list lives in its run panel.
    QWidget* bottom = buildBottomBar();
    m_options = new OptionsTab(m_session.report);
    m_bdmv = new BdmvTab(*this, m_session, m_objectList);
    m_playListTab = new PlayListTab(*this, m_session);
    m_clipTab = new ClipInfTab(*this, m_session);
    m_menuTab = new MenuTab(*this, m_session, m_buttonList);
    auto* status = new StatusTab(m_log);

    m_tabs = new TPageControl;
    m_tabs->setObjectName(QStringLiteral("PageControl"));
    m_tabs->addTab(m_bdmv, QStringLiteral("BDMV"));
    m_tabs->addTab(m_playListTab, QStringLiteral("PLAYLIST"));
    m_tabs->addTab(m_clipTab, QStringLiteral("CLIPINF"));
    m_tabs->addTab(m_menuTab, QStringLiteral("Menu"));
    m_tabs->addTab(m_options, QStringLiteral("Options"));
    m_tabs->addTab(status, QStringLiteral("Status"));
    m_tabs->addTab(buildAboutTab(), QStringLiteral("About"));

    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("pnlMain"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(3);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(bottom);
    setCentralWidget(central);

    connectRunPanel();
    connect(m_bdmv, &BdmvTab::discOpened, this, &TfMain::discOpened);
    connect(status, &StatusTab::bClearClick, this, &TfMain::bClearClick);
    connect(status, &StatusTab::bPSRsClick, this, &TfMain::bPSRsClick);
    connect(status, &StatusTab::bGPRsClick, this, &TfMain::bGPRsClick);
    connect(status, &StatusTab::bResetRegsClick, this, &TfMain::bResetRegsClick);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });
    connect(m_options, &OptionsTab::coloursChanged, m_menuTab, &MenuTab::applyOptions);
    m_menuTab->applyOptions();
    // The overlay options and their twins on the page view follow each other.
    for (size_t i = 0; i < kOverlayCount; ++i) {
        connect(m_options->overlayBox(i), &QCheckBox::toggled, this, [this, i] { syncOverlay(i, true); });
        connect(m_menuTab->overlayBox(i), &QCheckBox::toggled, this, [this, i] { syncOverlay(i, false); });
    }
    // Keys pressed anywhere in the window pass FormKeyDown first.
    qApp->installEventFilter(this);
    connect(m_save, &QPushButton::clicked, this, &TfMain::bSaveClick);
    connect(m_find, &QPushButton::clicked, this, &TfMain::bFindClick);
    connect(m_cancel, &QPushButton::clicked, this, &TfMain::bCancelClick);

    m_session.emulator.onTraceDisplay = [this](const hdmv::CommandList& program, int32_t line) {
        traceDisplay(program, line);
    };
    setWindowTitleText(kProgramTitle);
    PageControlChange();
}

TfMain::~TfMain()
{
    // The controls outlive the model while the window's base class deletes them: their signals
    // must not reach the handlers any more.
    const QObject* receivers[] = {this, m_bdmv, m_playListTab, m_clipTab, m_menuTab, m_options};
    for (QObject* child : findChildren<QObject*>())
        for (const QObject* receiver : receivers)
            child->disconnect(receiver);
    qApp->removeEventFilter(this);
}

QWidget* TfMain::buildBottomBar()
{
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("pnlBottom"));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);

    m_runPanel = new QWidget;
    m_runPanel->setObjectName(QStringLiteral("pnlExecute"));
    auto* run = new QHBoxLayout(m_runPanel);
    run->setContentsMargins(0, 0, 0, 0);
    m_start = new QPushButton(QStringLiteral("Start"));
    m_start->setObjectName(QStringLiteral("bStart"));
    m_start->setToolTip(QStringLiteral("Execute the button commands"));
    m_trace = new QCheckBox(QStringLiteral("Trace"));
    m_trace->setObjectName(QStringLiteral("cbTrace"));
    m_trace->setToolTip(QStringLiteral("Trace (execute commands step by step)"));
    m_programLine = new TIntEdit;
    m_programLine->setObjectName(QStringLiteral("ieProgramLine"));
    m_programLine->setToolTip(QStringLiteral("Command line"));
    m_programLine->setMaxLength(4);
    fitDigits(m_programLine, 4);
    m_programLine->setText(QStringLiteral("0000"));
    m_objectList = new QComboBox;
    m_objectList->setObjectName(QStringLiteral("cbObject"));
    m_objectList->setToolTip(QStringLiteral("Movie object"));
    m_objectList->setMinimumWidth(70);
    m_buttonList = makeList(QStringLiteral("cbButton"), QStringLiteral("Button"), {}, 70);
    run->addWidget(m_start);
    run->addWidget(m_trace);
    run->addWidget(m_programLine);
    run->addWidget(m_objectList);
    run->addWidget(m_buttonList);
    m_runPanel->setEnabled(false);

    m_registerPanel = new QWidget;
    m_registerPanel->setObjectName(QStringLiteral("pRegisters"));
    auto* regs = new QHBoxLayout(m_registerPanel);
    regs->setContentsMargins(8, 0, 0, 0);
    m_psrNo = new TIntEdit;
    m_psrNo->setObjectName(QStringLiteral("iePSRno"));
    m_psrNo->setToolTip(QStringLiteral("PSR number"));
    m_psrNo->setMaxLength(3);
    fitDigits(m_psrNo, 3);
    m_psrNo->setText(QStringLiteral("000"));
    m_psrValue = new THexEdit(8);
    m_psrValue->setObjectName(QStringLiteral("hePSRvalue"));
    m_psrValue->setToolTip(QStringLiteral("PSR value"));
    m_psrValue->setText(QStringLiteral("00000001"));
    m_gprNo = new TIntEdit;
    m_gprNo->setObjectName(QStringLiteral("ieGPRno"));
    m_gprNo->setToolTip(QStringLiteral("GPR number"));
    m_gprNo->setMaxLength(4);
    fitDigits(m_gprNo, 4);
    m_gprNo->setText(QStringLiteral("0000"));
    m_gprValue = new THexEdit(8);
    m_gprValue->setObjectName(QStringLiteral("heGPRvalue"));
    m_gprValue->setToolTip(QStringLiteral("GPR value"));
    regs->addWidget(new QLabel(QStringLiteral("PSR")));
    regs->addWidget(m_psrNo);
    regs->addWidget(m_psrValue);
    regs->addSpacing(6);
    regs->addWidget(new QLabel(QStringLiteral("GPR")));
    regs->addWidget(m_gprNo);
    regs->addWidget(m_gprValue);

    // The menu's remote control, enabled once a menu page is shown.
    m_navPanel = new QWidget;
    m_navPanel->setObjectName(QStringLiteral("pNavigate"));
    auto* nav = new QHBoxLayout(m_navPanel);
    nav->setContentsMargins(8, 0, 0, 0);
    nav->setSpacing(2);
    const std::pair<const char*, const char*> kNav[] = {
        {"bNavUp", "&U"}, {"bNavDown", "&D"}, {"bNavLeft", "&L"}, {"bNavRight", "&R"}, {"bNavSel", "S&el"}};
    for (size_t i = 0; i < m_navButtons.size(); ++i) {
        auto* button = new QPushButton(QString::fromLatin1(kNav[i].second));
        button->setObjectName(QString::fromLatin1(kNav[i].first));
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("Sel")) + 12);
        button->setEnabled(false);
        nav->addWidget(button);
        m_navButtons[i] = button;
    }

    m_find = new QPushButton(QStringLiteral("Find"));
    m_find->setObjectName(QStringLiteral("bFind"));
    m_find->setEnabled(false);
    m_save = new QPushButton(QStringLiteral("Save"));
    m_save->setObjectName(QStringLiteral("bSave"));
    m_save->setEnabled(false);
    m_cancel = new QPushButton(QStringLiteral("Cancel"));
    m_cancel->setObjectName(QStringLiteral("bCancel"));
    m_cancel->setEnabled(false);

    // The bar holds every panel of the Menu tab at the smallest window size: the buttons keep to
    // their captions.
    for (QPushButton* b : {m_start, m_find, m_save, m_cancel})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("Cancel")) + 24);
    layout->addWidget(m_runPanel);
    layout->addWidget(m_registerPanel);
    layout->addWidget(m_navPanel);
    layout->addStretch(1);
    layout->addWidget(m_find);
    layout->addWidget(m_save);
    layout->addWidget(m_cancel);
    return bar;
}

void TfMain::setWindowTitleText(const QString& title)
{
    setWindowTitle(title);
}

void TfMain::FormActivate()
{
    if (m_started)
        return;
    m_started = true;
    m_tabs->setCurrentIndex(kTabAbout);
    RegRead();
    ResetRegs();
    setWindowTitleText(kProgramTitle);
    m_tabs->setCurrentIndex(kTabBdmv);
    if (m_arguments.size() == 1) {
        // A disc root, its BDMV folder or a file inside it; a path that does not exist is taken
        // as it is, so the checks report what is missing.
        const auto folder = bdmv::resolveBdmvFolder(m_arguments.front().toStdString());
        QString path = folder ? QString::fromStdString(folder->string()) : m_arguments.front();
        if (!path.endsWith(u'/'))
            path += u'/';
        m_bdmv->setFolderText(path);
        bReadBDMVClick();
    }
}

void TfMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FormActivate();
}

void TfMain::closeEvent(QCloseEvent* event)
{
    // Edits of the loaded PlayList are not lost without a word.
    if (!m_playListTab->confirmDiscard()) {
        event->ignore();
        return;
    }
    // A long run (a PID extraction) that is still pumping events ends with the window.
    m_session.requestCancel();
    RegWrite();
    m_session.disc.streams.clear();
    QMainWindow::closeEvent(event);
}

void TfMain::keyPressEvent(QKeyEvent* event)
{
    // FormKeyDown has seen the key in the event filter already.
    QMainWindow::keyPressEvent(event);
}

bool TfMain::eventFilter(QObject* watched, QEvent* event)
{
    // The filter watches the whole application: a key comes first to the control with the focus.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        QWidget* first = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : this;
        if (widget == first && widget->window() == this)
            FormKeyDown(key);
        if (m_bdmv->gridKey(watched, key) || m_playListTab->gridKey(watched, key))
            return true;
    }
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_psrNo || watched == m_gprNo)
            showRegisterValue(watched == m_psrNo ? hdmv::RegisterKind::PSR : hdmv::RegisterKind::GPR);
    }
    return QMainWindow::eventFilter(watched, event);
}

namespace {

// The key codes of the desktop the settings come from: letters and digits are their upper-case
// characters; the other keys have codes of their own.
int virtualKeyCode(const QKeyEvent& event)
{
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    default: return static_cast<int>(event.nativeVirtualKey());
    }
}

}  // namespace

bool TfMain::FormKeyDown(QKeyEvent* event)
{
    // Only the page view echoes keys; it lets them through to the control that has the focus.
    if (m_tabs->currentIndex() == kTabMenu && m_menuTab->pageViewShown())
        m_session.report.slog(std::to_string(virtualKeyCode(*event)), 1);
    return false;
}

void TfMain::syncOverlay(size_t which, bool fromOptions)
{
    QCheckBox* from = fromOptions ? m_options->overlayBox(which) : m_menuTab->overlayBox(which);
    QCheckBox* to = fromOptions ? m_menuTab->overlayBox(which) : m_options->overlayBox(which);
    if (to->isChecked() != from->isChecked())
        to->setChecked(from->isChecked());
}

void TfMain::showTab(Tab tab)
{
    m_tabs->setCurrentIndex(tab);
}

TfMain::Tab TfMain::currentTab() const
{
    return static_cast<Tab>(m_tabs->currentIndex());
}

void TfMain::PageControlChange()
{
    const int tab = m_tabs->currentIndex();
    m_save->setVisible(tab == kTabBdmv || tab == kTabPlayList || tab == kTabClipInf || tab == kTabMenu);
    m_find->setVisible(tab == kTabPlayList || tab == kTabClipInf);
    m_runPanel->setVisible(tab == kTabBdmv || tab == kTabMenu);
    m_registerPanel->setVisible(tab == kTabBdmv || tab == kTabMenu);
    m_objectList->setVisible(tab == kTabBdmv);
    m_buttonList->setVisible(tab == kTabMenu);
    m_navPanel->setVisible(tab == kTabMenu);
    // The emulator draws on the menu page only while it is in front.
    m_menuTab->setActive(tab == kTabMenu);
    updateSaveButton();
}

void TfMain::updateSaveButton()
{
    switch (m_tabs->currentIndex()) {
    case kTabBdmv:
        m_save->setToolTip(QStringLiteral("Save index.bdmv and MovieObject.bdmv"));
        m_save->setEnabled(m_session.disc.canSave());
        break;
    case kTabPlayList: {
        const QString name = m_playListTab->selectedName();
        m_save->setToolTip(name.isEmpty() ? QString() : QStringLiteral("Save ") + name + QStringLiteral(".mpls"));
        m_save->setEnabled(m_session.playList.loaded && playlist::canSavePlaylist(m_session.playList.model));
        break;
    }
    default:
        m_save->setEnabled(false);
        break;
    }
}

void TfMain::discOpened(bool ok)
{
    m_playListTab->discOpened();
    m_clipTab->discOpened();
    m_menuTab->menuCleared();
    // With "Auto Read" the first PlayList and clip are on show at once, as a selection shows them.
    if (ok && m_options->autoRead()) {
        if (!m_session.disc.playlists.empty())
            m_playListTab->bReadPLClick();
        if (!m_session.disc.clips.empty())
            m_clipTab->bReadCIClick();
    }
    m_runPanel->setEnabled(ok);
    m_find->setEnabled(ok);
    if (ok && !m_session.disc.windowTitle.empty())
        setWindowTitleText(QString::fromStdString(m_session.disc.windowTitle));
    updateSaveButton();
}

void TfMain::bReadBDMVClick()
{
    // A new disc drops the loaded PlayList: its edits are not lost without a word.
    if (!m_playListTab->confirmDiscard())
        return;
    m_bdmv->bReadBDMVClick();
}

void TfMain::bbOpenDirClick() { m_bdmv->bbOpenDirClick(); }
void TfMain::bIndExDatEditClick() { m_bdmv->bIndExDatEditClick(); }
void TfMain::bObjExtDatEditClick() { m_bdmv->bObjExtDatEditClick(); }
void TfMain::bbTiinsClick() { m_bdmv->bbTiinsClick(); }
void TfMain::bbTidelClick() { m_bdmv->bbTidelClick(); }
void TfMain::bbObinsClick() { m_bdmv->bbObinsClick(); }
void TfMain::bbObdelClick() { m_bdmv->bbObdelClick(); }
void TfMain::bbNCinsClick() { m_bdmv->bbNCinsClick(); }
void TfMain::bbNCdelClick() { m_bdmv->bbNCdelClick(); }

void TfMain::bSaveClick()
{
    const int errors = m_sink.errorCount();
    switch (m_tabs->currentIndex()) {
    case kTabBdmv:
        bdmv::saveBdmv(m_session.disc, backupOptions(), m_session.report);
        break;
    case kTabPlayList:
        if (!m_session.playList.loaded || !playlist::canSavePlaylist(m_session.playList.model))
            return;
        (void)m_session.savePlayList(backupOptions());
        break;
    default:
        return;
    }
    m_sink.showLastErrorSince(errors);
}

void TfMain::bFindClick()
{
    switch (m_tabs->currentIndex()) {
    case kTabPlayList:
        m_playListTab->bFindClick();
        break;
    case kTabClipInf:
        m_clipTab->bFindClick();
        break;
    default:
        return;
    }
    m_tabs->setCurrentIndex(kTabStatus);
}

void TfMain::bCancelClick()
{
    // Once a PID extraction has been started, a stray click does not end a long run unasked.
    if (m_confirmCancel) {
        if (ask(QStringLiteral("Are you sure to stop?"), false) != Answer::Yes)
            return;
        m_session.requestCancel();
        m_session.report.slog("", 0);
        m_session.report.slog("Cancelled.", 1);
        m_session.report.log("");
        return;
    }
    m_session.requestCancel();
}

void TfMain::setCancelEnabled(bool enabled)
{
    m_cancel->setEnabled(enabled);
}

void TfMain::longOperation(bool running)
{
    m_sink.setLongRun(running);
    m_cancel->setEnabled(running);
    m_progress->setVisible(running);
    if (running) {
        m_progress->setValue(0);
        m_session.report.clearCancel();
    }
}

void TfMain::followTarget(const hdmv::FollowTarget& target)
{
    if (target.kind == hdmv::FollowTarget::Kind::PlayList) {
        // The PlayList tab is shown with the PlayList selected in its list (exact name, first
        // match) and read, whatever "Auto Read" says.
        m_tabs->setCurrentIndex(kTabPlayList);
        if (!m_playListTab->followPlayList(target.playListName, target.playItem))
            m_session.report.slog("PlayList " + target.playListName + " not found", 1);
    } else if (target.kind == hdmv::FollowTarget::Kind::ButtonPage) {
        // Only a loaded menu has pages and buttons to show.
        if (m_menuTab->menuShown()) {
            m_tabs->setCurrentIndex(kTabMenu);
            if (target.page)
                m_menuTab->showPage(*target.page);
            if (target.button)
                m_menuTab->showButton(*target.button);
        }
    }
}

void TfMain::bClearClick()
{
    m_log->clear();
}

}  // namespace mirtal::ui
