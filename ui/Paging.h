#pragma once
// Paging of long results: the items of a page combo and the range an item
// stands for. Kept free of widgets so every tab's paging has one rule.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvelin {

// "first-last" for every full page of perPage rows and one item for the rest;
// empty when total rows do not fill one page. Both numbers are checked
// against 1..2147483647 (owner TfrmMain).
std::vector<std::string> PageRanges(int64_t total, int64_t perPage);

struct TPageRange {
  int32_t From = -1;
  int32_t To = -1;
};

// The two numbers around the first "-" of the trimmed text when the "-" is
// not its first character; else -1 and -1. Bad numbers raise the integer
// conversion message.
TPageRange ParsePageRange(std::string_view text);

}  // namespace korvelin
