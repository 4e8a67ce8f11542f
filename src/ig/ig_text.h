#pragma once
// The texts of the Menu tab: the composition caption, the page header fields, the BOG, button,
// window, effect and composition-object grids, the object and palette lists. The window and
// mirtal-cli print these.

#include "ig/ig.h"

#include <array>
#include <string>
#include <vector>

namespace mirtal::ig {

using Row = std::vector<std::string>;

// width + "x" + height + " @ " + frame rate + ", " + pages + " page(s)".
[[nodiscard]] std::string igsInfoCaption(const TIGSc& ics);
// The user time-out in the long time format ("0:00:00").
[[nodiscard]] std::string userTimeOutText(const TIGSc& ics);
// Object ids (4 hex digits) and palette ids (2 hex digits) in list order, and the lists' hints.
[[nodiscard]] std::vector<std::string> objectListItems(const IgMenu& menu);
[[nodiscard]] std::vector<std::string> paletteListItems(const IgMenu& menu);
[[nodiscard]] std::string objectListHint(const IgMenu& menu);
[[nodiscard]] std::string paletteListHint(const IgMenu& menu);
// The page ids in decimal, one item per page.
[[nodiscard]] std::vector<std::string> pageListItems(const IgMenu& menu);

// The header fields of a page: label (the field's hint) and text.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> pageHeaderFields(const TPage& page);

// The BOG grid: row 0 " id" + BOG indexes, row 1 " default valid button", row 2 " number of
// buttons"; at least two columns (column 1 empty when there are no BOGs).
[[nodiscard]] std::array<Row, 3> bogGrid(const TPage& page);
[[nodiscard]] const Row& buttonGridCaptions();
[[nodiscard]] Row buttonGridRow(const TIGbutton& button);
[[nodiscard]] std::vector<Row> buttonGridRows(const TBOG& bog);
[[nodiscard]] const Row& windowGridCaptions();
[[nodiscard]] std::vector<Row> windowGridRows(const Teffectseq& effects);
[[nodiscard]] const Row& effectGridCaptions();
// numbered: the In Effects tab numbers effects and composition objects from 1; the Out
// Effects tab leaves that column empty.
[[nodiscard]] std::vector<Row> effectGridRows(const Teffectseq& effects, bool numbered);
[[nodiscard]] const Row& compositionObjectGridCaptions();
[[nodiscard]] std::vector<Row> compositionObjectGridRows(const Teffect& effect, bool numbered);

// The object a button grid column shows: 9 normal start, 10 normal end, 13 selected start,
// 14 selected end, 17 activated start, 18 activated end; 0xFFFF for any other column.
[[nodiscard]] uint16_t objectOfButtonColumn(const TIGbutton& button, int column);

}  // namespace mirtal::ig
