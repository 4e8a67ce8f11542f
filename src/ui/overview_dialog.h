#pragma once
// TfOverview: the disc overview beside the PLAYLIST tab, one row per PlayList with who plays it,
// as mirtal-cli playlists prints it. A double click or Enter on a row asks for that PlayList.

#include "playlist/overview.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QTableWidget;

namespace mirtal::ui {

class TfOverview : public QDialog {
    Q_OBJECT
public:
    explicit TfOverview(QWidget* parent = nullptr);

    // The grid shows the overview's rows, the row of `current` selected (the first row when no
    // row has that name); the line above the grid counts them. The dialog widens to its columns
    // as far as the screen allows.
    void showOverview(const playlist::DiscOverview& overview, const std::string& current);
    // Called with the PlayList name of a row that was double-clicked or had Enter pressed on it.
    std::function<void(const std::string& name)> onChoose;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int row);

    QLabel* m_summary;
    QTableWidget* m_grid;
};

}  // namespace mirtal::ui
