// The PLAYLIST tab's actions: reading a PlayList into the session, the grids and the editors of
// streams, SubPaths, marks and AppInfoPlayList, chapter files, ExtensionData, Find.

#include "ui/playlist_tab.h"

#include "core/files.h"
#include "playlist/app_info.h"
#include "playlist/find.h"
#include "playlist/mark_edit.h"
#include "playlist/mpls_io.h"
#include "playlist/mpls_text.h"
#include "playlist/playlist_view.h"
#include "playlist/stn_edit.h"
#include "playlist/subpath_edit.h"
#include "ui/clip_tab.h"
#include "ui/grid.h"
#include "ui/main_window.h"
#include "ui/num_edit.h"

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

// Chapter files are a line per mark; anything larger is not one.
constexpr uint64_t kMaxChapterFileBytes = 1u << 20;

class Filling {
public:
    explicit Filling(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~Filling() { m_flag = m_was; }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

std::optional<size_t> rowOf(const QTableWidget* grid, size_t count)
{
    const int row = grid->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= count)
        return std::nullopt;
    return static_cast<size_t>(row);
}

void setListItem(QComboBox* list, int item)
{
    list->setCurrentIndex(item < list->count() ? item : -1);
}

}  // namespace

void PlayListTab::connectControls()
{
    connect(m_playList, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling)
            return;
        m_frame.updateSaveButton();
        if (m_frame.options().autoRead())
            bReadPLClick();
    });
    connect(m_readPlayList, &QPushButton::clicked, this, [this] { bReadPLClick(); });
    connect(m_extEdit, &QPushButton::clicked, this, &PlayListTab::bMExtDatEditClick);

    connect(m_items, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            sgPLitemClick(row);
    });
    connect(m_items, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        clipJump(playlist::playItemClip(m_model, static_cast<size_t>(std::max(0, row))));
    });
    connect(m_angles, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (const auto item = currentPlayItem())
            clipJump(playlist::angleClip(m_model, *item, static_cast<size_t>(std::max(0, row))));
    });
    connect(m_counts, &QTableWidget::cellClicked, this, [this](int, int column) { sgSTNClick(column); });
    connect(m_counts, &QTableWidget::currentCellChanged, this, [this](int, int column, int, int previous) {
        if (!m_filling && column != previous && column >= 0)
            sgSTNClick(column);
    });
    connect(m_streams, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            sgStreamEntryClick(row);
    });

    // The stream editors write the selected stream, then its row is redrawn.
    const auto selector = [this](QComboBox* list, bool (*edit)(playlist::TPLmpls&, size_t, int, size_t, size_t)) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, edit](int item) {
            if (!m_filling && item >= 0)
                streamEdited(edit, item);
        });
    };
    selector(m_entryType, &playlist::setEntryType);
    selector(m_video, &playlist::setVideoCoding);
    selector(m_resolution, &playlist::setVideoFormat);
    selector(m_frameRate, &playlist::setFrameRate);
    selector(m_audio, &playlist::setAudioCoding);
    selector(m_audioType, &playlist::setAudioFormat);
    selector(m_frequency, &playlist::setSampleRate);
    // The language is taken when the drop-down list closes on a choice.
    connect(m_language, &QComboBox::activated, this, [this] {
        if (!m_filling)
            streamTextEdited(&playlist::setLanguage, m_language->currentText().toStdString());
    });
    const auto field = [this](QLineEdit* edit, bool (*apply)(playlist::TPLmpls&, size_t, int, size_t, std::string_view)) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, apply] {
            if (!m_filling && edit->isModified()) {
                edit->setModified(false);
                streamTextEdited(apply, edit->text().toStdString());
            }
        });
    };
    field(m_mainPid, &playlist::setMainPid);
    field(m_subPid, &playlist::setSubPid);
    field(m_subPathId, &playlist::setSubPathId);
    field(m_subClipId, &playlist::setSubclipId);
    connect(m_stnIns, &QToolButton::clicked, this, &PlayListTab::bbSTNinsClick);
    connect(m_stnDel, &QToolButton::clicked, this, &PlayListTab::bbSTNdelClick);

    connect(m_subPaths, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            sgSubPathClick(row);
    });
    connect(m_subItems, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            sgSubPlayItemClick(row);
    });
    connect(m_subItems, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!m_filling)
            subPlayItemCellEdited(row, column);
    });
    connect(m_subItems, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (const auto sp = currentSubPath())
            clipJump(playlist::subPlayItemClip(m_model, *sp, static_cast<size_t>(std::max(0, row))));
    });
    connect(m_clipEntries, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const auto sp = currentSubPath();
        const int item = m_subItems->currentRow();
        if (sp && item >= 0)
            clipJump(playlist::clipEntryClip(m_model, *sp, static_cast<size_t>(item), static_cast<size_t>(std::max(0, row))));
    });
    connect(m_subPathType, &QComboBox::currentIndexChanged, this, [this](int item) {
        const auto sp = currentSubPath();
        if (m_filling || !sp || item < 0)
            return;
        playlist::setSubPathType(m_model, *sp, static_cast<uint8_t>(item));
        edited();
        setGridRow(m_subPaths, static_cast<int>(*sp), playlist::subPathRow(m_model.playList.subPaths[*sp], *sp));
        const auto state = playlist::selectSubPath(m_model, *sp);
        Filling filling(m_filling);
        if (state.typeHint)
            m_subPathType->setToolTip(QString::fromStdString(*state.typeHint));
        m_repeat->setEnabled(state.repeatEnabled);
        setListItem(m_repeat, state.repeatItem);
    });
    connect(m_repeat, &QComboBox::currentIndexChanged, this, [this](int item) {
        const auto sp = currentSubPath();
        if (m_filling || !sp || item < 0)
            return;
        playlist::setSubPathRepeat(m_model, *sp, static_cast<uint16_t>(item));
        edited();
        setGridRow(m_subPaths, static_cast<int>(*sp), playlist::subPathRow(m_model.playList.subPaths[*sp], *sp));
    });
    connect(m_spIns, &QToolButton::clicked, this, &PlayListTab::bbSPinsClick);
    connect(m_spDel, &QToolButton::clicked, this, &PlayListTab::bbSPdelClick);

    connect(m_marks, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            sgPlayListMarkClick(row);
    });
    connect(m_markType, &QComboBox::currentIndexChanged, this, [this](int item) {
        const auto mark = currentMark();
        if (m_filling || !mark || item < 0)
            return;
        playlist::setMarkType(m_model, *mark, static_cast<size_t>(item));
        edited();
        setGridRow(m_marks, static_cast<int>(*mark), playlist::markRow(m_model.marks.marks[*mark], *mark));
    });
    connect(m_markItem, &QLineEdit::editingFinished, this, [this] {
        const auto mark = currentMark();
        if (m_filling || !mark || !m_markItem->isModified())
            return;
        m_markItem->setModified(false);
        playlist::setMarkPlayItem(m_model, *mark, static_cast<uint16_t>(m_markItem->value()));
        edited();
        setGridRow(m_marks, static_cast<int>(*mark), playlist::markRow(m_model.marks.marks[*mark], *mark));
    });
    for (TIntEdit* part : {m_hour, m_minute, m_second, m_ms})
        connect(part, &QLineEdit::editingFinished, this, [this, part] {
            if (!m_filling && part->isModified()) {
                part->setModified(false);
                markTimeEdited();
            }
        });
    connect(m_markIns, &QToolButton::clicked, this, &PlayListTab::bbPLMinsClick);
    connect(m_markDel, &QToolButton::clicked, this, &PlayListTab::bbPLMdelClick);
    connect(m_loadChapters, &QPushButton::clicked, this, &PlayListTab::bLoadChaptersClick);
    connect(m_saveChapters, &QPushButton::clicked, this, &PlayListTab::bSaveChaptersClick);

    // AppInfoPlayList: every change goes into the model at once.
    connect(m_playbackType, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (!m_filling && m_session.playList.loaded && item >= 0) {
            playlist::setPlaybackType(m_model, static_cast<size_t>(item));
            edited();
        }
    });
    connect(m_playbackCount, &QLineEdit::textEdited, this, [this] {
        if (!m_filling && m_session.playList.loaded) {
            playlist::setPlaybackCount(m_model, m_playbackCount->value());
            edited();
        }
    });
    for (int word = 1; word <= 2; ++word) {
        THexEdit* mask = word == 1 ? m_mask1 : m_mask2;
        connect(mask, &QLineEdit::textEdited, this, [this, word, mask] {
            if (m_filling || !m_session.playList.loaded)
                return;
            playlist::setUoMaskWord(m_model, word, mask->text().toStdString());
            edited();
            showAppInfo();
        });
    }
    for (int bit = 0; bit < 32; ++bit)
        connect(m_uoBoxes[static_cast<size_t>(bit)], &QCheckBox::clicked, this, [this, bit](bool checked) {
            if (m_filling || !m_session.playList.loaded)
                return;
            playlist::setUoBit(m_model, bit, checked);
            edited();
            showAppInfo();
        });
    connect(m_uoBoxes[playlist::kPipPgBox], &QCheckBox::clicked, this, [this](bool checked) {
        if (m_filling || !m_session.playList.loaded)
            return;
        playlist::setPipPgUo(m_model, checked);
        edited();
        showAppInfo();
    });
    const playlist::AppInfoFlag kFlags[] = {playlist::AppInfoFlag::RandomAccess, playlist::AppInfoFlag::AudioMix,
                                            playlist::AppInfoFlag::BypassMixer};
    for (size_t i = 0; i < m_flags.size(); ++i)
        connect(m_flags[i], &QCheckBox::clicked, this, [this, flag = kFlags[i]](bool checked) {
            if (!m_filling && m_session.playList.loaded) {
                playlist::setAppInfoFlag(m_model, flag, checked);
                edited();
            }
        });
    // Enter ends an entry: the focus goes to the group box.
    auto* appInfo = findChild<QGroupBox*>(QStringLiteral("gbAppInfo"));
    appInfo->setFocusPolicy(Qt::ClickFocus);
    for (QLineEdit* edit : std::initializer_list<QLineEdit*>{m_playbackCount, m_mask1, m_mask2})
        connect(edit, &QLineEdit::returnPressed, this, [appInfo] { appInfo->setFocus(); });

    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        const auto sizes = m_splitter->sizes();
        m_playListHeight = sizes.value(0);
        m_subPathHeight = sizes.value(1);
        m_playListMarkHeight = sizes.value(2);
    });
    // SubPlayItem cells are typed into (F2 or a key); a double click jumps to the clip.
    m_subItems->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

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

