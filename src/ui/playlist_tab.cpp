// The PLAYLIST tab's actions: reading a PlayList into the session, the grids and the editors of
// streams, SubPaths, marks and AppInfoPlayList, chapter files, ExtensionData, Find.

#include "ui/playlist_tab.h"

#include "core/files.h"
#include "playlist/app_info.h"
#include "playlist/find.h"
#include "playlist/mark_edit.h"
#include "playlist/mpls_io.h"
#include "playlist/mpls_text.h"
#include "playlist/overview.h"
#include "playlist/playlist_view.h"
#include "playlist/stn_edit.h"
#include "playlist/subpath_edit.h"
#include "ui/clip_tab.h"
#include "ui/grid.h"
#include "ui/main_window.h"
#include "ui/num_edit.h"
#include "ui/overview_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

namespace mirtal::ui {

namespace {

std::optional<size_t> rowOf(const QTableWidget* grid, size_t count)
{
    const int row = grid->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= count)
        return std::nullopt;
    return static_cast<size_t>(row);
}

}  // namespace

void PlayListTab::readSettings(QSettings& s)
{
    const auto readInt = [&s](const char* name, int& value) {
        if (s.contains(QLatin1String(name)))
            value = s.value(QLatin1String(name)).toInt();
    };
    readInt("PlayListHeight", m_playListHeight);
    readInt("SubPathHeight", m_subPathHeight);
    readInt("PlayListMarkHeight", m_playListMarkHeight);
    m_splitter->setSizes({m_playListHeight, m_subPathHeight, m_playListMarkHeight});
}

void PlayListTab::writeSettings(QSettings& s) const
{
    s.setValue(QStringLiteral("PlayListHeight"), m_playListHeight);
    s.setValue(QStringLiteral("SubPathHeight"), m_subPathHeight);
    s.setValue(QStringLiteral("PlayListMarkHeight"), m_playListMarkHeight);
}

bool PlayListTab::gridKey(QObject* watched, QKeyEvent* key)
{
    const bool insert = key->key() == Qt::Key_Insert;
    const bool remove = key->key() == Qt::Key_Delete;
    if (watched == m_streams && (insert || remove)) {
        insert ? bbSTNinsClick() : bbSTNdelClick();
        return true;
    }
    if (watched == m_subPaths && (insert || remove)) {
        insert ? bbSPinsClick() : bbSPdelClick();
        return true;
    }
    if (watched == m_marks) {
        if (insert || remove) {
            insert ? bbPLMinsClick() : bbPLMdelClick();
            return true;
        }
        if (key->key() == Qt::Key_A && (key->modifiers() & Qt::ControlModifier) && !m_model.marks.marks.empty()) {
            m_marks->setRangeSelected(QTableWidgetSelectionRange(0, 1, m_marks->rowCount() - 1, m_marks->columnCount() - 1),
                                      true);
            return true;
        }
    }
    return false;
}

QString PlayListTab::selectedName() const
{
    return m_playList->currentText();
}

void PlayListTab::discOpened()
{
    {
        Filling filling(m_filling);
        m_playList->clear();
        for (const auto& name : m_session.disc.playlists)
            m_playList->addItem(qs(name));
    }
    resetViews();
    const bool any = m_playList->count() > 0;
    m_playList->setEnabled(any);
    m_readPlayList->setEnabled(any);
    m_overviewButton->setEnabled(any);
    if (m_overview)
        m_overview->close();    // it showed the previous disc
}

void PlayListTab::bOverviewClick()
{
    const int errors = m_frame.sink().errorCount();
    const auto overview = playlist::discOverview(m_session.disc, m_session.report);
    for (const auto& note : playlist::walkNotes(overview))
        m_session.report.log(note);
    if (!m_overview) {
        m_overview = new TfOverview(this);
        m_overview->setWindowFlag(Qt::Window);
        m_overview->onChoose = [this](const std::string& name) { followPlayList(name, std::nullopt); };
    }
    m_overview->showOverview(overview, m_session.playList.name);
    m_overview->show();
    m_overview->raise();
    m_overview->activateWindow();
    m_frame.sink().showLastErrorSince(errors);
}

