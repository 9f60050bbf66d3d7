#include "foundation/Helpers.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "foundation/Error.h"
#include "foundation/Progress.h"

namespace korvelin {

bool CheckRange(std::string_view owner, int64_t value, int64_t lower, int64_t upper) {
  if (upper < lower)
    throw EKorvelinError(std::string(owner) + " Upper bound(" + std::to_string(upper) +
                         ") is smaller than lower bound(" + std::to_string(lower) + ")\xEF\xBC\x81");
  if (value < lower) throw EKorvelinError(std::string(owner) + " Lower bound overflows!");
  if (value > upper)
    throw EKorvelinError(std::string(owner) + " Upper bound overflows! (" + std::to_string(value) + ">" +
                         std::to_string(upper) + ")");
  return true;
}

std::string_view TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsTrimmable(s[i])) ++i;
  return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsTrimmable(s[n - 1])) --n;
  return s.substr(0, n);
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

void TrimAppended(std::string& out, size_t start) {
  size_t end = out.size();
  while (end > start && IsTrimmable(out[end - 1])) --end;
  out.resize(end);
  size_t first = start;
  while (first < out.size() && IsTrimmable(out[first])) ++first;
  out.erase(start, first - start);
}

namespace {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Does the space at 1-based position p end a token?
inline bool EndsToken(std::string_view line, int32_t p, bool ditto) {
  if (!ditto || p <= 2) return true;
  const char before2 = line[static_cast<size_t>(p - 3)];
  const char before1 = line[static_cast<size_t>(p - 2)];
  return !IsDigit(before2) || before2 == before1;
}

template <typename Out>
int32_t SplitRight(int32_t start, int32_t count, std::string_view line, Out&& emit, bool ditto) {
  const auto len = static_cast<int32_t>(line.size());
  if (start <= 0 || start > len || count <= 0 || IsBlank(line)) return 0;
  if (line[static_cast<size_t>(start - 1)] == ' ') ++start;
  int32_t from = start;
  int32_t p = start;
  int32_t got = 0;
  while (got < count && p <= len) {
    if (line[static_cast<size_t>(p - 1)] == ' ' && EndsToken(line, p, ditto)) {
      emit(line.substr(static_cast<size_t>(from - 1), static_cast<size_t>(p - from)));
      ++got;
      from = p + 1;
    }
    ++p;
  }
  return p - 1;
}

template <typename Out>
int32_t SplitLeft(int32_t start, int32_t count, std::string_view line, Out&& emit, bool ditto) {
  const auto len = static_cast<int32_t>(line.size());
  if (start <= 0 || start > len || count <= 0 || IsBlank(line)) return 0;
  if (line[static_cast<size_t>(start - 1)] == ' ') ++start;
  int32_t upto = start;
  int32_t p = start;
  int32_t got = 0;
  while (got < count && p >= 1) {
    // A start moved past the end of the line finds no byte there.
    if (p <= len && line[static_cast<size_t>(p - 1)] == ' ' && EndsToken(line, p, ditto)) {
      emit(upto > p ? line.substr(static_cast<size_t>(p), static_cast<size_t>(upto - p)) : std::string_view());
      ++got;
      upto = p - 1;
    }
    --p;
  }
  return p + 1;
}

}  // namespace

int32_t SplitRightContext(int32_t start, int32_t count, std::string_view line, TTokenArr& tokens, bool ditto) {
  tokens.clear();
  // One allocation for the side, not a doubling per token: contexts are cut
  // for a million hits at a time.
  if (count > 0 && count <= 64) tokens.reserve(static_cast<size_t>(count));
  return SplitRight(start, count, line, [&](std::string_view t) { tokens.push_back(t); }, ditto);
}

int32_t SplitLeftContext(int32_t start, int32_t count, std::string_view line, TTokenArr& tokens, bool ditto) {
  tokens.clear();
  if (count > 0 && count <= 64) tokens.reserve(static_cast<size_t>(count));
  return SplitLeft(start, count, line, [&](std::string_view t) { tokens.push_back(t); }, ditto);
}

int32_t SplitRightContext(int32_t start, int32_t count, std::string_view line, TStrArr& tokens, bool ditto) {
  tokens.clear();
  return SplitRight(start, count, line, [&](std::string_view t) { tokens.emplace_back(t); }, ditto);
}

int32_t SplitLeftContext(int32_t start, int32_t count, std::string_view line, TStrArr& tokens, bool ditto) {
  tokens.clear();
  return SplitLeft(start, count, line, [&](std::string_view t) { tokens.emplace_back(t); }, ditto);
}

void AppendInts(const TIntArr& source, TIntArr& dest) { dest.insert(dest.end(), source.begin(), source.end()); }

void FillRange(TIntArr& arr, int32_t count, int32_t first) {
  if (count <= 0) return;
  arr.resize(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) arr[static_cast<size_t>(i)] = first + i;
}

