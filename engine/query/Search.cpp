#include "query/Search.h"

#include <algorithm>
#include <cstring>

#include "corpus/Corpus.h"
#include "corpus/Normalizers.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/Progress.h"
#include "foundation/RegExpr.h"
#include "query/SmartInput.h"

namespace korvelin {

// ---------------------------------------------------------------- TSearchOper

TSearchOper::TSearchOper(const TCorpus* corpus) : FCorpus(corpus) {
  if (!corpus) throw EKorvelinError("No corpus was loaded!");
  if (corpus->FileCount() == 0) throw EKorvelinError("Corpus is empty!");
}

TSearchOper::~TSearchOper() = default;

void TSearchOper::Clear() {
  FHits.clear();
  FExprHits.clear();
  FExprs.clear();
}

void TSearchOper::Search(std::string_view query, TProgressHook* progress) {
  if (IsBlank(query)) throw EKorvelinError("Please type in your query word or expression!");
  Clear();
  FExprs.emplace_back(query);
  SearchExpr(query, 0, progress);
  FExprHits.push_back(HitCount());
}

void TSearchOper::BatchSearch(const TStrList& list, TProgressHook* progress) {
  if (list.TextIsBlank()) throw EKorvelinError("No word or expression was found in the input list file!");
  Clear();
  for (const auto& item : list.Items()) {
    const std::string_view line = Trim(item);
    if (line.empty()) continue;
    const int32_t before = HitCount();
    SearchExpr(line, ExprCount(), progress);
    FExprHits.push_back(HitCount() - before);
    FExprs.emplace_back(line);
  }
}

TLineInfo TSearchOper::GetHit(int32_t i) const {
  CheckRange(ClassName(), i, 0, HitCount() - 1);
  const THit& h = FHits[static_cast<size_t>(i)];
  TLineInfo info;
  info.Index = i;
  info.Pos = h.Pos;
  info.Len = h.Len;
  info.Match.assign(HitMatch(i));
  info.LineIndex = h.LineIndex;
  info.FileIndex = h.FileIndex;
  info.ExprIndex = h.ExprIndex;
  return info;
}

std::string_view TSearchOper::HitLine(int32_t i) const {
  const THit& h = FHits[static_cast<size_t>(i)];
  return FCorpus->FileText(h.FileIndex).Line(h.LineIndex);
}

std::string_view TSearchOper::HitMatch(int32_t i) const {
  const THit& h = FHits[static_cast<size_t>(i)];
  const std::string_view line = HitLine(i);
  const auto pos = static_cast<size_t>(std::max(h.Pos, 1));
  const auto len = static_cast<size_t>(std::max(h.Len, 0));
  // An N-gram is its bytes as they stand; a search match is the matched text
  // (with its bounding spaces) trimmed.
  if (h.ExprIndex < 0) return line.substr(std::min(pos - 1, line.size()), len);
  return Trim(line.substr(std::min(pos - 2, line.size()), len + 2));
}

const std::string& TSearchOper::GetExpr(int32_t k) const {
  CheckRange(ClassName(), k, 0, ExprCount() - 1);
  return FExprs[static_cast<size_t>(k)];
}

int32_t TSearchOper::ExprHitCount(int32_t k) const {
  CheckRange(ClassName(), k, 0, static_cast<int64_t>(FExprHits.size()) - 1);
  return FExprHits[static_cast<size_t>(k)];
}

// ---------------------------------------------------------- TSeggedSearchOper

TSeggedSearchOper::TSeggedSearchOper(const TCorpus* corpus)
    : TSearchOper(corpus), FRegex(std::make_unique<TRegExpr>()) {}

TSeggedSearchOper::~TSeggedSearchOper() = default;

namespace {

// Whether matching a run of lines at once gives what matching each line on
// its own gives. Anchors, lookarounds and other "(?" constructs, \G and \K can
// see past a line's end or start; without them a match that stays inside its
// line is the one the line alone would give, and a match that runs over a
// line end is noticed and redone line by line.
bool RunsOverLinesSafely(std::string_view pattern) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '$' || c == '^') return false;
    // Groups "(?:" and "(?-i:" see no more than plain groups do.
    if (c == '(' && i + 1 < pattern.size() && pattern[i + 1] == '?' && pattern.substr(i, 3) != "(?:" &&
        pattern.substr(i, 5) != "(?-i:")
      return false;
    if (c == '\\' && i + 1 < pattern.size()) {
      const char e = pattern[++i];
      if (e == 'z' || e == 'Z' || e == 'A' || e == 'G' || e == 'K') return false;
    }
  }
  return true;
}