void PlayListTab::resetViews()
{
    Filling filling(m_filling);
    for (QTableWidget* grid : {m_items, m_angles, m_subPaths, m_subItems, m_clipEntries, m_marks, m_streams})
        ResetSG(grid);
    m_angles->hide();
    m_clipEntries->hide();
    m_counts->setEnabled(false);
    for (int c = 0; c < m_counts->columnCount(); ++c)
        if (auto* item = m_counts->item(0, c))
            item->setText(QString());
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_subPathType, m_repeat, m_spIns, m_spDel, m_markType, m_markItem, m_hour, m_minute, m_second, m_ms,
             m_markIns, m_markDel, m_loadChapters, m_saveChapters, m_stnIns, m_stnDel, m_extEdit, m_extCaption,
             m_playbackType, m_playbackCount, m_mask1, m_mask2})
        w->setEnabled(false);
    for (QCheckBox* box : m_uoBoxes)
        box->setEnabled(false);
    for (QCheckBox* box : m_flags)
        box->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{m_entryType, m_mainPid, m_subPathId, m_subClipId, m_subPid, m_video,
                                                      m_resolution, m_frameRate, m_audio, m_audioType, m_frequency,
                                                      m_language})
        w->setEnabled(false);
    m_extCaption->setText(QStringLiteral("None"));
}

void PlayListTab::edited()
{
    m_session.playListEdited();
}

bool PlayListTab::confirmDiscard()
{
    if (!m_session.hasUnsavedPlayList())
        return true;
    const QString file = qs(m_session.playList.name) + QStringLiteral(".mpls");
    switch (m_frame.ask(QStringLiteral("PlayList ") + file + QStringLiteral(" has unsaved changes. Save them?"), true)) {
    case TfMain::Answer::Yes: {
        const int errors = m_frame.sink().errorCount();
        const bool saved = m_session.savePlayList(m_frame.backupOptions()) == core::SaveOutcome::Saved;
        m_frame.sink().showLastErrorSince(errors);
        return saved;
    }
    case TfMain::Answer::No:
        // The edits are given up: whatever replaces the PlayList next, nothing asks again.
        m_session.playList.edited = false;
        return true;
    case TfMain::Answer::Cancel:
        break;
    }
    return false;
}

bool PlayListTab::bReadPLClick()
{
    const std::string name = m_playList->currentText().toStdString();
    const auto backToLoaded = [this] {
        // The selector names the PlayList on show, so Save and its hint mean that one.
        Filling filling(m_filling);
        const int i = m_playList->findText(qs(m_session.playList.name), Qt::MatchExactly | Qt::MatchCaseSensitive);
        m_playList->setCurrentIndex(m_session.playList.loaded ? i : -1);
        m_frame.updateSaveButton();
    };
    if (name.empty())
        return false;
    if (!confirmDiscard()) {
        backToLoaded();
        return false;
    }
    const int errors = m_frame.sink().errorCount();
    const bool ok = m_session.readPlayList(name);
    if (ok)
        showPlayList();
    else if (m_session.playList.loaded)
        backToLoaded();
    else
        resetViews();
    m_playList->setFocus();
    m_frame.updateSaveButton();
    m_frame.sink().showLastErrorSince(errors);
    return ok;
}

