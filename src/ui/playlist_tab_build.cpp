// The PLAYLIST and CLIPINF tabs' controls: the PlayList selector, the PlayItems, stream, SubPath
// and mark groups, AppInfoPlayList; the clip selector and the ProgramInfo grid. They stay
// disabled until a PlayList or clip is read into them.

#include "playlist/app_info.h"
#include "playlist/clpi.h"
#include "playlist/mpls_text.h"
#include "playlist/vocabulary.h"
#include "ui/grid.h"
#include "ui/main_window.h"
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

namespace {

template <typename Captions>
QTableWidget* captionGrid(const QString& name, const Captions& captions, std::initializer_list<int> widths,
                          const QString& hint = {})
{
    const std::vector<std::string> texts(captions.begin(), captions.end());
    const std::vector<int> w(widths);
    auto* grid = makeGrid(name, texts, w);
    grid->setToolTip(hint);
    return grid;
}

TIntEdit* intField(const QString& name, const QString& hint, int digits)
{
    auto* field = new TIntEdit;
    field->setObjectName(name);
    field->setToolTip(hint);
    field->setMaxLength(digits);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 14);
    field->setEnabled(false);
    return field;
}

THexEdit* hexField(const QString& name, const QString& hint, int digits)
{
    auto* field = new THexEdit(digits);
    field->setObjectName(name);
    field->setToolTip(hint);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 14);
    field->setEnabled(false);
    return field;
}

QPushButton* textButton(const QString& name, const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setEnabled(false);
    return button;
}

QGroupBox* group(const QString& name, const QString& caption)
{
    auto* box = new QGroupBox(caption);
    box->setObjectName(name);
    return box;
}

QVBoxLayout* column(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QVBoxLayout;
    layout->setSpacing(2);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    layout->addStretch(1);
    return layout;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true)
{
    auto* layout = new QHBoxLayout;
    layout->setSpacing(3);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    if (stretch)
        layout->addStretch(1);
    return layout;
}

}  // namespace

