// The PLAYLIST tab's controls (the selector, the PlayItems, stream, SubPath and mark groups,
// AppInfoPlayList) and the wiring of their signals to the tab's handlers.

#include "playlist/app_info.h"
#include "playlist/clpi.h"
#include "playlist/mpls_text.h"
#include "playlist/vocabulary.h"
#include "playlist/playlist_view.h"
#include "playlist/stn_edit.h"
#include "playlist/subpath_edit.h"
#include "playlist/mark_edit.h"
#include "ui/grid.h"
#include "ui/main_window.h"
#include "ui/playlist_tab.h"
#include "ui/num_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace mirtal::ui {


PlayListTab::PlayListTab(TfMain& frame, session::Session& session, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_session(session), m_model(session.playList.model)
{
    setObjectName(QStringLiteral("tsPLAYLIST"));

    m_playList = makeList(QStringLiteral("cbPlaylist"), QStringLiteral("PlayList"), {}, 84);
    m_readPlayList = textButton(QStringLiteral("bReadPL"), QStringLiteral("Read"), QStringLiteral("Read the PlayList"));
    m_overviewButton = textButton(QStringLiteral("bOverview"), QStringLiteral("Overview…"),
                                  QStringLiteral("Every PlayList of the disc and who plays it"));
    m_extCaption = new QLabel(QStringLiteral("None"));
    m_extCaption->setObjectName(QStringLiteral("lPLExtDatCap"));
    m_extEdit = textButton(QStringLiteral("bMExtDatEdit"), QStringLiteral("Edit"),
                               QStringLiteral("Edit the ExtensionData() of the PlayList"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("PlayList:")));
    top->addWidget(m_playList);
    top->addWidget(m_readPlayList);
    top->addWidget(m_overviewButton);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("ExtensionData():")));
    top->addWidget(m_extCaption, 1);
    top->addWidget(m_extEdit);

    // PlayItems, with the angles of a multi-angle PlayItem beside them.
    auto* playListGroup = group(QStringLiteral("gbPlayList"), QStringLiteral("PlayList"));
    playListGroup->setMinimumHeight(158);
    m_items = captionGrid(QStringLiteral("sgPLitem"), playlist::playItemCaptions(), {30, 44, 40, 84, 84, 84, 70, 70, 26},
                              QStringLiteral("PlayItems (Double click to show the clip information)"));
    m_angles = captionGrid(QStringLiteral("sgPIangles"), playlist::angleCaptions(), {24, 44, 40, 30},
                               QStringLiteral("Angles"));
    m_angles->setFixedWidth(160);
    m_angles->hide();
    auto* playListLayout = new QHBoxLayout(playListGroup);
    playListLayout->setContentsMargins(6, 4, 6, 4);
    playListLayout->addWidget(m_items, 1);
    playListLayout->addWidget(m_angles);

    // SubPaths and their SubPlayItems, with the clip entries of a multi-clip SubPlayItem.
    auto* subPathGroup = group(QStringLiteral("gbSubPath"), QStringLiteral("SubPath"));
    subPathGroup->setMinimumHeight(62);
    m_subPaths = captionGrid(QStringLiteral("sgSubPath"), playlist::subPathCaptions(), {30, 70, 50, 36},
                                 QStringLiteral("SubPaths"));
    m_subPaths->setFixedWidth(200);
    m_subPathType = makeList(QStringLiteral("cbSubPathType"), QStringLiteral("reserved"),
                          listItems(playlist::subPathTypeItems()), 92);
    m_repeat = makeList(QStringLiteral("cbSPrepeat"), QStringLiteral("Repeat"),
                            {QStringLiteral("No"), QStringLiteral("Yes")}, 92);
    m_spIns = makeGlyphButton(QStringLiteral("bbSPins"), QStringLiteral("+"), QStringLiteral("Insert a SubPath"));
    m_spDel = makeGlyphButton(QStringLiteral("bbSPdel"), QStringLiteral("-"), QStringLiteral("Delete the SubPath"));
    m_spIns->setEnabled(false);
    m_spDel->setEnabled(false);
    m_subItems = captionGrid(QStringLiteral("sgSubPlayItem"), playlist::subPlayItemCaptions(),
                                 {30, 44, 40, 36, 40, 32, 84, 84, 50, 84, 26},
                                 QStringLiteral("SubPlayItems (Double click to show the clip information)"));
    m_clipEntries = captionGrid(QStringLiteral("sgAngles"), playlist::clipEntryCaptions(), {24, 44, 40, 30},
                                    QStringLiteral("Clip entries"));
    m_clipEntries->setFixedWidth(160);
    m_clipEntries->hide();
    auto* subPathEditors = new QVBoxLayout;
    subPathEditors->setSpacing(2);
    subPathEditors->addWidget(m_subPathType);
    subPathEditors->addWidget(m_repeat);
    subPathEditors->addLayout(row({m_spIns, m_spDel}));
    subPathEditors->addStretch(1);
    auto* subPathLayout = new QHBoxLayout(subPathGroup);
    subPathLayout->setContentsMargins(6, 4, 6, 4);
    subPathLayout->addWidget(m_subPaths);
    subPathLayout->addLayout(subPathEditors);
    subPathLayout->addWidget(m_subItems, 1);
    subPathLayout->addWidget(m_clipEntries);

    // Marks: grid, the editors of the selected mark and the chapter files.
    auto* markPanel = new QWidget;
    markPanel->setObjectName(QStringLiteral("pnlPlayListMark"));
    markPanel->setMinimumHeight(95);
    auto* markGroup = group(QStringLiteral("gbPlayListMark"), QStringLiteral("PlayListMark"));
    m_marks = captionGrid(QStringLiteral("sgPlayListMark"), playlist::markCaptions(), {34, 74, 34, 84, 64, 70},
                              QStringLiteral("PlayListMarks"));
    m_markType = makeList(QStringLiteral("cmPLMtype"), QStringLiteral("Mark type"),
                              {QStringLiteral("entry-mark"), QStringLiteral("link point")}, 92);
    m_markItem = intField(QStringLiteral("iePLMPI"), QStringLiteral("PlayItem"), 3);
    m_hour = intField(QStringLiteral("iePLMhour"), QStringLiteral("Hour"), 2);
    m_minute = intField(QStringLiteral("iePLMmin"), QStringLiteral("Minute"), 2);
    m_second = intField(QStringLiteral("iePLMsec"), QStringLiteral("Second"), 2);
    m_ms = intField(QStringLiteral("iePLMms"), QStringLiteral("Millisecond"), 3);
    m_markIns = makeGlyphButton(QStringLiteral("bbPLMins"), QStringLiteral("+"), QStringLiteral("Insert a mark"));
    m_markDel = makeGlyphButton(QStringLiteral("bbPLMdel"), QStringLiteral("-"), QStringLiteral("Delete the selected mark(s)"));
    m_markIns->setEnabled(false);
    m_markDel->setEnabled(false);
    m_loadChapters = textButton(QStringLiteral("bLoadChapters"), QStringLiteral("Load chapters"),
                                    QStringLiteral("Open chapter file"));
    m_saveChapters = textButton(QStringLiteral("bSaveChapters"), QStringLiteral("Save chapters"),
                                    QStringLiteral("Save chapter file"));
    auto* markEditors = new QGridLayout;
    markEditors->setSpacing(3);
    markEditors->addWidget(smallLabel(QStringLiteral("Type")), 0, 0);
    markEditors->addWidget(m_markType, 0, 1, 1, 4);
    markEditors->addWidget(smallLabel(QStringLiteral("PlayItem")), 1, 0);
    markEditors->addWidget(m_markItem, 1, 1);
    markEditors->addLayout(row({m_markIns, m_markDel}), 1, 2, 1, 3);
    markEditors->addWidget(smallLabel(QStringLiteral("Time")), 2, 0);
    markEditors->addWidget(m_hour, 2, 1);
    markEditors->addWidget(m_minute, 2, 2);
    markEditors->addWidget(m_second, 2, 3);
    markEditors->addWidget(m_ms, 2, 4);
    markEditors->addLayout(row({m_loadChapters, m_saveChapters}), 3, 0, 1, 5);
    markEditors->setRowStretch(4, 1);
    auto* markLayout = new QHBoxLayout(markGroup);
    markLayout->setContentsMargins(6, 4, 6, 4);
    markLayout->addWidget(m_marks, 1);
    markLayout->addLayout(markEditors);
    auto* markPanelLayout = new QVBoxLayout(markPanel);
    markPanelLayout->setContentsMargins(0, 0, 0, 0);
    markPanelLayout->addWidget(markGroup);

    m_splitter = new QSplitter(Qt::Vertical);
    m_splitter->setObjectName(QStringLiteral("splPlayList"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(playListGroup);
    m_splitter->addWidget(subPathGroup);
    m_splitter->addWidget(markPanel);
    m_splitter->setStretchFactor(2, 1);
    m_splitter->setSizes({m_playListHeight, m_subPathHeight, m_playListMarkHeight});

    auto* right = new QVBoxLayout;
    right->addWidget(buildStreamGroup());
    right->addWidget(buildAppInfoGroup());
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addWidget(m_splitter, 1);
    body->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{m_items, m_subPaths, m_subItems, m_marks, m_extCaption})
        w->setEnabled(false);
    connectControls();
}