bool PlayListTab::followPlayList(const std::string& name, std::optional<uint32_t> playItem)
{
    const int i = m_playList->findText(qs(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0)
        return false;
    {
        Filling filling(m_filling);
        m_playList->setCurrentIndex(i);
    }
    if (bReadPLClick() && playItem && *playItem < m_model.playList.playItems.size()) {
        selectGridRow(m_items, static_cast<int>(*playItem));
        sgPLitemClick(static_cast<int>(*playItem));
    }
    return true;
}

void PlayListTab::showPlayList()
{
    resetViews();
    {
        Filling filling(m_filling);
        fillGrid(m_items, playlist::playItemRows(m_model));
        m_extCaption->setText(qs(core::ExtDatCap(m_model.extensionData)));
        m_extCaption->setEnabled(true);
        m_extEdit->setEnabled(true);
    }
    if (!m_model.playList.playItems.empty()) {
        Filling filling(m_filling);
        selectGridRow(m_items, 0);
    }
    sgPLitemClick(0);
    showSubPaths(0);
    showMarks(0);
    showAppInfo();
    applyControls();
}

void PlayListTab::applyControls()
{
    const auto controls = playlist::playListControls(m_model);
    m_spIns->setEnabled(controls.subPathInsert);
    m_spDel->setEnabled(controls.subPathDelete);
    for (QWidget* w : std::initializer_list<QWidget*>{m_markIns, m_markDel, m_loadChapters, m_saveChapters})
        w->setEnabled(controls.markList);
    m_marks->setEnabled(controls.markEditors || controls.markList);
    for (QWidget* w : std::initializer_list<QWidget*>{m_markType, m_markItem, m_hour, m_minute, m_second, m_ms})
        w->setEnabled(controls.markEditors);
    m_frame.updateSaveButton();
}

std::optional<size_t> PlayListTab::currentPlayItem() const
{
    return rowOf(m_items, m_model.playList.playItems.size());
}

std::optional<size_t> PlayListTab::currentSubPath() const
{
    return rowOf(m_subPaths, m_model.playList.subPaths.size());
}

std::optional<size_t> PlayListTab::currentMark() const
{
    return rowOf(m_marks, m_model.marks.marks.size());
}

std::optional<size_t> PlayListTab::currentStreamRow() const
{
    const auto item = currentPlayItem();
    if (!item)
        return std::nullopt;
    return rowOf(m_streams, playlist::streamListCount(m_model.playList.playItems[*item].stn, m_list));
}

void PlayListTab::sgPLitemClick(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= m_model.playList.playItems.size())
        return;
    const auto selection = playlist::selectPlayItem(m_model, static_cast<size_t>(row));
    {
        Filling filling(m_filling);
        setGridRow(m_counts, 0, selection.counts);
        m_counts->setEnabled(true);
        m_counts->setCurrentCell(0, m_list);
        if (selection.showAngles) {
            fillGrid(m_angles, selection.angleRows);
            m_angles->show();
        } else {
            ResetSG(m_angles);
            m_angles->hide();
        }
    }
    showStreams(0);
}

void PlayListTab::sgSTNClick(int list)
{
    if (list < 0 || list >= playlist::kListCount)
        return;
    m_list = list;
    showStreams(0);
}

void PlayListTab::showStreams(std::optional<size_t> select)
{
    const auto item = currentPlayItem();
    if (!item)
        return;
    const auto selection = playlist::selectStreamList(m_model, *item, m_list);
    {
        Filling filling(m_filling);
        fillGrid(m_streams, selection.rows);
        m_stnIns->setEnabled(selection.buttons.insert);
        m_stnDel->setEnabled(selection.buttons.remove);
        if (!selection.rows.empty())
            selectGridRow(m_streams, static_cast<int>(std::min(select.value_or(0), selection.rows.size() - 1)));
    }
    sgStreamEntryClick(m_streams->currentRow());
}

