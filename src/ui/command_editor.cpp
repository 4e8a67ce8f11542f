// The command grid of the selected movie object and the command editor beside it.

#include "bdmv/program.h"
#include "hdmv/program_text.h"
#include "bdmv/editing.h"
#include "hdmv/command_edit.h"
#include "hdmv/command_text.h"
#include "ui/grid.h"
#include "ui/bdmv_tab.h"
#include "ui/main_window.h"
#include "ui/num_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

namespace mirtal::ui {

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QStringList items(const std::vector<std::string>& texts)
{
    QStringList out;
    for (const auto& t : texts)
        out << QString::fromStdString(t);
    return out;
}

hdmv::OperandType typeOf(const QComboBox* list)
{
    return hdmv::operandTypeFromText(list->currentText().toStdString()).value_or(hdmv::OperandType::GPR);
}

}  // namespace

void BdmvTab::connectCommandEditor()
{
    connect(m_commands, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row != previous)
            commandSelected(row);
    });
    connect(m_commands, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { commandDoubleClicked(row); });

    const auto edit = [this](auto apply, bool refill) {
        return [this, apply, refill] {
            hdmv::TNavCommand* command = currentCommand();
            if (m_filling || command == nullptr)
                return;
            apply(*command);
            commandEdited(refill);
        };
    };
    connect(m_cmdGrp, &QComboBox::currentIndexChanged, this, edit([this](hdmv::TNavCommand& c) {
        if (m_cmdGrp->currentIndex() >= 0)
            hdmv::setGroup(c, static_cast<uint32_t>(m_cmdGrp->currentIndex()));
    }, true));
    connect(m_cmdSGrp, &QComboBox::currentIndexChanged, this, edit([this](hdmv::TNavCommand& c) {
        if (m_cmdSGrp->currentIndex() >= 0)
            hdmv::setSubGroup(c, static_cast<uint32_t>(m_cmdSGrp->currentIndex()));
    }, true));
    connect(m_cmd, &QComboBox::currentIndexChanged, this, edit([this](hdmv::TNavCommand& c) {
        if (m_cmd->currentIndex() >= 0)
            hdmv::setOption(c, static_cast<uint32_t>(m_cmd->currentIndex()));
    }, true));
    connect(m_op1On, &QCheckBox::clicked, this, edit([this](hdmv::TNavCommand& c) {
        hdmv::setOperand1Present(c, m_op1On->isChecked());
    }, true));
    connect(m_op2On, &QCheckBox::clicked, this, edit([this](hdmv::TNavCommand& c) {
        hdmv::setOperand2Present(c, m_op2On->isChecked());
    }, true));
    connect(m_op1Type, &QComboBox::currentIndexChanged, this, edit([this](hdmv::TNavCommand& c) {
        hdmv::setOperand1Type(c, typeOf(m_op1Type));
    }, false));
    connect(m_op2Type, &QComboBox::currentIndexChanged, this, edit([this](hdmv::TNavCommand& c) {
        hdmv::setOperand2Type(c, typeOf(m_op2Type));
    }, false));
    connect(m_op1, &QLineEdit::editingFinished, this, edit([this](hdmv::TNavCommand& c) {
        hdmv::setOperand1Number(c, m_op1->value(), typeOf(m_op1Type));
    }, true));
    connect(m_op2, &QLineEdit::editingFinished, this, edit([this](hdmv::TNavCommand& c) {
        hdmv::setOperand2Number(c, m_op2->value(), typeOf(m_op2Type));
    }, true));
    connect(m_och, &QLineEdit::editingFinished, this, edit([this](hdmv::TNavCommand& c) {
        if (hdmv::setOpcodeWord(c, static_cast<uint32_t>(m_och->value())))
            m_report.tone(hdmv::kInvalidToneHz, hdmv::kEditToneMs);
    }, true));
    connect(m_deh, &QLineEdit::editingFinished, this, edit([this](hdmv::TNavCommand& c) {
        hdmv::setDestinationWord(c, static_cast<uint32_t>(m_deh->value()));
    }, true));
    connect(m_soh, &QLineEdit::editingFinished, this, edit([this](hdmv::TNavCommand& c) {
        hdmv::setSourceWord(c, static_cast<uint32_t>(m_soh->value()));
    }, true));
    // Return completes an entry: the focus leaves the field for the "MovieObject.bdmv" box.
    auto* box = findChild<QGroupBox*>(QStringLiteral("gbMovieObject"));
    for (QLineEdit* field : std::initializer_list<QLineEdit*>{m_op1, m_op2, m_och, m_deh, m_soh})
        connect(field, &QLineEdit::returnPressed, this, [this, box] {
            if (box)
                box->setFocus();
            else
                m_commands->setFocus();
        });
    connect(m_ncIns, &QToolButton::clicked, this, &BdmvTab::bbNCinsClick);
    connect(m_ncDel, &QToolButton::clicked, this, &BdmvTab::bbNCdelClick);
}

hdmv::TNavCommand* BdmvTab::currentCommand()
{
    const auto o = currentObject();
    const auto line = currentLine();
    if (!o || !line)
        return nullptr;
    return &m_disc.movieObjects.objects[*o].commands[*line];
}

