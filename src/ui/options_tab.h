#pragma once
// The Options tab: backups, the output folder, Auto Read, the emulated player's region and
// country, the activation delay, the chapter format, the PID extraction options and the menu
// view's overlays and colours. Its values are kept with the other settings.

#include "core/backup_save.h"
#include "core/report.h"
#include "ig/menu_page.h"

#include <QColor>
#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;

namespace mirtal::ui {

class TIntEdit;
class THexEdit;

// The settings' colours, in the order of the settings table.
enum ColourSetting {
    kColBackground, kColObjectBackground, kColSelectedButton, kColSelectedFrame, kColNormalButton,
    kColNormalFrame, kColInvalidButton, kColInvalidFrame, kColWindow, kColourCount
};

// The overlay options: button id, object id, button frame, window frame.
constexpr size_t kOverlayCount = 4;

class OptionsTab : public QWidget {
    Q_OBJECT
public:
    explicit OptionsTab(core::Report& report, QWidget* parent = nullptr);

    [[nodiscard]] core::BackupOptions backupOptions() const;
    [[nodiscard]] bool autoRead() const;
    // The output folder as typed or chosen; empty when none is set.
    [[nodiscard]] QString workDir() const;
    [[nodiscard]] int region() const;
    [[nodiscard]] uint16_t countryCode() const;
    // 0 PTS, 1 Frame, 2 Time, 3 OGM, 4 Matroska XML, 5 FFmetadata (playlist::ChapterFormat).
    [[nodiscard]] int chapterFormat() const;
    [[nodiscard]] bool savePes() const;
    [[nodiscard]] bool saveSup() const;
    [[nodiscard]] int actiDelayMs() const;
    [[nodiscard]] QColor colour(ColourSetting which) const { return m_colours[which]; }
    [[nodiscard]] QCheckBox* overlayBox(size_t which) const { return m_overlayOptions[which]; }
    void setColour(ColourSetting which, const QColor& colour);
    // The menu page's colours and overlays as the tab sets them.
    [[nodiscard]] ig::MenuOptions menuOptions() const;

    // The tab's values of the settings, read at start-up and written on close.
    void readSettings(QSettings& s);
    void writeSettings(QSettings& s) const;

signals:
    // A colour was chosen or read from the settings.
    void coloursChanged();

private:
    void updateCountryLabel();
    void applyColourSwatches();

    core::Report& m_report;
    std::array<QColor, kColourCount> m_colours;
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
    std::array<QCheckBox*, kOverlayCount> m_overlayOptions{};
    QCheckBox* m_forcedBeep = nullptr;
    std::array<QPushButton*, kColourCount> m_colourButtons{};
};

// The Status tab: the message log and the register listings.
class StatusTab : public QWidget {
    Q_OBJECT
public:
    // log: the log view, made before the tabs so that the reporter writes into it from the start.
    StatusTab(QWidget* log, QWidget* parent = nullptr);

signals:
    void bClearClick();
    void bPSRsClick();
    void bGPRsClick();
    void bResetRegsClick();
};

}  // namespace mirtal::ui
