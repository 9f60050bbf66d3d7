// Sorting, filtering and saving of a concordance: each works on hit numbers
// and the context tokens cut once, and never formats a page line.
#include <charconv>
#include <unordered_map>

#include "concordance/Display.h"
#include "corpus/Corpus.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/HtmlPage.h"
#include "foundation/Progress.h"
#include "foundation/RegExpr.h"
#include "foundation/StrList.h"
#include "foundation/TextFile.h"
#include "lemma/Lemma.h"
#include "query/Search.h"

namespace korvelin {

namespace {

void TrimInPlace(std::string& s) {
  size_t end = s.size();
  while (end > 0 && IsTrimmable(s[end - 1])) --end;
  s.resize(end);
  size_t first = 0;
  while (first < s.size() && IsTrimmable(s[first])) ++first;
  s.erase(0, first);
}

}  // namespace

// Lemmas and categories looked up once per distinct text during one sort: the
// tables are immutable while a display uses them.
struct TSeggedDisplay::TKeyCache {
  std::unordered_map<std::string, std::string> lemmas, categories;
  std::string scratch;

  static const std::string& Lookup(std::unordered_map<std::string, std::string>& map, TLemma& table,
                                   const std::string& text) {
    auto it = map.find(text);
    if (it == map.end()) it = map.emplace(text, LemmatizeText(table, text)).first;
    return it->second;
  }
};

void TSeggedDisplay::CheckSortTables() const {
  for (const TSortInfo& level : FSortInfo) {
    if (level.DataType == dtLemma && !FLemma) throw EKorvelinError("Please specify a lemma list!");
    if (level.DataType == dtPOSCategory && !FPOSCategory)
      throw EKorvelinError("Please select a POS category mapping table!");
  }
}

// " " + the reduced token of every level, appended to key (trimmed by the caller).
void TSeggedDisplay::AppendKey(std::string& key, int32_t hit, TKeyCache& cache) {
  const TLineSpanArr& span = FSpans[static_cast<size_t>(hit)];
  for (const TSortInfo& level : FSortInfo) {
    key += ' ';
    std::string_view token;
    const size_t at = level.Position >= 1 ? static_cast<size_t>(level.Position - 1) : SIZE_MAX;
    switch (level.Side) {
      case 0:
        if (at < span.Left.size()) token = span.Left[at];
        break;
      case 1:
        token = FSearchOper->HitMatch(hit);
        break;
      case 2:
        if (at < span.Right.size()) token = span.Right[at];
        break;
      default:
        break;
    }
    if (token.empty()) continue;
    switch (level.DataType) {
      case dtWord:
        AppendWords(key, token);
        break;
      case dtPOS:
        AppendTags(key, token);
        break;
      case dtLemma:
      case dtPOSCategory: {
        // The lemma (or category), then the form itself, so that forms of one
        // lemma sort together and by form within it. A token without a word
        // (or tag) has nothing to look up.
        std::string& form = cache.scratch;
        form.clear();
        level.DataType == dtLemma ? AppendWords(form, token) : AppendTags(form, token);
        if (IsBlank(form)) break;
        key += level.DataType == dtLemma ? TKeyCache::Lookup(cache.lemmas, *FLemma, form)
                                         : TKeyCache::Lookup(cache.categories, *FPOSCategory, form);
        key += ' ';
        key += form;
        break;
      }
      default:
        key += token;
        break;
    }
  }
}

std::string TSeggedDisplay::SortKey(int32_t hit) {
  CheckHit(hit);
  CheckSortTables();
  Spans();
  TKeyCache cache;
  std::string key;
  AppendKey(key, hit, cache);
  TrimInPlace(key);
  return key;
}

TIntArr TSeggedDisplay::Sort(const TIntArr& hits, TProgressHook* progress) {
  if (FSortInfo.empty()) throw EKorvelinError("Please set the sort type and rank!");
  CheckSortTables();
  TIntArr storage;
  const std::span<const int32_t> list = HitsOf(hits, true, storage);
  Spans();

  // Entries "key\nhit": equal keys are ordered by their hit numbers compared
  // as text, which is what makes the order of a sort what it is.
  TStrList entries;
  entries.NameValueSeparator = '\n';
  entries.CaseSensitive = FSortCaseSensitive;
  std::vector<std::string>& items = entries.MutableItems();
  items.reserve(list.size());
  TKeyCache cache;
  std::string key;
  char number[16];
  {
    TProgress prog(progress, "Building sort keys", static_cast<int64_t>(list.size()));
    for (const int32_t h : list) {
      CheckHit(h);
      key.clear();
      AppendKey(key, h, cache);
      TrimInPlace(key);
      prog.Step();
      if (key.empty()) continue;
      const auto r = std::to_chars(number, number + sizeof number, h);
      std::string& entry = items.emplace_back();
      entry.reserve(key.size() + 1 + static_cast<size_t>(r.ptr - number));
      entry += key;
      entry += '\n';
      entry.append(number, r.ptr);
    }
  }
  // CompareByNameValue's order (keys, then hit numbers as text, under the
  // list's case rule) without its range checks: every entry holds exactly one
  // line feed, a few bytes before its end, so it is looked for from there.
  const bool caseSensitive = entries.CaseSensitive;
  SortStrList(
      entries,
      [caseSensitive](const TStrList& l, int i, int j) {
        const std::string_view a = l[i], b = l[j];
        const size_t sa = a.rfind('\n'), sb = b.rfind('\n');
        const int c = CompareStrings(a.substr(0, sa), b.substr(0, sb), caseSensitive);
        return c != 0 ? c : CompareStrings(a.substr(sa + 1), b.substr(sb + 1), caseSensitive);
      },
      progress);

  TIntArr result;
  result.reserve(items.size());
  for (const std::string& entry : items) {
    const size_t nl = entry.rfind('\n');
    int32_t h = 0;
    std::from_chars(entry.data() + nl + 1, entry.data() + entry.size(), h);
    result.push_back(h);
  }
  return result;
}

TIntArr TSeggedDisplay::Filter(std::string_view expression, const TIntArr& hits, bool include,
                               TProgressHook* progress) {
  if ((FScope & (scLeft | scNode | scRight)) == 0) throw EKorvelinError("Please set filter scope!");
  const std::string_view expr = Trim(expression);
  if (expr.empty()) throw EKorvelinError("Filter expression is empty!");
  TIntArr storage;
  const std::span<const int32_t> list = HitsOf(hits, false, storage);
  FRegex->SetCaseSensitive(FCaseSensitive);
  FRegex->SetGbk(FSearchOper->Corpus().Chinese());
  FRegex->Compile(" " + std::string(expr) + " ");
  const TSpanArr& spans = Spans();

  TIntArr kept;
  std::string body, subject;
  TProgress prog(progress, "Filtering", static_cast<int64_t>(list.size()));
  for (const int32_t h : list) {
    CheckHit(h);
    const TLineSpanArr& span = spans[static_cast<size_t>(h)];
    // The sides in reading order; two spaces on each side of the node keep a
    // pattern of single-spaced tokens from matching across its edges.
    body.clear();
    if (FScope & scLeft) AppendJoinedSide(body, span.Left, true);
    if (FScope & scNode) {
      body += "  ";
      body += FSearchOper->HitMatch(h);
    }
    if (FScope & scRight) {
      body += "  ";
      AppendJoinedSide(body, span.Right, false);
    }
    const std::string_view text = Trim(body);
    bool matched = false;
    if (!text.empty()) {
      subject.assign(1, ' ');
      subject += text;
      subject += ' ';
      matched = FRegex->Test(subject);
    }
    if (matched == include) kept.push_back(h);  // an empty text never matches
    prog.Step();
  }
  return kept;
}

void TSeggedDisplay::SaveToText(const std::string& fileName, const TIntArr& hits, TProgressHook* progress) {
  if (IsBlank(fileName)) throw EKorvelinError("File name was not specified!");
  TIntArr storage;
  const std::span<const int32_t> list = HitsOf(hits, true, storage);
  const TSpanArr& spans = Spans();
  const TCorpus& corpus = FSearchOper->Corpus();

  // Rendered as on the page, without markup: word_TAG pairs as they stand,
  // multi-word units as their tokens.
  std::string out;
  out.reserve(list.size() * 96);
  TProgress prog(progress, "Saving", static_cast<int64_t>(list.size()));
  char number[16];
  for (size_t k = 0; k < list.size(); ++k) {
    const int32_t h = list[k];
    CheckHit(h);
    const TLineSpanArr& span = spans[static_cast<size_t>(h)];
    out.append(number, std::to_chars(number, number + sizeof number, k + 1).ptr);
    out += '\t';
    out += corpus.GetFileInfo(FSearchOper->Hit(h).FileIndex).Name;
    out += '\t';
    AppendSide(out, span.Left, FLeftMode, true, TUnits::Bare, false);
    out += "\t ";
    AppendNode(out, FSearchOper->HitMatch(h), FCenterMode, false, false);
    out += " \t";
    AppendSide(out, span.Right, FRightMode, false, TUnits::Bare, false);
    out += "\r\n";
    prog.Step();
  }
  WriteFileAtomic(fileName, out);
}

}  // namespace korvelin
