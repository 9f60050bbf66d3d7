#include "Paging.h"

#include "foundation/Helpers.h"

namespace korvelin {

std::vector<std::string> PageRanges(int64_t total, int64_t perPage) {
  CheckRange("TfrmMain", total, 1, 2147483647);
  CheckRange("TfrmMain", perPage, 1, 2147483647);
  std::vector<std::string> items;
  const int64_t pages = total / perPage;
  if (pages == 0) return items;
  items.reserve(static_cast<size_t>(pages) + 1);
  for (int64_t k = 0; k < pages; ++k)
    items.push_back(std::to_string(k * perPage + 1) + "-" + std::to_string((k + 1) * perPage));
  if (total % perPage != 0) items.push_back(std::to_string(pages * perPage + 1) + "-" + std::to_string(total));
  return items;
}

TPageRange ParsePageRange(std::string_view text) {
  const std::string_view t = Trim(text);
  const size_t dash = t.find('-');
  if (dash == std::string_view::npos || dash == 0) return {};
  return {static_cast<int32_t>(StrToInt(t.substr(0, dash))), static_cast<int32_t>(StrToInt(t.substr(dash + 1)))};
}

}  // namespace korvelin