QWidget* TfMain::buildPlayListTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsPLAYLIST"));

    m_playList = makeList(QStringLiteral("cbPlaylist"), QStringLiteral("PlayList"), {}, 84);
    m_readPlayList = textButton(QStringLiteral("bReadPL"), QStringLiteral("Read"), QStringLiteral("Read the PlayList"));
    auto* extCaption = new QLabel(QStringLiteral("None"));
    extCaption->setObjectName(QStringLiteral("lPLExtDatCap"));
    auto* extEdit = textButton(QStringLiteral("bMExtDatEdit"), QStringLiteral("Edit"),
                               QStringLiteral("Edit the ExtensionData() of the PlayList"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("PlayList:")));
    top->addWidget(m_playList);
    top->addWidget(m_readPlayList);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("ExtensionData():")));
    top->addWidget(extCaption, 1);
    top->addWidget(extEdit);

    // PlayItems, with the angles of a multi-angle PlayItem beside them.
    auto* playListGroup = group(QStringLiteral("gbPlayList"), QStringLiteral("PlayList"));
    playListGroup->setMinimumHeight(158);
    auto* items = captionGrid(QStringLiteral("sgPLitem"), playlist::playItemCaptions(), {30, 44, 40, 84, 84, 84, 70, 70, 26},
                              QStringLiteral("PlayItems (Double click to show the clip information)"));
    auto* angles = captionGrid(QStringLiteral("sgPIangles"), playlist::angleCaptions(), {24, 44, 40, 30},
                               QStringLiteral("Angles"));
    angles->setFixedWidth(160);
    angles->hide();
    auto* playListLayout = new QHBoxLayout(playListGroup);
    playListLayout->setContentsMargins(6, 4, 6, 4);
    playListLayout->addWidget(items, 1);
    playListLayout->addWidget(angles);

    // SubPaths and their SubPlayItems, with the clip entries of a multi-clip SubPlayItem.
    auto* subPathGroup = group(QStringLiteral("gbSubPath"), QStringLiteral("SubPath"));
    subPathGroup->setMinimumHeight(62);
    auto* subPaths = captionGrid(QStringLiteral("sgSubPath"), playlist::subPathCaptions(), {30, 70, 50, 36},
                                 QStringLiteral("SubPaths"));
    subPaths->setFixedWidth(200);
    auto* type = makeList(QStringLiteral("cbSubPathType"), QStringLiteral("reserved"),
                          listItems(playlist::subPathTypeItems()), 92);
    auto* repeat = makeList(QStringLiteral("cbSPrepeat"), QStringLiteral("Repeat"),
                            {QStringLiteral("No"), QStringLiteral("Yes")}, 92);
    auto* spIns = makeGlyphButton(QStringLiteral("bbSPins"), QStringLiteral("+"), QStringLiteral("Insert a SubPath"));
    auto* spDel = makeGlyphButton(QStringLiteral("bbSPdel"), QStringLiteral("-"), QStringLiteral("Delete the SubPath"));
    spIns->setEnabled(false);
    spDel->setEnabled(false);
    auto* subItems = captionGrid(QStringLiteral("sgSubPlayItem"), playlist::subPlayItemCaptions(),
                                 {30, 44, 40, 36, 40, 32, 84, 84, 50, 84, 26},
                                 QStringLiteral("SubPlayItems (Double click to show the clip information)"));
    auto* clipEntries = captionGrid(QStringLiteral("sgAngles"), playlist::clipEntryCaptions(), {24, 44, 40, 30},
                                    QStringLiteral("Clip entries"));
    clipEntries->setFixedWidth(160);
    clipEntries->hide();
    auto* subPathEditors = new QVBoxLayout;
    subPathEditors->setSpacing(2);
    subPathEditors->addWidget(type);
    subPathEditors->addWidget(repeat);
    subPathEditors->addLayout(row({spIns, spDel}));
    subPathEditors->addStretch(1);
    auto* subPathLayout = new QHBoxLayout(subPathGroup);
    subPathLayout->setContentsMargins(6, 4, 6, 4);
    subPathLayout->addWidget(subPaths);
    subPathLayout->addLayout(subPathEditors);
    subPathLayout->addWidget(subItems, 1);
    subPathLayout->addWidget(clipEntries);

    // Marks: grid, the editors of the selected mark and the chapter files.
    auto* markPanel = new QWidget;
    markPanel->setObjectName(QStringLiteral("pnlPlayListMark"));
    markPanel->setMinimumHeight(95);
    auto* markGroup = group(QStringLiteral("gbPlayListMark"), QStringLiteral("PlayListMark"));
    auto* marks = captionGrid(QStringLiteral("sgPlayListMark"), playlist::markCaptions(), {34, 74, 34, 84, 64, 70},
                              QStringLiteral("PlayListMarks"));
    auto* markType = makeList(QStringLiteral("cmPLMtype"), QStringLiteral("Mark type"),
                              {QStringLiteral("entry-mark"), QStringLiteral("link point")}, 92);
    auto* markItem = intField(QStringLiteral("iePLMPI"), QStringLiteral("PlayItem"), 3);
    auto* hour = intField(QStringLiteral("iePLMhour"), QStringLiteral("Hour"), 2);
    auto* minute = intField(QStringLiteral("iePLMmin"), QStringLiteral("Minute"), 2);
    auto* second = intField(QStringLiteral("iePLMsec"), QStringLiteral("Second"), 2);
    auto* ms = intField(QStringLiteral("iePLMms"), QStringLiteral("Millisecond"), 3);
    auto* markIns = makeGlyphButton(QStringLiteral("bbPLMins"), QStringLiteral("+"), QStringLiteral("Insert a mark"));
    auto* markDel = makeGlyphButton(QStringLiteral("bbPLMdel"), QStringLiteral("-"), QStringLiteral("Delete the selected mark(s)"));
    markIns->setEnabled(false);
    markDel->setEnabled(false);
    auto* loadChapters = textButton(QStringLiteral("bLoadChapters"), QStringLiteral("Load chapters"),
                                    QStringLiteral("Open chapter file"));
    auto* saveChapters = textButton(QStringLiteral("bSaveChapters"), QStringLiteral("Save chapters"),
                                    QStringLiteral("Save chapter file"));
    auto* markEditors = new QGridLayout;
    markEditors->setSpacing(3);
    markEditors->addWidget(smallLabel(QStringLiteral("Type")), 0, 0);
    markEditors->addWidget(markType, 0, 1, 1, 4);
    markEditors->addWidget(smallLabel(QStringLiteral("PlayItem")), 1, 0);
    markEditors->addWidget(markItem, 1, 1);
    markEditors->addLayout(row({markIns, markDel}), 1, 2, 1, 3);
    markEditors->addWidget(smallLabel(QStringLiteral("Time")), 2, 0);
    markEditors->addWidget(hour, 2, 1);
    markEditors->addWidget(minute, 2, 2);
    markEditors->addWidget(second, 2, 3);
    markEditors->addWidget(ms, 2, 4);
    markEditors->addLayout(row({loadChapters, saveChapters}), 3, 0, 1, 5);
    markEditors->setRowStretch(4, 1);
    auto* markLayout = new QHBoxLayout(markGroup);
    markLayout->setContentsMargins(6, 4, 6, 4);
    markLayout->addWidget(marks, 1);
    markLayout->addLayout(markEditors);
    auto* markPanelLayout = new QVBoxLayout(markPanel);
    markPanelLayout->setContentsMargins(0, 0, 0, 0);
    markPanelLayout->addWidget(markGroup);

    m_playListSplitter = new QSplitter(Qt::Vertical);
    m_playListSplitter->setObjectName(QStringLiteral("splPlayList"));
    m_playListSplitter->setChildrenCollapsible(false);
    m_playListSplitter->addWidget(playListGroup);
    m_playListSplitter->addWidget(subPathGroup);
    m_playListSplitter->addWidget(markPanel);
    m_playListSplitter->setStretchFactor(2, 1);
    m_playListSplitter->setSizes({m_playListHeight, m_subPathHeight, m_playListMarkHeight});

    auto* right = new QVBoxLayout;
    right->addWidget(buildStreamGroup());
    right->addWidget(buildAppInfoGroup());
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addWidget(m_playListSplitter, 1);
    body->addLayout(right);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{items, subPaths, subItems, marks, extCaption})
        w->setEnabled(false);
    return page;
}

