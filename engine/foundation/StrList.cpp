#include "foundation/StrList.h"

#include "foundation/Helpers.h"
#include "foundation/TextFile.h"

namespace korvelin {

namespace {
inline unsigned char FoldUpper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }
}  // namespace

int CompareStrings(std::string_view a, std::string_view b, bool caseSensitive) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (!caseSensitive) {
      x = FoldUpper(x);
      y = FoldUpper(y);
    }
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

const std::string& TStrList::Get(int i) const {
  CheckRange(ClassName, i, 0, Count() - 1);
  return items_[static_cast<size_t>(i)];
}

void TStrList::Put(int i, std::string s) {
  CheckRange(ClassName, i, 0, Count() - 1);
  items_[static_cast<size_t>(i)] = std::move(s);
  Changed();
}

int TStrList::Add(std::string s) {
  items_.push_back(std::move(s));
  Changed();
  return Count() - 1;
}

void TStrList::Insert(int i, std::string s) {
  CheckRange(ClassName, i, 0, Count());
  items_.insert(items_.begin() + i, std::move(s));
  Changed();
}

void TStrList::Delete(int i) {
  CheckRange(ClassName, i, 0, Count() - 1);
  items_.erase(items_.begin() + i);
  Changed();
}

void TStrList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TStrList::Exchange(int i, int j) {
  CheckRange(ClassName, i, 0, Count() - 1);
  CheckRange(ClassName, j, 0, Count() - 1);
  items_[static_cast<size_t>(i)].swap(items_[static_cast<size_t>(j)]);
  Changed();
}

int TStrList::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(items_[static_cast<size_t>(i)], s, CaseSensitive) == 0) return i;
  return -1;
}

bool TStrList::TextIsBlank() const {
  for (const auto& item : items_)
    if (!IsBlank(item)) return false;
  return true;
}

std::string_view TStrList::Names(int i) const {
  std::string_view item = Get(i);
  const size_t p = item.find(NameValueSeparator);
  return p == std::string_view::npos ? std::string_view() : item.substr(0, p);
}

std::string_view TStrList::ValueFromIndex(int i) const {
  std::string_view item = Get(i);
  const size_t p = item.find(NameValueSeparator);
  return p == std::string_view::npos ? std::string_view() : item.substr(p + 1);
}

int TStrList::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string_view item = items_[static_cast<size_t>(i)];
    const size_t p = item.find(NameValueSeparator);
    if (p != std::string_view::npos && CompareStrings(item.substr(0, p), name, CaseSensitive) == 0)
      return i;
  }
  return -1;
}

std::string TStrList::Text() const {
  size_t size = 0;
  for (const auto& s : items_) size += s.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& s : items_) {
    text += s;
    text += "\r\n";
  }
  return text;
}

void TStrList::SetText(std::string_view text) {
  BeginUpdate();
  items_.clear();
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    size_t j = i;
    while (j < n && text[j] != '\r' && text[j] != '\n') ++j;
    items_.emplace_back(text.substr(i, j - i));
    if (j < n) j += (text[j] == '\r' && j + 1 < n && text[j + 1] == '\n') ? 2 : 1;
    i = j;
  }
  EndUpdate();
}

void TStrList::LoadFromFile(const std::string& path) { SetText(ReadFileBytes(path)); }

void TStrList::SaveToFile(const std::string& path) const { WriteFileAtomic(path, Text()); }

void TStrList::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && OnChange) OnChange();
}

void TStrList::Changed() {
  if (updateCount_ == 0 && OnChange) OnChange();
}

}  // namespace korvelin
