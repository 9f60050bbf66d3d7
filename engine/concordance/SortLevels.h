#pragma once
// Reading sort levels and display choices from the texts the front ends show:
// the Power Sort rows (a location and a type per row), the quick sort menu's
// captions, the data-type and display-mode combo texts. Pure functions, so
// the window and the command line read them the same way.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Types.h"

namespace korvelin {

// "Word" and "Char" 0, "POS" 1, "Lemma" 2, "POSCategory" 3, anything else
// ("Word_POS" among them) 4.
uint8_t DataTypeFromText(std::string_view text);

// A display-mode combo text: "Word" and "Char" 2, "POS" 0, anything else 1.
uint8_t DisplayModeOf(std::string_view text);

// A location text to a sort level of the given type: "L3" left 3, "Node" the
// node, "R1" right 1. A text not beginning with "L", "N" or "R" (such as "--")
// gives none. A position that is not a number raises the conversion error,
// one outside 1..10 the range check.
std::optional<TSortInfo> SortLevelFromLocation(std::string_view location, uint8_t dataType);

// One Power Sort row: its location text and its type text.
struct TSortSettingRow {
  std::string Location;
  std::string Type;
};
// The levels of the rows in order, up to the first row whose location is not
// a level ("--"); the rows after it are ignored.
TSortInfoArr SortLevelsFromSettings(const std::vector<TSortSettingRow>& rows);

// One ticked quick-menu item: its caption (such as "R1 (Level 2)", "&" marks
// allowed) and the display-mode text of that item's side.
struct TQuickSortItem {
  std::string Caption;
  std::string SideMode;
};
// The levels of the items, ordered by the level number in their captions.
// Items without "(Level n)", with n outside 1..7 or without a location are
// skipped. The type follows the side's display mode: "Word_POS" the whole
// token, "POS" the tag, anything else the word.
TSortInfoArr SortLevelsFromMenu(const std::vector<TQuickSortItem>& items);

// The caption of a chosen quick-menu item: base + " (Level " + level + ")".
std::string QuickSortCaption(std::string_view base, int level);

}  // namespace korvelin
