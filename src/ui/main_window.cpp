#include "ui/main_window.h"

#include "bdmv/disc_path.h"
#include "bdmv/save.h"
#include "ui/ext_dat.h"
#include "ui/grid.h"
#include "ui/num_edit.h"
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
#include <QMessageBox>
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

enum Tab { kTabBdmv, kTabPlayList, kTabClipInf, kTabMenu, kTabOptions, kTabStatus, kTabAbout };

}  // namespace

TfMain::TfMain(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      m_report(m_sink),
      m_emu(m_regs, m_report),
      m_arguments(arguments)
{
    setObjectName(QStringLiteral("fMain"));
    setMinimumSize(913, 550);
    resize(976, 599);
    m_colours = {QColor(0, 0, 128), QColor(192, 192, 192), QColor(255, 255, 0), QColor(255, 0, 0),
                 QColor(255, 255, 255), QColor(192, 192, 192), QColor(128, 128, 128), QColor(0, 0, 0),
                 QColor(0, 255, 0)};

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
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(m_panel0);
    statusBar()->addWidget(m_panel1);
    statusBar()->addPermanentWidget(m_progress);

    m_sink.attach(m_log, statusBar(), m_panel0, m_panel1, m_progress);

    m_extDat = new TfExtDat(this);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("PageControl"));
    m_tabs->addTab(buildBdmvTab(), QStringLiteral("BDMV"));
    m_tabs->addTab(buildPlayListTab(), QStringLiteral("PLAYLIST"));
    m_tabs->addTab(buildClipInfTab(), QStringLiteral("CLIPINF"));
    m_tabs->addTab(buildMenuTab(), QStringLiteral("Menu"));
    m_tabs->addTab(buildOptionsTab(), QStringLiteral("Options"));
    m_tabs->addTab(buildStatusTab(), QStringLiteral("Status"));
    m_tabs->addTab(buildAboutTab(), QStringLiteral("About"));

    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("pnlMain"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(3);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buildBottomBar());
    setCentralWidget(central);

    connectBdmvTab();
    connectCommandEditor();
    connectRunPanel();
    connectOptions();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });
    connect(m_menuTabs, &QTabWidget::currentChanged, this, [this] { pcMenuChange(); });
    connect(m_playListSplitter, &QSplitter::splitterMoved, this, [this] {
        const auto sizes = m_playListSplitter->sizes();
        m_playListHeight = sizes.value(0);
        m_subPathHeight = sizes.value(1);
        m_playListMarkHeight = sizes.value(2);
    });
    // Keys pressed anywhere in the window pass FormKeyDown first.
    qApp->installEventFilter(this);
    connect(m_save, &QPushButton::clicked, this, &TfMain::bSaveClick);
    connect(m_cancel, &QPushButton::clicked, this, &TfMain::bCancelClick);

    m_emu.onTraceDisplay = [this](const hdmv::CommandList& program, int32_t line) { traceDisplay(program, line); };
    setWindowTitleText(kProgramTitle);
    PageControlChange();
}

TfMain::~TfMain()
{
    // The controls outlive the model while the window's base class deletes them: their signals
    // must not reach the handlers any more.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
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
    for (const auto& [name, caption] : kNav) {
        auto* button = new QPushButton(QString::fromLatin1(caption));
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("Sel")) + 12);
        button->setEnabled(false);
        nav->addWidget(button);
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

QWidget* TfMain::buildAboutTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsAbout"));
    auto* layout = new QVBoxLayout(page);
    auto* name = new QLabel(QStringLiteral("Mirtal"));
    name->setObjectName(QStringLiteral("lProgramName"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 10);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(bdmv::kVersionText));
    version->setObjectName(QStringLiteral("lVersion"));
    auto* purpose = new QLabel(QStringLiteral(
        "An editor for the navigation and playlist structure of Blu-ray Disc movie folders (BDMV):\n"
        "index.bdmv, MovieObject.bdmv, PlayLists and clip information, with a navigation-command "
        "emulator."));
    purpose->setWordWrap(true);
    auto* history = new QTextEdit;
    history->setObjectName(QStringLiteral("mHistory"));
    history->setReadOnly(true);
    history->setPlainText(QStringLiteral(
        "0.21b4\n"
        "  - Runs on Linux with Qt 6: the BDMV tab edits titles, First Playback, Top Menu,\n"
        "    movie objects and their navigation commands; ExtensionData() dialog; saving with backups.\n"
        "  - Settings are kept per user; the window opens a disc named on the command line.\n"
        "0.21b3\n"
        "  - Command emulator with step-by-step tracing and the register fields.\n"
        "0.21b2\n"
        "  - Backup modes \"Only first\", \"Overwrite\" and \"Stop if exists\"; \"Save to BACKUP dir\".\n"
        "0.21b1\n"
        "  - First public test version: reading and writing index.bdmv and MovieObject.bdmv.\n"));
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(purpose);
    layout->addWidget(new QLabel(QStringLiteral("Change history:")));
    layout->addWidget(history, 1);
    return page;
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
        m_bdmvDir->setText(path);
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
    RegWrite();
    m_disc.streams.clear();
    QMainWindow::closeEvent(event);
}

void TfMain::keyPressEvent(QKeyEvent* event)
{
    // FormKeyDown has seen the key in the event filter already.
    QMainWindow::keyPressEvent(event);
}

void TfMain::pcMenuChange()
{
    if (m_menuTabs->currentWidget()->objectName() == QStringLiteral("tsPageView"))
        m_infos->show();
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
    if (m_tabs->currentIndex() == kTabMenu && m_menuTabs->currentWidget()->objectName() == QStringLiteral("tsPageView"))
        m_report.slog(std::to_string(virtualKeyCode(*event)), 1);
    return false;
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
    updateSaveButton();
}

void TfMain::updateSaveButton()
{
    switch (m_tabs->currentIndex()) {
    case kTabBdmv:
        m_save->setToolTip(QStringLiteral("Save index.bdmv and MovieObject.bdmv"));
        m_save->setEnabled(m_disc.canSave());
        break;
    case kTabPlayList:
        // No PlayList is loaded by this window yet.
        m_save->setToolTip(QString());
        m_save->setEnabled(false);
        break;
    default:
        m_save->setEnabled(false);
        break;
    }
}

void TfMain::bSaveClick()
{
    if (m_tabs->currentIndex() != kTabBdmv)
        return;
    const int errors = m_sink.errorCount();
    bdmv::saveBdmv(m_disc, backupOptions(), m_report);
    m_sink.showLastErrorSince(errors);
}

void TfMain::bCancelClick()
{
    // No PID extraction runs in this window yet, so the flag is set without asking.
    m_sink.setCancel(true);
    m_report.requestCancel();
}

void TfMain::bClearClick()
{
    m_log->clear();
}

}  // namespace mirtal::ui
