// The BDMV tab's actions: opening the folder, the titles, First Playback and Top Menu editors,
// the movie objects and their flags, the ExtensionData dialogs.

#include "bdmv/editing.h"
#include "core/text.h"
#include "ui/ext_dat.h"
#include "ui/grid.h"
#include "ui/bdmv_tab.h"
#include "ui/main_window.h"
#include "ui/num_edit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

namespace mirtal::ui {

void BdmvTab::connectControls()
{
    connect(m_openDir, &QToolButton::clicked, this, &BdmvTab::bbOpenDirClick);
    connect(m_readBdmv, &QPushButton::clicked, this, &BdmvTab::bReadBDMVClick);
    connect(m_titles, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            titleSelected(row);
    });
    connect(m_titles, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (!m_filling)
            titleSelected(row);
    });
    connect(m_titleNo, &QComboBox::currentIndexChanged, this, &BdmvTab::titleNoChanged);
    for (QComboBox* list : {m_titleOT, m_titleAT, m_titlePBT, m_titleOID, m_titleFN})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { titleEditorChanged(); });
    connect(m_tiIns, &QToolButton::clicked, this, &BdmvTab::bbTiinsClick);
    connect(m_tiDel, &QToolButton::clicked, this, &BdmvTab::bbTidelClick);

    connect(m_fpbOn, &QCheckBox::clicked, this, &BdmvTab::fpbOnClicked);
    connect(m_fpbType, &QComboBox::currentIndexChanged, this, &BdmvTab::fpbTypeChanged);
    connect(m_fpbPBType, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_filling)
            bdmv::setEntryPlaybackType(m_disc.index.firstPlayback, i);
    });
    connect(m_fpbObject, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_filling && i >= 0)
            bdmv::setEntryObjectId(m_disc.index.firstPlayback, static_cast<uint16_t>(i));
    });
    connect(m_fpbFile, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling && m_disc.index.firstPlayback.objectType == 2)
            bdmv::setEntryBdjName(m_disc.index.firstPlayback, m_fpbFile->currentText().toStdString());
    });
    connect(m_tmOn, &QCheckBox::clicked, this, &BdmvTab::tmOnClicked);
    connect(m_tmType, &QComboBox::currentIndexChanged, this, &BdmvTab::tmTypeChanged);
    connect(m_tmObject, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_filling && i >= 0)
            bdmv::setEntryObjectId(m_disc.index.topMenu, static_cast<uint16_t>(i));
    });
    connect(m_tmFile, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling && m_disc.index.topMenu.objectType == 2)
            bdmv::setEntryBdjName(m_disc.index.topMenu, m_tmFile->currentText().toStdString());
    });
    connect(m_indExtEdit, &QPushButton::clicked, this, &BdmvTab::bIndExDatEditClick);

    connect(m_objects, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            objectSelected(row);
    });
    for (QComboBox* list : {m_resume, m_menuCall, m_titleSearch})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { flagsChanged(); });
    connect(m_obIns, &QToolButton::clicked, this, &BdmvTab::bbObinsClick);
    connect(m_obDel, &QToolButton::clicked, this, &BdmvTab::bbObdelClick);
    connect(m_objExtEdit, &QPushButton::clicked, this, &BdmvTab::bObjExtDatEditClick);
}

bool BdmvTab::gridKey(QObject* watched, QKeyEvent* key)
{
    if (watched == m_titles) {
        if (key->key() == Qt::Key_Insert) {
            bbTiinsClick();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            bbTidelClick();
            return true;
        }
    } else if (watched == m_commands) {
        commandKey(key);
        return key->isAccepted();
    }
    return false;
}

void BdmvTab::bbOpenDirClick()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Select a directory"), m_bdmvDir->text());
    if (chosen.isEmpty())
        return;
    QString path = QString::fromStdString(bdmv::chosenFolderToBdmv(chosen.toStdString()).string());
    if (!path.endsWith(u'/'))
        path += u'/';
    m_bdmvDir->setText(path);
    if (m_frame.options().autoRead())
        bReadBDMVClick();
}

void BdmvTab::resetViews()
{
    m_filling = true;
    m_indExtEdit->setEnabled(false);
    m_objExtEdit->setEnabled(false);
    ResetSG(m_titles);
    ResetSG(m_objects);
    ResetSG(m_commands);
    m_object.reset();
    m_filling = false;
}

