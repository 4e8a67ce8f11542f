// The Options and Status tabs.

#include "hdmv/registers.h"
#include "playlist/chapters.h"
#include "ui/options_tab.h"
#include "ui/num_edit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mirtal::ui {

namespace {

QCheckBox* makeCheck(const QString& name, const QString& caption, bool on)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    box->setChecked(on);
    return box;
}

// A radio group: a group box with one button per caption, ids 0, 1, ...
QGroupBox* makeRadioGroup(const QString& name, const QString& caption, const QStringList& items,
                          QButtonGroup*& group, QWidget* owner)
{
    auto* box = new QGroupBox(caption);
    box->setObjectName(name);
    group = new QButtonGroup(owner);
    group->setObjectName(name + QStringLiteral("Buttons"));
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i]);
        button->setObjectName(name + QString::number(i));
        group->addButton(button, i);
        layout->addWidget(button);
    }
    group->button(0)->setChecked(true);
    return box;
}

void paintSwatch(QPushButton* button, const QColor& colour)
{
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #404040; }")
                              .arg(colour.name()));
}

}  // namespace

OptionsTab::OptionsTab(core::Report& report, QWidget* parent) : QWidget(parent), m_report(report)
{
    setObjectName(QStringLiteral("tsOptions"));
    m_colours = {QColor(0, 0, 128), QColor(192, 192, 192), QColor(255, 255, 0), QColor(255, 0, 0),
                 QColor(255, 255, 255), QColor(192, 192, 192), QColor(128, 128, 128), QColor(0, 0, 0),
                 QColor(0, 255, 0)};

    auto* backup = new QGroupBox(QStringLiteral("Backup"));
    backup->setObjectName(QStringLiteral("gbBackup"));
    m_oBackup = makeCheck(QStringLiteral("cbOBackup"), QStringLiteral("Create backup files"), true);
    m_backupMode = makeRadioGroup(QStringLiteral("rgBackupMode"), QStringLiteral("Backup mode"),
                                  {QStringLiteral("Only first"), QStringLiteral("Overwrite"), QStringLiteral("Stop if exists")},
                                  m_backupModeGroup, this);
    m_saveBackupDir = makeCheck(QStringLiteral("cbSaveBACKUP"), QStringLiteral("Save to BACKUP dir"), false);
    auto* backupLayout = new QVBoxLayout(backup);
    backupLayout->addWidget(m_oBackup);
    backupLayout->addWidget(m_backupMode);
    backupLayout->addWidget(m_saveBackupDir);
    backupLayout->addStretch(1);

    auto* output = new QGroupBox(QStringLiteral("Output folder"));
    output->setObjectName(QStringLiteral("gbWorkdir"));
    m_workdir = new QLineEdit;
    m_workdir->setObjectName(QStringLiteral("eWorkdir"));
    m_workdir->setToolTip(QStringLiteral("Starting folder for exported data"));
    auto* workdirButton = new QToolButton;
    workdirButton->setObjectName(QStringLiteral("bbWorkdir"));
    workdirButton->setText(QStringLiteral("..."));
    auto* outputLayout = new QHBoxLayout(output);
    outputLayout->addWidget(m_workdir, 1);
    outputLayout->addWidget(workdirButton);
    connect(workdirButton, &QToolButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Select a directory"), m_workdir->text());
        if (!chosen.isEmpty())
            m_workdir->setText(chosen);
    });

    auto* general = new QGroupBox(QStringLiteral("General"));
    general->setObjectName(QStringLiteral("gbGeneral"));
    m_autoRead = makeCheck(QStringLiteral("cbAutoRead"), QStringLiteral("Auto Read"), true);
    m_forcedBeep = makeCheck(QStringLiteral("cbForcedBeep"), QStringLiteral("Forced beep on invalid command"), true);
    m_actiDelay = new TIntEdit;
    m_actiDelay->setObjectName(QStringLiteral("ieActiDelay"));
    m_actiDelay->setValue(500);
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(new QLabel(QStringLiteral("Activate comm. show delay (ms)")));
    delayRow->addWidget(m_actiDelay);
    delayRow->addStretch(1);
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(m_autoRead);
    generalLayout->addWidget(m_forcedBeep);
    generalLayout->addLayout(delayRow);
    generalLayout->addStretch(1);

    auto* player = new QGroupBox(QStringLiteral("Emulated player"));
    player->setObjectName(QStringLiteral("gbPlayer"));
    auto* region = makeRadioGroup(QStringLiteral("rgRegion"), QStringLiteral("Region code"),
                                  {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, m_regionGroup, this);
    auto* country = new QGroupBox(QStringLiteral("Country"));
    country->setObjectName(QStringLiteral("gbCountry"));
    m_country = new THexEdit(4);
    m_country->setObjectName(QStringLiteral("heCountry"));
    m_country->setValue(hdmv::kDefaultCountryCode);
    m_countryLabel = new QLabel;
    m_countryLabel->setObjectName(QStringLiteral("lCountry"));
    auto* countryLayout = new QHBoxLayout(country);
    countryLayout->addWidget(m_country);
    countryLayout->addWidget(m_countryLabel);
    countryLayout->addStretch(1);
    auto* playerLayout = new QVBoxLayout(player);
    playerLayout->addWidget(region);
    playerLayout->addWidget(country);
    playerLayout->addStretch(1);

    auto* streams = new QGroupBox(QStringLiteral("Streams and chapters"));
    streams->setObjectName(QStringLiteral("gbStreams"));
    QStringList chapterFormats;
    for (int i = 0; i < playlist::kChapterFormatCount; ++i)
        chapterFormats << QString::fromStdString(playlist::chapterFormatCaption(static_cast<playlist::ChapterFormat>(i)));
    auto* chapters = makeRadioGroup(QStringLiteral("rgChapterFormat"), QStringLiteral("Chapter format"), chapterFormats,
                                    m_chapterFormatGroup, this);
    m_savePes = makeCheck(QStringLiteral("cbSavePES"), QStringLiteral("Save PES stream (not elementary)"), false);
    m_saveSup = makeCheck(QStringLiteral("cbSaveSUP"), QStringLiteral("Save SUP if PG stream"), true);
    auto* streamsLayout = new QVBoxLayout(streams);
    streamsLayout->addWidget(chapters);
    streamsLayout->addWidget(m_savePes);
    streamsLayout->addWidget(m_saveSup);
    streamsLayout->addStretch(1);

    auto* menu = new QGroupBox(QStringLiteral("Menu options"));
    menu->setObjectName(QStringLiteral("gbMenuView"));
    m_overlayOptions = {makeCheck(QStringLiteral("cbButtonIdO"), QStringLiteral("Show button ID (hex)"), false),
                        makeCheck(QStringLiteral("cbObjectIdO"), QStringLiteral("Show object ID (hex)"), false),
                        makeCheck(QStringLiteral("cbButtonFrameO"), QStringLiteral("Show button frame"), false),
                        makeCheck(QStringLiteral("cbWindowFrameO"), QStringLiteral("Show window frame"), false)};
    static const char* const kColourNames[kColourCount] = {
        "colBackground", "colObjectBackground", "colSelectedButton", "colSelectedFrame", "colNormalButton",
        "colNormalFrame", "colInvalidButton", "colInvalidFrame", "colWindow"};
    static const char* const kColourCaptions[kColourCount] = {
        "Menu background", "Object background", "Selected button", "Selected frame", "Normal button",
        "Normal frame", "Invalid button", "Invalid Frame", "Window frame"};
    auto* colours = new QGridLayout;
    colours->setVerticalSpacing(2);
    for (int i = 0; i < kColourCount; ++i) {
        auto* swatch = new QPushButton;
        swatch->setObjectName(QString::fromLatin1(kColourNames[i]));
        swatch->setFixedSize(36, 16);
        paintSwatch(swatch, m_colours[static_cast<size_t>(i)]);
        m_colourButtons[static_cast<size_t>(i)] = swatch;
        connect(swatch, &QPushButton::clicked, this, [this, i] {
            const QColor chosen = QColorDialog::getColor(m_colours[static_cast<size_t>(i)], this);
            if (chosen.isValid()) {
                setColour(static_cast<ColourSetting>(i), chosen);
            }
        });
        colours->addWidget(swatch, i % 5, (i / 5) * 2);
        colours->addWidget(new QLabel(QString::fromLatin1(kColourCaptions[i])), i % 5, (i / 5) * 2 + 1);
    }
    auto* menuLayout = new QVBoxLayout(menu);
    auto* showRow = new QGridLayout;
    for (size_t i = 0; i < m_overlayOptions.size(); ++i)
        showRow->addWidget(m_overlayOptions[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    menuLayout->addLayout(showRow);
    menuLayout->addLayout(colours);
    menuLayout->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(backup, 0, 0);
    grid->addWidget(general, 0, 1);
    grid->addWidget(player, 0, 2);
    grid->addWidget(output, 1, 0, 1, 2);
    grid->addWidget(streams, 1, 2, 2, 1);
    grid->addWidget(menu, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(3, 1);

    connect(m_oBackup, &QCheckBox::toggled, this, [this](bool on) { m_backupMode->setEnabled(on); });
    connect(m_country, &QLineEdit::textEdited, this, [this] { updateCountryLabel(); });
    connect(m_country, &QLineEdit::editingFinished, this, [this] {
        m_country->setValue(hdmv::clampCountryCode(m_country->value()));
        updateCountryLabel();
    });
    connect(m_actiDelay, &QLineEdit::editingFinished, this,
            [this] { m_report.setActiDelayMs(static_cast<int>(m_actiDelay->value())); });
    updateCountryLabel();
}

void OptionsTab::updateCountryLabel()
{
    m_countryLabel->setText(QString::fromStdString(hdmv::countryCodeLabel(static_cast<uint32_t>(m_country->value()))));
}

void OptionsTab::applyColourSwatches()
{
    for (size_t i = 0; i < m_colourButtons.size(); ++i)
        if (m_colourButtons[i] != nullptr)
            paintSwatch(m_colourButtons[i], m_colours[i]);
    emit coloursChanged();
}

void OptionsTab::setColour(ColourSetting which, const QColor& colour)
{
    m_colours[which] = colour;
    applyColourSwatches();
}

ig::MenuOptions OptionsTab::menuOptions() const
{
    const auto rgb = [this](ColourSetting which) {
        const QColor c = m_colours[which];
        return ig::Rgb{static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue())};
    };
    ig::MenuOptions o;
    o.background = rgb(kColBackground);
    o.selectedButton = rgb(kColSelectedButton);
    o.normalButton = rgb(kColNormalButton);
    o.invalidButton = rgb(kColInvalidButton);
    o.window = rgb(kColWindow);
    o.selectedFrame = rgb(kColSelectedFrame);
    o.normalFrame = rgb(kColNormalFrame);
    o.invalidFrame = rgb(kColInvalidFrame);
    o.showButtonId = m_overlayOptions[0]->isChecked();
    o.showObjectId = m_overlayOptions[1]->isChecked();
    o.showButtonFrame = m_overlayOptions[2]->isChecked();
    o.showWindowFrame = m_overlayOptions[3]->isChecked();
    return o;
}

core::BackupOptions OptionsTab::backupOptions() const
{
    core::BackupOptions options;
    options.createBackup = m_oBackup->isChecked();
    options.mode = static_cast<core::BackupMode>(std::clamp(m_backupModeGroup->checkedId(), 0, 2));
    options.saveToBackupDir = m_saveBackupDir->isChecked();
    return options;
}

bool OptionsTab::autoRead() const
{
    return m_autoRead->isChecked();
}

QString OptionsTab::workDir() const
{
    return m_workdir->text();
}

int OptionsTab::region() const
{
    return std::max(0, m_regionGroup->checkedId());
}

uint16_t OptionsTab::countryCode() const
{
    return static_cast<uint16_t>(m_country->value());
}

int OptionsTab::chapterFormat() const
{
    return std::clamp(m_chapterFormatGroup->checkedId(), 0, playlist::kChapterFormatCount - 1);
}

bool OptionsTab::savePes() const
{
    return m_savePes->isChecked();
}

bool OptionsTab::saveSup() const
{
    return m_saveSup->isChecked();
}

int OptionsTab::actiDelayMs() const
{
    return static_cast<int>(m_actiDelay->value());
}

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

}  // namespace

void OptionsTab::readSettings(QSettings& s)
{
    readBool(s, "AutoRead", m_autoRead);
    readBool(s, "Backup", m_oBackup);
    readBool(s, "SaveBACKUP", m_saveBackupDir);
    readChoice(s, "BackupMode", m_backupModeGroup);
    readChoice(s, "Region", m_regionGroup);
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
}

void OptionsTab::writeSettings(QSettings& s) const
{
    s.setValue(QStringLiteral("AutoRead"), m_autoRead->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("Backup"), m_oBackup->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("SaveBACKUP"), m_saveBackupDir->isChecked() ? 1 : 0);
    s.setValue(QStringLiteral("BackupMode"), std::max(0, m_backupModeGroup->checkedId()));
    s.setValue(QStringLiteral("Region"), std::max(0, m_regionGroup->checkedId()));
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
}

StatusTab::StatusTab(QWidget* log, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tsStatus"));
    auto* clear = new QPushButton(QStringLiteral("Clear"));
    clear->setObjectName(QStringLiteral("bClear"));
    auto* psrs = new QPushButton(QStringLiteral("PS&Rs"));
    psrs->setObjectName(QStringLiteral("bPSRs"));
    auto* gprs = new QPushButton(QStringLiteral("&GPRs"));
    gprs->setObjectName(QStringLiteral("bGPRs"));
    auto* reset = new QPushButton(QStringLiteral("Re&set Regs"));
    reset->setObjectName(QStringLiteral("bResetRegs"));
    connect(clear, &QPushButton::clicked, this, &StatusTab::bClearClick);
    connect(psrs, &QPushButton::clicked, this, &StatusTab::bPSRsClick);
    connect(gprs, &QPushButton::clicked, this, &StatusTab::bGPRsClick);
    connect(reset, &QPushButton::clicked, this, &StatusTab::bResetRegsClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(psrs);
    buttons->addWidget(gprs);
    buttons->addWidget(reset);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(log, 1);
    layout->addLayout(buttons);
}

}  // namespace mirtal::ui
