#include "ui/grid.h"

#include "ui/num_edit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace mirtal::ui {

QComboBox* makeList(const QString& name, const QString& hint, const QStringList& items, int width)
{
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->setToolTip(hint);
    list->addItems(items);
    list->setEnabled(false);
    if (width > 0)
        list->setFixedWidth(width);
    return list;
}

QStringList listItems(const std::vector<std::string>& texts)
{
    QStringList out;
    for (const auto& t : texts)
        out << QString::fromStdString(t);
    return out;
}

QToolButton* makeGlyphButton(const QString& name, const QString& glyph, const QString& hint)
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(glyph);
    button->setToolTip(hint);
    button->setFixedWidth(24);
    return button;
}

QLabel* smallLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    label->setFont(f);
    return label;
}

int captionWidth(const QTableWidget* grid, const QString& caption)
{
    const QHeaderView* header = grid->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return header->fontMetrics().horizontalAdvance(caption) + 2 * margin + 6;
}

QTableWidget* makeGrid(const QString& objectName, std::span<const std::string> captions,
                       std::span<const int> widths, QWidget* parent)
{
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(objectName);
    grid->setColumnCount(static_cast<int>(captions.size()));
    setGridCaptions(grid, captions);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setWordWrap(false);
    for (size_t c = 0; c < captions.size(); ++c) {
        const int given = c < widths.size() ? widths[c] : grid->horizontalHeader()->defaultSectionSize();
        grid->setColumnWidth(static_cast<int>(c),
                             std::max(given, captionWidth(grid, QString::fromStdString(captions[c]))));
    }
    ResetSG(grid);
    return grid;
}

void setGridCaptions(QTableWidget* grid, std::span<const std::string> captions)
{
    QStringList labels;
    for (const auto& c : captions)
        labels << QString::fromStdString(c);
    grid->setColumnCount(static_cast<int>(captions.size()));
    grid->setHorizontalHeaderLabels(labels);
}

void setGridRow(QTableWidget* grid, int row, std::span<const std::string> cells)
{
    if (row < 0)
        return;
    if (row >= grid->rowCount())
        grid->setRowCount(row + 1);
    for (int c = 0; c < grid->columnCount(); ++c) {
        const QString text = static_cast<size_t>(c) < cells.size() ? QString::fromStdString(cells[c]) : QString();
        QTableWidgetItem* item = grid->item(row, c);
        if (item == nullptr) {
            item = new QTableWidgetItem(text);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            grid->setItem(row, c, item);
        } else if (item->text() != text) {
            item->setText(text);
        }
    }
}

void widenToContents(QTableWidget* grid)
{
    const QFontMetrics metrics(grid->font());
    for (int c = 0; c < grid->columnCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < grid->rowCount(); ++r)
            if (const auto* item = grid->item(r, c))
                widest = std::max(widest, metrics.horizontalAdvance(item->text()));
        if (widest + 12 > grid->columnWidth(c))
            grid->setColumnWidth(c, widest + 12);
    }
}

void ResetSG(QTableWidget* grid)
{
    grid->clearContents();
    grid->setRowCount(1);
    setGridRow(grid, 0, {});
    grid->setEnabled(false);
}

bool selectedBlock(const QTableWidget* grid, int& first, int& last)
{
    const auto ranges = grid->selectedRanges();
    if (ranges.isEmpty()) {
        if (grid->currentRow() < 0)
            return false;
        first = last = grid->currentRow();
        return true;
    }
    first = ranges.front().topRow();
    last = ranges.front().bottomRow();
    for (const auto& r : ranges) {
        first = std::min(first, r.topRow());
        last = std::max(last, r.bottomRow());
    }
    return true;
}

void selectGridRow(QTableWidget* grid, int row)
{
    if (row < 0 || row >= grid->rowCount())
        return;
    grid->clearSelection();
    grid->setCurrentCell(row, 1 < grid->columnCount() ? 1 : 0,
                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid->scrollToItem(grid->item(row, 0));
}

void selectText(QComboBox* list, const QString& text)
{
    if (text.isEmpty()) {
        list->setCurrentIndex(list->count() > 0 ? 0 : -1);
        return;
    }
    int i = list->findText(text);
    if (i < 0) {
        list->addItem(text);
        i = list->count() - 1;
    }
    list->setCurrentIndex(i);
}

TIntEdit* intField(const QString& name, const QString& hint, int digits)
{
    auto* field = new TIntEdit;
    field->setObjectName(name);
    field->setToolTip(hint);
    field->setMaxLength(digits);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 14);
    field->setEnabled(false);
    return field;
}

THexEdit* hexField(const QString& name, const QString& hint, int digits)
{
    auto* field = new THexEdit(digits);
    field->setObjectName(name);
    field->setToolTip(hint);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 14);
    field->setEnabled(false);
    return field;
}

QPushButton* textButton(const QString& name, const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setEnabled(false);
    return button;
}

QGroupBox* group(const QString& name, const QString& caption)
{
    auto* box = new QGroupBox(caption);
    box->setObjectName(name);
    return box;
}

QVBoxLayout* column(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QVBoxLayout;
    layout->setSpacing(2);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    layout->addStretch(1);
    return layout;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch)
{
    auto* layout = new QHBoxLayout;
    layout->setSpacing(3);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    if (stretch)
        layout->addStretch(1);
    return layout;
}


}  // namespace mirtal::ui
