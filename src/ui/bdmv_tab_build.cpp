// The BDMV tab's controls: folder row, index.bdmv group, MovieObject.bdmv group with the
// movie-objects panel and the command panel.

#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"
#include "hdmv/command_text.h"
#include "ui/grid.h"
#include "ui/bdmv_tab.h"
#include "ui/main_window.h"
#include "ui/num_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace mirtal::ui {

BdmvTab::BdmvTab(TfMain& frame, session::Session& session, QComboBox* runObjects, QWidget* parent)
    : QWidget(parent),
      m_frame(frame),
      m_session(session),
      m_disc(session.disc),
      m_report(session.report),
      m_objectList(runObjects)
{
    setObjectName(QStringLiteral("tsBDMV"));

    m_bdmvDir = new QLineEdit;
    m_bdmvDir->setObjectName(QStringLiteral("eBDMVdir"));
    m_bdmvDir->setReadOnly(true);
    m_bdmvDir->setToolTip(QStringLiteral("BDMV folder"));
    m_openDir = new QToolButton;
    m_openDir->setObjectName(QStringLiteral("bbOpenDir"));
    m_openDir->setText(QStringLiteral("..."));
    m_openDir->setToolTip(QStringLiteral("Select a directory"));
    m_readBdmv = new QPushButton(QStringLiteral("Read"));
    m_readBdmv->setObjectName(QStringLiteral("bReadBDMV"));
    m_readBdmv->setToolTip(QStringLiteral("Read the BDMV folder"));
    m_contentProvider = new QLineEdit;
    m_contentProvider->setObjectName(QStringLiteral("eContentProvider"));
    m_contentProvider->setMaxLength(32);
    // The writer keeps the content provider data as read, so the box only shows it.
    m_contentProvider->setReadOnly(true);
    m_contentProvider->setToolTip(QStringLiteral("Content provider"));
    m_contentProvider->setEnabled(false);
    m_contentProvider->setFixedWidth(220);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("BDMV folder:")));
    folderRow->addWidget(m_bdmvDir, 1);
    folderRow->addWidget(m_openDir);
    folderRow->addWidget(m_readBdmv);
    folderRow->addSpacing(8);
    folderRow->addWidget(new QLabel(QStringLiteral("Content provider:")));
    folderRow->addWidget(m_contentProvider);

    auto* groups = new QHBoxLayout;
    groups->addWidget(buildIndexGroup());
    groups->addWidget(buildMovieObjectGroup(), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(folderRow);
    layout->addLayout(groups, 1);

    connectControls();
    connectCommandEditor();
}

QString BdmvTab::folderText() const
{
    return m_bdmvDir->text();
}

void BdmvTab::setFolderText(const QString& path)
{
    m_bdmvDir->setText(path);
}

int BdmvTab::commandRowCount() const
{
    return m_commands->rowCount();
}

int BdmvTab::objectPanelHeight() const
{
    const auto sizes = m_objectSplitter->sizes();
    return sizes.isEmpty() ? m_objectHeight : sizes.front();
}

void BdmvTab::setObjectPanelHeight(int height)
{
    // A stored height is clipped only by the panels' own limits (their minimum heights).
    m_objectHeight = height;
    m_objectSplitter->setSizes({m_objectHeight, std::max(167, m_objectSplitter->height() - m_objectHeight)});
}

