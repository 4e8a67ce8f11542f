// The CLIPINF tab: reading clip information into the session, the ProgramInfo grid with its row
// actions, and Save PID.

#include "ui/clip_tab.h"
#include "ui/menu_tab.h"

#include "bdmv/disc_path.h"
#include "ig/ts_reader.h"
#include "playlist/clpi.h"
#include "playlist/find.h"
#include "ui/grid.h"
#include "ui/main_window.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mirtal::ui {

ClipInfTab::ClipInfTab(TfMain& frame, session::Session& session, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_session(session)
{
    setObjectName(QStringLiteral("tsCLIPINF"));

    auto* clipGroup = group(QStringLiteral("gbClipInfo"), QStringLiteral("Clip information"));
    m_clipList = makeList(QStringLiteral("cbClipinf"), QStringLiteral("Clip"), {}, 84);
    m_read = textButton(QStringLiteral("bReadCI"), QStringLiteral("Read"), QStringLiteral("Read the clip information"));
    m_streamName = new QLabel(QStringLiteral("-"));
    m_streamName->setObjectName(QStringLiteral("lStreamName"));
    m_streamName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_streamSize = new QLabel;
    m_streamSize->setObjectName(QStringLiteral("lStreamSize"));
    m_streamSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_streamSize->setMinimumWidth(m_streamSize->fontMetrics().horizontalAdvance(QStringLiteral("000,000,000,000")));
    auto* clipLayout = new QHBoxLayout(clipGroup);
    clipLayout->addWidget(new QLabel(QStringLiteral("Clip:")));
    clipLayout->addWidget(m_clipList);
    clipLayout->addWidget(m_read);
    clipLayout->addStretch(1);
    clipLayout->addWidget(new QLabel(QStringLiteral("Stream:")));
    clipLayout->addWidget(m_streamName);
    clipLayout->addWidget(m_streamSize);

    auto* programGroup = group(QStringLiteral("gbProgramInfo"), QStringLiteral("ProgramInfo"));
    m_programs = captionGrid(QStringLiteral("sgCI"), playlist::programInfoCaptions(), {34, 50, 110, 300},
                                 QStringLiteral("Streams of the clip (Double click on PID 1400 to load the menu)"));
    m_programs->setEnabled(false);
    m_loadToMenu = textButton(QStringLiteral("bLoadToMenu"), QStringLiteral("->"), QStringLiteral("Load to Menu"));
    m_savePid = textButton(QStringLiteral("bSavePES"), QStringLiteral("Save PID"), QStringLiteral("Save the selected PID"));
    auto* programLayout = new QHBoxLayout(programGroup);
    programLayout->addWidget(m_programs, 1);
    programLayout->addLayout(column({m_loadToMenu, m_savePid}));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(clipGroup);
    layout->addWidget(programGroup, 1);
    connectControls();
}


void ClipInfTab::connectControls()
{
    connect(m_clipList, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling && m_frame.options().autoRead())
            bReadCIClick();
    });
    connect(m_read, &QPushButton::clicked, this, &ClipInfTab::bReadCIClick);
    connect(m_programs, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            sgCIClick(row);
    });
    connect(m_programs, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (!m_filling)
            sgCIClick(row);
    });
    connect(m_programs, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { sgCIDblClick(row); });
    connect(m_savePid, &QPushButton::clicked, this, &ClipInfTab::bSavePESClick);
    connect(m_loadToMenu, &QPushButton::clicked, this, &ClipInfTab::bLoadToMenuClick);
}

void ClipInfTab::discOpened()
{
    {
        m_filling = true;
        m_clipList->clear();
        for (const auto& name : m_session.disc.clips)
            m_clipList->addItem(qs(name));
        ResetSG(m_programs);
        m_streamName->setText(QStringLiteral("-"));
        m_streamSize->clear();
        m_filling = false;
    }
    const bool any = m_clipList->count() > 0;
    m_clipList->setEnabled(any);
    m_read->setEnabled(any);
    m_loadToMenu->setEnabled(false);
    m_savePid->setEnabled(false);
}

QString ClipInfTab::selectedName() const
{
    return m_clipList->currentText();
}

void ClipInfTab::bReadCIClick()
{
    const std::string name = m_clipList->currentText().toStdString();
    if (name.empty())
        return;
    const int errors = m_frame.sink().errorCount();
    const auto read = m_session.readClip(name);
    const auto& info = read.value;
    m_streamName->setText(qs(info.streamNameLabel));
    m_streamSize->setText(qs(info.streamSizeLabel));
    m_loadToMenu->setEnabled(info.igLoaderEnabled);
    if (read.ok()) {
        m_filling = true;
        fillGrid(m_programs, playlist::programInfoRows(info));
        m_programs->setEnabled(true);
        if (!info.streams.empty())
            selectGridRow(m_programs, 0);
        m_filling = false;
        m_savePid->setEnabled(!m_saving && !info.streams.empty());
        if (!info.streams.empty())
            sgCIClick(0);
    }
    m_frame.sink().showLastErrorSince(errors);
}