void PlayListTab::showMarks(std::optional<size_t> select)
{
    const auto& marks = m_model.marks.marks;
    {
        Filling filling(m_filling);
        fillGrid(m_marks, playlist::markRows(m_model));
        if (!marks.empty())
            selectGridRow(m_marks, static_cast<int>(std::min(select.value_or(0), marks.size() - 1)));
    }
    sgPlayListMarkClick(marks.empty() ? -1 : m_marks->currentRow());
}

void PlayListTab::sgPlayListMarkClick(int row)
{
    if (row < 0)
        return;
    const auto state = playlist::markEditorState(m_model, static_cast<size_t>(row));
    if (!state)
        return;
    Filling filling(m_filling);
    setListItem(m_markType, state->typeItem);
    m_markItem->setValue(state->playItem);
    m_hour->setValue(state->time.hour);
    m_minute->setValue(state->time.minute);
    m_second->setValue(state->time.second);
    m_ms->setValue(state->time.millisecond);
}

void PlayListTab::markTimeEdited()
{
    const auto mark = currentMark();
    if (!mark)
        return;
    const auto parts = playlist::setMarkTime(
        m_model, *mark, {m_hour->value(), m_minute->value(), m_second->value(), m_ms->value()});
    if (!parts)
        return;
    edited();
    Filling filling(m_filling);
    m_hour->setValue(parts->hour);
    m_minute->setValue(parts->minute);
    m_second->setValue(parts->second);
    m_ms->setValue(parts->millisecond);
    setGridRow(m_marks, static_cast<int>(*mark), playlist::markRow(m_model.marks.marks[*mark], *mark));
}