QWidget* BdmvTab::buildIndexGroup()
{
    auto* group = new QGroupBox(QStringLiteral("index.bdmv"));
    group->setObjectName(QStringLiteral("gbIndex"));
    group->setFixedWidth(392);

    static constexpr int kTitleWidths[] = {34, 62, 82, 76, 60};
    m_titles = makeGrid(QStringLiteral("sgTitles"), bdmv::titleCaptions(), kTitleWidths);
    m_titles->setToolTip(QStringLiteral("Titles"));

    m_titleNo = makeList(QStringLiteral("cbTitleNo"), QStringLiteral("Title number"), {}, 52);
    m_titleOT = makeList(QStringLiteral("cbTitleOT"), QStringLiteral("Title object type"),
                         {QStringLiteral("HDMV"), QStringLiteral("BD-J")}, 64);
    m_titleAT = makeList(QStringLiteral("cbTitleAT"),
                         QStringLiteral("Title acces type: Title Search  (User Operation) into this title"),
                         {QStringLiteral("Permitted"), QStringLiteral("Prohibited1"), QStringLiteral("Prohibited2")}, 96);
    m_titlePBT = makeList(QStringLiteral("cbTitlePBT"), QStringLiteral("Title playback type"),
                          {QStringLiteral("Movie"), QStringLiteral("Interactive")}, 100);
    m_titleOID = makeList(QStringLiteral("cbTitleOID"), QStringLiteral("Title object id"), {}, 56);
    m_titleFN = makeList(QStringLiteral("cbTitleFN"), QStringLiteral("BD-J object filename"), {}, 72);
    m_tiIns = makeGlyphButton(QStringLiteral("bbTiins"), QStringLiteral("+"), QStringLiteral("Insert a title after the selected title(s)"));
    m_tiDel = makeGlyphButton(QStringLiteral("bbTidel"), QStringLiteral("-"), QStringLiteral("Delete the selected title(s)"));

    auto* titleEditors = new QGridLayout;
    titleEditors->setHorizontalSpacing(4);
    titleEditors->setVerticalSpacing(0);
    titleEditors->addWidget(smallLabel(QStringLiteral("Title")), 0, 0);
    titleEditors->addWidget(smallLabel(QStringLiteral("Type")), 0, 1);
    titleEditors->addWidget(smallLabel(QStringLiteral("Title search")), 0, 2);
    titleEditors->addWidget(smallLabel(QStringLiteral("Playback")), 0, 3);
    titleEditors->addWidget(m_titleNo, 1, 0);
    titleEditors->addWidget(m_titleOT, 1, 1);
    titleEditors->addWidget(m_titleAT, 1, 2);
    titleEditors->addWidget(m_titlePBT, 1, 3);
    titleEditors->addWidget(smallLabel(QStringLiteral("Object")), 2, 0);
    titleEditors->addWidget(smallLabel(QStringLiteral("BD-J file")), 2, 1);
    titleEditors->addWidget(m_titleOID, 3, 0);
    titleEditors->addWidget(m_titleFN, 3, 1);
    auto* titleButtons = new QHBoxLayout;
    titleButtons->addStretch(1);
    titleButtons->addWidget(m_tiIns);
    titleButtons->addWidget(m_tiDel);
    titleEditors->addLayout(titleButtons, 3, 2, 1, 2);

    auto* fpb = new QGroupBox(QStringLiteral("First Playback"));
    fpb->setObjectName(QStringLiteral("gbFirstPlayback"));
    m_fpbOn = new QCheckBox(QStringLiteral("on"));
    m_fpbOn->setObjectName(QStringLiteral("cbFPBon"));
    m_fpbOn->setToolTip(QStringLiteral("First playback on/off"));
    m_fpbOn->setEnabled(false);
    m_fpbType = makeList(QStringLiteral("cbFPBtype"), QStringLiteral("First playback object type"),
                         {QStringLiteral("HDMV"), QStringLiteral("BD-J")}, 64);
    m_fpbPBType = makeList(QStringLiteral("cbFPBTitlePBtype"), QStringLiteral("Title playback type"),
                           {QStringLiteral("Movie"), QStringLiteral("Interactive")}, 100);
    m_fpbObject = makeList(QStringLiteral("cbFPBObject"), QStringLiteral("Object ID"), {}, 56);
    m_fpbFile = makeList(QStringLiteral("cbFPBFile"), QStringLiteral("BD-J file name"), {}, 72);
    auto* fpbRow = new QHBoxLayout(fpb);
    fpbRow->setContentsMargins(6, 2, 6, 4);
    fpbRow->addWidget(m_fpbOn);
    fpbRow->addWidget(m_fpbType);
    fpbRow->addWidget(m_fpbPBType);
    fpbRow->addWidget(m_fpbObject);
    fpbRow->addWidget(m_fpbFile);
    fpbRow->addStretch(1);

    auto* tm = new QGroupBox(QStringLiteral("Top Menu (0)"));
    tm->setObjectName(QStringLiteral("gbTopMenu"));
    m_tmOn = new QCheckBox(QStringLiteral("on"));
    m_tmOn->setObjectName(QStringLiteral("cbTMon"));
    m_tmOn->setToolTip(QStringLiteral("Top menu on/off"));
    m_tmOn->setEnabled(false);
    m_tmType = makeList(QStringLiteral("cbTMtype"), QStringLiteral("Top menu object type"),
                        {QStringLiteral("HDMV"), QStringLiteral("BD-J")}, 64);
    m_tmObject = makeList(QStringLiteral("cbTMObject"), QStringLiteral("Object ID"), {}, 56);
    m_tmFile = makeList(QStringLiteral("cbTMFile"), QStringLiteral("BD-J file name"), {}, 72);
    auto* tmRow = new QHBoxLayout(tm);
    tmRow->setContentsMargins(6, 2, 6, 4);
    tmRow->addWidget(m_tmOn);
    tmRow->addWidget(m_tmType);
    tmRow->addSpacing(92);
    tmRow->addWidget(m_tmObject);
    tmRow->addWidget(m_tmFile);
    tmRow->addStretch(1);

    m_indExtCaption = new QLabel(QStringLiteral("None"));
    m_indExtCaption->setObjectName(QStringLiteral("lIndExtDatCap"));
    m_indExtEdit = new QPushButton(QStringLiteral("Edit"));
    m_indExtEdit->setObjectName(QStringLiteral("bIndExDatEdit"));
    m_indExtEdit->setToolTip(QStringLiteral("Edit the ExtensionData() of index.bdmv"));
    m_indExtEdit->setEnabled(false);
    auto* extRow = new QHBoxLayout;
    extRow->addWidget(new QLabel(QStringLiteral("ExtensionData():")));
    extRow->addWidget(m_indExtCaption, 1);
    extRow->addWidget(m_indExtEdit);

    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    layout->addWidget(m_titles, 1);
    layout->addLayout(titleEditors);
    layout->addWidget(fpb);
    layout->addWidget(tm);
    layout->addLayout(extRow);
    return group;
}

