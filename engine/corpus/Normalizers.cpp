#include "corpus/Normalizers.h"

#include <array>

#include "foundation/CodePage.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/RegExpr.h"

namespace korvelin {

namespace {

// ASCII marks that are spaced out in English text.
constexpr std::array<bool, 256> MakeAsciiMarks() {
  std::array<bool, 256> t{};
  for (unsigned char c : std::string_view(",.?;:'\"!&[]()")) t[c] = true;
  return t;
}
constexpr std::array<bool, 256> kAsciiMark = MakeAsciiMarks();

// GBK marks spaced out in English text: ‘ ’ “ ” — 。 (row A1) and （ ） ？ ！ ； ： (row A3).
inline bool IsWideMark(unsigned char lead, unsigned char trail) {
  if (lead == 0xA1) return trail == 0xAE || trail == 0xAF || trail == 0xB0 || trail == 0xB1 || trail == 0xAA || trail == 0xA3;
  if (lead == 0xA3) return trail == 0xA8 || trail == 0xA9 || trail == 0xBF || trail == 0xA1 || trail == 0xBB || trail == 0xBA;
  return false;
}

inline char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Length of the clitic (s t d ve m re ll, any case) at s[j] when a space follows it, else 0.
size_t CliticAt(const std::string& s, size_t j) {
  const size_t n = s.size();
  if (j >= n) return 0;
  const char a = Lower(s[j]);
  if (a == 's' || a == 't' || a == 'd' || a == 'm') return (j + 1 < n && s[j + 1] == ' ') ? 1 : 0;
  if (a == 'v' || a == 'r' || a == 'l') {
    const char want = a == 'l' ? 'l' : 'e';
    return (j + 2 < n && Lower(s[j + 1]) == want && s[j + 2] == ' ') ? 2 : 0;
  }
  return 0;
}

// The collapse of runs of spaces as written first: halve every run, trim, and
// give up after twenty rounds with the line as the message. Only lines with a
// run of more than 524288 spaces get here.
[[noreturn]] void CollapseOrRaise(std::string line) {
  int rounds = 0;
  while (line.find("  ") != std::string::npos) {
    line = std::string(Trim(ReplaceAll(line, "  ", " ")));
    if (++rounds == 20) throw EKorvelinError(line);
  }
  throw EKorvelinError(line);  // not reached for such lines
}

constexpr size_t kLongestRun = 524288;

}  // namespace

void TEnglishNormalizer::Normalize(std::string_view line, std::string& out) {
  line = Trim(line);
  if (line.empty()) return;

  // Tabs to spaces, marks spaced out.
  std::string& s = spaced_;
  s.clear();
  s.reserve(line.size() * 2);
  bool apostrophe = false;
  const size_t n = line.size();
  for (size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == '\t') {
      s += ' ';
    } else if (kAsciiMark[c]) {
      s += ' ';
      s += static_cast<char>(c);
      s += ' ';
      apostrophe |= c == '\'';
    } else if (c == '`') {
      s += " ` ";
    } else if ((c == 0xA1 || c == 0xA3) && i + 1 < n && IsWideMark(c, static_cast<unsigned char>(line[i + 1]))) {
      apostrophe |= c == 0xA1 && static_cast<unsigned char>(line[i + 1]) == 0xAF;
      s += ' ';
      s += static_cast<char>(c);
      s += line[i + 1];
      s += ' ';
      ++i;
    } else {
      s += static_cast<char>(c);
    }
  }

  // Clitics join their apostrophe again: "it ' s " becomes "it 's ".
  const std::string* src = &s;
  if (apostrophe) {
    std::string& j = joined_;
    j.clear();
    j.reserve(s.size());
    const size_t m = s.size();
    size_t i = 0;
    while (i < m) {
      size_t alen = 0;
      if (s[i] == '\'')
        alen = 1;
      else if (static_cast<unsigned char>(s[i]) == 0xA1 && i + 1 < m && static_cast<unsigned char>(s[i + 1]) == 0xAF)
        alen = 2;
      if (alen && i + alen < m && s[i + alen] == ' ') {
        const size_t at = i + alen + 1;
        if (const size_t cl = CliticAt(s, at)) {
          j += '\'';
          j.append(s, at, cl);
          j += ' ';
          i = at + cl + 1;
          continue;
        }
      }
      j += s[i++];
    }
    src = &j;
  }

