// The run panel (Start, trace, command line, object list) over the emulator, the trace display
// and the register edit fields below the tabs.

#include "core/text.h"
#include "hdmv/runner.h"
#include "ui/grid.h"
#include "ui/bdmv_tab.h"
#include "ui/menu_tab.h"
#include "ui/main_window.h"
#include "ui/num_edit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace mirtal::ui {

void TfMain::connectRunPanel()
{
    connect(m_start, &QPushButton::clicked, this, &TfMain::bStartClick);
    connect(m_trace, &QCheckBox::toggled, this, [this](bool on) {
        m_session.emulator.trace = on;
        m_start->setToolTip(on ? QString() : QStringLiteral("Execute the button commands"));
        updateStartCaption();
    });
    connect(m_programLine, &QLineEdit::editingFinished, this, [this] {
        m_session.emulator.CurrentLine = static_cast<int32_t>(m_programLine->value());
    });
    connect(m_programLine, &QLineEdit::returnPressed, this, [this] { m_start->setFocus(); });
    // The menu's remote control.
    using ig::Direction;
    const Direction directions[] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};
    for (size_t i = 0; i < 4; ++i)
        connect(m_navButtons[i], &QPushButton::clicked, this, [this, d = directions[i]] { m_menuTab->navigateClick(d); });
    connect(m_navButtons[4], &QPushButton::clicked, this, [this] { m_menuTab->bNavSelClick(); });

    using hdmv::RegisterKind;
    connect(m_psrNo, &QLineEdit::textEdited, this, [this] { showRegisterValue(RegisterKind::PSR); });
    connect(m_gprNo, &QLineEdit::textEdited, this, [this] { showRegisterValue(RegisterKind::GPR); });
    connect(m_psrNo, &QLineEdit::editingFinished, this, [this] { registerNumberLeft(RegisterKind::PSR); });
    connect(m_gprNo, &QLineEdit::editingFinished, this, [this] { registerNumberLeft(RegisterKind::GPR); });
    connect(m_psrValue, &QLineEdit::editingFinished, this, [this] { registerValueLeft(RegisterKind::PSR); });
    connect(m_gprValue, &QLineEdit::editingFinished, this, [this] { registerValueLeft(RegisterKind::GPR); });
    connect(m_psrNo, &QLineEdit::returnPressed, this, [this] { m_psrValue->setFocus(); });
    connect(m_gprNo, &QLineEdit::returnPressed, this, [this] { m_gprValue->setFocus(); });
    connect(m_psrValue, &QLineEdit::returnPressed, this, [this] { m_psrNo->setFocus(); });
    connect(m_gprValue, &QLineEdit::returnPressed, this, [this] { m_gprNo->setFocus(); });
}

void TfMain::bStartClick()
{
    if (m_tabs->currentIndex() == kTabMenu) {
        m_menuTab->bStartClick();
        return;
    }
    if (m_tabs->currentIndex() != kTabBdmv)
        return;
    const auto o = m_bdmv->currentObject();
    if (!o)
        return;
    beginRun();
    const auto result = hdmv::startObject(m_session.emulator, m_session.disc.movieObjects.objects[*o].commands);
    endRun();
    if (result.restarted) {
        const bool was = m_filling;
        m_filling = true;
        m_objectList->setCurrentIndex(static_cast<int>(*o));
        m_filling = was;
    }
    showRunState();
}

void TfMain::beginRun()
{
    m_session.emulator.trace = m_trace->isChecked();
    m_session.report.setActiDelayMs(m_options->actiDelayMs());
    m_session.report.clearCancel();
    m_cancel->setEnabled(!m_session.emulator.trace);
}

void TfMain::endRun()
{
    m_cancel->setEnabled(false);
    showRunState();
}

void TfMain::showRunState()
{
    m_programLine->setText(QString::fromStdString(core::padded(m_session.emulator.CurrentLine, 4)));
    updateStartCaption();
    showRegisterValue(hdmv::RegisterKind::PSR);
    showRegisterValue(hdmv::RegisterKind::GPR);
}

void TfMain::updateStartCaption()
{
    QFont f = m_start->font();
    f.setBold(m_session.emulator.startCaptionBold());
    m_start->setFont(f);
}

void TfMain::traceDisplay(const hdmv::CommandList& program, int32_t line)
{
    if (m_tabs->currentIndex() == kTabBdmv && line >= 0 && line < m_bdmv->commandRowCount())
        m_bdmv->selectCommandLine(static_cast<size_t>(line));
    if (m_tabs->currentIndex() == kTabMenu)
        m_menuTab->showTraceLine(line);
    m_session.report.slog(hdmv::traceStatusLine(program, line), 1);
    const auto pointer = hdmv::tracePointer(program, line);
    if (pointer.gpr) {
        m_gprNo->setText(QString::number(*pointer.gpr));
        registerNumberLeft(hdmv::RegisterKind::GPR);
    }
    if (pointer.psr) {
        m_psrNo->setText(QString::number(*pointer.psr));
        registerNumberLeft(hdmv::RegisterKind::PSR);
    }
}

void TfMain::showRegisterValue(hdmv::RegisterKind kind)
{
    TIntEdit* number = kind == hdmv::RegisterKind::PSR ? m_psrNo : m_gprNo;
    THexEdit* value = kind == hdmv::RegisterKind::PSR ? m_psrValue : m_gprValue;
    const int64_t n = number->value();
    if (hdmv::checkRegisterNumber(kind, n) != n)
        number->setText(QStringLiteral("0"));
    value->setText(QString::fromStdString(hdmv::registerValueText(m_session.registers, kind, number->value())));
}

void TfMain::registerNumberLeft(hdmv::RegisterKind kind)
{
    TIntEdit* number = kind == hdmv::RegisterKind::PSR ? m_psrNo : m_gprNo;
    showRegisterValue(kind);
    number->setText(QString::fromStdString(hdmv::registerNumberText(kind, number->value(), false)));
}

void TfMain::registerValueLeft(hdmv::RegisterKind kind)
{
    TIntEdit* number = kind == hdmv::RegisterKind::PSR ? m_psrNo : m_gprNo;
    THexEdit* value = kind == hdmv::RegisterKind::PSR ? m_psrValue : m_gprValue;
    hdmv::writeRegister(m_session.registers, kind, number->value(), static_cast<uint32_t>(value->value()));
    showRegisterValue(kind);
}

void TfMain::setNavigationEnabled(bool enabled)
{
    for (QPushButton* b : m_navButtons)
        b->setEnabled(enabled);
}

void TfMain::ResetRegs()
{
    m_session.registers.ResetRegs(m_options->countryCode(), m_options->region());
    showRegisterValue(hdmv::RegisterKind::PSR);
    showRegisterValue(hdmv::RegisterKind::GPR);
}

void TfMain::bPSRsClick()
{
    for (const auto& line : m_session.registers.psrListing())
        m_session.report.log(line);
}

void TfMain::bGPRsClick()
{
    for (const auto& line : m_session.registers.gprListing())
        m_session.report.log(line);
}

void TfMain::bResetRegsClick()
{
    ResetRegs();
}

}  // namespace mirtal::ui