bool ClipInfTab::showClip(const std::string& name)
{
    const int i = m_clipList->findText(qs(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0)
        return false;
    m_filling = true;
    m_clipList->setCurrentIndex(i);
    m_filling = false;
    bReadCIClick();
    return true;
}

std::optional<size_t> ClipInfTab::currentStream() const
{
    const int row = m_programs->currentRow();
    if (!m_session.clip.loaded || row < 0 || static_cast<size_t>(row) >= m_session.clip.info.streams.size())
        return std::nullopt;
    return static_cast<size_t>(row);
}

void ClipInfTab::sgCIClick(int row)
{
    (void)row;
    const auto stream = currentStream();
    const auto file = m_session.streamOf(m_session.clip.name);
    const int64_t size = file ? file->size : 0;
    m_loadToMenu->setEnabled(stream && playlist::igLoaderEnabledForPid(m_session.clip.info.streams[*stream].pid, size));
}

void ClipInfTab::sgCIDblClick(int row)
{
    (void)row;
    const auto stream = currentStream();
    if (!stream)
        return;
    const auto file = m_session.streamOf(m_session.clip.name);
    const int64_t size = file ? file->size : 0;
    switch (playlist::programStreamDoubleClick(m_session.clip.info.streams[*stream].pid, size)) {
    case playlist::ProgramRowAction::OpenStream:
        openStreamFile();
        break;
    case playlist::ProgramRowAction::LoadMenu:
        bLoadToMenuClick();
        break;
    case playlist::ProgramRowAction::None:
        break;
    }
}

void ClipInfTab::bLoadToMenuClick()
{
    const auto stream = currentStream();
    if (!stream)
        return;
    (void)m_frame.menuTab().bLoadToMenuClick(m_session.clip.name, m_session.clip.info.streams[*stream].pid);
}

void ClipInfTab::openStreamFile()
{
    const auto file = m_session.streamOf(m_session.clip.name);
    if (!file || file->name.empty())
        return;
    m_frame.openWithDesktop(QString::fromStdString(bdmv::discEntry(m_session.disc.bdmv, "STREAM", file->name).string()));
}

void ClipInfTab::bFindClick()
{
    const std::string clip = m_clipList->currentText().toStdString();
    if (!clip.empty())
        (void)playlist::findClip(m_session.disc.bdmv, m_session.disc.playlists, clip, m_session.report);
}

std::filesystem::path ClipInfTab::outputFolder() const
{
    QString folder = m_frame.options().workDir();
    // Without an output folder the file goes where mirtal-cli extract puts it by default.
    if (folder.isEmpty())
        folder = QDir::currentPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return std::filesystem::path(folder.toStdString());
}

std::optional<ClipInfTab::PidRun> ClipInfTab::pidRun() const
{
    const auto row = currentStream();
    if (!row)
        return std::nullopt;
    const auto& stream = m_session.clip.info.streams[*row];
    const auto cells = playlist::programInfoRow(stream, *row);
    const ig::StreamKind kind = ig::kindOfStream(stream.pid, stream.codingType);
    const ig::ExtractMode mode = ig::extractMode(kind, m_frame.options().savePes(), m_frame.options().saveSup());
    PidRun run{m_session.clip.name, stream.pid, mode, {}};
    run.output = outputFolder() / ig::extractFileName(run.clip, {cells[1], cells[2], cells[3]}, kind, mode);
    return run;
}

QString ClipInfTab::savePidFile() const
{
    const auto run = pidRun();
    return run ? QString::fromStdString(run->output.string()) : QString();
}

void ClipInfTab::bSavePESClick()
{
    // The run processes the window's events: a second click, or a shortcut, must not start
    // another run inside this one.
    if (m_saving)
        return;
    const auto run = pidRun();
    if (!run)
        return;
    ig::FileSource source(bdmv::discEntry(m_session.disc.bdmv, "STREAM", run->clip + ".m2ts"));
    if (!source.ok()) {
        m_session.report.erlog("Cannot open " + run->clip + ".m2ts: " + source.error());
        return;
    }
    const int errors = m_frame.sink().errorCount();
    m_saving = true;
    m_savePid->setEnabled(false);
    m_frame.longOperation(true);
    m_frame.setConfirmCancel();
    // The run logs its start, its end or "Saving cancelled.", and the status texts.
    (void)ig::extractPid(source, run->pid, run->mode, run->output, m_session.report);
    m_frame.longOperation(false);
    m_saving = false;
    // Another disc or clip may have been read while the run went on: the button follows what
    // is loaded now.
    m_savePid->setEnabled(m_session.clip.loaded && !m_session.clip.info.streams.empty());
    m_frame.sink().showLastErrorSince(errors);
}

}  // namespace mirtal::ui
