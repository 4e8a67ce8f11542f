#include "ui/ext_dat.h"

#include "core/files.h"
#include "ui/grid.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include <fstream>
#include <iterator>

namespace mirtal::ui {

namespace {

const QString kFilter = QStringLiteral("ExtensionData (*.exd)");

}  // namespace

TfExtDat::TfExtDat(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fExtDat"));
    setModal(true);
    resize(760, 420);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lExtDatSummary"));
    const auto captions = core::extDatEntryCaptions();
    static constexpr int kWidths[] = {40, 48, 48, 80, 80};
    m_entries = makeGrid(QStringLiteral("sgExtDatEntry"), captions, kWidths, this);
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entries->setToolTip(QStringLiteral("Entries"));
    m_entries->setMinimumWidth(300);
    m_data = new QTextEdit(this);
    m_data->setObjectName(QStringLiteral("DataBlock"));
    m_data->setReadOnly(true);
    m_data->setLineWrapMode(QTextEdit::NoWrap);
    m_data->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_data->setToolTip(QStringLiteral("DataBlock"));

    m_delete = new QPushButton(QStringLiteral("Delete"), this);
    m_delete->setObjectName(QStringLiteral("bbDelExtDat"));
    m_load = new QPushButton(QStringLiteral("Load..."), this);
    m_load->setObjectName(QStringLiteral("bbLoadExtDat"));
    m_save = new QPushButton(QStringLiteral("Save..."), this);
    m_save->setObjectName(QStringLiteral("bbSaveExtDat"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("bbExtDatOkCancel"));
    // Names of their own: the dialog is a child of the main window, whose Cancel is "bCancel".
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bExtDatOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("bExtDatCancel"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_summary, 1);
    top->addWidget(m_delete);
    top->addWidget(m_load);
    top->addWidget(m_save);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_entries, 2);
    middle->addWidget(m_data, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);

    connect(m_delete, &QPushButton::clicked, this, &TfExtDat::bbDelExtDatClick);
    connect(m_load, &QPushButton::clicked, this, &TfExtDat::bbLoadExtDatClick);
    connect(m_save, &QPushButton::clicked, this, &TfExtDat::bbSaveExtDatClick);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_entries, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { sgExtDatEntryClick(row); });
    connect(m_entries, &QTableWidget::cellChanged, this, &TfExtDat::sgExtDatEntrySetEditText);
}

void TfExtDat::setBlock(const QString& subject, const core::TExtensionData& block)
{
    m_subject = subject;
    m_block = block;
    setWindowTitle(subject + QStringLiteral(" ExtensionData edit"));
    refresh();
}

void TfExtDat::refresh()
{
    m_filling = true;
    m_summary->setText(QString::fromStdString(core::extDatSummary(m_block)));
    const bool held = !m_block.empty();
    m_save->setEnabled(held);
    m_delete->setEnabled(held);
    ResetSG(m_entries);
    const auto rows = core::extDatEntryRows(m_block);
    if (held && !rows.empty()) {
        fillGrid(m_entries, rows);
        // Only the ID1 column takes typing.
        for (int r = 0; r < m_entries->rowCount(); ++r)
            if (auto* item = m_entries->item(r, 1))
                item->setFlags(item->flags() | Qt::ItemIsEditable);
        m_entries->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
    }
    m_entries->setEnabled(held);
    m_filling = false;
    if (held && !rows.empty())
        selectGridRow(m_entries, 0);
    sgExtDatEntryClick(m_entries->currentRow() < 0 ? 0 : m_entries->currentRow());
}

void TfExtDat::sgExtDatEntryClick(int row)
{
    m_data->clear();
    if (row < 0 || static_cast<size_t>(row) >= m_block.entries.size())
        return;
    const QColor text = m_data->palette().color(QPalette::Text);
    QTextCursor cursor(m_data->document());
    bool first = true;
    for (const auto& line : core::extDatDump(m_block, static_cast<size_t>(row))) {
        if (!first)
            cursor.insertBlock();
        first = false;
        QTextCharFormat format;
        format.setForeground(QColor(0, 0, 255));
        cursor.insertText(QString::fromStdString(line.address), format);
        format.setForeground(text);
        cursor.insertText(QString::fromStdString(line.hexPart), format);
        format.setForeground(QColor(255, 0, 0));
        cursor.insertText(QString::fromStdString(line.charPart), format);
    }
    // The dump opens at its first line's left edge, where the addresses are.
    m_data->moveCursor(QTextCursor::Start);
    m_data->horizontalScrollBar()->setValue(0);
}

void TfExtDat::sgExtDatEntrySetEditText(int row, int column)
{
    if (m_filling || column != 1 || row < 0)
        return;
    const QString typed = m_entries->item(row, column)->text();
    core::setExtDatId1(m_block, static_cast<size_t>(row), typed.toStdString());
    // Show the id as stored (four digits, 16 bits kept).
    const auto rows = core::extDatEntryRows(m_block);
    if (static_cast<size_t>(row) < rows.size()) {
        m_filling = true;
        setGridRow(m_entries, row, rows[static_cast<size_t>(row)]);
        m_filling = false;
    }
}

void TfExtDat::bbDelExtDatClick()
{
    m_block = core::TExtensionData{};
    refresh();
}

bool TfExtDat::loadExtDat(const QString& file)
{
    std::vector<uint8_t> bytes;
    if (!core::readWholeFile(file.toStdString(), bytes).ok)
        return false;
    m_block = core::readExdFile(bytes).value;
    refresh();
    return true;
}

bool TfExtDat::saveExtDat(const QString& file)
{
    return core::writeFileAtomic(file.toStdString(), core::exdFileBytes(m_block)).ok;
}

void TfExtDat::bbLoadExtDatClick()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Load ExtensionData()"), m_outputFolder, kFilter);
    if (file.isEmpty())
        return;
    if (!loadExtDat(file))
        QMessageBox::critical(this, windowTitle(), QStringLiteral("Cannot open file \"%1\".").arg(file));
}

void TfExtDat::bbSaveExtDatClick()
{
    QFileDialog dialog(this, QStringLiteral("Save ExtensionData()"), m_outputFolder, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("exd"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString file = dialog.selectedFiles().front();
    if (!saveExtDat(file))
        QMessageBox::critical(this, windowTitle(), QStringLiteral("Cannot create file \"%1\".").arg(file));
}

}  // namespace mirtal::ui