void PlayListTab::sgStreamEntryClick(int row)
{
    const auto item = currentPlayItem();
    const auto state = item && row >= 0 ? playlist::streamEditorState(m_model, *item, m_list, static_cast<size_t>(row))
                                        : playlist::StreamEditorState{};
    Filling filling(m_filling);
    using playlist::StreamEditors;
    const bool video = state.visible && state.editors == StreamEditors::Video;
    const bool audio = state.visible && state.editors == StreamEditors::Audio;
    const bool language = state.visible && (audio || state.editors == StreamEditors::Language);
    m_entryType->setVisible(state.visible);
    m_entryType->setEnabled(state.visible);
    setListItem(m_entryType, state.entryTypeItem);
    const auto showField = [](QWidget* w, bool on) {
        w->setVisible(on);
        w->setEnabled(on);
    };
    showField(m_mainPid, state.visible && state.showsMainPid);
    showField(m_subPathId, state.visible && state.showsSubPathId);
    showField(m_subClipId, state.visible && state.showsSubclipId);
    showField(m_subPid, state.visible && state.showsSubPid);
    m_mainPid->setValue(state.mainPid);
    m_subPid->setValue(state.subPid);
    m_subPathId->setValue(state.subPathId);
    m_subClipId->setValue(state.subclipId);
    for (QComboBox* list : {m_video, m_resolution, m_frameRate})
        showField(list, video);
    for (QComboBox* list : {m_audio, m_audioType, m_frequency})
        showField(list, audio);
    showField(m_language, language);
    setListItem(m_video, state.videoCodingItem);
    setListItem(m_resolution, state.videoFormatItem);
    setListItem(m_frameRate, state.frameRateItem);
    setListItem(m_audio, state.audioCodingItem);
    setListItem(m_audioType, state.audioFormatItem);
    setListItem(m_frequency, state.sampleRateItem);
    setListItem(m_language, state.languageItem);
    if (state.entryTypeHint)
        m_entryType->setToolTip(qs(*state.entryTypeHint));
    if (state.videoCodingHint)
        m_video->setToolTip(qs(*state.videoCodingHint));
    if (state.audioCodingHint)
        m_audio->setToolTip(qs(*state.audioCodingHint));
    if (state.audioFormatHint)
        m_audioType->setToolTip(qs(*state.audioFormatHint));
}

void PlayListTab::streamEdited(bool (*edit)(playlist::TPLmpls&, size_t, int, size_t, size_t), int item)
{
    const auto playItem = currentPlayItem();
    const auto row = currentStreamRow();
    if (!playItem || !row || !edit(m_model, *playItem, m_list, *row, static_cast<size_t>(item)))
        return;
    edited();
    showStreams(*row);
}

void PlayListTab::streamTextEdited(bool (*edit)(playlist::TPLmpls&, size_t, int, size_t, std::string_view),
                                   const std::string& text)
{
    const auto playItem = currentPlayItem();
    const auto row = currentStreamRow();
    if (!playItem || !row || !edit(m_model, *playItem, m_list, *row, text))
        return;
    edited();
    showStreams(*row);
}

void PlayListTab::redrawPlayItemRow(size_t item)
{
    Filling filling(m_filling);
    setGridRow(m_counts, 0, playlist::selectPlayItem(m_model, item).counts);
}

void PlayListTab::bbSTNinsClick()
{
    const auto item = currentPlayItem();
    if (!item)
        return;
    const size_t selected = currentStreamRow().value_or(0);
    const auto row = playlist::insertStream(m_model, *item, m_list, selected);
    if (!row)
        return;
    edited();
    redrawPlayItemRow(*item);
    showStreams(*row);
}

void PlayListTab::bbSTNdelClick()
{
    const auto item = currentPlayItem();
    const auto row = currentStreamRow();
    if (!item || !row)
        return;
    const auto deletion = playlist::deleteStream(m_model, *item, m_list, *row);
    if (!deletion.deleted)
        return;
    edited();
    redrawPlayItemRow(*item);
    showStreams(deletion.selection);
}

void PlayListTab::showSubPaths(std::optional<size_t> select)
{
    const auto& subPaths = m_model.playList.subPaths;
    {
        Filling filling(m_filling);
        fillGrid(m_subPaths, playlist::subPathRows(m_model));
        if (!subPaths.empty() && select)
            selectGridRow(m_subPaths, static_cast<int>(std::min(*select, subPaths.size() - 1)));
    }
    sgSubPathClick(subPaths.empty() || !select ? -1 : m_subPaths->currentRow());
}