  // Runs of spaces collapse to one; the result is trimmed.
  const std::string& t = *src;
  const size_t base = out.size();
  size_t run = 0;
  size_t longest = 0;
  for (char c : t) {
    if (c == ' ') {
      if (++run > 1) {
        if (run > longest) longest = run;
        continue;
      }
    } else {
      run = 0;
    }
    out += c;
  }
  if (longest > kLongestRun) {
    out.resize(base);
    CollapseOrRaise(t);
  }
  size_t lead = base;
  while (lead < out.size() && IsTrimmable(out[lead])) ++lead;
  out.erase(base, lead - base);
  while (out.size() > base && IsTrimmable(out.back())) out.pop_back();
}

TTaggedNormalizer::TTaggedNormalizer()
    : quoted_(std::make_unique<TRegExpr>("'([a-z0-9-]+)'_(\\S+)")),
      opening_(std::make_unique<TRegExpr>("'([a-z0-9-]+)_")),
      closing_(std::make_unique<TRegExpr>("([a-z0-9-]+)'_(\\S+)")) {}

TTaggedNormalizer::~TTaggedNormalizer() = default;

void TTaggedNormalizer::Normalize(std::string_view line, std::string& out) {
  line = Trim(line);
  if (line.find('\'') == std::string_view::npos) {
    out.append(line);
    return;
  }
  std::string s = quoted_->Replace(line, "'_' $1_$2 '_'");
  s = opening_->Replace(s, "'_' $1_");
  s = closing_->Replace(s, "$1_$2 '_'");
  out.append(Trim(s));
}

void TCharSpacer::Normalize(std::string_view line, std::string& out) {
  const size_t base = out.size();
  const size_t n = line.size();
  for (size_t i = 0; i < n;) {
    const int len = GbkCharLength(line, i);
    if (len == 0) {
      out += '?';
      ++i;
    } else {
      out.append(line.substr(i, static_cast<size_t>(len)));
      i += static_cast<size_t>(len);
    }
    out += ' ';
  }
  size_t lead = base;
  while (lead < out.size() && IsTrimmable(out[lead])) ++lead;
  out.erase(base, lead - base);
  while (out.size() > base && IsTrimmable(out.back())) out.pop_back();
}

std::string NormalizeEnglishLine(std::string_view line) {
  TEnglishNormalizer n;
  std::string out;
  n.Normalize(line, out);
  return out;
}

std::string NormalizeTaggedLine(std::string_view line) {
  TTaggedNormalizer n;
  std::string out;
  n.Normalize(line, out);
  return out;
}

std::string SpaceOutChars(std::string_view text) {
  TCharSpacer n;
  std::string out;
  n.Normalize(text, out);
  return out;
}

void SpaceOutLines(TStrList& list) {
  list.BeginUpdate();
  for (int i = 0; i < list.Count(); ++i)
    if (!IsBlank(list[i])) list.Put(i, SpaceOutChars(Trim(list[i])));
  list.EndUpdate();
}

bool PrepareCorpusLines(TCorpus& corpus, TProgressHook* progress) {
  if (corpus.Normalized()) return false;
  const bool c = corpus.Chinese(), s = corpus.Segmented(), t = corpus.Tagged();
  if (!t && !c) {
    TEnglishNormalizer n;
    corpus.NormalizeLines(n, progress);
  } else if (!t && c && !s) {
    TCharSpacer n;
    corpus.NormalizeLines(n, progress);
  } else if (t && !c) {
    TTaggedNormalizer n;
    corpus.NormalizeLines(n, progress);
  } else {
    return false;  // segmented or tagged Chinese is used as it stands
  }
  return true;
}

}  // namespace korvelin