QWidget* PlayListTab::buildStreamGroup()
{
    auto* box = group(QStringLiteral("gbSTN"), QStringLiteral("STN_table"));
    box->setFixedWidth(372);
    m_counts = captionGrid(QStringLiteral("sgSTN"), playlist::stnCaptions(), {32, 32, 32, 32, 32, 32, 32},
                               QStringLiteral("Streams of the PlayItem (click to show the list)"));
    m_counts->horizontalHeader()->setStretchLastSection(false);
    m_counts->setFixedHeight(m_counts->horizontalHeader()->sizeHint().height() + m_counts->verticalHeader()->defaultSectionSize() + 4);
    m_counts->setEnabled(false);
    m_streams = captionGrid(QStringLiteral("sgStreamEntry"), playlist::streamCaptions(), {30, 60, 40, 36, 36, 40, 90},
                                QStringLiteral("Streams"));
    m_streams->setMinimumHeight(80);
    m_streams->setEnabled(false);
    m_entryType = makeList(QStringLiteral("coEntryType"), QString(), listItems(playlist::entryTypeItems()), 80);
    m_mainPid = hexField(QStringLiteral("heMainPID"), QStringLiteral("Main PID"), 4);
    m_subPathId = intField(QStringLiteral("ieSubPathId"), QStringLiteral("SubPath id"), 3);
    m_subClipId = intField(QStringLiteral("ieSubClipId"), QStringLiteral("Subclip id"), 3);
    m_subPid = hexField(QStringLiteral("heSubPID"), QStringLiteral("Sub PID"), 4);
    m_stnIns = makeGlyphButton(QStringLiteral("bbSTNins"), QStringLiteral("+"), QStringLiteral("Insert a stream"));
    m_stnDel = makeGlyphButton(QStringLiteral("bbSTNdel"), QStringLiteral("-"), QStringLiteral("Delete the stream"));
    m_stnIns->setEnabled(false);
    m_stnDel->setEnabled(false);
    m_video = makeList(QStringLiteral("coVideo"), QString(), listItems(playlist::videoCodingItems()), 80);
    m_resolution = makeList(QStringLiteral("coResol"), QStringLiteral("Video format"), listItems(playlist::videoFormatItems()), 68);
    m_frameRate = makeList(QStringLiteral("coFrmRate"), QStringLiteral("Frame rate"), listItems(playlist::frameRateItems()), 76);
    m_audio = makeList(QStringLiteral("coAudio"), QString(), listItems(playlist::audioCodingItems()), 0);
    m_audioType = makeList(QStringLiteral("coAuType"), QString(), listItems(playlist::audioFormatItems()), 0);
    m_frequency = makeList(QStringLiteral("coFreq"), QStringLiteral("Sample rate"), listItems(playlist::sampleRateItems()), 0);
    m_language = makeList(QStringLiteral("coLang"), QStringLiteral("Language"), listItems(playlist::languageCodes()), 60);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    layout->addWidget(m_counts);
    layout->addWidget(m_streams, 1);
    layout->addLayout(row({m_entryType, m_mainPid, m_subPathId, m_subClipId, m_subPid, m_stnIns, m_stnDel}));
    layout->addLayout(row({m_video, m_resolution, m_frameRate, m_language}));
    layout->addLayout(row({m_audio, m_audioType, m_frequency}));
    return box;
}