QWidget* TfMain::buildStreamGroup()
{
    auto* box = group(QStringLiteral("gbSTN"), QStringLiteral("STN_table"));
    box->setFixedWidth(372);
    auto* counts = captionGrid(QStringLiteral("sgSTN"), playlist::stnCaptions(), {32, 32, 32, 32, 32, 32, 32},
                               QStringLiteral("Streams of the PlayItem (click to show the list)"));
    counts->horizontalHeader()->setStretchLastSection(false);
    counts->setFixedHeight(counts->horizontalHeader()->sizeHint().height() + counts->verticalHeader()->defaultSectionSize() + 4);
    counts->setEnabled(false);
    auto* streams = captionGrid(QStringLiteral("sgStreamEntry"), playlist::streamCaptions(), {30, 60, 40, 36, 36, 40, 90},
                                QStringLiteral("Streams"));
    streams->setMinimumHeight(80);
    streams->setEnabled(false);
    auto* entryType = makeList(QStringLiteral("coEntryType"), QString(), listItems(playlist::entryTypeItems()), 80);
    auto* mainPid = hexField(QStringLiteral("heMainPID"), QStringLiteral("Main PID"), 4);
    auto* subPathId = intField(QStringLiteral("ieSubPathId"), QStringLiteral("SubPath id"), 3);
    auto* subClipId = intField(QStringLiteral("ieSubClipId"), QStringLiteral("Subclip id"), 3);
    auto* subPid = hexField(QStringLiteral("heSubPID"), QStringLiteral("Sub PID"), 4);
    auto* insert = makeGlyphButton(QStringLiteral("bbSTNins"), QStringLiteral("+"), QStringLiteral("Insert a stream"));
    auto* remove = makeGlyphButton(QStringLiteral("bbSTNdel"), QStringLiteral("-"), QStringLiteral("Delete the stream"));
    insert->setEnabled(false);
    remove->setEnabled(false);
    auto* video = makeList(QStringLiteral("coVideo"), QString(), listItems(playlist::videoCodingItems()), 80);
    auto* resolution = makeList(QStringLiteral("coResol"), QStringLiteral("Video format"), listItems(playlist::videoFormatItems()), 68);
    auto* frameRate = makeList(QStringLiteral("coFrmRate"), QStringLiteral("Frame rate"), listItems(playlist::frameRateItems()), 76);
    auto* audio = makeList(QStringLiteral("coAudio"), QString(), listItems(playlist::audioCodingItems()), 0);
    auto* audioType = makeList(QStringLiteral("coAuType"), QString(), listItems(playlist::audioFormatItems()), 0);
    auto* frequency = makeList(QStringLiteral("coFreq"), QStringLiteral("Sample rate"), listItems(playlist::sampleRateItems()), 0);
    auto* language = makeList(QStringLiteral("coLang"), QStringLiteral("Language"), listItems(playlist::languageCodes()), 60);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    layout->addWidget(counts);
    layout->addWidget(streams, 1);
    layout->addLayout(row({entryType, mainPid, subPathId, subClipId, subPid, insert, remove}));
    layout->addLayout(row({video, resolution, frameRate, language}));
    layout->addLayout(row({audio, audioType, frequency}));
    return box;
}

