#pragma once
// The text grids: the caption row of a grid is the table's header, element r is table row r.

#include <QComboBox>
#include <QStringList>
#include <QTableWidget>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;

#include <array>
#include <span>
#include <string>
#include <vector>

namespace mirtal::ui {

inline QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// Selects the entry with this text, adding it when the list lacks it; an empty text selects the
// first entry (none in an empty list).
void selectText(QComboBox* list, const QString& text);
// The list position of an id, -1 when the list has no such entry.
inline int idOrNone(QComboBox* list, uint16_t id)
{
    return id < list->count() ? id : -1;
}

// A list with its hint and items, disabled until there is something to edit; width 0 keeps the
// list's own width.
QComboBox* makeList(const QString& name, const QString& hint, const QStringList& items, int width);
QStringList listItems(const std::vector<std::string>& texts);
class TIntEdit;
class THexEdit;

// A grid with the captions of one of the library's caption rows and its hint.
template <typename Captions>
QTableWidget* captionGrid(const QString& name, const Captions& captions, std::initializer_list<int> widths,
                          const QString& hint = {});
// The number fields of the editors, sized for their digits, disabled until there is something to edit.
TIntEdit* intField(const QString& name, const QString& hint, int digits);
THexEdit* hexField(const QString& name, const QString& hint, int digits);
// A push button with its caption and hint, disabled until there is something to do.
QPushButton* textButton(const QString& name, const QString& caption, const QString& hint);
QGroupBox* group(const QString& name, const QString& caption);
// Widgets one below the other (stretch at the end), or side by side.
QVBoxLayout* column(std::initializer_list<QWidget*> widgets);
QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true);

// A glyph button ("+", "-", "...") of one character's room.
QToolButton* makeGlyphButton(const QString& name, const QString& glyph, const QString& hint);
// The small caption above or beside an editor.
QLabel* smallLabel(const QString& text);

// Shows item of a list; an item the list lacks (or -1) shows no item.
inline void setListItem(QComboBox* list, int item)
{
    list->setCurrentIndex(item < list->count() ? item : -1);
}

// While one lives, the views are being filled: change actions stay quiet.
class Filling {
public:
    explicit Filling(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~Filling() { m_flag = m_was; }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

// The room a column needs for its caption: the caption's width and the header's margins.
int captionWidth(const QTableWidget* grid, const QString& caption);
// A read-only grid with whole-row selection and the given captions and column widths; a column
// is never narrower than its caption.
QTableWidget* makeGrid(const QString& objectName, std::span<const std::string> captions,
                       std::span<const int> widths, QWidget* parent = nullptr);
void setGridCaptions(QTableWidget* grid, std::span<const std::string> captions);
// Writes the cells of one row, creating the row's items when needed.
void setGridRow(QTableWidget* grid, int row, std::span<const std::string> cells);
// Widens the columns whose cells are wider than the column; none gets narrower.
void widenToContents(QTableWidget* grid);
// ResetSG: one blank row, disabled.
void ResetSG(QTableWidget* grid);

// Every row of a grid from the library's row texts; no rows: ResetSG.
template <typename Rows>
void fillGrid(QTableWidget* grid, const Rows& rows)
{
    if (rows.empty()) {
        ResetSG(grid);
        return;
    }
    grid->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        setGridRow(grid, static_cast<int>(r), rows[r]);
    grid->setEnabled(true);
    widenToContents(grid);
}

// The selected rows as a block: first..last (the current row when nothing is selected);
// false when the grid has no current row.
bool selectedBlock(const QTableWidget* grid, int& first, int& last);
template <typename Captions>
QTableWidget* captionGrid(const QString& name, const Captions& captions, std::initializer_list<int> widths,
                          const QString& hint)
{
    const std::vector<std::string> texts(captions.begin(), captions.end());
    const std::vector<int> w(widths);
    auto* grid = makeGrid(name, texts, w);
    grid->setToolTip(hint);
    return grid;
}

// Selects one row (whole row) and makes it current, scrolling it into view.
void selectGridRow(QTableWidget* grid, int row);

}  // namespace mirtal::ui