// Lines are matched a chunk at a time; a chunk ends at a line end.
constexpr size_t kChunkBytes = 256 * 1024;

}  // namespace

void TSeggedSearchOper::SearchExpr(std::string_view expression, int32_t exprIndex, TProgressHook* progress) {
  FRegex->SetCaseSensitive(FCaseSensitive);
  FRegex->SetGbk(FCorpus->Chinese());
  std::string translated;
  if (FSmartInput) {
    FSmartInput->SetChinese(FCorpus->Chinese());
    translated = FSmartInput->Translate(expression);
    expression = translated;
  }
  const std::string pattern = " " + std::string(Trim(expression)) + " ";
  FRegex->Compile(pattern);
  TRegExpr& re = *FRegex;
  const bool chunked = RunsOverLinesSafely(pattern);  // the GBK form only adds "(?-i:" groups

  int64_t totalLines = 0;
  for (int32_t f = 0; f < FCorpus->FileCount(); ++f) totalLines += FCorpus->FileText(f).LineCount();
  TProgress prog(progress, "Searching", totalLines);

  // Appends the hit of the match at s (an offset in a subject in which the
  // line starts at lineStart) and returns where the next search starts: the
  // match's trailing space, so that a match may begin with the space that
  // ended the previous one, and always at least one byte further on.
  auto record = [&](int32_t file, int32_t line, size_t lineStart, size_t s, size_t len) -> size_t {
    if (len >= 2)
      FHits.push_back(THit{file, line, static_cast<int32_t>(s - lineStart + 2), static_cast<int32_t>(len - 2),
                           exprIndex});
    const size_t next = s + len - 1;
    return (len >= 2 && next > s) ? next : s + 1;
  };

  // Every match of one line, the line matched on its own.
  auto searchLine = [&](int32_t file, int32_t line, const TFileText& ft, size_t from) {
    const std::string_view text = ft.Line(line);
    size_t off = from;
    while (off <= text.size() && re.Exec(text, off)) off = record(file, line, 0, re.MatchPos(), re.MatchLen());
  };

  for (int32_t f = 0; f < FCorpus->FileCount(); ++f) {
    const TFileText& ft = FCorpus->FileText(f);
    const int32_t lines = ft.LineCount();
    if (!chunked) {
      for (int32_t l = 0; l < lines; ++l) {
        searchLine(f, l, ft, 0);
        prog.Step();
      }
      prog.Report();
      continue;
    }
    const std::string_view text = ft.text;
    int32_t firstLine = 0;
    while (firstLine < lines) {
      // A chunk of whole lines, at least one.
      const size_t chunkStart = ft.starts[static_cast<size_t>(firstLine)];
      const auto endIt = std::upper_bound(ft.starts.begin() + firstLine + 1, ft.starts.end(), chunkStart + kChunkBytes);
      int32_t endLine = static_cast<int32_t>(endIt - ft.starts.begin()) - 1;  // exclusive
      if (endLine <= firstLine) endLine = firstLine + 1;
      const std::string_view chunk = text.substr(chunkStart, ft.starts[static_cast<size_t>(endLine)] - chunkStart);
      int32_t line = firstLine;
      size_t off = 0;
      while (off < chunk.size()) {
        bool found = false;
        try {
          found = re.Exec(chunk, off);
        } catch (const EKorvelinError&) {
          // A chunk may exceed the match limit where no single line does:
          // search the rest of it line by line, each line with the limit to
          // itself; a line that still exceeds it raises from there.
          while (ft.starts[static_cast<size_t>(line) + 1] - chunkStart <= off) ++line;
          const size_t lineStart = ft.starts[static_cast<size_t>(line)] - chunkStart;
          searchLine(f, line, ft, off - lineStart);
          for (int32_t l = line + 1; l < endLine; ++l) searchLine(f, l, ft, 0);
          break;
        }
        if (!found) break;
        const size_t s = re.MatchPos();
        const size_t len = re.MatchLen();
        while (ft.starts[static_cast<size_t>(line) + 1] - chunkStart <= s) ++line;
        const size_t lineStart = ft.starts[static_cast<size_t>(line)] - chunkStart;
        const size_t lineEnd = ft.starts[static_cast<size_t>(line) + 1] - 1 - chunkStart;  // its '\n'
        if (s + len > lineEnd) {
          // The match runs over the line end: this line alone decides.
          searchLine(f, line, ft, off > lineStart ? off - lineStart : 0);
          off = lineEnd + 1;
          continue;
        }
        off = record(f, line, lineStart, s, len);
      }
      prog.Advance(endLine - firstLine);
      firstLine = endLine;
    }
  }
}