std::optional<size_t> BdmvTab::currentLine() const
{
    const auto o = currentObject();
    const int row = m_commands->currentRow();
    if (!o || row < 0 || static_cast<size_t>(row) >= m_disc.movieObjects.objects[*o].commands.size())
        return std::nullopt;
    return static_cast<size_t>(row);
}

void BdmvTab::setCommandEditorEnabled(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_cmdGrp, m_cmdSGrp, m_cmd, m_op1On, m_op2On, m_och})
        w->setEnabled(on);
    if (!on)
        for (QWidget* w : std::initializer_list<QWidget*>{m_op1Type, m_op1, m_deh, m_op2Type, m_op2, m_soh})
            w->setEnabled(false);
}

void BdmvTab::renderCommands()
{
    const auto o = currentObject();
    const bool was = m_filling;
    m_filling = true;
    if (!o || m_disc.movieObjects.objects[*o].commands.empty()) {
        ResetSG(m_commands);
        setCommandEditorEnabled(false);
        m_filling = was;
        return;
    }
    const auto& commands = m_disc.movieObjects.objects[*o].commands;
    const size_t n = commands.size();
    m_report.slog("Building commands...", 0);
    m_commands->setRowCount(static_cast<int>(n));
    for (size_t k = 0; k < n; ++k) {
        setGridRow(m_commands, static_cast<int>(k), hdmv::comm2str(commands[k], k).cells);
        if (k % 128 == 0)
            m_report.slog(std::to_string(k + 1) + "/" + std::to_string(n), 1);
    }
    m_commands->setEnabled(true);
    selectGridRow(m_commands, 0);
    m_filling = was;
    setCommandEditorEnabled(true);
    fillCommandEditor(0);
    m_report.slog("Ready", 0);
    m_report.slog("", 1);
}

void BdmvTab::refreshCommandRows()
{
    const auto o = currentObject();
    if (!o)
        return;
    const auto& commands = m_disc.movieObjects.objects[*o].commands;
    const bool was = m_filling;
    m_filling = true;
    if (commands.empty()) {
        ResetSG(m_commands);
        setCommandEditorEnabled(false);
    } else {
        m_commands->setRowCount(static_cast<int>(commands.size()));
        for (size_t k = 0; k < commands.size(); ++k)
            setGridRow(m_commands, static_cast<int>(k), hdmv::comm2str(commands[k], k).cells);
        m_commands->setEnabled(true);
        setCommandEditorEnabled(true);
    }
    m_filling = was;
    setGridRow(m_objects, static_cast<int>(*o), bdmv::objline(m_disc.movieObjects.objects[*o], *o));
}

void BdmvTab::renderCommandRow(size_t line)
{
    const auto o = currentObject();
    if (!o || line >= m_disc.movieObjects.objects[*o].commands.size())
        return;
    const auto row = hdmv::comm2str(m_disc.movieObjects.objects[*o].commands[line], line);
    setGridRow(m_commands, static_cast<int>(line), row.cells);
    showValidity(row.valid);
}

void BdmvTab::commandSelected(int row)
{
    if (row >= 0)
        fillCommandEditor(static_cast<size_t>(row));
}

void BdmvTab::fillCommandEditor(size_t line)
{
    const auto o = currentObject();
    if (!o || line >= m_disc.movieObjects.objects[*o].commands.size())
        return;
    const auto fill = hdmv::editorFill(m_disc.movieObjects.objects[*o].commands[line]);
    const bool was = m_filling;
    m_filling = true;
    m_cmdGrp->setCurrentIndex(fill.group);
    m_cmdSGrp->clear();
    m_cmdSGrp->addItems(items(fill.subGroups));
    m_cmdSGrp->setCurrentIndex(fill.subGroup);
    m_cmd->clear();
    m_cmd->addItems(items(fill.options));
    m_cmd->setCurrentIndex(fill.option);
    m_och->setValue(fill.opcode);
    m_och->setEnabled(true);
    const auto operand = [](const hdmv::OperandFill& f, QCheckBox* on, QComboBox* type, TIntEdit* number, THexEdit* word) {
        on->setChecked(f.enabled);
        on->setEnabled(true);
        type->setCurrentIndex(type->findText(qs(hdmv::operandTypeText(f.type))));
        number->setText(QString::fromStdString(f.numberText));
        word->setValue(f.word);
        for (QWidget* w : std::initializer_list<QWidget*>{type, number, word})
            w->setEnabled(f.enabled);
    };
    operand(fill.op1, m_op1On, m_op1Type, m_op1, m_deh);
    operand(fill.op2, m_op2On, m_op2Type, m_op2, m_soh);
    m_commands->setToolTip(QString::fromStdString(fill.hint));
    showValidity(fill.valid);
    m_filling = was;
}

void BdmvTab::commandEdited(bool refill)
{
    const auto line = currentLine();
    if (!line)
        return;
    renderCommandRow(*line);
    if (refill)
        fillCommandEditor(*line);
}

