#include "ui_fixture.h"

#include "ui/num_edit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QApplication>
#include <QSplitter>
#include <QTabWidget>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;

TEST_F(WindowTest, SettingsWrittenOnCloseAreReadOnTheNextStart)
{
    const auto bdmv = support::writeSampleDisc(dir.path() / "Disc");
    {
        TfMain window;
        window.show();
        control<QCheckBox>(window, "cbAutoRead")->setChecked(false);
        control<QCheckBox>(window, "cbOBackup")->setChecked(false);
        control<QCheckBox>(window, "cbSaveBACKUP")->setChecked(true);
        control<QRadioButton>(window, "rgBackupMode2")->setChecked(true);
        control<QRadioButton>(window, "rgRegion2")->setChecked(true);
        control<QRadioButton>(window, "rgChapterFormat1")->setChecked(true);
        control<QCheckBox>(window, "cbSaveSUP")->setChecked(false);
        control<QCheckBox>(window, "cbButtonFrame")->setChecked(true);
        control<QCheckBox>(window, "cbForcedBeep")->setChecked(false);
        control<TIntEdit>(window, "ieActiDelay")->setValue(120);
        control<THexEdit>(window, "heCountry")->setValue(0x4A50);
        control<QLineEdit>(window, "eBDMVdir")->setText(QString::fromStdString(bdmv.string()) + u'/');
        window.resize(1000, 640);
        window.close();
    }
    TfMain window;
    window.show();
    EXPECT_FALSE(control<QCheckBox>(window, "cbAutoRead")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(window, "cbOBackup")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(window, "cbSaveBACKUP")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(window, "rgBackupMode2")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(window, "rgChapterFormat1")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(window, "cbSaveSUP")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(window, "cbButtonFrame")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(window, "cbForcedBeep")->isChecked());
    EXPECT_EQ(control<TIntEdit>(window, "ieActiDelay")->value(), 120);
    EXPECT_EQ(control<QLineEdit>(window, "eBDMVdir")->text().toStdString(), bdmv.string() + "/");
    EXPECT_EQ(window.size(), QSize(1000, 640));
    const auto options = window.backupOptions();
    EXPECT_FALSE(options.createBackup);
    EXPECT_EQ(options.mode, core::BackupMode::StopIfExists);
    EXPECT_TRUE(options.saveToBackupDir);
    // The registers are reset from the stored region and country code; nothing is read.
    EXPECT_EQ(window.registers().psr[20], 4u);
    EXPECT_EQ(window.registers().psr[19], 0x4A50u);
    EXPECT_EQ(control<QLabel>(window, "lCountry")->text().toStdString(), "JP");
    EXPECT_FALSE(window.disc().checksPassed);
}

TEST_F(WindowTest, SettingsUseTheStoredNamesAndDefaults)
{
    {
        TfMain window;
        window.show();
        window.close();
    }
    QSettings s(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal"));
    EXPECT_EQ(s.value("WindowState").toInt(), 0);
    EXPECT_EQ(s.value("Width").toInt(), 976);
    EXPECT_EQ(s.value("Height").toInt(), 599);
    EXPECT_EQ(s.value("AutoRead").toInt(), 1);
    EXPECT_EQ(s.value("Backup").toInt(), 1);
    EXPECT_EQ(s.value("SaveBACKUP").toInt(), 0);
    EXPECT_EQ(s.value("BackupMode").toInt(), 0);
    EXPECT_EQ(s.value("Region").toInt(), 0);
    EXPECT_EQ(s.value("PlayListHeight").toInt(), 176);
    EXPECT_EQ(s.value("SubPathHeight").toInt(), 87);
    EXPECT_EQ(s.value("PlayListMarkHeight").toInt(), 160);
    EXPECT_EQ(s.value("SaveSUP").toInt(), 1);
    EXPECT_EQ(s.value("ForcedBeep").toInt(), 1);
    EXPECT_EQ(s.value("ActiDelay").toInt(), 500);
    EXPECT_EQ(s.value("CountryCode").toInt(), 0x5553);
    // Platform colour values: red in the lowest byte (navy 0x800000, lime 0x00FF00).
    EXPECT_EQ(s.value("colBackground").toUInt(), 0x800000u);
    EXPECT_EQ(s.value("colSelectedFrame").toUInt(), 0x0000FFu);
    EXPECT_EQ(s.value("colWindow").toUInt(), 0x00FF00u);
}

TEST_F(WindowTest, ClosingMaximisedKeepsTheLastNormalGeometry)
{
    {
        QSettings s(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal"));
        s.setValue("Width", 1010);
        s.setValue("Height", 700);
    }
    TfMain window;
    window.show();
    window.setWindowState(Qt::WindowMaximized);
    window.close();
    QSettings s(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal"));
    EXPECT_EQ(s.value("WindowState").toInt(), 2);
    EXPECT_EQ(s.value("Width").toInt(), 1010);
    EXPECT_EQ(s.value("Height").toInt(), 700);
}

TEST_F(WindowTest, StartUpRunsOnceAcrossShows)
{
    auto window = openSample();
    control<QCheckBox>(*window, "cbAutoRead")->setChecked(false);
    window->hide();
    window->show();
    EXPECT_FALSE(control<QCheckBox>(*window, "cbAutoRead")->isChecked());
    EXPECT_EQ(control<QTableWidget>(*window, "sgTitles")->rowCount(), 3);
}

TEST_F(WindowTest, StoredPanelHeightsAreAppliedAndWrittenBack)
{
    {
        QSettings s(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal"));
        s.setValue("PlayListHeight", 200);
        s.setValue("SubPathHeight", 70);
        s.setValue("ObjectHeight", 120);
    }
    TfMain window;
    window.show();
    control<QTabWidget>(window, "PageControl")->setCurrentIndex(1);
    QApplication::processEvents();
    const auto sizes = control<QSplitter>(window, "splPlayList")->sizes();
    EXPECT_EQ(sizes.at(0), 200);
    EXPECT_EQ(sizes.at(1), 70);
    EXPECT_EQ(control<QSplitter>(window, "splObjects")->sizes().at(0), 120);
    window.close();
    QSettings s(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal"));
    EXPECT_EQ(s.value("PlayListHeight").toInt(), 200);
    EXPECT_EQ(s.value("ObjectHeight").toInt(), 120);
}
