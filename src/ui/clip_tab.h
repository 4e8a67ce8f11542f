#pragma once
// The CLIPINF tab: the clip selector and Read button, the stream file's name and size, the
// ProgramInfo grid of the session's clip information, the menu loader's "->" and Save PID.

#include "ig/extract.h"
#include "session/session.h"

#include <QWidget>

#include <filesystem>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace mirtal::ui {

class TfMain;

class ClipInfTab : public QWidget {
    Q_OBJECT
public:
    ClipInfTab(TfMain& frame, session::Session& session, QWidget* parent = nullptr);

    // A disc was opened (or failed to open): the selector lists its clips, nothing is read.
    void discOpened();
    void bReadCIClick();
    // Selects the clip in the selector (exact name, first match) and reads it; false when the
    // list has no such clip.
    bool showClip(const std::string& name);
    [[nodiscard]] QString selectedName() const;

    // Find: which PlayLists use the selected clip.
    void bFindClick();
    void sgCIClick(int row);
    void sgCIDblClick(int row);
    // "->": the selected row's IG stream goes to the Menu tab.
    void bLoadToMenuClick();
    // Save PID: the selected row's PID into the output folder, the window responsive and Cancel
    // enabled while it runs. A missing stream file or an unwritable output is an error line; a
    // click while a run is on does nothing.
    void bSavePESClick();
    // The output file Save PID writes for the selected row; empty without a selection.
    [[nodiscard]] QString savePidFile() const;

private:
    // What Save PID does with the selected row, decided before the run.
    struct PidRun {
        std::string clip;
        uint16_t pid = 0;
        ig::ExtractMode mode = ig::ExtractMode::Elementary;
        std::filesystem::path output;
    };

    void connectControls();
    [[nodiscard]] std::optional<size_t> currentStream() const;
    [[nodiscard]] std::optional<PidRun> pidRun() const;
    [[nodiscard]] std::filesystem::path outputFolder() const;
    void openStreamFile();

    TfMain& m_frame;
    session::Session& m_session;
    bool m_filling = false;
    bool m_saving = false;
    QComboBox* m_clipList = nullptr;
    QPushButton* m_read = nullptr;
    QLabel* m_streamName = nullptr;
    QLabel* m_streamSize = nullptr;
    QTableWidget* m_programs = nullptr;
    QPushButton* m_loadToMenu = nullptr;
    QPushButton* m_savePid = nullptr;
};

}  // namespace mirtal::ui