void BdmvTab::showValidity(bool valid)
{
    m_valid->setText(qs(hdmv::validityLabel(valid)));
    // "  Valid" is shown greyed, "Invalid" normally.
    m_valid->setEnabled(!valid);
}

std::optional<size_t> BdmvTab::lastSelectedLine(size_t object) const
{
    int first = 0;
    int last = 0;
    if (m_disc.movieObjects.objects[object].commands.empty() || !selectedBlock(m_commands, first, last))
        return std::nullopt;
    return static_cast<size_t>(last);
}

void BdmvTab::bbNCinsClick()
{
    const auto o = currentObject();
    if (!o)
        return;
    const auto line = bdmv::insertCommandLine(m_disc.movieObjects, *o, lastSelectedLine(*o));
    if (!line)
        return;
    refreshCommandRows();
    selectCommandLine(*line);
}

void BdmvTab::copyCommandLines()
{
    const auto o = currentObject();
    int first = 0;
    int last = 0;
    if (!o || m_disc.movieObjects.objects[*o].commands.empty() || !selectedBlock(m_commands, first, last))
        return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(
        hdmv::copyText(m_disc.movieObjects.objects[*o].commands, static_cast<size_t>(first), static_cast<size_t>(last))));
}

void BdmvTab::pasteCommandLines()
{
    const auto o = currentObject();
    if (!o)
        return;
    std::vector<hdmv::ProgramError> errors;
    const auto line = bdmv::pasteCommandText(m_disc.movieObjects, *o, lastSelectedLine(*o),
                                             QGuiApplication::clipboard()->text().toStdString(), errors);
    if (!line) {
        // Nothing is inserted; the log says why.
        for (const auto& e : errors)
            m_report.log("Paste, line " + std::to_string(e.line) + ", column " + std::to_string(e.column) + ": " + e.message);
        if (!errors.empty())
            m_report.erlog("Nothing was pasted: the clipboard's text has " + std::to_string(errors.size()) +
                           (errors.size() == 1 ? " error." : " errors."));
        return;
    }
    refreshCommandRows();
    selectCommandLine(*line);
}

void BdmvTab::bbNCdelClick()
{
    const auto o = currentObject();
    if (!o || m_disc.movieObjects.objects[*o].commands.empty())
        return;
    int first = 0;
    int last = 0;
    if (!selectedBlock(m_commands, first, last))
        return;
    const auto select = bdmv::deleteCommandLines(m_disc.movieObjects, *o, static_cast<size_t>(first),
                                                 static_cast<size_t>(last));
    refreshCommandRows();
    if (select)
        selectCommandLine(*select);
}

void BdmvTab::selectCommandLine(size_t line)
{
    const bool was = m_filling;
    m_filling = true;
    selectGridRow(m_commands, static_cast<int>(line));
    m_filling = was;
    fillCommandEditor(line);
}

void BdmvTab::commandKey(QKeyEvent* event)
{
    event->ignore();
    const auto o = currentObject();
    if (!o)
        return;
    auto& commands = m_disc.movieObjects.objects[*o].commands;
    const auto line = currentLine();
    if (event->key() == Qt::Key_Delete) {
        bbNCdelClick();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Insert) {
        bbNCinsClick();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copyCommandLines();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteCommandLines();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_N && (event->modifiers() & Qt::ShiftModifier) && line) {
        const auto next = hdmv::makeNop(commands, *line);
        renderCommandRow(*line);
        if (next)
            selectCommandLine(*next);
        else
            fillCommandEditor(*line);
        event->accept();
        return;
    }
    if (line) {
        const auto key = event->key() == Qt::Key_Down ? hdmv::GridKey::Down
                         : event->key() == Qt::Key_Up ? hdmv::GridKey::Up
                                                      : hdmv::GridKey::Other;
        if (const auto kv = hdmv::keyValidity(commands, *line, key)) {
            showValidity(kv->valid);
            if (kv->tone)
                m_report.tone(hdmv::kInvalidToneHz, hdmv::kEditToneMs);
        }
    }
}

void BdmvTab::commandDoubleClicked(int row)
{
    const auto o = currentObject();
    if (!o || row < 0)
        return;
    const auto target = hdmv::followTarget(m_disc.movieObjects.objects[*o].commands, static_cast<size_t>(row));
    switch (target.kind) {
    case hdmv::FollowTarget::Kind::GoToLine:
        if (target.lineInList)
            selectCommandLine(target.line);
        break;
    case hdmv::FollowTarget::Kind::Title:
        m_frame.showTab(TfMain::kTabBdmv);
        if (target.selectTitle && target.title >= 1 && target.title <= m_disc.index.titles.size()) {
            titleSelected(static_cast<int>(target.title - 1));
            if (currentObject() && !m_disc.movieObjects.objects[*currentObject()].commands.empty())
                selectCommandLine(0);
        }
        break;
    case hdmv::FollowTarget::Kind::PlayList:
    case hdmv::FollowTarget::Kind::ButtonPage:
        m_frame.followTarget(target);
        break;
    default:
        break;
    }
}

}  // namespace mirtal::ui
