#include "lemma/Lemma.h"

#include <string>
#include <unordered_map>

#include "foundation/Error.h"
#include "foundation/Helpers.h"

namespace korvelin {

// Names folded as the list compares them: ASCII letters only, so bytes of the
// upper half (accented letters, GBK) stay as they are.
struct TUserLemma::TIndex {
  std::unordered_map<std::string, int> Lines;  // folded name -> last line with it
};

TUserLemma::TUserLemma(const std::string& path, char separator) {
  if (IsBlank(path)) throw EKorvelinError("Please specify a lemma list!");
  FList.CaseSensitive = false;
  FList.NameValueSeparator = separator;
  FList.LoadFromFile(path);
}

TUserLemma::~TUserLemma() = default;

std::string TUserLemma::GetLemma(std::string_view word) {
  const std::string_view w = Trim(word);
  if (w.empty()) throw EKorvelinError("GetLemma:Invalid input!");
  if (!FIndex) {
    auto index = std::make_unique<TIndex>();
    index->Lines.reserve(static_cast<size_t>(FList.Count()));
    const char sep = FList.NameValueSeparator;
    for (int i = 0; i < FList.Count(); ++i) {
      const std::string& item = FList[i];
      const size_t p = item.find(sep);
      // A line without the separator is kept but never found; later lines win.
      if (p == std::string::npos || p == 0) continue;
      index->Lines[AsciiUpper(std::string_view(item).substr(0, p))] = i;
    }
    FIndex = std::move(index);
  }
  const auto found = FIndex->Lines.find(AsciiUpper(w));
  if (found == FIndex->Lines.end()) return std::string(w);
  const std::string& item = FList[found->second];
  const std::string_view value = Trim(std::string_view(item).substr(item.find(FList.NameValueSeparator) + 1));
  return std::string(value.empty() ? w : value);
}

std::string TUserLemma::GetForms(std::string_view lemma) {
  const std::string_view l = Trim(lemma);
  if (l.empty()) throw EKorvelinError("GetType:Invalid input!");
  std::string forms = "(";
  forms += l;
  const char sep = FList.NameValueSeparator;
  for (int i = 0; i < FList.Count(); ++i) {
    const std::string_view item = FList[i];
    const size_t p = item.find(sep);
    // An empty name would put an empty alternative into the pattern, which
    // matches anywhere; like a line without the separator, it is no form.
    if (p == std::string_view::npos || p == 0) continue;
    // The value as written: "went= go" does not list went under go.
    if (CompareStrings(item.substr(p + 1), l, false) == 0) {
      forms += '|';
      forms += item.substr(0, p);
    }
  }
  forms += ')';
  return forms;
}

std::string TPOSCategory::GetForms(std::string_view category) {
  const std::string all = TUserLemma::GetForms(category);
  const size_t bar = all.find('|');
  if (bar == std::string::npos) return std::string();
  return "(" + all.substr(bar + 1);
}

namespace {

template <typename Op>
std::string MapTokens(std::string_view text, Op&& op) {
  const std::string_view trimmed = Trim(text);
  std::string result;
  if (trimmed.find(' ') == std::string_view::npos) {
    result = op(trimmed);
  } else {
    std::string line;
    line.reserve(trimmed.size() + 2);
    line += ' ';
    line += trimmed;
    line += ' ';
    TTokenArr tokens;
    SplitRightContext(2, static_cast<int32_t>(line.size()), line, tokens, false);
    for (const std::string_view token : tokens) {
      result += ' ';
      result += op(token);
    }
    result = std::string(Trim(result));
  }
  return result.empty() ? std::string(trimmed) : result;
}

}  // namespace

std::string LemmatizeText(TLemma& list, std::string_view text) {
  return MapTokens(text, [&](std::string_view token) { return list.GetLemma(token); });
}

std::string ExpandForms(TLemma& list, std::string_view text) {
  return MapTokens(text, [&](std::string_view token) { return list.GetForms(token); });
}

}  // namespace korvelin