void PlayListTab::sgSubPathClick(int row)
{
    const auto state = row >= 0 ? playlist::selectSubPath(m_model, static_cast<size_t>(row)) : playlist::SubPathSelection{};
    {
        Filling filling(m_filling);
        m_subPathType->setEnabled(state.typeEnabled);
        setListItem(m_subPathType, state.typeItem);
        if (state.typeHint)
            m_subPathType->setToolTip(qs(*state.typeHint));
        m_repeat->setEnabled(state.repeatEnabled);
        setListItem(m_repeat, state.repeatItem);
        fillGrid(m_subItems, state.subPlayItemRows);
        // The SubPlayItem cells that take an edit are typed into; the others only show.
        for (int r = 0; r < m_subItems->rowCount() && !state.subPlayItemRows.empty(); ++r)
            for (int c : {1, 3, 6, 7})
                if (auto* cell = m_subItems->item(r, c))
                    cell->setFlags(cell->flags() | Qt::ItemIsEditable);
        if (!state.subPlayItemRows.empty())
            selectGridRow(m_subItems, 0);
    }
    sgSubPlayItemClick(state.subPlayItemRows.empty() ? -1 : 0);
}

void PlayListTab::sgSubPlayItemClick(int row)
{
    const auto sp = currentSubPath();
    const auto state = sp && row >= 0 ? playlist::selectSubPlayItem(m_model, *sp, static_cast<size_t>(row))
                                      : playlist::SubPlayItemSelection{};
    Filling filling(m_filling);
    if (state.showClipEntries) {
        fillGrid(m_clipEntries, state.clipEntryRows);
        m_clipEntries->show();
    } else {
        ResetSG(m_clipEntries);
        m_clipEntries->hide();
    }
}

void PlayListTab::subPlayItemCellEdited(int row, int column)
{
    const auto sp = currentSubPath();
    if (!sp || row < 0 || static_cast<size_t>(row) >= m_model.playList.subPaths[*sp].subPlayItems.size())
        return;
    const auto* cell = m_subItems->item(row, column);
    if (cell != nullptr &&
        playlist::editSubPlayItemCell(m_model, *sp, static_cast<size_t>(row), column, cell->text().toStdString()))
        edited();
    // The row shows what the model took (a refused edit shows the old value again).
    Filling filling(m_filling);
    const auto& item = m_model.playList.subPaths[*sp].subPlayItems[static_cast<size_t>(row)];
    setGridRow(m_subItems, row, playlist::subPlayItemRow(item, static_cast<size_t>(row)));
}

void PlayListTab::bbSPinsClick()
{
    if (!m_session.playList.loaded)
        return;
    const auto at = playlist::insertSubPath(m_model, currentSubPath().value_or(0));
    if (!at)
        return;
    edited();
    showSubPaths(*at);
    applyControls();
}

void PlayListTab::bbSPdelClick()
{
    const auto sp = currentSubPath();
    if (!sp)
        return;
    const auto deletion = playlist::deleteSubPath(m_model, *sp);
    if (!deletion.deleted)
        return;
    edited();
    showSubPaths(deletion.selection);
    applyControls();
}

void PlayListTab::bFindClick()
{
    const std::string name = m_playList->currentText().toStdString();
    if (!name.empty())
        (void)playlist::findPlayList(m_session.disc.movieObjects, name, m_session.report);
}

void PlayListTab::clipJump(const std::optional<std::string>& clip)
{
    if (!clip)
        return;
    m_frame.showTab(TfMain::kTabClipInf);
    if (!m_frame.clipTab().showClip(*clip))
        m_session.report.log("Clip " + *clip + " is not in the clip list.");
}

}  // namespace mirtal::ui
