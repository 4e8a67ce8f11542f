// The Menu tab's controls: the composition and page header, the object preview, and the
// sub-tabs with the BOG, button and command grids, the effect grids and the page view. They
// stay disabled until a menu is loaded into them.

#include "hdmv/command_text.h"
#include "ig/ig_text.h"
#include "ui/grid.h"
#include "ui/main_window.h"
#include "ui/menu_tab.h"
#include "ui/num_edit.h"
#include "ui/page_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mirtal::ui {

namespace {

template <typename Field>
Field* headerField(Field* field, const QString& name, const QString& hint, int digits)
{
    field->setObjectName(name);
    field->setToolTip(hint);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 14);
    return field;
}

QGroupBox* box(const QString& name, const QString& caption)
{
    auto* b = new QGroupBox(caption);
    b->setObjectName(name);
    b->setEnabled(false);
    return b;
}

// One effects sub-tab: windows, effects and the composition objects of the selected effect.
QWidget* effectsTab(const QString& name, const QString& prefix, std::array<QTableWidget*, 3>& grids)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* windows = captionGrid(QStringLiteral("sg") + prefix + QStringLiteral("Windows"), ig::windowGridCaptions(),
                             {30, 44, 44, 50, 50}, QStringLiteral("Windows"));
    auto* effects = captionGrid(QStringLiteral("sg") + prefix + QStringLiteral("Effects"), ig::effectGridCaptions(),
                             {30, 90, 50, 60}, QStringLiteral("Effects"));
    auto* objects = captionGrid(QStringLiteral("sg") + prefix + QStringLiteral("CompObjects"),
                             ig::compositionObjectGridCaptions(), {30, 46, 50, 56, 50, 46, 46, 60, 60},
                             QStringLiteral("Composition objects"));
    grids = {windows, effects, objects};
    for (auto* grid : grids)
        grid->setEnabled(false);
    auto* top = new QHBoxLayout;
    top->addWidget(windows, 1);
    top->addWidget(effects, 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top, 1);
    layout->addWidget(objects, 1);
    return page;
}

}  // namespace