void BdmvTab::bReadBDMVClick()
{
    resetViews();
    const std::string folder = m_bdmvDir->text().toStdString();
    const int errors = m_frame.sink().errorCount();
    const bool ok = m_session.openDisc(folder);
    if (!ok) {
        // The model was replaced by an empty one: nothing may be edited or saved over it.
        setTitleEditorsEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{m_fpbOn, m_fpbType, m_fpbPBType, m_fpbObject, m_fpbFile, m_tmOn,
                                                          m_tmType, m_tmObject, m_tmFile, m_resume, m_menuCall,
                                                          m_titleSearch, m_contentProvider})
            w->setEnabled(false);
        emit discOpened(false);
        return;
    }
    fillAfterRead();
    emit discOpened(true);
    // A damaged file stays on show after the closing "Ready" of the opening and the views.
    m_frame.sink().showLastErrorSince(errors);
}

void BdmvTab::fillObjectLists()
{
    const auto& objects = m_disc.movieObjects.objects;
    QStringList ids;
    QStringList runList;
    for (size_t i = 0; i < objects.size(); ++i) {
        ids << QString::number(i);
        runList << qs(core::padded(static_cast<int64_t>(i), 4));
    }
    for (QComboBox* list : {m_titleOID, m_fpbObject, m_tmObject}) {
        list->clear();
        list->addItems(ids);
    }
    m_objectList->clear();
    m_objectList->addItems(runList);
    QStringList names;
    for (const auto& n : m_disc.bdjObjects)
        names << qs(n);
    for (QComboBox* list : {m_titleFN, m_fpbFile, m_tmFile}) {
        list->clear();
        list->addItems(names);
    }
}

void BdmvTab::fillAfterRead()
{
    m_filling = true;
    const bool indexOk = m_disc.indexLoaded;
    const auto& file = m_disc.movieObjects;
    fillObjectLists();

    m_contentProvider->setText(qs(m_disc.index.contentProviderData));
    m_contentProvider->setEnabled(indexOk);
    fillGrid(m_objects, bdmv::objectRows(file));
    m_objects->setEnabled(!file.objects.empty());
    for (QComboBox* list : {m_resume, m_menuCall, m_titleSearch})
        list->setEnabled(!file.objects.empty());
    m_objExtEdit->setEnabled(m_disc.movieObjectsLoaded);

    m_titleNo->clear();
    if (indexOk) {
        for (size_t i = 0; i < m_disc.index.titles.size(); ++i)
            m_titleNo->addItem(QString::number(i + 1));
        fillGrid(m_titles, bdmv::titleRows(m_disc.index));
    }
    setTitleEditorsEnabled(indexOk && !m_disc.index.titles.empty());
    // A disc without titles keeps its grid enabled: Insert adds the first one there.
    m_titles->setEnabled(indexOk);
    fillFirstPlayback();
    fillTopMenu();
    refreshExtensionCaptions();
    m_indExtEdit->setEnabled(indexOk);
    if (!m_disc.windowTitle.empty())
        m_frame.setWindowTitleText(qs(m_disc.windowTitle));
    m_filling = false;

    // The first title selects its movie object; without one, the first object is shown.
    if (!file.objects.empty())
        selectObjectRow(0);
    if (indexOk && !m_disc.index.titles.empty())
        titleSelected(0);
}

void BdmvTab::refreshExtensionCaptions()
{
    m_indExtCaption->setText(qs(core::ExtDatCap(m_disc.index.extensionData)));
    m_objExtCaption->setText(qs(bdmv::movieObjectExtensionCaption(m_disc.movieObjects)));
}

void BdmvTab::setTitleEditorsEnabled(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_titleNo, m_titleAT, m_titlePBT})
        w->setEnabled(on);
    m_titleOT->setEnabled(on && m_titleFN->count() > 0);
    if (!on) {
        m_titleOID->setEnabled(false);
        m_titleFN->setEnabled(false);
    }
}

std::optional<size_t> BdmvTab::currentTitle() const
{
    const int t = m_titleNo->currentIndex();
    if (t < 0 || static_cast<size_t>(t) >= m_disc.index.titles.size())
        return std::nullopt;
    return static_cast<size_t>(t);
}

std::optional<size_t> BdmvTab::currentObject() const
{
    if (!m_object || *m_object >= m_disc.movieObjects.objects.size())
        return std::nullopt;
    return m_object;
}

void BdmvTab::titleSelected(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= m_disc.index.titles.size())
        return;
    {
        const bool was = m_filling;
        m_filling = true;
        m_titleNo->setCurrentIndex(row);
        m_filling = was;
    }
    fillTitleEditors(row);
    const auto& title = m_disc.index.titles[static_cast<size_t>(row)];
    if (title.objectType == 1 && title.movieObjectId < m_disc.movieObjects.objects.size()) {
        selectObjectRow(title.movieObjectId);
        if (isVisible())
            m_titles->setFocus();
    }
}

