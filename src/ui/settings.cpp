// The settings kept per user between runs: read once when the window is first shown, written
// once when it closes. Each tab reads and writes its own values.

#include "ui/bdmv_tab.h"
#include "ui/main_window.h"
#include "ui/options_tab.h"
#include "ui/playlist_tab.h"

#include <QSettings>

#include <memory>

namespace mirtal::ui {

QSettings* TfMain::openSettings()
{
    return new QSettings(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal"));
}

void TfMain::RegRead()
{
    std::unique_ptr<QSettings> settings(openSettings());
    QSettings& s = *settings;
    if (s.allKeys().isEmpty()) {
        m_bdmv->setObjectPanelHeight(79);
        return;
    }
    const auto readInt = [&s](const char* name, int fallback) {
        return s.contains(QLatin1String(name)) ? s.value(QLatin1String(name)).toInt() : fallback;
    };
    resize(readInt("Width", width()), readInt("Height", height()));
    move(readInt("Left", x()), readInt("Top", y()));
    if (s.contains(QStringLiteral("WindowState"))) {
        const int state = s.value(QStringLiteral("WindowState")).toInt();
        if (state == 2)
            setWindowState(Qt::WindowMaximized);
        else if (state == 1)
            setWindowState(Qt::WindowMinimized);
    }
    if (s.contains(QStringLiteral("BDMVdir")))
        m_bdmv->setFolderText(s.value(QStringLiteral("BDMVdir")).toString());
    m_options->readSettings(s);
    m_bdmv->setObjectPanelHeight(readInt("ObjectHeight", 79));
    m_playListTab->readSettings(s);
}

void TfMain::RegWrite()
{
    std::unique_ptr<QSettings> settings(openSettings());
    QSettings& s = *settings;
    const int state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    s.setValue(QStringLiteral("WindowState"), state);
    if (state != 2) {
        s.setValue(QStringLiteral("Top"), y());
        s.setValue(QStringLiteral("Left"), x());
        s.setValue(QStringLiteral("Width"), width());
        s.setValue(QStringLiteral("Height"), height());
    }
    s.setValue(QStringLiteral("BDMVdir"), m_bdmv->folderText());
    s.setValue(QStringLiteral("ObjectHeight"), m_bdmv->objectPanelHeight());
    m_options->writeSettings(s);
    m_playListTab->writeSettings(s);
    s.sync();
}

}  // namespace mirtal::ui