void PlayListTab::bbPLMinsClick()
{
    if (!m_session.playList.loaded)
        return;
    int first = 0;
    int last = 0;
    const bool any = !m_model.marks.marks.empty() && selectedBlock(m_marks, first, last);
    const auto at = playlist::insertMark(m_model, any ? static_cast<size_t>(last) : 0);
    if (!at)
        return;
    edited();
    showMarks(*at);
    applyControls();
}

void PlayListTab::bbPLMdelClick()
{
    int first = 0;
    int last = 0;
    if (m_model.marks.marks.empty() || !selectedBlock(m_marks, first, last))
        return;
    const auto deletion = playlist::deleteMarks(m_model, static_cast<size_t>(first), static_cast<size_t>(last));
    if (deletion.removed == 0)
        return;
    edited();
    showMarks(deletion.selection);
    applyControls();
}

void PlayListTab::showAppInfo()
{
    const auto state = playlist::appInfoState(m_model);
    Filling filling(m_filling);
    setListItem(m_playbackType, state.playbackTypeItem);
    if (m_playbackCount->value() != state.playbackCount)
        m_playbackCount->setValue(state.playbackCount);
    // The editor being typed into keeps its text; the other shows the model's word.
    if (!m_mask1->hasFocus())
        m_mask1->setValue(state.mask1);
    if (!m_mask2->hasFocus())
        m_mask2->setValue(state.mask2);
    for (size_t i = 0; i < m_uoBoxes.size(); ++i) {
        m_uoBoxes[i]->setChecked(state.boxes[i]);
        m_uoBoxes[i]->setEnabled(true);
    }
    m_flags[0]->setChecked(state.randomAccess);
    m_flags[1]->setChecked(state.audioMix);
    m_flags[2]->setChecked(state.bypassMixer);
    for (QWidget* w : std::initializer_list<QWidget*>{m_playbackType, m_playbackCount, m_mask1, m_mask2, m_flags[0],
                                                      m_flags[1], m_flags[2]})
        w->setEnabled(true);
}