int32_t FindPosition(const int32_t* arr, int32_t lo, int32_t hi, int64_t value) {
  // An empty range has nothing to read: the answer is its low end.
  if (hi <= lo) return lo;
  for (;;) {
    const int32_t mid = (lo + hi) / 2;
    const int64_t v = arr[mid];
    if (v == value) return mid;
    if (v > value)
      hi = mid;
    else
      lo = mid;
    if (hi - lo < 2) return lo;
  }
}

void SortStrList(TStrList& list, const TStrListCompare& compare, TProgressHook* progress) {
  if (list.Sorted || list.Count() < 2) return;
  TProgress prog(progress, "Sorting", 0);
  list.BeginUpdate();
  struct Guard {
    TStrList& l;
    ~Guard() { l.EndUpdate(); }
  } guard{list};
  auto& items = list.MutableItems();
  // The partitions are disjoint, so handling them from an explicit stack gives
  // the same order as the recursive form without its depth on bad inputs.
  std::vector<std::pair<int, int>> pending{{0, list.Count() - 1}};
  while (!pending.empty()) {
    auto [l, r] = pending.back();
    pending.pop_back();
    int i = 0;
    do {
      i = l;
      int j = r;
      int p = (l + r) >> 1;
      do {
        while (compare(list, i, p) < 0) ++i;
        while (compare(list, j, p) > 0) --j;
        if (i <= j) {
          if (i != j) items[static_cast<size_t>(i)].swap(items[static_cast<size_t>(j)]);
          if (p == i)
            p = j;
          else if (p == j)
            p = i;
          ++i;
          --j;
        }
        prog.Step();
      } while (i <= j);
      if (l < j) pending.emplace_back(l, j);
      l = i;
    } while (i < r);
  }
}

int64_t StrToInt(std::string_view text) {
  auto bad = [&]() { return EKorvelinError("'" + std::string(text) + "' is not a valid integer value"); };
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size()) throw bad();
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) throw bad();
    value = value * 10 + (text[i] - '0');
    if (value > 0x7FFFFFFFLL + (negative ? 1 : 0)) throw bad();
  }
  return negative ? -value : value;
}

int CompareByNumberDesc(const TStrList& list, int i, int j) {
  auto split = [&](int k, std::string_view& key, int64_t& number) {
    std::string_view name = Trim(list.Names(k));
    const size_t cr = name.find('\r');
    if (cr == std::string_view::npos) {
      key = {};
      number = StrToInt(name);
    } else {
      key = name.substr(0, cr);
      number = StrToInt(name.substr(cr + 1));
    }
  };
  std::string_view ki, kj;
  int64_t ni = 0, nj = 0;
  split(i, ki, ni);
  split(j, kj, nj);
  if (ni != nj) return nj > ni ? 1 : -1;
  return CompareStrings(ki, kj, list.CaseSensitive);
}

int CompareByNameValue(const TStrList& list, int i, int j) {
  const int c = CompareStrings(list.Names(i), list.Names(j), list.CaseSensitive);
  if (c != 0) return c;
  return CompareStrings(list.ValueFromIndex(i), list.ValueFromIndex(j), list.CaseSensitive);
}

std::string StripExtension(std::string_view name) {
  name = Trim(name);
  const size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string RemoveSpaces(std::string_view s) {
  s = Trim(s);
  std::string out;
  out.reserve(s.size());
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

bool DeleteFolder(const std::string& path) {
  try {
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(path), ec);
    if (ec) return false;
    return !std::filesystem::exists(std::filesystem::path(path), ec);
  } catch (...) {
    return false;
  }
}

int DeleteFilesByExt(const std::string& folder, std::string_view ext, TProgressHook* progress) {
  TProgress prog(progress, "Deleting files", 0);
  std::vector<std::string> victims;
  if (DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      std::string_view name = e->d_name;
      const size_t dot = name.rfind('.');
      if (dot == std::string_view::npos) continue;
      if (AsciiUpper(name.substr(dot + 1)) != AsciiUpper(ext)) continue;
      std::string path = folder + std::string(name);
      struct stat st {};
      if (::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) victims.push_back(std::move(path));
    }
    ::closedir(dir);
  }
  for (const auto& v : victims) {
    ::unlink(v.c_str());
    prog.Report();
  }
  return static_cast<int>(victims.size());
}

uint8_t MirrorSide(uint8_t code) {
  if (code == 0) return 2;
  if (code == 2) return 0;
  return code;
}

int TermKindOfDataType(uint8_t dataType) {
  switch (dataType) {
    case dtWord: return tkWord;
    case dtPOS: return tkPOS;
    case dtLemma: return tkLemma;
    case dtPOSCategory: return tkPOSCategory;
    default: return tkLiteral;
  }
}

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  for (;;) {
    const size_t p = s.find(from, i);
    if (p == std::string_view::npos) break;
    out.append(s.substr(i, p - i));
    out.append(to);
    i = p + from.size();
  }
  out.append(s.substr(i));
  return out;
}

}  // namespace korvelin