QWidget* TfMain::buildAppInfoGroup()
{
    auto* box = group(QStringLiteral("gbAppInfo"), QStringLiteral("AppInfoPlayList"));
    box->setFixedWidth(372);
    auto* type = makeList(QStringLiteral("cbAIpbt"), QStringLiteral("Playback type"), listItems(playlist::playbackTypeItems()), 92);
    auto* count = intField(QStringLiteral("ieAIpbc"), QStringLiteral("Playback count for random and shuffle play"), 4);
    auto* mask1 = hexField(QStringLiteral("heAIUO"), QStringLiteral("User Operation Mask Table"), 8);
    auto* mask2 = hexField(QStringLiteral("heAIUO2"), QStringLiteral("User Operation Mask Table #2"), 8);

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
        const int position = 31 - bit;
        bits->addWidget(check, position / 16, position % 16);
    }
    auto* pipPg = new QCheckBox;
    pipPg->setObjectName(QStringLiteral("cbUO2_30"));
    pipPg->setToolTip(QString::fromStdString(playlist::pipPgUoHint()));
    pipPg->setEnabled(false);
    bits->addWidget(pipPg, 0, 16);

    auto* flags = new QHBoxLayout;
    const std::pair<playlist::AppInfoFlag, const char*> kFlags[] = {
        {playlist::AppInfoFlag::RandomAccess, "cbAIrandom"},
        {playlist::AppInfoFlag::AudioMix, "cbAIaudioMix"},
        {playlist::AppInfoFlag::BypassMixer, "cbAIbypass"}};
    for (const auto& [flag, name] : kFlags) {
        auto* check = new QCheckBox(QString::fromStdString(playlist::appInfoFlagText(flag)));
        check->setObjectName(QString::fromLatin1(name));
        check->setToolTip(QString::fromStdString(playlist::appInfoFlagHint(flag)));
        check->setEnabled(false);
        flags->addWidget(check);
    }
    flags->addStretch(1);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    layout->addLayout(row({type, count, mask1, mask2}));
    auto* bitsRow = new QHBoxLayout;
    bitsRow->addLayout(bits);
    bitsRow->addStretch(1);
    layout->addLayout(bitsRow);
    layout->addLayout(flags);
    return box;
}

QWidget* TfMain::buildClipInfTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsCLIPINF"));

    auto* clipGroup = group(QStringLiteral("gbClipInfo"), QStringLiteral("Clip information"));
    m_clipList = makeList(QStringLiteral("cbClipinf"), QStringLiteral("Clip"), {}, 84);
    auto* read = textButton(QStringLiteral("bReadCI"), QStringLiteral("Read"), QStringLiteral("Read the clip information"));
    auto* streamName = new QLabel(QStringLiteral("-"));
    streamName->setObjectName(QStringLiteral("lStreamName"));
    streamName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* streamSize = new QLabel;
    streamSize->setObjectName(QStringLiteral("lStreamSize"));
    streamSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    streamSize->setMinimumWidth(streamSize->fontMetrics().horizontalAdvance(QStringLiteral("000,000,000,000")));
    auto* clipLayout = new QHBoxLayout(clipGroup);
    clipLayout->addWidget(new QLabel(QStringLiteral("Clip:")));
    clipLayout->addWidget(m_clipList);
    clipLayout->addWidget(read);
    clipLayout->addStretch(1);
    clipLayout->addWidget(new QLabel(QStringLiteral("Stream:")));
    clipLayout->addWidget(streamName);
    clipLayout->addWidget(streamSize);

    auto* programGroup = group(QStringLiteral("gbProgramInfo"), QStringLiteral("ProgramInfo"));
    auto* programs = captionGrid(QStringLiteral("sgCI"), playlist::programInfoCaptions(), {34, 50, 110, 300},
                                 QStringLiteral("Streams of the clip (Double click on PID 1400 to load the menu)"));
    programs->setEnabled(false);
    auto* loadToMenu = textButton(QStringLiteral("bLoadToMenu"), QStringLiteral("->"), QStringLiteral("Load to Menu"));
    auto* savePid = textButton(QStringLiteral("bSavePES"), QStringLiteral("Save PID"), QStringLiteral("Save the selected PID"));
    auto* programLayout = new QHBoxLayout(programGroup);
    programLayout->addWidget(programs, 1);
    programLayout->addLayout(column({loadToMenu, savePid}));

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(clipGroup);
    layout->addWidget(programGroup, 1);
    return page;
}

}  // namespace mirtal::ui
