#include "concordance/SortLevels.h"

#include <algorithm>

#include "foundation/Helpers.h"

namespace korvelin {

namespace {

// The decimal number at the start of text, or -1 when it does not start with a digit.
int LeadingNumber(std::string_view text) {
  int64_t value = -1;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = (value < 0 ? 0 : value * 10) + (c - '0');
    if (value > 1000000) return -1;
  }
  return static_cast<int>(value);
}

}  // namespace

uint8_t DataTypeFromText(std::string_view text) {
  if (text == "Word" || text == "Char") return dtWord;
  if (text == "POS") return dtPOS;
  if (text == "Lemma") return dtLemma;
  if (text == "POSCategory") return dtPOSCategory;
  return dtToken;
}

uint8_t DisplayModeOf(std::string_view text) {
  if (text == "Word" || text == "Char") return 2;
  if (text == "POS") return 0;
  return 1;
}

std::optional<TSortInfo> SortLevelFromLocation(std::string_view location, uint8_t dataType) {
  location = Trim(location);
  if (location.empty()) return std::nullopt;
  TSortInfo level;
  level.DataType = dataType;
  switch (location[0]) {
    case 'L': level.Side = 0; break;
    case 'N': level.Side = 1; return level;
    case 'R': level.Side = 2; break;
    default: return std::nullopt;
  }
  const int64_t position = StrToInt(location.substr(1));
  CheckRange("TSortInfo", position, 1, 10);
  level.Position = static_cast<int32_t>(position);
  return level;
}

TSortInfoArr SortLevelsFromSettings(const std::vector<TSortSettingRow>& rows) {
  TSortInfoArr levels;
  for (const auto& row : rows) {
    const auto level = SortLevelFromLocation(row.Location, DataTypeFromText(row.Type));
    if (!level) break;
    levels.push_back(*level);
  }
  return levels;
}

TSortInfoArr SortLevelsFromMenu(const std::vector<TQuickSortItem>& items) {
  std::vector<std::pair<int, TSortInfo>> read;
  for (const auto& item : items) {
    std::string caption;
    for (char c : item.Caption)
      if (c != '&') caption += c;
    const std::string_view text = Trim(caption);
    const size_t at = text.find("(Level");
    if (at == std::string_view::npos) continue;
    std::string_view number = text.substr(at + 6);
    number = Trim(number.substr(0, number.find(')')));
    const int n = LeadingNumber(number);
    if (n < 1 || n > 7 || std::to_string(n).size() != number.size()) continue;
    TSortInfo level;
    switch (text[0]) {
      case 'L': level.Side = 0; break;
      case 'N': level.Side = 1; break;
      case 'R': level.Side = 2; break;
      default: continue;
    }
    if (level.Side != 1) {
      level.Position = LeadingNumber(text.substr(1));
      if (level.Position < 1) continue;
    }
    level.DataType = item.SideMode == "Word_POS" ? dtToken : item.SideMode == "POS" ? dtPOS : dtWord;
    read.emplace_back(n, level);
  }
  // Level n goes to place n; numbers with gaps close up, equal ones keep the
  // order of the items.
  std::stable_sort(read.begin(), read.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  TSortInfoArr levels;
  levels.reserve(read.size());
  for (const auto& r : read) levels.push_back(r.second);
  return levels;
}

std::string QuickSortCaption(std::string_view base, int level) {
  return std::string(base) + " (Level " + std::to_string(level) + ")";
}

}  // namespace korvelin
