// The PLAYLIST, CLIPINF and Menu tabs: their groups, grids and editors with the names and
// captions the library gives, disabled until something is read into them; the run panel's and
// the navigation panel's place on the Menu tab; the page view's key echo and overlay twins.

#include "ui_fixture.h"

#include "hdmv/command_text.h"
#include "ig/ig_text.h"
#include "playlist/clpi.h"
#include "playlist/mpls_text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <map>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;
using Cells = std::vector<std::string>;

namespace {

template <typename Captions>
Cells cells(const Captions& c)
{
    return Cells(c.begin(), c.end());
}

}  // namespace

TEST_F(WindowTest, PlayListTabHoldsItsGridsEmptyAndDisabled)
{
    // Without "Auto Read" nothing is read until the Read button is pressed.
    QSettings(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal")).setValue(QStringLiteral("AutoRead"), 0);
    auto window = openSample();
    const std::pair<const char*, Cells> grids[] = {
        {"sgPLitem", cells(playlist::playItemCaptions())},
        {"sgSTN", cells(playlist::stnCaptions())},
        {"sgStreamEntry", cells(playlist::streamCaptions())},
        {"sgPIangles", cells(playlist::angleCaptions())},
        {"sgSubPath", cells(playlist::subPathCaptions())},
        {"sgSubPlayItem", cells(playlist::subPlayItemCaptions())},
        {"sgAngles", cells(playlist::clipEntryCaptions())},
        {"sgPlayListMark", cells(playlist::markCaptions())},
    };
    for (const auto& [name, captions] : grids) {
        auto* grid = control<QTableWidget>(*window, name);
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(captionTexts(grid), captions) << name;
        EXPECT_EQ(grid->rowCount(), 1) << name;
        EXPECT_FALSE(grid->isEnabled()) << name;
    }
    EXPECT_EQ(captionTexts(control<QTableWidget>(*window, "sgPLitem")),
              (Cells{"", "file", "type", "IN time", "OUT time", "length", "UO1", "UO2", "An"}));
    EXPECT_EQ(control<QGroupBox>(*window, "gbPlayList")->title().toStdString(), "PlayList");
    EXPECT_EQ(control<QGroupBox>(*window, "gbSubPath")->title().toStdString(), "SubPath");
    EXPECT_EQ(control<QGroupBox>(*window, "gbPlayListMark")->title().toStdString(), "PlayListMark");
    EXPECT_EQ(control<QGroupBox>(*window, "gbAppInfo")->title().toStdString(), "AppInfoPlayList");
    for (const char* name : {"cbSubPathType", "cbSPrepeat", "cmPLMtype", "coEntryType", "coVideo", "coResol",
                             "coFrmRate", "coAudio", "coAuType", "coFreq", "coLang", "cbAIpbt"})
        EXPECT_FALSE(control<QComboBox>(*window, name)->isEnabled()) << name;
    for (const char* name : {"iePLMPI", "iePLMhour", "iePLMmin", "iePLMsec", "iePLMms", "ieAIpbc", "heAIUO", "heAIUO2"})
        EXPECT_FALSE(control<QLineEdit>(*window, name)->isEnabled()) << name;
    // The selectors carry their vocabularies already.
    EXPECT_EQ(control<QComboBox>(*window, "coLang")->count(), 431);
    EXPECT_EQ(control<QComboBox>(*window, "cbAIpbt")->itemText(2).toStdString(), "Shuffle");
    EXPECT_EQ(control<QCheckBox>(*window, "cbUO31")->toolTip().toStdString(), "UO31: reserved for menu call");
    EXPECT_EQ(control<QCheckBox>(*window, "cbUO2_30")->toolTip().toStdString(), "UO230: PiP PG textST stream number change ");
    // The PlayList list holds the disc's PlayLists.
    EXPECT_EQ(control<QComboBox>(*window, "cbPlaylist")->count(), 5);
}

TEST_F(WindowTest, ClipInfAndMenuTabsHoldTheirGridsEmptyAndDisabled)
{
    // Without "Auto Read" nothing is read until the Read button is pressed.
    QSettings(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal")).setValue(QStringLiteral("AutoRead"), 0);
    auto window = openSample();
    auto* programs = control<QTableWidget>(*window, "sgCI");
    EXPECT_EQ(captionTexts(programs), (Cells{"", "PID", "Stream type", "Details"}));
    EXPECT_FALSE(programs->isEnabled());
    EXPECT_EQ(control<QPushButton>(*window, "bLoadToMenu")->text().toStdString(), "->");
    EXPECT_EQ(control<QPushButton>(*window, "bSavePES")->toolTip().toStdString(), "Save the selected PID");
    EXPECT_EQ(control<QComboBox>(*window, "cbClipinf")->count(), 6);

    const std::pair<const char*, Cells> grids[] = {
        {"sgButton", cells(ig::buttonGridCaptions())},
        {"sgMCommands", cells(hdmv::commandGridCaptions())},
        {"sgInEffWindows", cells(ig::windowGridCaptions())},
        {"sgInEffEffects", cells(ig::effectGridCaptions())},
        {"sgInEffCompObjects", cells(ig::compositionObjectGridCaptions())},
        {"sgOutEffWindows", cells(ig::windowGridCaptions())},
        {"sgOutEffEffects", cells(ig::effectGridCaptions())},
        {"sgOutEffCompObjects", cells(ig::compositionObjectGridCaptions())},
    };
    for (const auto& [name, captions] : grids) {
        auto* grid = control<QTableWidget>(*window, name);
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(captionTexts(grid), captions) << name;
        EXPECT_FALSE(grid->isEnabled()) << name;
    }
    auto* bog = control<QTableWidget>(*window, "sgBOG");
    EXPECT_EQ(bog->columnCount(), 2);
    EXPECT_EQ(bog->item(0, 0)->text().toStdString(), " id");
    EXPECT_EQ(bog->item(2, 0)->text().toStdString(), " number of buttons");
    auto* sub = control<QTabWidget>(*window, "pcMenu");
    ASSERT_EQ(sub->count(), 4);
    EXPECT_EQ(sub->tabText(0).toStdString(), "BOGs");
    EXPECT_EQ(sub->tabText(3).toStdString(), "Page view");
    EXPECT_FALSE(sub->isEnabled());
    for (const char* name : {"gbIGSInfo", "gbMenuHead", "gbObjPal"})
        EXPECT_FALSE(control<QGroupBox>(*window, name)->isEnabled()) << name;
    EXPECT_EQ(control<QLineEdit>(*window, "heDefSelButt")->toolTip().toStdString(), "Default Selected Button");
}

TEST_F(WindowTest, MenuTabShowsTheButtonListAndTheNavigationPanel)
{
    auto window = openSample();
    auto* tabs = control<QTabWidget>(*window, "PageControl");
    tabs->setCurrentIndex(3);
    EXPECT_FALSE(control<QWidget>(*window, "pnlExecute")->isHidden());
    EXPECT_FALSE(control<QWidget>(*window, "pRegisters")->isHidden());
    EXPECT_FALSE(control<QWidget>(*window, "pNavigate")->isHidden());
    EXPECT_FALSE(control<QComboBox>(*window, "cbButton")->isHidden());
    EXPECT_TRUE(control<QComboBox>(*window, "cbObject")->isHidden());
    EXPECT_FALSE(control<QPushButton>(*window, "bSave")->isHidden());
    EXPECT_FALSE(control<QPushButton>(*window, "bSave")->isEnabled());
    for (const char* name : {"bNavUp", "bNavDown", "bNavLeft", "bNavRight", "bNavSel"})
        EXPECT_FALSE(control<QPushButton>(*window, name)->isEnabled()) << name;
    EXPECT_EQ(control<QPushButton>(*window, "bNavSel")->text().toStdString(), "S&el");
    tabs->setCurrentIndex(0);
    EXPECT_TRUE(control<QWidget>(*window, "pNavigate")->isHidden());
    EXPECT_TRUE(control<QComboBox>(*window, "cbButton")->isHidden());
}

TEST_F(WindowTest, PageViewEchoesKeyCodesAndShowsItsOverlayTwins)
{
    auto window = openSample();
    auto* panel = control<QLabel>(*window, "sbPanel1");
    auto* tabs = control<QTabWidget>(*window, "PageControl");
    auto* sub = control<QTabWidget>(*window, "pcMenu");
    tabs->setCurrentIndex(3);
    panel->clear();
    QTest::keyClick(window.get(), Qt::Key_A);
    EXPECT_TRUE(panel->text().isEmpty());    // not on the BOGs sub-tab

    EXPECT_TRUE(control<QGroupBox>(*window, "gbInfos")->isHidden());
    sub->setCurrentIndex(3);
    EXPECT_FALSE(control<QGroupBox>(*window, "gbInfos")->isHidden());
    QTest::keyClick(window.get(), Qt::Key_A);
    EXPECT_EQ(panel->text().trimmed().toStdString(), "65");
    QTest::keyClick(window.get(), Qt::Key_Left);
    EXPECT_EQ(panel->text().trimmed().toStdString(), "37");
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(panel->text().trimmed().toStdString(), "116");

    // A page view box and its Options twin follow each other.
    control<QCheckBox>(*window, "cbObjectId")->setChecked(true);
    EXPECT_TRUE(control<QCheckBox>(*window, "cbObjectIdO")->isChecked());
    control<QCheckBox>(*window, "cbWindowFrameO")->setChecked(true);
    EXPECT_TRUE(control<QCheckBox>(*window, "cbWindowFrame")->isChecked());
}

TEST_F(WindowTest, DoubleClickOnPlayPlShowsThePlayListTabWithItSelected)
{
    auto window = openSample();
    showObject(*window, 0);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    ASSERT_EQ(rowTexts(commands, 5)[4], "Play PL 0");
    emit commands->cellDoubleClicked(5, 1);
    EXPECT_EQ(control<QTabWidget>(*window, "PageControl")->currentWidget()->objectName().toStdString(), "tsPLAYLIST");
    EXPECT_EQ(control<QComboBox>(*window, "cbPlaylist")->currentText().toStdString(), "00000");
}

TEST_F(WindowTest, DoubleClickOnAPlayListTheDiscLacksSaysSo)
{
    support::DiscBuilder b;
    b.title({1, 0, 0, 0, {}}).object({false, false, false, {{0x22800000, 7, 0}}});
    auto window = openBuilt(b);
    emit control<QTableWidget>(*window, "sgCommands")->cellDoubleClicked(0, 1);
    EXPECT_EQ(control<QTabWidget>(*window, "PageControl")->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>(*window, "cbPlaylist")->currentIndex(), -1);
    EXPECT_EQ(control<QLabel>(*window, "sbPanel1")->text().trimmed().toStdString(), "PlayList 00007 not found");
}

TEST_F(WindowTest, DoubleClickOnSetButtonPageWithoutAMenuStaysOnTheBdmvTab)
{
    support::DiscBuilder b;
    b.title({1, 0, 0, 0, {}}).object({false, false, false, {{0x51C00003, 0x80000002, 0x80000001}}});
    auto window = openBuilt(b);
    emit control<QTableWidget>(*window, "sgCommands")->cellDoubleClicked(0, 1);
    EXPECT_EQ(control<QTabWidget>(*window, "PageControl")->currentIndex(), 0);
}

TEST_F(WindowTest, AboutTabShowsNameVersionAndHistory)
{
    TfMain window;
    EXPECT_EQ(control<QLabel>(window, "lProgramName")->text().toStdString(), "Mirtal");
    EXPECT_EQ(control<QLabel>(window, "lVersion")->text().toStdString(), "Version 0.21b4");
    EXPECT_TRUE(control<QTextEdit>(window, "mHistory")->toPlainText().startsWith(QStringLiteral("0.21b4")));
}

TEST_F(WindowTest, EveryNamedControlOfTheWindowHasItsOwnName)
{
    auto window = openSample();
    std::map<QString, int> seen;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        const bool internal = name.startsWith(QStringLiteral("qt_")) || qobject_cast<QTabBar*>(w->parentWidget());
        if (!name.isEmpty() && !internal)
            ++seen[name];
    }
    for (const auto& [name, count] : seen)
        EXPECT_EQ(count, 1) << name.toStdString();
}
