#include "corpus/Normalizers.h"

#include <array>
#include <cstring>

#include "foundation/CodePage.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/RegExpr.h"

namespace korvelin {

namespace {

// Byte classes of English text: plain bytes are copied, spaces and tabs
// become one separator, marks are spaced out, and the lead bytes of the GBK
// marks are looked at together with the byte after them. English corpora are
// Windows-1252, where the typographic quotes and the em dash are the single
// bytes 0x91 to 0x94 and 0x97: they are spaced out like their GBK forms, and
// the right single quote 0x92 is an apostrophe to clitics as well.
enum : uint8_t { kPlain, kSpace, kMark, kWideLead };
constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> t{};
  t[' '] = t['\t'] = kSpace;
  for (unsigned char c : std::string_view(",.?;:'\"!&[]()`\x91\x92\x93\x94\x97")) t[c] = kMark;
  t[0xA1] = t[0xA3] = kWideLead;
  return t;
}
constexpr std::array<uint8_t, 256> kClass = MakeClasses();

// GBK marks spaced out in English text: ‘ ’ “ ” — 。 (row A1) and （ ） ？ ！ ； ： (row A3).
inline bool IsWideMark(unsigned char lead, unsigned char trail) {
  if (lead == 0xA1)
    return trail == 0xAE || trail == 0xAF || trail == 0xB0 || trail == 0xB1 || trail == 0xAA || trail == 0xA3;
  return trail == 0xA8 || trail == 0xA9 || trail == 0xBF || trail == 0xA1 || trail == 0xBB || trail == 0xBA;
}

inline char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Length of the clitic (s t d ve m re ll, any case) at s[j] when a space follows it, else 0.
size_t CliticAt(std::string_view s, size_t j) {
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

// The writers below keep their state in locals: a write through a char
// pointer may alias any object, so state kept in a struct would be stored and
// reloaded around every byte.

// Spaces out the marks of line into out (tabs become spaces). With Collapse,
// every run of spaces becomes one and the result has no space at either end.
// Returns the length written. The loop has no branch for the common bytes:
// a branch per word costs more than the few stores it would save.
template <bool Collapse>
size_t SpaceOutMarks(std::string_view line, char* out) {
  const size_t n = line.size();
  const auto* s = reinterpret_cast<const unsigned char*>(line.data());
  char* p = out;
  bool space = Collapse;  // with Collapse, a space at the start is dropped
  size_t i = 0;
  while (i < n) {
    const unsigned char c = s[i];
    const uint8_t k = kClass[c];
    if (k == kWideLead) {
      if (i + 1 < n && IsWideMark(c, s[i + 1])) {
        if (!(Collapse && space)) *p++ = ' ';
        *p++ = static_cast<char>(c);
        *p++ = static_cast<char>(s[i + 1]);
        *p++ = ' ';
        space = true;
        i += 2;
      } else {
        *p++ = static_cast<char>(c);
        space = false;
        ++i;
      }
      continue;
    }
    const bool isSpace = k == kSpace;
    const bool isMark = k == kMark;
    p[0] = ' ';
    p += isMark & !(Collapse & space);
    p[0] = isSpace ? ' ' : static_cast<char>(c);
    p += !(Collapse & isSpace & space);
    p[0] = ' ';
    p += isMark;
    space = isSpace | isMark;
    ++i;
  }
  if (Collapse && p > out && p[-1] == ' ') --p;
  return static_cast<size_t>(p - out);
}

// The longest run of spaces and tabs in line.
size_t LongestBlankRun(std::string_view line) {
  size_t run = 0, most = 0;
  for (char c : line) {
    run = (c == ' ' || c == '\t') ? run + 1 : 0;
    if (run > most) most = run;
  }
  return most;
}

// Joins clitics to their apostrophe again ("it ' s " becomes "it 's ") while
// collapsing runs of spaces as above.
size_t JoinClitics(std::string_view s, char* out) {
  const size_t m = s.size();
  char* p = out;
  bool space = true;
  size_t i = 0;
  while (i < m) {
    const char c = s[i];
    if (c == ' ') {
      if (!space) {
        *p++ = ' ';
        space = true;
      }
      ++i;
      continue;
    }
    size_t alen = 0;
    if (c == '\'' || c == '\x92')
      alen = 1;
    else if (static_cast<unsigned char>(c) == 0xA1 && i + 1 < m && static_cast<unsigned char>(s[i + 1]) == 0xAF)
      alen = 2;
    if (alen && i + alen < m && s[i + alen] == ' ') {
      const size_t at = i + alen + 1;
      if (const size_t cl = CliticAt(s, at)) {
        *p++ = '\'';
        for (size_t k = 0; k < cl; ++k) *p++ = s[at + k];
        // the space that closed the clitic
        *p++ = ' ';
        space = true;
        i = at + cl + 1;
        continue;
      }
    }
    *p++ = c;
    space = false;
    ++i;
  }
  if (p > out && p[-1] == ' ') --p;
  return static_cast<size_t>(p - out);
}

// Appends at most maxAdd bytes that write puts at the pointer it is given;
// write returns how many it put.
template <typename Write>
void AppendWith(std::string& out, size_t maxAdd, Write&& write) {
  const size_t base = out.size();
  out.resize(base + maxAdd);
  out.resize(base + write(out.data() + base));
}

// The collapse of runs of spaces as first written: halve every run and trim,
// round after round, and give up after the twentieth round with the line as
// it stands as the message. Only a run of more than 524288 spaces needs it.
std::string CollapseOrRaise(std::string line) {
  int rounds = 0;
  while (line.find("  ") != std::string::npos) {
    line = std::string(Trim(ReplaceAll(line, "  ", " ")));
    if (++rounds == 20) throw EKorvelinError(line);
  }
  return std::string(Trim(line));
}

constexpr size_t kLongestRun = 524288;

// Drops trimmable bytes at both ends of buf[0..n); returns the new length.
size_t TrimInPlace(char* buf, size_t n) {
  size_t lead = 0;
  while (lead < n && IsTrimmable(buf[lead])) ++lead;
  while (n > lead && IsTrimmable(buf[n - 1])) --n;
  if (lead > 0 && n > lead) std::memmove(buf, buf + lead, n - lead);
  return n > lead ? n - lead : 0;
}

}  // namespace

void TEnglishNormalizer::Normalize(std::string_view line, std::string& out) {
  // The line is trimmed first, so its first and last bytes are above the
  // space; after spacing out, only spaces can stand at either end.
  line = Trim(line);
  if (line.empty()) return;
  const size_t n = line.size();
  // Spacing out adds at most one space on each side of a run of blanks, so
  // only a line this long can hold a run that the collapse gives up on.
  if (n + 2 > kLongestRun && LongestBlankRun(line) + 2 > kLongestRun) {
    // Redo such a line step by step, as the collapse was first written.
    std::string spaced(3 * n, '\0');
    spaced.resize(SpaceOutMarks<false>(line, spaced.data()));
    spaced = TRegExpr("('|\x92|\xA1\xAF) (s|t|d|ve|m|re|ll) ").Replace(spaced, "'$2 ");
    out += CollapseOrRaise(std::move(spaced));
    return;
  }
  const bool apostrophe =
      line.find_first_of("'\x92") != std::string_view::npos || line.find("\xA1\xAF") != std::string_view::npos;
  // Spacing out at most triples a line (plus the scratch byte the writer may
  // touch); collapsing only shortens it.
  if (!apostrophe) {
    AppendWith(out, 3 * n + 1, [&](char* buf) { return SpaceOutMarks<true>(line, buf); });
  } else {
    // Joining clitics needs the spaced-out line whole, before runs collapse.
    spaced_.clear();
    AppendWith(spaced_, 3 * n + 1, [&](char* buf) { return SpaceOutMarks<false>(line, buf); });
    AppendWith(out, spaced_.size(), [&](char* buf) { return JoinClitics(spaced_, buf); });
  }
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
  const size_t n = line.size();
  // Every byte gives at most two: an ASCII byte and its space, or "? ".
  AppendWith(out, 2 * n, [&](char* buf) {
    char* p = buf;
    for (size_t i = 0; i < n;) {
      const int len = GbkCharLength(line, i);
      if (len == 1) {
        *p++ = line[i++];
      } else if (len == 2) {
        *p++ = line[i++];
        *p++ = line[i++];
      } else {
        *p++ = '?';
        ++i;
      }
      *p++ = ' ';
    }
    return TrimInPlace(buf, static_cast<size_t>(p - buf));
  });
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
