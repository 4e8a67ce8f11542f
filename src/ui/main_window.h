#pragma once
// TfMain: the main window's frame. It owns the session (everything loaded) and the tabs that show
// it, the bottom bar (run panel, register fields, the menu's navigation panel, Find, Save and
// Cancel), the status bar, the settings, start-up and close. Each tab is a class of its own.

#include "core/backup_save.h"
#include "core/extension_data.h"
#include "hdmv/command_edit.h"
#include "session/session.h"
#include "ui/options_tab.h"
#include "ui/window_reporter.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QWidget;

namespace mirtal::ui {

class BdmvTab;
class ClipInfTab;
class MenuTab;
class PlayListTab;
class TIntEdit;
class THexEdit;
class TfExtDat;

class TfMain : public QMainWindow {
    Q_OBJECT
public:
    enum Tab { kTabBdmv, kTabPlayList, kTabClipInf, kTabMenu, kTabOptions, kTabStatus, kTabAbout };

    // arguments: the command-line arguments after the program name.
    explicit TfMain(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TfMain() override;

    // The loaded model, for the tests and the tabs.
    [[nodiscard]] session::Session& session() { return m_session; }
    [[nodiscard]] bdmv::Disc& disc() { return m_session.disc; }
    [[nodiscard]] hdmv::Registers& registers() { return m_session.registers; }
    [[nodiscard]] hdmv::Emulator& emulator() { return m_session.emulator; }
    [[nodiscard]] core::Report& report() { return m_session.report; }
    [[nodiscard]] const WindowReporter& reporter() const { return m_sink; }
    [[nodiscard]] WindowReporter& sink() { return m_sink; }
    [[nodiscard]] TfExtDat* extDatDialog() { return m_extDat; }
    [[nodiscard]] const OptionsTab& options() const { return *m_options; }
    [[nodiscard]] core::BackupOptions backupOptions() const { return m_options->backupOptions(); }
    [[nodiscard]] QColor colour(ColourSetting which) const { return m_options->colour(which); }
    [[nodiscard]] PlayListTab& playListTab() { return *m_playListTab; }
    [[nodiscard]] ClipInfTab& clipTab() { return *m_clipTab; }
    [[nodiscard]] MenuTab& menuTab() { return *m_menuTab; }
    // The ExtensionData dialogs open modally; a test replaces the dialog's run with its own.
    void setExtDatRunner(std::function<int(TfExtDat&)> runner) { m_extDatRunner = std::move(runner); }
    // A question with Yes and No (and Cancel when asked for); a test answers in its place.
    enum class Answer { Yes, No, Cancel };
    void setQuestionRunner(std::function<Answer(const QString&, bool)> runner) { m_questionRunner = std::move(runner); }
    [[nodiscard]] Answer ask(const QString& question, bool withCancel);
    // A file dialog's choice; a test chooses in its place. save: a save dialog.
    void setFileRunner(std::function<QString(const QString& title, const QString& proposed, bool save)> runner)
    {
        m_fileRunner = std::move(runner);
    }
    // Opens a file with the desktop's default application; a test watches in its place.
    void setOpenRunner(std::function<void(const QString&)> runner) { m_openRunner = std::move(runner); }
    void openWithDesktop(const QString& path);
    [[nodiscard]] QString chooseFile(const QString& title, const QString& proposed, const QString& filter, bool save);

    // The operations of the controls, callable as the buttons call them.
    void FormActivate();
    void RegRead();
    void RegWrite();
    void bReadBDMVClick();
    void bbOpenDirClick();
    void bSaveClick();
    void bFindClick();
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

    // For the tabs.
    void showTab(Tab tab);
    [[nodiscard]] Tab currentTab() const;
    void updateSaveButton();
    void setWindowTitleText(const QString& title);
    // The ExtensionData dialog over a copy of block; the edited block, or nullopt when cancelled.
    [[nodiscard]] std::optional<core::TExtensionData> editExtensionData(const QString& fileName,
                                                                        const core::TExtensionData& block);
    // A double click on a command that names a PlayList or a menu page.
    void followTarget(const hdmv::FollowTarget& target);
    // A long operation starts or ends: Cancel is enabled while it runs, the progress bar shown.
    void longOperation(bool running);
    // Cancel alone, for runs without progress (a repeating animation).
    void setCancelEnabled(bool enabled);
    // A run of the emulator starts (trace switch, activation delay, cancel flag, Cancel) or ends
    // (the command line, the Start caption and the register fields show where it stopped).
    void beginRun();
    void endRun();
    void showRunState();
    // The menu's five navigation buttons.
    void setNavigationEnabled(bool enabled);
    // Once a PID extraction has run, Cancel asks before it stops anything.
    void setConfirmCancel() { m_confirmCancel = true; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildAboutTab();
    QWidget* buildBottomBar();
    void connectRunPanel();
    void discOpened(bool ok);

    static QSettings* openSettings();
    void PageControlChange();
    // The window-wide key handling; true when the key was taken.
    bool FormKeyDown(QKeyEvent* event);
    void syncOverlay(size_t which, bool fromOptions);

    // The run panel and the register fields.
    void traceDisplay(const hdmv::CommandList& program, int32_t line);
    void showRegisterValue(hdmv::RegisterKind kind);
    void registerNumberLeft(hdmv::RegisterKind kind);
    void registerValueLeft(hdmv::RegisterKind kind);
    void updateStartCaption();

    WindowReporter m_sink;
    session::Session m_session;
    QStringList m_arguments;
    bool m_started = false;
    bool m_filling = false;
    bool m_confirmCancel = false;
    TfExtDat* m_extDat = nullptr;
    std::function<int(TfExtDat&)> m_extDatRunner;
    std::function<Answer(const QString&, bool)> m_questionRunner;
    std::function<QString(const QString&, const QString&, bool)> m_fileRunner;
    std::function<void(const QString&)> m_openRunner;

    QTabWidget* m_tabs = nullptr;
    BdmvTab* m_bdmv = nullptr;
    PlayListTab* m_playListTab = nullptr;
    ClipInfTab* m_clipTab = nullptr;
    MenuTab* m_menuTab = nullptr;
    OptionsTab* m_options = nullptr;
    QTextEdit* m_log = nullptr;
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
    std::array<QPushButton*, 5> m_navButtons{};
    QPushButton* m_start = nullptr;
    QCheckBox* m_trace = nullptr;
    TIntEdit* m_programLine = nullptr;
    QComboBox* m_objectList = nullptr;
    TIntEdit* m_psrNo = nullptr;
    THexEdit* m_psrValue = nullptr;
    TIntEdit* m_gprNo = nullptr;
    THexEdit* m_gprValue = nullptr;
};

}  // namespace mirtal::ui