void BdmvTab::fillTitleEditors(int t)
{
    if (t < 0 || static_cast<size_t>(t) >= m_disc.index.titles.size())
        return;
    const bool was = m_filling;
    m_filling = true;
    const auto& title = m_disc.index.titles[static_cast<size_t>(t)];
    const bool hdmv = title.objectType == 1;
    m_titleOT->setCurrentIndex(title.objectType == 1 || title.objectType == 2 ? title.objectType - 1 : -1);
    m_titleAT->setCurrentIndex(bdmv::accessListIndex(title.accessType));
    m_titlePBT->setCurrentIndex(title.playbackType < 2 ? title.playbackType : -1);
    m_titleOID->setCurrentIndex(hdmv ? idOrNone(m_titleOID, title.movieObjectId) : -1);
    if (!hdmv)
        selectText(m_titleFN, qs(title.bdjObjectName));
    m_titleOID->setEnabled(hdmv);
    m_titleFN->setEnabled(!hdmv);
    m_titleOT->setEnabled(m_titleFN->count() > 0);
    selectGridRow(m_titles, t);
    m_filling = was;
}

void BdmvTab::titleNoChanged(int index)
{
    if (!m_filling)
        titleSelected(index);
}

void BdmvTab::titleEditorChanged()
{
    const auto t = currentTitle();
    if (m_filling || !t)
        return;
    auto& index = m_disc.index;
    QObject* list = sender();
    if (list == m_titleOT) {
        bdmv::setTitleObjectType(index, *t, m_titleOT->currentIndex());
        const bool hdmv = index.titles[*t].objectType == 1;
        // A title made BD-J takes the file shown in the list, so it never names no file.
        if (!hdmv && index.titles[*t].bdjObjectName.empty() && m_titleFN->currentIndex() >= 0)
            bdmv::setTitleBdjName(index, *t, m_titleFN->currentText().toStdString());
        if (hdmv && m_titleOID->currentIndex() >= 0)
            bdmv::setTitleObjectId(index, *t, static_cast<uint16_t>(m_titleOID->currentIndex()));
        m_titleOID->setEnabled(hdmv);
        m_titleFN->setEnabled(!hdmv);
    } else if (list == m_titleAT) {
        bdmv::setTitleAccessType(index, *t, m_titleAT->currentIndex());
    } else if (list == m_titlePBT) {
        bdmv::setTitlePlaybackType(index, *t, m_titlePBT->currentIndex());
    } else if (list == m_titleOID) {
        if (m_titleOID->currentIndex() >= 0)
            bdmv::setTitleObjectId(index, *t, static_cast<uint16_t>(m_titleOID->currentIndex()));
    } else if (list == m_titleFN) {
        if (index.titles[*t].objectType == 2)
            bdmv::setTitleBdjName(index, *t, m_titleFN->currentText().toStdString());
    }
    setGridRow(m_titles, static_cast<int>(*t), bdmv::indline(index.titles[*t]));
}

void BdmvTab::refreshTitles()
{
    const bool was = m_filling;
    m_filling = true;
    const int keep = m_titleNo->currentIndex();
    m_titleNo->clear();
    for (size_t i = 0; i < m_disc.index.titles.size(); ++i)
        m_titleNo->addItem(QString::number(i + 1));
    m_titleNo->setCurrentIndex(std::min(keep, m_titleNo->count() - 1));
    fillGrid(m_titles, bdmv::titleRows(m_disc.index));
    m_filling = was;
}

void BdmvTab::bbTiinsClick()
{
    if (!m_disc.indexLoaded)
        return;
    std::optional<size_t> last;
    int first = 0;
    int lastRow = 0;
    if (!m_disc.index.titles.empty() && selectedBlock(m_titles, first, lastRow))
        last = static_cast<size_t>(lastRow);
    else if (!m_disc.index.titles.empty())
        last = m_disc.index.titles.size() - 1;
    const bool wasEmpty = m_disc.index.titles.empty();
    const auto p = bdmv::insertTitle(m_disc.index, last);
    if (!p)
        return;
    refreshTitles();
    if (wasEmpty)
        setTitleEditorsEnabled(true);
    titleSelected(static_cast<int>(*p));
}