MenuTab::MenuTab(TfMain& frame, session::Session& session, QComboBox* buttonList, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_session(session), m_buttonList(buttonList)
{
    setObjectName(QStringLiteral("tsMenu"));

    // The composition: its summary, the page list and the user time-out.
    auto* igs = box(QStringLiteral("gbIGSInfo"), QStringLiteral("Interactive Graphics"));
    m_igsBox = igs;
    auto* info = new QLabel(QStringLiteral("-"));
    info->setObjectName(QStringLiteral("lIGSInfo"));
    m_info = info;
    m_page = makeList(QStringLiteral("cbPage"), QStringLiteral("Page ID"), {}, 64);
    auto* timeOut = new QLineEdit;
    timeOut->setObjectName(QStringLiteral("eUTO"));
    timeOut->setToolTip(QStringLiteral("User time out duration"));
    timeOut->setReadOnly(true);
    m_timeOut = timeOut;
    timeOut->setFixedWidth(timeOut->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00,000")) + 14);
    auto* igsLayout = new QGridLayout(igs);
    igsLayout->setSpacing(3);
    igsLayout->addWidget(info, 0, 0, 1, 2);
    igsLayout->addWidget(smallLabel(QStringLiteral("Page")), 1, 0);
    igsLayout->addWidget(m_page, 1, 1);
    igsLayout->addWidget(smallLabel(QStringLiteral("Time-out")), 2, 0);
    igsLayout->addWidget(timeOut, 2, 1);
    igsLayout->setRowStretch(3, 1);

    // The page header.
    auto* head = box(QStringLiteral("gbMenuHead"), QStringLiteral("Page"));
    m_headBox = head;
    struct HeaderField {
        const char* name;
        const char* hint;
        const char* label;
        bool hex;
        int digits;
        bool readOnly;
    };
    static const HeaderField kHeader[] = {
        {"heUO1", "User Operation Mask 1", "UO 1", true, 8, false},
        {"heUO2", "User Operation Mask 2", "UO 2", true, 8, false},
        {"ieFramerate", "Animation Frame Rate Code (divider)", "Frame rate", false, 3, false},
        {"heDefSelButt", "Default Selected Button", "Def. sel.", true, 4, false},
        {"heDefActButt", "Default Activated Button", "Def. act.", true, 4, false},
        {"hePalette", "Palette", "Palette", true, 2, false},
        {"ieInEffWin", "Number of In effects windows", "In win.", false, 3, true},
        {"ieInEffEff", "Number of In effects effects", "In eff.", false, 3, true},
        {"ieOutEffWin", "Number of Out effects windows", "Out win.", false, 3, true},
        {"ieOutEffEff", "Number of Out effects effects", "Out eff.", false, 3, true},
        {"ieBOGs", "Number of Button Overlap Groups", "BOGs", false, 3, true},
    };
    auto* headLayout = new QGridLayout(head);
    headLayout->setHorizontalSpacing(6);
    headLayout->setVerticalSpacing(1);
    int n = 0;
    for (const auto& entry : kHeader) {
        QLineEdit* field = entry.hex ? static_cast<QLineEdit*>(new THexEdit(entry.digits)) : new TIntEdit;
        headerField(field, QString::fromLatin1(entry.name), QString::fromLatin1(entry.hint), entry.digits);
        field->setReadOnly(entry.readOnly);
        m_header[static_cast<size_t>(n)] = field;
        const int col = n < 6 ? n : n - 6;
        const int rowPair = n < 6 ? 0 : 2;
        headLayout->addWidget(smallLabel(QString::fromLatin1(entry.label)), rowPair, col);
        headLayout->addWidget(field, rowPair + 1, col);
        ++n;
    }
    headLayout->setColumnStretch(6, 1);

    // The object preview with its object and palette lists.
    auto* objPal = box(QStringLiteral("gbObjPal"), QStringLiteral("Objects"));
    m_objPalBox = objPal;
    auto* objects = makeList(QStringLiteral("cbObjects"), QStringLiteral("0 objects"), {}, 64);
    auto* palettes = makeList(QStringLiteral("cbPalettes"), QStringLiteral("0 palettes"), {}, 64);
    auto* paletteOnly = new QCheckBox(QStringLiteral("View palette only"));
    paletteOnly->setObjectName(QStringLiteral("cbPalOnly"));
    m_objects = objects;
    m_palettes = palettes;
    m_paletteOnly = paletteOnly;
    // The preview at its own size in a scroll box of the object background colour.
    m_objectPreview = new QLabel;
    m_objectPreview->setObjectName(QStringLiteral("iMenu"));
    m_objectPreview->setAlignment(Qt::AlignCenter);
    m_previewArea = new QScrollArea;
    m_previewArea->setObjectName(QStringLiteral("sbImage"));
    m_previewArea->setWidget(m_objectPreview);
    m_previewArea->setWidgetResizable(false);
    m_previewArea->setAlignment(Qt::AlignCenter);
    m_previewArea->setFixedSize(164, 94);
    auto* preview = m_previewArea;
    auto* lists = new QVBoxLayout;
    lists->setSpacing(2);
    lists->addWidget(objects);
    lists->addWidget(palettes);
    lists->addWidget(paletteOnly);
    lists->addStretch(1);
    auto* objPalLayout = new QHBoxLayout(objPal);
    objPalLayout->setContentsMargins(6, 2, 6, 4);
    objPalLayout->addLayout(lists);
    objPalLayout->addWidget(preview);

    auto* top = new QHBoxLayout;
    top->addWidget(igs);
    top->addWidget(head, 1);
    top->addWidget(objPal);

    // The sub-tabs.
    m_menuTabs = new QTabWidget;
    m_menuTabs->setObjectName(QStringLiteral("pcMenu"));
    m_menuTabs->setEnabled(false);

    auto* bogs = new QWidget;
    bogs->setObjectName(QStringLiteral("tsBOGs"));
    const auto bogRows = ig::bogGrid(ig::TPage{});
    auto* bogGrid = new QTableWidget(3, 2);
    m_bogGrid = bogGrid;
    bogGrid->setObjectName(QStringLiteral("sgBOG"));
    bogGrid->setToolTip(QStringLiteral("Button Overlap Groups"));
    bogGrid->horizontalHeader()->setVisible(false);
    bogGrid->verticalHeader()->setVisible(false);
    bogGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bogGrid->verticalHeader()->setDefaultSectionSize(bogGrid->fontMetrics().height() + 4);
    int labelWidth = 0;
    for (int r = 0; r < 3; ++r) {
        const QString label = QString::fromStdString(bogRows[static_cast<size_t>(r)].front());
        bogGrid->setItem(r, 0, new QTableWidgetItem(label));
        labelWidth = std::max(labelWidth, bogGrid->fontMetrics().horizontalAdvance(label) + 12);
    }
    bogGrid->setColumnWidth(0, labelWidth);
    bogGrid->setColumnWidth(1, 32);
    bogGrid->setFixedHeight(3 * bogGrid->verticalHeader()->defaultSectionSize() + 2 * bogGrid->frameWidth() +
                            bogGrid->horizontalScrollBar()->sizeHint().height());
    bogGrid->setEnabled(false);
    auto* buttons = captionGrid(QStringLiteral("sgButton"), ig::buttonGridCaptions(),
                             {40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40},
                             QStringLiteral("Buttons (Click to show object, Double click to animate)"));
    m_buttonGrid = buttons;
    buttons->setSelectionBehavior(QAbstractItemView::SelectItems);
    buttons->setSelectionMode(QAbstractItemView::SingleSelection);
    buttons->setEnabled(false);
    auto* commands = captionGrid(QStringLiteral("sgMCommands"), hdmv::commandGridCaptions(), {40, 72, 72, 72, 180},
                                 QStringLiteral("Navigation commands"));
    commands->setFixedWidth(440);
    commands->setEnabled(false);
    m_commandGrid = commands;
    auto* lower = new QHBoxLayout;
    lower->addWidget(buttons, 1);
    lower->addWidget(commands);
    auto* bogsLayout = new QVBoxLayout(bogs);
    bogsLayout->setContentsMargins(4, 4, 4, 4);
    bogsLayout->addWidget(bogGrid);
    bogsLayout->addLayout(lower, 1);
    m_menuTabs->addTab(bogs, QStringLiteral("BOGs"));
    m_menuTabs->setTabToolTip(0, QStringLiteral("Button Overlap Groups"));
    m_menuTabs->addTab(effectsTab(QStringLiteral("tsInEffects"), QStringLiteral("InEff"), m_effects[0]), QStringLiteral("In Effects"));
    m_menuTabs->addTab(effectsTab(QStringLiteral("tsOutEffects"), QStringLiteral("OutEff"), m_effects[1]), QStringLiteral("Out Effects"));
    m_menuTabs->addTab(buildPageView(), QStringLiteral("Page view"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_menuTabs, 1);
    connectControls();
}

QWidget* MenuTab::buildPageView()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsPageView"));
    m_pageView = new TPageView;
    m_pageView->setImage(m_session.menuPage.image());

    m_infos = new QGroupBox(QStringLiteral("Show"));
    m_infos->setObjectName(QStringLiteral("gbInfos"));
    static const char* const kNames[] = {"cbButtonId", "cbObjectId", "cbButtonFrame", "cbWindowFrame"};
    static const char* const kCaptions[] = {"Show Button ID", "Show Object ID", "Show Button frame", "Show Window frame"};
    auto* infosLayout = new QVBoxLayout(m_infos);
    infosLayout->setSpacing(2);
    for (size_t i = 0; i < m_overlayPage.size(); ++i) {
        auto* check = new QCheckBox(QString::fromLatin1(kCaptions[i]));
        check->setObjectName(QString::fromLatin1(kNames[i]));
        m_overlayPage[i] = check;
        infosLayout->addWidget(check);
    }
    infosLayout->addStretch(1);
    // The overlay boxes appear the first time the page view is opened.
    m_infos->hide();

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_pageView, 1);
    layout->addWidget(m_infos);
    return page;
}

}  // namespace mirtal::ui