void PlayListTab::bMExtDatEditClick()
{
    if (!m_session.playList.loaded)
        return;
    const auto block = m_frame.editExtensionData(qs(m_session.playList.name) + QStringLiteral(".mpls"), m_model.extensionData);
    if (!block)
        return;
    playlist::commitPlayListExtensionData(m_model, *block);
    edited();
    m_extCaption->setText(qs(core::ExtDatCap(m_model.extensionData)));
}

QString PlayListTab::proposedChapterFile() const
{
    const auto format = static_cast<playlist::ChapterFormat>(m_frame.options().chapterFormat());
    QString folder = m_frame.options().workDir();
    if (folder.isEmpty())
        folder = QString::fromStdString(m_session.disc.bdmv.string());
    return QDir(folder).filePath(qs(playlist::chapterFileName(m_session.playList.name, format)));
}

void PlayListTab::bLoadChaptersClick()
{
    if (!m_session.playList.loaded)
        return;
    const QString file = m_frame.chooseFile(QStringLiteral("Open chapter file"), proposedChapterFile(),
                                            QStringLiteral("Text files (*.txt);;All files (*)"), false);
    if (!file.isEmpty())
        loadChapters(file);
}

void PlayListTab::bSaveChaptersClick()
{
    if (!m_session.playList.loaded)
        return;
    QString file = m_frame.chooseFile(QStringLiteral("Save chapter file"), proposedChapterFile(),
                                      QStringLiteral("Text files (*.txt);;All files (*)"), true);
    if (file.isEmpty())
        return;
    if (!file.contains(u'.', Qt::CaseSensitive) || QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".txt");
    saveChapters(file);
}

bool PlayListTab::loadChapters(const QString& file)
{
    std::vector<uint8_t> bytes;
    const auto read = core::readWholeFile(file.toStdString(), bytes, kMaxChapterFileBytes);
    if (!read.ok) {
        m_session.report.erlog("Cannot read " + file.toStdString() + ": " + read.error);
        return false;
    }
    const auto format = static_cast<playlist::ChapterFormat>(m_frame.options().chapterFormat());
    const std::string text(bytes.begin(), bytes.end());
    if (!playlist::importChapters(m_model, text, format, m_session.report))
        return false;
    edited();
    showMarks(0);
    applyControls();
    return true;
}

bool PlayListTab::saveChapters(const QString& file)
{
    const auto format = static_cast<playlist::ChapterFormat>(m_frame.options().chapterFormat());
    const auto text = playlist::exportChapters(m_model, format, m_session.report);
    if (!text)
        return false;
    const auto written = core::writeFileAtomic(file.toStdString(), std::vector<uint8_t>(text->begin(), text->end()));
    if (!written.ok) {
        m_session.report.erlog("Cannot write " + file.toStdString() + ": " + written.error);
        return false;
    }
    return true;
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
