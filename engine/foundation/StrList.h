#pragma once
// TStrList: the one string list of the system. Besides the usual list
// operations it has a case switch used by comparisons, a name/value separator
// (packed items such as "term\nhit" are read through Names/ValueFromIndex),
// a sorted flag that the generic sort respects, and change notification
// around bulk updates.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvelin {

class TStrList {
 public:
  static constexpr const char* ClassName = "TStrList";

  TStrList() = default;
  explicit TStrList(std::vector<std::string> items) : items_(std::move(items)) {}

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  // Range-checked access; raises the range-check message on a bad index.
  const std::string& Get(int i) const;
  const std::string& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  void Put(int i, std::string s);
  int Add(std::string s);
  void Insert(int i, std::string s);
  void Delete(int i);
  void Clear();
  void Exchange(int i, int j);
  int IndexOf(std::string_view s) const;  // honours CaseSensitive
  // True when the list has no items or every item is blank.
  bool TextIsBlank() const;

  // Name/value access: the name is the text before the first separator (empty
  // when the item has none), the value the text after it.
  std::string_view Names(int i) const;
  std::string_view ValueFromIndex(int i) const;
  int IndexOfName(std::string_view name) const;  // honours CaseSensitive

  // Whole text: every item followed by CR LF. Setting it splits at CR LF, LF or CR.
  std::string Text() const;
  void SetText(std::string_view text);

  // Load and save as text files with CR LF line ends. Saving writes a
  // temporary file and renames it into place, so a failed save never leaves
  // a half-written file where an older one was.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  bool CaseSensitive = false;
  char NameValueSeparator = '=';
  bool Sorted = false;

  // Change notification: OnChange runs when the outermost EndUpdate closes.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  std::function<void()> OnChange;

  const std::vector<std::string>& Items() const { return items_; }
  std::vector<std::string>& MutableItems() { return items_; }

 private:
  void Changed();
  std::vector<std::string> items_;
  int updateCount_ = 0;
};

// Case-folded comparison of two byte strings, as the list comparisons use it:
// byte by byte, a shorter prefix first; case-insensitive folds ASCII a-z only.
int CompareStrings(std::string_view a, std::string_view b, bool caseSensitive);

}  // namespace korvelin