QWidget* BdmvTab::buildMovieObjectGroup()
{
    auto* group = new QGroupBox(QStringLiteral("MovieObject.bdmv"));
    group->setObjectName(QStringLiteral("gbMovieObject"));
    // Return in a command field hands the focus to the box, which completes the entry; the box
    // is not a stop of the Tab key.
    group->setFocusPolicy(Qt::ClickFocus);

    auto* objectsPanel = new QWidget;
    objectsPanel->setObjectName(QStringLiteral("pnlObjects"));
    objectsPanel->setMinimumHeight(80);
    static constexpr int kObjectWidths[] = {34, 64, 70, 70, 60};
    m_objects = makeGrid(QStringLiteral("sgObject"), bdmv::objectCaptions(), kObjectWidths);
    m_objects->setToolTip(QStringLiteral("Movie objects"));
    m_resume = makeList(QStringLiteral("cbResume"), QStringLiteral("Resume"),
                        {QStringLiteral("discard"), QStringLiteral("suspend")}, 78);
    m_menuCall = makeList(QStringLiteral("cbMenuCall"), QStringLiteral("Menu call"),
                          {QStringLiteral("enable"), QStringLiteral("disable")}, 78);
    m_titleSearch = makeList(QStringLiteral("cbTitleSearch"), QStringLiteral("Title search"),
                             {QStringLiteral("enable"), QStringLiteral("disable")}, 78);
    m_obIns = makeGlyphButton(QStringLiteral("bbObins"), QStringLiteral("+"), QStringLiteral("Insert a movie object after the selected object(s)"));
    m_obDel = makeGlyphButton(QStringLiteral("bbObdel"), QStringLiteral("-"), QStringLiteral("Delete the selected movie object(s)"));
    auto* flags = new QGridLayout;
    flags->setSpacing(2);
    flags->addWidget(smallLabel(QStringLiteral("Resume")), 0, 0);
    flags->addWidget(m_resume, 0, 1);
    flags->addWidget(smallLabel(QStringLiteral("Menu call")), 1, 0);
    flags->addWidget(m_menuCall, 1, 1);
    flags->addWidget(smallLabel(QStringLiteral("Title search")), 2, 0);
    flags->addWidget(m_titleSearch, 2, 1);
    auto* objectButtons = new QHBoxLayout;
    objectButtons->addStretch(1);
    objectButtons->addWidget(m_obIns);
    objectButtons->addWidget(m_obDel);
    flags->addLayout(objectButtons, 3, 0, 1, 2);
    flags->setRowStretch(4, 1);
    auto* objectsLayout = new QHBoxLayout(objectsPanel);
    objectsLayout->setContentsMargins(0, 0, 0, 0);
    objectsLayout->addWidget(m_objects, 1);
    objectsLayout->addLayout(flags);

    m_objectSplitter = new QSplitter(Qt::Vertical);
    m_objectSplitter->setObjectName(QStringLiteral("splObjects"));
    m_objectSplitter->setChildrenCollapsible(false);
    m_objectSplitter->addWidget(objectsPanel);
    m_objectSplitter->addWidget(buildCommandPanel());
    m_objectSplitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_objectSplitter);
    return group;
}

