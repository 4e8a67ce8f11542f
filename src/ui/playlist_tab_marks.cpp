// The PLAYLIST tab's marks with their editors and chapter files, AppInfoPlayList and the
// PlayList's ExtensionData.

#include "core/files.h"
#include "playlist/app_info.h"
#include "playlist/mark_edit.h"
#include "playlist/mpls_text.h"
#include "playlist/playlist_view.h"
#include "ui/grid.h"
#include "ui/main_window.h"
#include "ui/num_edit.h"
#include "ui/playlist_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

namespace mirtal::ui {

namespace {

// Chapter files are a line or two per mark; anything larger is not one.
constexpr uint64_t kMaxChapterFileBytes = 1u << 20;

playlist::ChapterFormat chosenFormat(const OptionsTab& options)
{
    return static_cast<playlist::ChapterFormat>(options.chapterFormat());
}

bool isXml(playlist::ChapterFormat format)
{
    return format == playlist::ChapterFormat::Xml;
}

QString chapterFilter(playlist::ChapterFormat format)
{
    return isXml(format) ? QStringLiteral("XML files (*.xml);;All files (*)")
                         : QStringLiteral("Text files (*.txt);;All files (*)");
}

}  // namespace

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
    const auto format = chosenFormat(m_frame.options());
    QString folder = m_frame.options().workDir();
    if (folder.isEmpty())
        folder = QString::fromStdString(m_session.disc.bdmv.string());
    return QDir(folder).filePath(qs(playlist::chapterFileName(m_session.playList.name, format)));
}

void PlayListTab::bLoadChaptersClick()
{
    const auto format = chosenFormat(m_frame.options());
    if (!m_session.playList.loaded || playlist::refuseExportOnly(format, m_session.report))
        return;
    const QString file = m_frame.chooseFile(QStringLiteral("Open chapter file"), proposedChapterFile(),
                                            chapterFilter(format), false);
    if (!file.isEmpty())
        loadChapters(file);
}

void PlayListTab::bSaveChaptersClick()
{
    if (!m_session.playList.loaded)
        return;
    const auto format = chosenFormat(m_frame.options());
    QString file = m_frame.chooseFile(QStringLiteral("Save chapter file"), proposedChapterFile(),
                                      chapterFilter(format), true);
    if (file.isEmpty())
        return;
    if (!file.contains(u'.', Qt::CaseSensitive) || QFileInfo(file).suffix().isEmpty())
        file += isXml(format) ? QStringLiteral(".xml") : QStringLiteral(".txt");
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
    const std::string text(bytes.begin(), bytes.end());
    if (!playlist::importChapters(m_model, text, chosenFormat(m_frame.options()), m_session.report, file.toStdString()))
        return false;
    edited();
    showMarks(0);
    applyControls();
    return true;
}

bool PlayListTab::saveChapters(const QString& file)
{
    const auto text = playlist::exportChapters(m_model, chosenFormat(m_frame.options()), m_session.report);
    if (!text)
        return false;
    const auto written = core::writeFileAtomic(file.toStdString(), std::vector<uint8_t>(text->begin(), text->end()));
    if (!written.ok) {
        m_session.report.erlog("Cannot write " + file.toStdString() + ": " + written.error);
        return false;
    }
    return true;
}

}  // namespace mirtal::ui
