// The About tab: the program's name, version, purpose and change history.

#include "bdmv/disc.h"
#include "ui/main_window.h"

#include <QLabel>
#include <QTextEdit>
#include <QVBoxLayout>

namespace mirtal::ui {

QWidget* TfMain::buildAboutTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsAbout"));
    auto* layout = new QVBoxLayout(page);
    auto* name = new QLabel(QStringLiteral("Mirtal"));
    name->setObjectName(QStringLiteral("lProgramName"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 10);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(bdmv::kVersionText));
    version->setObjectName(QStringLiteral("lVersion"));
    auto* purpose = new QLabel(QStringLiteral(
        "An editor for the navigation and playlist structure of Blu-ray Disc movie folders (BDMV):\n"
        "index.bdmv, MovieObject.bdmv, PlayLists and clip information, with a navigation-command "
        "emulator."));
    purpose->setWordWrap(true);
    auto* history = new QTextEdit;
    history->setObjectName(QStringLiteral("mHistory"));
    history->setReadOnly(true);
    history->setPlainText(QStringLiteral(
        "0.21b4\n"
        "  - Menu tab: a clip's IG menu loaded from the CLIPINF tab, its pages, BOGs, buttons, commands,\n"
        "    effects, objects and palettes; the Page view driven by the navigation buttons, clicks and\n"
        "    Start, with the button commands run in the emulator.\n"
        "  - Navigation programs as text: Ctrl+C and Ctrl+V in the command grid.\n"
        "  - PLAYLIST and CLIPINF tabs: PlayLists read, shown, edited and saved with backups; chapter\n"
        "    files; Find; the clip's streams, Save PID.\n"
        "  - Runs on Linux with Qt 6: the BDMV tab edits titles, First Playback, Top Menu,\n"
        "    movie objects and their navigation commands; ExtensionData() dialog; saving with backups.\n"
        "  - Settings are kept per user; the window opens a disc named on the command line.\n"
        "0.21b3\n"
        "  - Command emulator with step-by-step tracing and the register fields.\n"
        "0.21b2\n"
        "  - Backup modes \"Only first\", \"Overwrite\" and \"Stop if exists\"; \"Save to BACKUP dir\".\n"
        "0.21b1\n"
        "  - First public test version: reading and writing index.bdmv and MovieObject.bdmv.\n"));
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(purpose);
    layout->addWidget(new QLabel(QStringLiteral("Change history:")));
    layout->addWidget(history, 1);
    return page;
}

}  // namespace mirtal::ui
