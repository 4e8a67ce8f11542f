#pragma once
// TfMain: the main window. It owns the loaded model (the disc, the register file, the emulator)
// and shows it; every edit is a library call followed by a refresh of the rows it changed.

#include "bdmv/disc.h"
#include "core/backup_save.h"
#include "core/report.h"
#include "hdmv/emulator.h"
#include "hdmv/registers.h"
#include "ui/window_reporter.h"

#include <QColor>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSettings;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QToolButton;
class QWidget;

namespace mirtal::ui {

class TIntEdit;
class THexEdit;
class TfExtDat;

// The settings' colours, in the order of the settings table.
enum ColourSetting {
    kColBackground, kColObjectBackground, kColSelectedButton, kColSelectedFrame, kColNormalButton,
    kColNormalFrame, kColInvalidButton, kColInvalidFrame, kColWindow, kColourCount
};

class TfMain : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the command-line arguments after the program name.
    explicit TfMain(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TfMain() override;

    // The loaded model, for the tests and the tabs.
    [[nodiscard]] bdmv::Disc& disc() { return m_disc; }
    [[nodiscard]] hdmv::Registers& registers() { return m_regs; }
    [[nodiscard]] hdmv::Emulator& emulator() { return m_emu; }
    [[nodiscard]] core::Report& report() { return m_report; }
    [[nodiscard]] const WindowReporter& reporter() const { return m_sink; }
    [[nodiscard]] TfExtDat* extDatDialog() { return m_extDat; }
    [[nodiscard]] core::BackupOptions backupOptions() const;
    [[nodiscard]] QColor colour(ColourSetting which) const { return m_colours[which]; }
    // The ExtensionData dialogs open modally; a test replaces the dialog's run with its own.
    void setExtDatRunner(std::function<int(TfExtDat&)> runner) { m_extDatRunner = std::move(runner); }

    // The operations of the controls, callable as the buttons call them.
    void FormActivate();
    void RegRead();
    void RegWrite();
    void bReadBDMVClick();
    void bbOpenDirClick();
    void bSaveClick();
    void bCancelClick();
    void bIndExDatEditClick();
    void bObjExtDatEditClick();
    void bbTiinsClick();
    void bbTidelClick();
    void bbObinsClick();
    void bbObdelClick();
    void bbNCinsClick();
    void bbNCdelClick();
    void bStartClick();
    void bClearClick();
    void bPSRsClick();
    void bGPRsClick();
    void bResetRegsClick();
    void ResetRegs();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window.
    QWidget* buildBdmvTab();
    QWidget* buildIndexGroup();
    QWidget* buildMovieObjectGroup();
    QWidget* buildCommandPanel();
    QWidget* buildOptionsTab();
    QWidget* buildStatusTab();
    QWidget* buildAboutTab();
    QWidget* buildPlayListTab();
    QWidget* buildStreamGroup();
    QWidget* buildAppInfoGroup();
    QWidget* buildClipInfTab();
    QWidget* buildMenuTab();
    QWidget* buildPageView();
    QWidget* buildBottomBar();
    void connectBdmvTab();
    void connectCommandEditor();
    void connectRunPanel();
    void connectOptions();

    static QSettings* openSettings();
    void PageControlChange();
    void pcMenuChange();
    // The window-wide key handling; true when the key was taken.
    bool FormKeyDown(QKeyEvent* event);
    void syncOverlay(size_t which, bool fromOptions);
    void updateSaveButton();
    void setWindowTitleText(const QString& title);

    // BDMV tab views.
    void resetBdmvViews();
    void fillAfterRead();
    void fillObjectLists();
    void fillFirstPlayback();
    void fillTopMenu();
    void refreshTitles();
    void refreshObjects();
    void refreshExtensionCaptions();
    void setTitleEditorsEnabled(bool on);
    void titleSelected(int row);
    void fillTitleEditors(int title);
    void objectSelected(int row);
    void selectObjectRow(int row);
    [[nodiscard]] std::optional<size_t> currentTitle() const;
    [[nodiscard]] std::optional<size_t> currentObject() const;

    // The title, First Playback, Top Menu and flag editors.
    void titleNoChanged(int index);
    void titleEditorChanged();
    void fpbOnClicked(bool on);
    void fpbTypeChanged(int index);
    void tmOnClicked(bool on);
    void tmTypeChanged(int index);
    void flagsChanged();

    // The command grid and editor.
    void renderCommands();
    void renderCommandRow(size_t line);
    void refreshCommandRows();
    void selectCommandLine(size_t line);
    void setCommandEditorEnabled(bool on);
    void commandSelected(int row);
    void fillCommandEditor(size_t line);
    [[nodiscard]] hdmv::TNavCommand* currentCommand();
    [[nodiscard]] std::optional<size_t> currentLine() const;
    void commandEdited(bool refill);
    void showValidity(bool valid);
    void commandKey(QKeyEvent* event);
    void commandDoubleClicked(int row);
    void followPlayList(const std::string& name);

    // The run panel and the register fields.
    void traceDisplay(const hdmv::CommandList& program, int32_t line);
    void showRegisterValue(hdmv::RegisterKind kind);
    void registerNumberLeft(hdmv::RegisterKind kind);
    void registerValueLeft(hdmv::RegisterKind kind);
    void updateStartCaption();
    void updateCountryLabel();
    void applyColourSwatches();

    // The model.
    bdmv::Disc m_disc;
    hdmv::Registers m_regs;
    WindowReporter m_sink;
    core::Report m_report;
    hdmv::Emulator m_emu;
    QStringList m_arguments;
    bool m_started = false;
    bool m_filling = false;    // the views are being filled: change actions stay quiet
    std::optional<size_t> m_object;    // the movie object whose commands the command grid shows
    std::array<QColor, kColourCount> m_colours;
    int m_objectHeight = 79;
    int m_playListHeight = 176;
    int m_subPathHeight = 87;
    int m_playListMarkHeight = 160;
    TfExtDat* m_extDat = nullptr;
    std::function<int(TfExtDat&)> m_extDatRunner;

    // Window-wide controls.
    QTabWidget* m_tabs = nullptr;
    QLabel* m_panel0 = nullptr;
    QLabel* m_panel1 = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_runPanel = nullptr;
    QWidget* m_registerPanel = nullptr;
    QWidget* m_navPanel = nullptr;
    QComboBox* m_buttonList = nullptr;

    // PLAYLIST, CLIPINF and Menu tabs.
    QComboBox* m_playList = nullptr;
    QPushButton* m_readPlayList = nullptr;
    QSplitter* m_playListSplitter = nullptr;
    QComboBox* m_clipList = nullptr;
    QComboBox* m_page = nullptr;
    QTabWidget* m_menuTabs = nullptr;
    QLabel* m_objectPreview = nullptr;
    QLabel* m_pageImage = nullptr;
    QGroupBox* m_infos = nullptr;
    std::array<QCheckBox*, 4> m_overlayPage{};    // the page view's twins of the overlay options

    // BDMV tab.
    QLineEdit* m_bdmvDir = nullptr;
    QToolButton* m_openDir = nullptr;
    QPushButton* m_readBdmv = nullptr;
    QLineEdit* m_contentProvider = nullptr;
    QTableWidget* m_titles = nullptr;
    QComboBox* m_titleNo = nullptr;
    QComboBox* m_titleOT = nullptr;
    QComboBox* m_titleAT = nullptr;
    QComboBox* m_titlePBT = nullptr;
    QComboBox* m_titleOID = nullptr;
    QComboBox* m_titleFN = nullptr;
    QToolButton* m_tiIns = nullptr;
    QToolButton* m_tiDel = nullptr;
    QCheckBox* m_fpbOn = nullptr;
    QComboBox* m_fpbType = nullptr;
    QComboBox* m_fpbPBType = nullptr;
    QComboBox* m_fpbObject = nullptr;
    QComboBox* m_fpbFile = nullptr;
    QCheckBox* m_tmOn = nullptr;
    QComboBox* m_tmType = nullptr;
    QComboBox* m_tmObject = nullptr;
    QComboBox* m_tmFile = nullptr;
    QLabel* m_indExtCaption = nullptr;
    QPushButton* m_indExtEdit = nullptr;
    QSplitter* m_objectSplitter = nullptr;
    QTableWidget* m_objects = nullptr;
    QComboBox* m_resume = nullptr;
    QComboBox* m_menuCall = nullptr;
    QComboBox* m_titleSearch = nullptr;
    QToolButton* m_obIns = nullptr;
    QToolButton* m_obDel = nullptr;
    QTableWidget* m_commands = nullptr;
    QComboBox* m_cmdGrp = nullptr;
    QComboBox* m_cmdSGrp = nullptr;
    QComboBox* m_cmd = nullptr;
    QCheckBox* m_op1On = nullptr;
    QCheckBox* m_op2On = nullptr;
    QComboBox* m_op1Type = nullptr;
    QComboBox* m_op2Type = nullptr;
    TIntEdit* m_op1 = nullptr;
    TIntEdit* m_op2 = nullptr;
    THexEdit* m_och = nullptr;
    THexEdit* m_deh = nullptr;
    THexEdit* m_soh = nullptr;
    QLabel* m_valid = nullptr;
    QToolButton* m_ncIns = nullptr;
    QToolButton* m_ncDel = nullptr;
    QLabel* m_objExtCaption = nullptr;
    QPushButton* m_objExtEdit = nullptr;

    // Run panel and register fields.
    QPushButton* m_start = nullptr;
    QCheckBox* m_trace = nullptr;
    TIntEdit* m_programLine = nullptr;
    QComboBox* m_objectList = nullptr;
    TIntEdit* m_psrNo = nullptr;
    THexEdit* m_psrValue = nullptr;
    TIntEdit* m_gprNo = nullptr;
    THexEdit* m_gprValue = nullptr;

    // Options tab.
    QCheckBox* m_oBackup = nullptr;
    QGroupBox* m_backupMode = nullptr;
    QButtonGroup* m_backupModeGroup = nullptr;
    QCheckBox* m_saveBackupDir = nullptr;
    QLineEdit* m_workdir = nullptr;
    QCheckBox* m_autoRead = nullptr;
    QButtonGroup* m_regionGroup = nullptr;
    THexEdit* m_country = nullptr;
    QLabel* m_countryLabel = nullptr;
    TIntEdit* m_actiDelay = nullptr;
    QButtonGroup* m_chapterFormatGroup = nullptr;
    QCheckBox* m_savePes = nullptr;
    QCheckBox* m_saveSup = nullptr;
    std::array<QCheckBox*, 4> m_overlayOptions{};    // button id, object id, button frame, window frame
    QCheckBox* m_forcedBeep = nullptr;
    std::array<QPushButton*, kColourCount> m_colourButtons{};

    // Status tab.
    QTextEdit* m_log = nullptr;
};

}  // namespace mirtal::ui
