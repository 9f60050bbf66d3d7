#include "concordance/SortLevels.h"

#include <gtest/gtest.h>

#include <tuple>

#include "TestUtil.h"

namespace korvelin {
namespace {

std::tuple<int, int, int> Of(const TSortInfo& s) { return {s.Position, s.Side, s.DataType}; }

std::vector<std::tuple<int, int, int>> Of(const TSortInfoArr& levels) {
  std::vector<std::tuple<int, int, int>> out;
  for (const auto& l : levels) out.push_back(Of(l));
  return out;
}

TEST(SortLevels, ComboTextsToCodes) {
  const std::vector<std::tuple<std::string, int, int>> cases = {
      // text, data type, display mode
      {"Word", 0, 2}, {"Char", 0, 2}, {"POS", 1, 0}, {"Lemma", 2, 1},
      {"POSCategory", 3, 1}, {"Word_POS", 4, 1}, {"", 4, 1}, {"word", 4, 1},
  };
  for (const auto& [text, type, mode] : cases) {
    EXPECT_EQ(DataTypeFromText(text), type) << text;
    EXPECT_EQ(DisplayModeOf(text), mode) << text;
  }
}

TEST(SortLevels, LocationTexts) {
  const std::vector<std::pair<std::string, std::tuple<int, int, int>>> cases = {
      {"L3", {3, 0, 1}}, {"L10", {10, 0, 1}}, {"Node", {0, 1, 1}}, {"R1", {1, 2, 1}}, {" R2 ", {2, 2, 1}},
  };
  for (const auto& [text, level] : cases) {
    const auto l = SortLevelFromLocation(text, dtPOS);
    ASSERT_TRUE(l.has_value()) << text;
    EXPECT_EQ(Of(*l), level) << text;
  }
  for (const std::string text : {"--", "", "x1", "l1"}) EXPECT_FALSE(SortLevelFromLocation(text, 0).has_value()) << text;
  EXPECT_KV_ERROR(SortLevelFromLocation("L11", 0), "TSortInfo Upper bound overflows! (11>10)");
  EXPECT_KV_ERROR(SortLevelFromLocation("R0", 0), "TSortInfo Lower bound overflows!");
  EXPECT_KV_ERROR(SortLevelFromLocation("Lx", 0), "'x' is not a valid integer value");
}

TEST(SortLevels, PowerSortRowsStopAtTheFirstDash) {
  EXPECT_EQ(Of(SortLevelsFromSettings({{"L1", "Word"}, {"--", "POS"}, {"R1", "Word"}})),
            (std::vector<std::tuple<int, int, int>>{{1, 0, 0}}));
  EXPECT_EQ(Of(SortLevelsFromSettings({{"L2", "Lemma"}, {"Node", "Word_POS"}, {"R3", "POSCategory"}, {"--", "Word"}})),
            (std::vector<std::tuple<int, int, int>>{{2, 0, 2}, {0, 1, 4}, {3, 2, 3}}));
  EXPECT_TRUE(SortLevelsFromSettings({{"--", "Word"}, {"L1", "Word"}}).empty());
}

TEST(SortLevels, QuickMenuCaptionsInLevelOrder) {
  const std::vector<TQuickSortItem> items = {
      {"Loop", "Word"},               // not a level
      {"L3 (Level 2)", "Word"},
      {"&Node (Level 3)", "POS"},     // mnemonic marks are ignored
      {"R1 (Level 1)", "Word_POS"},
      {"R2 (Level 8)", "Word"},       // beyond the seven levels
      {"R3", "Word"},                 // not chosen
      {"L1 (Level x)", "Word"},
  };
  EXPECT_EQ(Of(SortLevelsFromMenu(items)), (std::vector<std::tuple<int, int, int>>{{1, 2, 4}, {3, 0, 0}, {0, 1, 1}}));
  EXPECT_EQ(QuickSortCaption("R2", 2), "R2 (Level 2)");
  EXPECT_EQ(Of(SortLevelsFromMenu({{QuickSortCaption("L1", 1), "Char"}, {QuickSortCaption("R2", 2), "POS"}})),
            (std::vector<std::tuple<int, int, int>>{{1, 0, 0}, {2, 2, 1}}));
}

}  // namespace
}  // namespace korvelin
