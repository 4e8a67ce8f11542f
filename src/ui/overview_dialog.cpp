#include "ui/overview_dialog.h"

#include "ui/grid.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace mirtal::ui {

TfOverview::TfOverview(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fOverview"));
    setWindowTitle(QStringLiteral("PlayList overview"));
    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("lOverview"));
    const auto captions = playlist::overviewCaptions();
    m_grid = makeGrid(QStringLiteral("sgOverview"), captions, std::vector<int>{64, 84, 40, 150, 46, 58, 220, 150, 120});
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setToolTip(QStringLiteral("PlayLists (Double click or Enter to read the PlayList)"));
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { choose(row); });

    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("bOverviewClose"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
    resize(1100, 480);
}

void TfOverview::showOverview(const playlist::DiscOverview& overview, const std::string& current)
{
    const auto rows = playlist::overviewRows(overview);
    fillGrid(m_grid, rows);
    const auto count = [&overview](auto test) {
        return std::count_if(overview.playLists.begin(), overview.playLists.end(), test);
    };
    const auto duplicates = count([](const playlist::PlayListSummary& s) { return s.duplicateOf.has_value(); });
    const auto unplayed = count([](const playlist::PlayListSummary& s) { return s.unplayed; });
    m_summary->setText(QStringLiteral("%1 PlayList(s), %2 duplicate(s), %3 unplayed")
                           .arg(rows.size())
                           .arg(duplicates)
                           .arg(unplayed));
    if (rows.empty())
        return;
    const auto at = std::find_if(rows.begin(), rows.end(), [&current](const auto& row) { return row[0] == current; });
    selectGridRow(m_grid, at == rows.end() ? 0 : static_cast<int>(at - rows.begin()));
    int width = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_grid->columnCount(); ++c)
        width += m_grid->columnWidth(c);
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1600, 900);
    const auto margins = layout()->contentsMargins();
    resize(std::min(width + margins.left() + margins.right(), screen.width() - 40), height());
}

bool TfOverview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(m_grid->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfOverview::choose(int row)
{
    if (row < 0 || !m_grid->isEnabled() || !onChoose)
        return;
    if (const auto* item = m_grid->item(row, 0); item && !item->text().isEmpty())
        onChoose(item->text().toStdString());
}

}  // namespace mirtal::ui
