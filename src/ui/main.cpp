// mirtal: the editor's window. One command-line argument names a disc to open at start-up.

#include "ui/main_window.h"

#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

#include <csignal>

int main(int argc, char* argv[])
{
    // A write past the file-size limit fails with an error the save reports and cleans up
    // after, instead of ending the program with its temporary file left beside the disc file.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarnvik Software"));
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("mirtal")));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    mirtal::ui::TfMain window(arguments);
    window.show();
    // MIRTAL_SCREENSHOT=file.png: save the window once it is shown, then quit (for checking the layout).
    const QString shot = qEnvironmentVariable("MIRTAL_SCREENSHOT");
    if (!shot.isEmpty()) {
        // MIRTAL_SCREENSHOT_TAB=n shows tab n first.
        const int tab = qEnvironmentVariableIntValue("MIRTAL_SCREENSHOT_TAB");
        if (auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl")); tabs && tab > 0)
            tabs->setCurrentIndex(tab);
        QTimer::singleShot(500, &window, [&window, shot] {
            window.grab().save(shot);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