QWidget* PlayListTab::buildAppInfoGroup()
{
    auto* box = group(QStringLiteral("gbAppInfo"), QStringLiteral("AppInfoPlayList"));
    box->setFixedWidth(372);
    m_playbackType = makeList(QStringLiteral("cbAIpbt"), QStringLiteral("Playback type"), listItems(playlist::playbackTypeItems()), 92);
    m_playbackCount = intField(QStringLiteral("ieAIpbc"), QStringLiteral("Playback count for random and shuffle play"), 4);
    m_mask1 = hexField(QStringLiteral("heAIUO"), QStringLiteral("User Operation Mask Table"), 8);
    m_mask2 = hexField(QStringLiteral("heAIUO2"), QStringLiteral("User Operation Mask Table #2"), 8);

    // One box per bit of the first word, bit 31 first, and the PiP PG box of the second word.
    auto* bits = new QGridLayout;
    bits->setHorizontalSpacing(0);
    bits->setVerticalSpacing(0);
    const auto& hints = playlist::uoHints();
    for (int bit = 31; bit >= 0; --bit) {
        auto* check = new QCheckBox;
        check->setObjectName(QStringLiteral("cbUO") + QString::number(bit));
        check->setToolTip(QString::fromStdString(hints[static_cast<size_t>(bit)]));
        check->setEnabled(false);
        m_uoBoxes[static_cast<size_t>(bit)] = check;
        const int position = 31 - bit;
        bits->addWidget(check, position / 16, position % 16);
    }
    auto* pipPg = new QCheckBox;
    pipPg->setObjectName(QStringLiteral("cbUO2_30"));
    pipPg->setToolTip(QString::fromStdString(playlist::pipPgUoHint()));
    pipPg->setEnabled(false);
    m_uoBoxes[playlist::kPipPgBox] = pipPg;
    bits->addWidget(pipPg, 0, 16);

    auto* flags = new QHBoxLayout;
    const std::pair<playlist::AppInfoFlag, const char*> kFlags[] = {
        {playlist::AppInfoFlag::RandomAccess, "cbAIrandom"},
        {playlist::AppInfoFlag::AudioMix, "cbAIaudioMix"},
        {playlist::AppInfoFlag::BypassMixer, "cbAIbypass"}};
    size_t f = 0;
    for (const auto& [flag, name] : kFlags) {
        auto* check = new QCheckBox(QString::fromStdString(playlist::appInfoFlagText(flag)));
        check->setObjectName(QString::fromLatin1(name));
        check->setToolTip(QString::fromStdString(playlist::appInfoFlagHint(flag)));
        check->setEnabled(false);
        m_flags[f++] = check;
        flags->addWidget(check);
    }
    flags->addStretch(1);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    layout->addLayout(row({m_playbackType, m_playbackCount, m_mask1, m_mask2}));
    auto* bitsRow = new QHBoxLayout;
    bitsRow->addLayout(bits);
    bitsRow->addStretch(1);
    layout->addLayout(bitsRow);
    layout->addLayout(flags);
    return box;
}

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
    connect(m_overviewButton, &QPushButton::clicked, this, &PlayListTab::bOverviewClick);
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

}  // namespace mirtal::ui
