#pragma once
// The PLAYLIST tab: a view over the session's loaded PlayList. The selector and Read button, the
// PlayItems with their stream tables and angles, the SubPaths with their SubPlayItems and clip
// entries, the marks with their editors and the chapter files, AppInfoPlayList and the
// ExtensionData. Every edit is a library call on the model, then a redraw of what it changed.

#include "session/session.h"

#include <QWidget>

#include <array>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSettings;
class QSplitter;
class QTableWidget;
class QToolButton;

namespace mirtal::ui {

class TfMain;
class TfOverview;
class TIntEdit;
class THexEdit;

class PlayListTab : public QWidget {
    Q_OBJECT
public:
    PlayListTab(TfMain& frame, session::Session& session, QWidget* parent = nullptr);

    // A disc was opened (or failed to open): the selector lists its PlayLists, nothing is read.
    void discOpened();
    // Reads the PlayList selected in the selector (the Read button). False when the read was
    // given up (unsaved edits kept at the user's word) or failed.
    bool bReadPLClick();
    // Selects name in the selector and reads it, whatever "Auto Read" says; then selects the
    // PlayItem row when one is given. False when the list has no such PlayList.
    bool followPlayList(const std::string& name, std::optional<uint32_t> playItem);
    [[nodiscard]] QString selectedName() const;
    void showPlayList();
    // Before the loaded PlayList is replaced or the window closes: with unsaved edits, asks
    // once whether to save them (Save / Discard / Cancel). False: keep it, stop what was asked.
    [[nodiscard]] bool confirmDiscard();
    // Find: which movie-object commands play the selected PlayList.
    void bFindClick();
    // Overview: reads every PlayList of the disc once and shows the overview dialog (fOverview);
    // a row chosen there is followed like a PlayList named by a command.
    void bOverviewClick();

    void bMExtDatEditClick();
    void bbSTNinsClick();
    void bbSTNdelClick();
    void bbSPinsClick();
    void bbSPdelClick();
    void bbPLMinsClick();
    void bbPLMdelClick();
    void bLoadChaptersClick();
    void bSaveChaptersClick();
    // Load and save chapters with the file already chosen (the dialogs' second half).
    bool loadChapters(const QString& file);
    bool saveChapters(const QString& file);
    // The proposed chapter file: the folder and name the dialogs start with.
    [[nodiscard]] QString proposedChapterFile() const;

    void readSettings(QSettings& s);
    void writeSettings(QSettings& s) const;
    // Keys of the stream, SubPath and mark grids; true when the key was taken.
    bool gridKey(QObject* watched, class QKeyEvent* key);

private:
    void buildControls();
    QWidget* buildStreamGroup();
    QWidget* buildAppInfoGroup();
    void connectControls();
    void resetViews();
    void edited();

    // The grids and the editors they fill.
    void sgPLitemClick(int row);
    void sgSTNClick(int list);
    void sgStreamEntryClick(int row);
    void sgSubPathClick(int row);
    void sgSubPlayItemClick(int row);
    void sgPlayListMarkClick(int row);
    void showStreams(std::optional<size_t> select);
    void showSubPaths(std::optional<size_t> select);
    void showMarks(std::optional<size_t> select);
    void showAppInfo();
    void applyControls();
    void redrawPlayItemRow(size_t item);
    [[nodiscard]] std::optional<size_t> currentPlayItem() const;
    [[nodiscard]] std::optional<size_t> currentSubPath() const;
    [[nodiscard]] std::optional<size_t> currentStreamRow() const;
    [[nodiscard]] std::optional<size_t> currentMark() const;
    void streamEdited(bool (*edit)(playlist::TPLmpls&, size_t, int, size_t, size_t), int item);
    void streamTextEdited(bool (*edit)(playlist::TPLmpls&, size_t, int, size_t, std::string_view),
                          const std::string& text);
    void markTimeEdited();
    void subPlayItemCellEdited(int row, int column);
    void clipJump(const std::optional<std::string>& clip);

    TfMain& m_frame;
    session::Session& m_session;
    playlist::TPLmpls& m_model;
    bool m_filling = false;
    int m_list = 0;    // the stream list shown (column of the count grid)
    int m_playListHeight = 176;
    int m_subPathHeight = 87;
    int m_playListMarkHeight = 160;

    QComboBox* m_playList = nullptr;
    QPushButton* m_readPlayList = nullptr;
    QPushButton* m_overviewButton = nullptr;
    TfOverview* m_overview = nullptr;
    QLabel* m_extCaption = nullptr;
    QPushButton* m_extEdit = nullptr;
    QSplitter* m_splitter = nullptr;
    QTableWidget* m_items = nullptr;
    QTableWidget* m_angles = nullptr;
    QTableWidget* m_subPaths = nullptr;
    QComboBox* m_subPathType = nullptr;
    QComboBox* m_repeat = nullptr;
    QToolButton* m_spIns = nullptr;
    QToolButton* m_spDel = nullptr;
    QTableWidget* m_subItems = nullptr;
    QTableWidget* m_clipEntries = nullptr;
    QTableWidget* m_marks = nullptr;
    QComboBox* m_markType = nullptr;
    TIntEdit* m_markItem = nullptr;
    TIntEdit* m_hour = nullptr;
    TIntEdit* m_minute = nullptr;
    TIntEdit* m_second = nullptr;
    TIntEdit* m_ms = nullptr;
    QToolButton* m_markIns = nullptr;
    QToolButton* m_markDel = nullptr;
    QPushButton* m_loadChapters = nullptr;
    QPushButton* m_saveChapters = nullptr;

    QTableWidget* m_counts = nullptr;
    QTableWidget* m_streams = nullptr;
    QComboBox* m_entryType = nullptr;
    THexEdit* m_mainPid = nullptr;
    TIntEdit* m_subPathId = nullptr;
    TIntEdit* m_subClipId = nullptr;
    THexEdit* m_subPid = nullptr;
    QToolButton* m_stnIns = nullptr;
    QToolButton* m_stnDel = nullptr;
    QComboBox* m_video = nullptr;
    QComboBox* m_resolution = nullptr;
    QComboBox* m_frameRate = nullptr;
    QComboBox* m_audio = nullptr;
    QComboBox* m_audioType = nullptr;
    QComboBox* m_frequency = nullptr;
    QComboBox* m_language = nullptr;

    QComboBox* m_playbackType = nullptr;
    TIntEdit* m_playbackCount = nullptr;
    THexEdit* m_mask1 = nullptr;
    THexEdit* m_mask2 = nullptr;
    std::array<QCheckBox*, 33> m_uoBoxes{};    // 0-31 the first word's bits, 32 the PiP PG box
    std::array<QCheckBox*, 3> m_flags{};       // random access, audio mix, bypass mixer
};

}  // namespace mirtal::ui