QWidget* BdmvTab::buildCommandPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("pnlCommands"));
    panel->setMinimumHeight(167);

    const auto& captions = hdmv::commandGridCaptions();
    static constexpr int kCommandWidths[] = {40, 72, 72, 72, 200};
    m_commands = makeGrid(QStringLiteral("sgCommands"), captions, kCommandWidths);
    m_commands->setToolTip(QStringLiteral("Navigation commands"));
    m_commands->setMinimumHeight(40);

    QStringList groupNames;
    for (uint32_t g = 0; g < 3; ++g)
        groupNames << QString::fromUtf8(hdmv::groupName(g).data(), static_cast<int>(hdmv::groupName(g).size()));
    m_cmdGrp = makeList(QStringLiteral("cbCmdGrp"), QStringLiteral("Command Group"), groupNames, 82);
    m_cmdSGrp = makeList(QStringLiteral("cbCmdSGrp"), QStringLiteral("Command Sub-Group"), {}, 90);
    m_cmd = makeList(QStringLiteral("cbCmd"), QStringLiteral("Command Option"), {}, 130);
    m_valid = new QLabel(QStringLiteral("  Valid"));
    m_valid->setObjectName(QStringLiteral("lValid"));
    m_valid->setEnabled(false);
    m_valid->setFixedWidth(m_valid->fontMetrics().horizontalAdvance(QStringLiteral("Invalid")) + 8);
    m_ncIns = makeGlyphButton(QStringLiteral("bbNCins"), QStringLiteral("+"), QStringLiteral("Insert a line after selected line(s)"));
    m_ncDel = makeGlyphButton(QStringLiteral("bbNCdel"), QStringLiteral("-"), QStringLiteral("Delete the selected line(s)"));

    const QStringList types{QStringLiteral("GPR"), QStringLiteral("PSR"), QStringLiteral("Imm")};
    m_op1On = new QCheckBox;
    m_op1On->setObjectName(QStringLiteral("cbOP1on"));
    m_op1On->setToolTip(QStringLiteral("Destination operand"));
    m_op1On->setEnabled(false);
    m_op2On = new QCheckBox;
    m_op2On->setObjectName(QStringLiteral("cbOP2on"));
    m_op2On->setToolTip(QStringLiteral("Source operand"));
    m_op2On->setEnabled(false);
    m_op1Type = makeList(QStringLiteral("cbOP1"), QStringLiteral("Destination Type"), types, 58);
    m_op2Type = makeList(QStringLiteral("cbOp2"), QStringLiteral("Source Type"), types, 58);
    m_op1 = new TIntEdit;
    m_op1->setObjectName(QStringLiteral("ieOp1"));
    m_op1->setToolTip(QStringLiteral("Destination"));
    m_op1->setFixedWidth(m_op1->fontMetrics().horizontalAdvance(QStringLiteral("-000000000")) + 8);
    m_op1->setEnabled(false);
    m_op2 = new TIntEdit;
    m_op2->setObjectName(QStringLiteral("ieOp2"));
    m_op2->setToolTip(QStringLiteral("Source"));
    m_op2->setFixedWidth(m_op1->width());
    m_op2->setEnabled(false);
    m_och = new THexEdit(8);
    m_och->setObjectName(QStringLiteral("heOCH"));
    m_och->setToolTip(QStringLiteral("Opcode"));
    m_och->setEnabled(false);
    m_deh = new THexEdit(8);
    m_deh->setObjectName(QStringLiteral("heDEH"));
    m_deh->setToolTip(QStringLiteral("Destination word"));
    m_deh->setEnabled(false);
    m_soh = new THexEdit(8);
    m_soh->setObjectName(QStringLiteral("heSOH"));
    m_soh->setToolTip(QStringLiteral("Source word"));
    m_soh->setEnabled(false);

    m_objExtCaption = new QLabel(QStringLiteral("no ExtensionData()"));
    m_objExtCaption->setObjectName(QStringLiteral("lObjExtDatCap"));
    m_objExtEdit = new QPushButton(QStringLiteral("Edit"));
    m_objExtEdit->setObjectName(QStringLiteral("bObjExtDatEdit"));
    m_objExtEdit->setToolTip(QStringLiteral("Edit the ExtensionData() of MovieObject.bdmv"));
    m_objExtEdit->setEnabled(false);

    auto* rowA = new QHBoxLayout;
    rowA->setSpacing(4);
    rowA->addWidget(m_cmdGrp);
    rowA->addWidget(m_cmdSGrp);
    rowA->addWidget(m_cmd);
    rowA->addWidget(m_valid);
    rowA->addStretch(1);
    rowA->addWidget(m_ncIns);
    rowA->addWidget(m_ncDel);

    auto* rowB = new QHBoxLayout;
    rowB->setSpacing(4);
    rowB->addWidget(m_op1On);
    rowB->addWidget(m_op1Type);
    rowB->addWidget(m_op1);
    rowB->addWidget(m_deh);
    rowB->addStretch(1);
    rowB->addWidget(new QLabel(QStringLiteral("Opcode")));
    rowB->addWidget(m_och);

    auto* rowB2 = new QHBoxLayout;
    rowB2->setSpacing(4);
    rowB2->addWidget(m_op2On);
    rowB2->addWidget(m_op2Type);
    rowB2->addWidget(m_op2);
    rowB2->addWidget(m_soh);
    rowB2->addStretch(1);

    auto* rowC = new QHBoxLayout;
    rowC->addWidget(new QLabel(QStringLiteral("ExtensionData():")));
    rowC->addWidget(m_objExtCaption, 1);
    rowC->addWidget(m_objExtEdit);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_commands, 1);
    layout->addLayout(rowA);
    layout->addLayout(rowB);
    layout->addLayout(rowB2);
    layout->addLayout(rowC);
    return panel;
}

}  // namespace mirtal::ui