TSpanArr TSeggedSearchOper::GetSpans(int32_t left, int32_t right, TProgressHook* progress) const {
  if (FHits.empty()) throw EKorvelinError("Search was not executed or no hits returned!");
  CheckRange(ClassName(), left, 0, 10);
  CheckRange(ClassName(), right, 0, 10);
  const bool ditto = FCorpus->DittoTags() && FCorpus->Tagged();
  TProgress prog(progress, "Cutting contexts", HitCount());
  TSpanArr spans(FHits.size());
  for (size_t i = 0; i < FHits.size(); ++i) {
    const THit& h = FHits[i];
    const std::string_view line = FCorpus->FileText(h.FileIndex).Line(h.LineIndex);
    if (left > 0) SplitLeftContext(h.Pos - 2, left, line, spans[i].Left, ditto);
    if (right > 0) SplitRightContext(h.Pos + h.Len + 1, right, line, spans[i].Right, ditto);
    prog.Step();
  }
  return spans;
}

// ----------------------------------------------------------- TNGramSearchOper

void TNGramSearchOper::EnumerateNGrams(int32_t n, TProgressHook* progress) {
  CheckRange(ClassName(), n, 1, 10);
  int64_t totalLines = 0;
  for (int32_t f = 0; f < FCorpus->FileCount(); ++f) totalLines += FCorpus->FileText(f).LineCount();

  // Count first, so the hit list is allocated once at its final size.
  int64_t count = 0;
  for (int32_t f = 0; f < FCorpus->FileCount(); ++f) {
    const TFileText& ft = FCorpus->FileText(f);
    for (int32_t l = 0; l < ft.LineCount(); ++l) {
      const std::string_view line = ft.Line(l);
      const int64_t tokens = std::count(line.begin(), line.end(), ' ') - 1;
      if (tokens >= n) count += tokens - n + 1;
    }
  }
  FHits.reserve(FHits.size() + static_cast<size_t>(count));

  TProgress prog(progress, "Counting N-grams", totalLines);
  // The last n + 1 space positions of the line, in a ring: the space that
  // opens a run of n tokens and the one that closes it.
  int32_t ring[11];
  const int32_t size = n + 1;
  for (int32_t f = 0; f < FCorpus->FileCount(); ++f) {
    const TFileText& ft = FCorpus->FileText(f);
    for (int32_t l = 0; l < ft.LineCount(); ++l) {
      const std::string_view line = ft.Line(l);
      const char* begin = line.data();
      const char* end = begin + line.size();
      int32_t seen = 0;
      int32_t slot = 0;
      for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, ' ', static_cast<size_t>(end - p))));
           ++p) {
        const auto pos = static_cast<int32_t>(p - begin) + 1;
        ring[slot] = pos;
        if (++slot == size) slot = 0;
        if (seen >= n) {
          // slot now names the oldest of the n + 1 spaces kept
          const int32_t sk = ring[slot];
          FHits.push_back(THit{f, l, sk + 1, pos - sk - 1, -1});
        }
        ++seen;
      }
      prog.Step();
    }
  }
  FNLength = n;
}

}  // namespace korvelin

namespace korvelin {

bool SearchesByCharacter(const TCorpus& corpus) {
  return corpus.Chinese() && !corpus.Tagged() && !corpus.Segmented();
}

std::string QueryForCorpus(const TCorpus& corpus, std::string_view query) {
  return SearchesByCharacter(corpus) ? SpaceOutChars(Trim(query)) : std::string(Trim(query));
}

TStrList BatchListForCorpus(const TCorpus& corpus, const TStrList& list) {
  TStrList copy(list.Items());
  if (SearchesByCharacter(corpus)) SpaceOutLines(copy);
  return copy;
}

}  // namespace korvelin