void BdmvTab::bbTidelClick()
{
    if (m_disc.index.titles.empty())
        return;
    int first = 0;
    int last = 0;
    if (!selectedBlock(m_titles, first, last))
        return;
    const auto select = bdmv::deleteTitles(m_disc.index, static_cast<size_t>(first), static_cast<size_t>(last));
    refreshTitles();
    if (m_disc.index.titles.empty()) {
        const bool was = m_filling;
        m_filling = true;
        ResetSG(m_titles);
        m_titleNo->setCurrentIndex(-1);
        setTitleEditorsEnabled(false);
        m_filling = was;
        return;
    }
    titleSelected(static_cast<int>(select.value_or(0)));
}

void BdmvTab::selectObjectRow(int row)
{
    const bool was = m_filling;
    m_filling = true;
    selectGridRow(m_objects, row);
    m_filling = was;
    objectSelected(row);
}

void BdmvTab::objectSelected(int row)
{
    const auto& objects = m_disc.movieObjects.objects;
    if (row < 0 || static_cast<size_t>(row) >= objects.size())
        return;
    m_object = static_cast<size_t>(row);
    const auto& object = objects[*m_object];
    {
        const bool was = m_filling;
        m_filling = true;
        m_resume->setCurrentIndex(object.resume);
        m_menuCall->setCurrentIndex(object.menuCall);
        m_titleSearch->setCurrentIndex(object.titleSearch);
        m_objectList->setCurrentIndex(row);
        m_filling = was;
    }
    renderCommands();
}

void BdmvTab::flagsChanged()
{
    const auto o = currentObject();
    if (m_filling || !o)
        return;
    bdmv::setObjectFlags(m_disc.movieObjects, *o, std::max(0, m_resume->currentIndex()),
                         std::max(0, m_menuCall->currentIndex()), std::max(0, m_titleSearch->currentIndex()));
    setGridRow(m_objects, static_cast<int>(*o), bdmv::objline(m_disc.movieObjects.objects[*o], *o));
}

void BdmvTab::refreshObjects()
{
    const bool was = m_filling;
    m_filling = true;
    fillGrid(m_objects, bdmv::objectRows(m_disc.movieObjects));
    QStringList runList;
    for (size_t i = 0; i < m_disc.movieObjects.objects.size(); ++i)
        runList << qs(core::padded(static_cast<int64_t>(i), 4));
    m_objectList->clear();
    m_objectList->addItems(runList);
    m_filling = was;
}

void BdmvTab::bbObinsClick()
{
    if (!m_disc.movieObjectsLoaded)
        return;
    auto& file = m_disc.movieObjects;
    std::optional<size_t> last;
    int first = 0;
    int lastRow = 0;
    if (!file.objects.empty() && selectedBlock(m_objects, first, lastRow))
        last = static_cast<size_t>(lastRow);
    else if (!file.objects.empty())
        last = file.objects.size() - 1;
    const bool wasEmpty = file.objects.empty();
    const auto p = bdmv::insertObject(file, last);
    if (!p)
        return;
    refreshObjects();
    if (wasEmpty)
        for (QComboBox* list : {m_resume, m_menuCall, m_titleSearch})
            list->setEnabled(true);
    // The command grid follows the selection, so the lines shown are the lines edited.
    selectObjectRow(static_cast<int>(*p));
}

void BdmvTab::bbObdelClick()
{
    auto& file = m_disc.movieObjects;
    if (file.objects.empty())
        return;
    int first = 0;
    int last = 0;
    if (!selectedBlock(m_objects, first, last))
        return;
    const auto select = bdmv::deleteObjects(file, static_cast<size_t>(first), static_cast<size_t>(last));
    refreshObjects();
    if (file.objects.empty()) {
        const bool was = m_filling;
        m_filling = true;
        ResetSG(m_objects);
        ResetSG(m_commands);
        for (QComboBox* list : {m_resume, m_menuCall, m_titleSearch})
            list->setEnabled(false);
        m_object.reset();
        m_filling = was;
        return;
    }
    selectObjectRow(static_cast<int>(select.value_or(0)));
}

void BdmvTab::bIndExDatEditClick()
{
    if (!m_disc.indexLoaded)
        return;
    const auto block = m_frame.editExtensionData(QStringLiteral("index.bdmv"), m_disc.index.extensionData);
    if (!block)
        return;
    bdmv::commitIndexExtensionData(m_disc.index, *block);
    refreshExtensionCaptions();
}

void BdmvTab::bObjExtDatEditClick()
{
    if (!m_disc.movieObjectsLoaded)
        return;
    const auto block = m_frame.editExtensionData(QStringLiteral("MovieObject.bdmv"), m_disc.movieObjects.extensionData);
    if (!block)
        return;
    bdmv::commitMovieObjectExtensionData(m_disc.movieObjects, *block);
    refreshExtensionCaptions();
}

}  // namespace mirtal::ui
