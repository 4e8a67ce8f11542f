// The settings kept per user between runs: read once when the window is first shown, written
// once when it closes.

#include "ui/main_window.h"
#include "ui/num_edit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QSplitter>

namespace mirtal::ui {

namespace {

const char* const kColourValues[kColourCount] = {
    "colBackground", "colObjectBackground", "colSelectedButton", "colSelectedFrame", "colNormalButton",
    "colNormalFrame", "colInvalidButton", "colInvalidFrame", "colWindow"};

// Colours are kept as the platform colour value of the settings' first home: red in the lowest byte.
uint32_t platformColour(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 | static_cast<uint32_t>(c.blue()) << 16;
}

QColor fromPlatformColour(uint32_t v)
{
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

void readBool(QSettings& s, const char* name, QCheckBox* box)
{
    if (s.contains(QLatin1String(name)))
        box->setChecked(s.value(QLatin1String(name)).toInt() != 0);
}

void readChoice(QSettings& s, const char* name, QButtonGroup* group)
{
    if (!s.contains(QLatin1String(name)))
        return;
    if (auto* button = group->button(s.value(QLatin1String(name)).toInt()))
        button->setChecked(true);
}

void readInt(QSettings& s, const char* name, int& value)
{
    if (s.contains(QLatin1String(name)))
        value = s.value(QLatin1String(name)).toInt();
}

}  // namespace

QSettings* TfMain::openSettings()
{
    return new QSettings(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal"));
}

void TfMain::RegRead()
{
    std::unique_ptr<QSettings> settings(openSettings());
    QSettings& s = *settings;
    if (s.allKeys().isEmpty()) {
        m_objectSplitter->setSizes({m_objectHeight, std::max(167, m_objectSplitter->height() - m_objectHeight)});
        return;
    }
    int width = this->width();
    int height = this->height();
    int top = y();
    int left = x();
    readInt(s, "Width", width);
    readInt(s, "Height", height);
    readInt(s, "Top", top);
    readInt(s, "Left", left);
    resize(width, height);
    move(left, top);
    if (s.contains(QStringLiteral("WindowState"))) {
        const int state = s.value(QStringLiteral("WindowState")).toInt();
        if (state == 2)
            setWindowState(Qt::WindowMaximized);
        else if (state == 1)
            setWindowState(Qt::WindowMinimized);
    }
    if (s.contains(QStringLiteral("BDMVdir")))
        m_bdmvDir->setText(s.value(QStringLiteral("BDMVdir")).toString());
    readBool(s, "AutoRead", m_autoRead);
    readBool(s, "Backup", m_oBackup);
    readBool(s, "SaveBACKUP", m_saveBackupDir);
    readChoice(s, "BackupMode", m_backupModeGroup);
    readChoice(s, "Region", m_regionGroup);
    readInt(s, "ObjectHeight", m_objectHeight);
    readInt(s, "PlayListHeight", m_playListHeight);
    readInt(s, "SubPathHeight", m_subPathHeight);
    readInt(s, "PlayListMarkHeight", m_playListMarkHeight);
    readChoice(s, "ChapterFormat", m_chapterFormatGroup);
    readBool(s, "SavePES", m_savePes);
    readBool(s, "SaveSUP", m_saveSup);
    readBool(s, "ButtonId", m_overlayOptions[0]);
    readBool(s, "ObjectId", m_overlayOptions[1]);
    readBool(s, "ButtonFrame", m_overlayOptions[2]);
    readBool(s, "WindowFrame", m_overlayOptions[3]);
    readBool(s, "ForcedBeep", m_forcedBeep);
    for (int i = 0; i < kColourCount; ++i)
        if (s.contains(QLatin1String(kColourValues[i])))
            m_colours[static_cast<size_t>(i)] = fromPlatformColour(s.value(QLatin1String(kColourValues[i])).toUInt());
    applyColourSwatches();
    if (s.contains(QStringLiteral("ActiDelay"))) {
        m_actiDelay->setValue(s.value(QStringLiteral("ActiDelay")).toInt());
        m_report.setActiDelayMs(static_cast<int>(m_actiDelay->value()));
    }
    if (s.contains(QStringLiteral("CountryCode"))) {
        m_country->setValue(s.value(QStringLiteral("CountryCode")).toInt());
        updateCountryLabel();
    }
    // A stored height is clipped only by the panels' own limits (their minimum heights).
    m_objectSplitter->setSizes({m_objectHeight, std::max(167, m_objectSplitter->height() - m_objectHeight)});
    m_playListSplitter->setSizes({m_playListHeight, m_subPathHeight, m_playListMarkHeight});
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
    s.setValue(QStringLiteral("BDMVdir"), m_bdmvDir->text());
    s.setValue(QStringLiteral("AutoRead"), m_autoRead->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("Backup"), m_oBackup->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("SaveBACKUP"), m_saveBackupDir->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("BackupMode"), std::max(0, m_backupModeGroup->checkedId()));
    s.setValue(QStringLiteral("Region"), std::max(0, m_regionGroup->checkedId()));
    const auto sizes = m_objectSplitter->sizes();
    s.setValue(QStringLiteral("ObjectHeight"), sizes.isEmpty() ? m_objectHeight : sizes.front());
    s.setValue(QStringLiteral("PlayListHeight"), m_playListHeight);
    s.setValue(QStringLiteral("SubPathHeight"), m_subPathHeight);
    s.setValue(QStringLiteral("PlayListMarkHeight"), m_playListMarkHeight);
    s.setValue(QStringLiteral("ChapterFormat"), std::max(0, m_chapterFormatGroup->checkedId()));
    s.setValue(QStringLiteral("SavePES"), m_savePes->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("SaveSUP"), m_saveSup->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("ButtonId"), m_overlayOptions[0]->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("ObjectId"), m_overlayOptions[1]->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("ButtonFrame"), m_overlayOptions[2]->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("WindowFrame"), m_overlayOptions[3]->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("ForcedBeep"), m_forcedBeep->isChecked() ? 1 : 0);
    for (int i = 0; i < kColourCount; ++i)
        s.setValue(QLatin1String(kColourValues[i]), platformColour(m_colours[static_cast<size_t>(i)]));
    s.setValue(QStringLiteral("ActiDelay"), static_cast<int>(m_actiDelay->value()));
    s.setValue(QStringLiteral("CountryCode"), static_cast<int>(m_country->value()));
    s.sync();
}

}  // namespace mirtal::ui
