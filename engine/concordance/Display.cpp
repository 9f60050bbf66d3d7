#include "concordance/Display.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "corpus/Corpus.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/HtmlPage.h"
#include "foundation/Progress.h"
#include "foundation/RegExpr.h"
#include "foundation/StrList.h"
#include "lemma/Lemma.h"
#include "query/Search.h"

namespace korvelin {

namespace {

constexpr const char* kNoFileName = "File name was not specified!";

// While a highlighted side is built, its matches are enclosed in these marker
// tokens (word_TAG pairs, so every display mode keeps them). The text around
// them is already escaped and holds no "<" or ">", so neither these nor the
// window markers can be confused with corpus text, whatever the corpus holds.
constexpr std::string_view kMatchOpen = "<[_<[";
constexpr std::string_view kMatchClose = "<]_<]";
constexpr std::string_view kMatchOpenTagged = "<[_<span class=\"p\"><[</span>";
constexpr std::string_view kMatchCloseTagged = "<]_<span class=\"p\"><]</span>";
constexpr std::string_view kWindowOpenTagged = "<<_<span class=\"p\"><<</span>";
constexpr std::string_view kWindowCloseTagged = ">>_<span class=\"p\">>></span>";
constexpr std::string_view kKeySpan = "<span class=\"k\">";
constexpr std::string_view kWindowSpan = "<span class=\"cs\">";
constexpr std::string_view kEndSpan = "</span>";

using TMarkers = std::vector<std::pair<size_t, size_t>>;  // offset, length

// One left-to-right pass over text; at each position the first alternative
// that starts there is replaced, as a regular expression "a|b|c" would.
std::string ReplaceFirstOf(std::string_view text,
                           std::initializer_list<std::pair<std::string_view, std::string_view>> alternatives) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    bool replaced = false;
    for (const auto& [from, to] : alternatives)
      if (text.compare(i, from.size(), from) == 0) {
        out.append(to);
        i += from.size();
        replaced = true;
        break;
      }
    if (!replaced) out += text[i++];
  }
  return out;
}

// Raw Chinese shown run together: the spaces between the characters go, and
// the one space markup needs comes back.
void RunTogetherFrom(std::string& out, size_t start) {
  out.erase(std::remove(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), ' '), out.end());
  if (out.find("<spanclass=", start) != std::string::npos)
    out.replace(start, std::string::npos, ReplaceAll(std::string_view(out).substr(start), "<spanclass=", "<span class="));
}


// Appends the bytes [a, b) of subject escaped, except the bytes of markers
// (offsets in subject), which are ours and go in as they are.
void AppendEscapedExcept(std::string& out, std::string_view subject, size_t a, size_t b, const TMarkers& markers) {
  size_t i = a;
  for (const auto& [ms, ml] : markers) {
    const size_t me = ms + ml;
    if (me <= i) continue;
    if (ms >= b) break;
    if (ms > i) {
      AppendHtmlEscaped(out, subject.substr(i, ms - i));
      i = ms;
    }
    const size_t stop = std::min(me, b);
    out.append(subject.substr(i, stop - i));
    i = stop;
  }
  if (i < b) AppendHtmlEscaped(out, subject.substr(i, b - i));
}

std::string Cell(std::string_view cls, const std::string* tip, const std::string& text, bool node) {
  std::string c;
  c.reserve(text.size() + (tip ? tip->size() : 0) + 48);
  c += "<td class=\"";
  c += cls;
  c += '"';
  if (tip) {
    c += " title=\"";
    c += *tip;
    c += '"';
  }
  c += node ? "><nobr> " : "><nobr>";
  c += text;
  c += node ? " </nobr></td>" : "</nobr></td>";
  return c;
}

// Rows from..to (0-based, inclusive) of a list of n: from falls back to the
// first row when it lies outside the list, to is lowered to the last row.
std::pair<int64_t, int64_t> PageRange(int64_t n, int32_t toNo, int32_t fromNo) {
  int64_t from = static_cast<int64_t>(fromNo) - 1;
  if (from < 0 || from > n - 1) from = 0;
  int64_t to = static_cast<int64_t>(toNo) - 1;
  if (to > n - 1) to = n - 1;
  return {from, to};
}

std::string PageTitle(int64_t from, int64_t to, size_t n) {
  return "concordance (" + std::to_string(from + 1) + "-" + std::to_string(to + 1) + "/" + std::to_string(n) + ")";
}

}  // namespace

// ------------------------------------------------------------------- TDisplay

TDisplay::TDisplay(const TSearchOper* search) : FSearchOper(search) {
  if (!search) throw EKorvelinError("Search was not executed!");
  if (search->HitCount() == 0) throw EKorvelinError("No hit returned!");
}

TDisplay::~TDisplay() = default;

int32_t TDisplay::HitCount() const { return FSearchOper->HitCount(); }

void TDisplay::SetLemma(TLemma* lemma) {
  if (!lemma) throw EKorvelinError("Please specify a lemma list!");
  FLemma = lemma;
}

void TDisplay::SetPOSCategory(TPOSCategory* category) {
  if (!category) throw EKorvelinError("Please select a POS category mapping table!");
  FPOSCategory = category;
}

void TDisplay::SetSpans(int32_t left, int32_t right, TProgressHook* progress) {
  CheckRange(ClassName(), left, 0, 10);
  CheckRange(ClassName(), right, 0, 10);
  if (!FSpansCut) {
    FSpans = FSearchOper->GetSpans(left, right, progress);
    FSpansCut = true;
  }
  FLeftSpan = left;
  FRightSpan = right;
}

const TSpanArr& TDisplay::Spans() {
  if (!FSpansCut) {
    FSpans = FSearchOper->GetSpans(FLeftSpan, FRightSpan);
    FSpansCut = true;
  }
  return FSpans;
}

std::span<const int32_t> TDisplay::HitsOf(const TIntArr& hits, bool cut, TIntArr& storage) const {
  const int32_t n = HitCount();
  if (hits.empty()) {
    FillRange(storage, n, 0);
    return storage;
  }
  size_t len = hits.size();
  if (cut && len > static_cast<size_t>(n)) len = static_cast<size_t>(n);
  return std::span<const int32_t>(hits.data(), len);
}

void TDisplay::CheckHit(int32_t hit) const {
  if (hit < 0 || hit >= HitCount()) CheckRange(ClassName(), hit, 0, HitCount() - 1);
}

// ------------------------------------------------------------- TSeggedDisplay

TSeggedDisplay::TSeggedDisplay(const TSearchOper* search) : TDisplay(search), FRegex(std::make_unique<TRegExpr>()) {}

TSeggedDisplay::~TSeggedDisplay() = default;

void TSeggedDisplay::SetModes(uint8_t left, uint8_t center, uint8_t right) {
  CheckRange(ClassName(), left, 0, 2);
  CheckRange(ClassName(), center, 0, 2);
  CheckRange(ClassName(), right, 0, 2);
  FLeftMode = left;
  FCenterMode = center;
  FRightMode = right;
}

bool TSeggedDisplay::Tagged() const { return FSearchOper->Corpus().Tagged(); }

bool TSeggedDisplay::RunTogether() const { return SearchesByCharacter(FSearchOper->Corpus()); }

// In a tagged corpus a token's word is the text before its first "_" and its
// tag the text after it. An untagged corpus has no tags: its tokens are words
// as they stand, underscores and all.
void TSeggedDisplay::AppendWords(std::string& out, std::string_view text) const {
  if (!Tagged()) {
    out.append(Trim(text));
    return;
  }
  bool first = true;
  ForEachToken(text, [&](std::string_view token) {
    const std::string_view word = token.substr(0, token.find('_'));
    if (word.empty()) return;
    if (!first) out += ' ';
    first = false;
    out.append(word);
  });
}

void TSeggedDisplay::AppendTags(std::string& out, std::string_view text) const {
  if (!Tagged()) return;
  bool first = true;
  ForEachToken(text, [&](std::string_view token) {
    const size_t u = token.find('_');
    if (u == std::string_view::npos || u + 1 == token.size()) return;
    if (!first) out += ' ';
    first = false;
    out.append(token.substr(u + 1));
  });
}

void TSeggedDisplay::AppendInMode(std::string& out, std::string_view token, uint8_t mode, bool escape,
                                  bool markup) const {
  auto part = [&](bool word) {
    if (!escape) {
      word ? AppendWords(out, token) : AppendTags(out, token);
      return;
    }
    std::string p;
    word ? AppendWords(p, token) : AppendTags(p, token);
    AppendHtmlEscaped(out, p);
  };
  switch (mode) {
    case dmTag:
      part(false);
      break;
    case dmWordTag:
      part(true);
      out += markup ? "_<span class=\"p\">" : "_";
      part(false);
      if (markup) out += kEndSpan;
      break;
    default:
      part(true);
      break;
  }
}

void TSeggedDisplay::AppendSide(std::string& out, const TTokenArr& tokens, uint8_t mode, bool reverse, TUnits units,
                                bool escape) const {
  const size_t start = out.size();
  const size_t n = tokens.size();
  for (size_t k = 0; k < n; ++k) {
    const std::string_view token = tokens[reverse ? n - 1 - k : k];
    if (k) out += ' ';
    const bool unit = mode != dmWordTag && token.find(' ') != std::string_view::npos;
    if (unit && units == TUnits::Span) out += "<span class=\"c\">";
    if (unit && units == TUnits::Brackets) out += '[';
    AppendInMode(out, token, mode, escape, escape);
    if (unit && units == TUnits::Span) out += kEndSpan;
    if (unit && units == TUnits::Brackets) out += ']';
  }
  TrimAppended(out, start);
  if (RunTogether()) RunTogetherFrom(out, start);
}

void TSeggedDisplay::AppendNode(std::string& out, std::string_view text, uint8_t mode, bool escape,
                                bool markup) const {
  const size_t start = out.size();
  if (mode == dmWordTag) {
    ForEachToken(text, [&](std::string_view token) {
      if (out.size() > start) out += ' ';
      AppendInMode(out, token, dmWordTag, escape, markup);
    });
  } else {
    AppendInMode(out, Trim(text), mode, escape, markup);
  }
  TrimAppended(out, start);
  if (RunTogether()) RunTogetherFrom(out, start);
}

std::string TSeggedDisplay::SideText(const TTokenArr& tokens, uint8_t mode, bool reverse, TUnits units,
                                     bool escape) const {
  std::string out;
  AppendSide(out, tokens, mode, reverse, units, escape);
  return out;
}

std::string TSeggedDisplay::NodeText(std::string_view text, uint8_t mode, bool escape, bool markup) const {
  std::string out;
  AppendNode(out, text, mode, escape, markup);
  return out;
}

std::string TSeggedDisplay::RenderSide(const TTokenArr& tokens, uint8_t mode, bool reverse, bool htmlUnits) const {
  return SideText(tokens, mode, reverse, htmlUnits ? TUnits::Span : TUnits::Brackets, true);
}

std::string TSeggedDisplay::RenderNode(std::string_view text, uint8_t mode) const {
  return NodeText(text, mode, true, true);
}

std::string TSeggedDisplay::RenderSortedSide(const TTokenArr& tokens, uint8_t mode, bool reverse) const {
  // The level (1-based, 0 none) and type marking the token at distance d.
  const uint8_t side = reverse ? 0 : 2;
  int level[11] = {};
  uint8_t type[11] = {};
  for (size_t n = 0; n < FSortInfo.size(); ++n) {
    const TSortInfo& s = FSortInfo[n];
    if (s.Side == side && s.Position >= 1 && s.Position <= 10 && level[s.Position] == 0) {
      level[s.Position] = static_cast<int>(n + 1);
      type[s.Position] = s.DataType;
    }
  }
  std::string out;
  const size_t count = tokens.size();
  for (size_t k = 0; k < count; ++k) {
    const size_t index = reverse ? count - 1 - k : k;
    const std::string_view token = tokens[index];
    const int n = index < 10 ? level[index + 1] : 0;
    if (k) out += ' ';
    const std::string w = std::to_string(n);
    if (mode != dmWordTag) {
      const bool unit = token.find(' ') != std::string_view::npos;
      if (n) out += "<span class=\"w" + w + "\">";
      if (unit) out += "<span class=\"c\">";
      AppendInMode(out, token, mode, true, true);
      if (unit) out += kEndSpan;
      if (n) out += kEndSpan;
      continue;
    }
    if (!n) {
      AppendInMode(out, token, dmWordTag, true, true);
      continue;
    }
    std::string word, tag;
    AppendWords(word, token);
    AppendTags(tag, token);
    switch (type[index + 1]) {
      case dtWord:
      case dtLemma:
        out += "<span class=\"w" + w + "\">" + HtmlEscape(word) + "</span>_<span class=\"p\">" + HtmlEscape(tag) +
               "</span>";
        break;
      case dtPOS:
      case dtPOSCategory:
        out += HtmlEscape(word) + "_<span class=\"p" + w + "\">" + HtmlEscape(tag) + "</span>";
        break;
      default:
        out += "<span class=\"w" + w + "\">" + HtmlEscape(word) + "_</span><span class=\"p" + w + "\">" +
               HtmlEscape(tag) + "</span>";
        break;
    }
  }
  TrimAppended(out, 0);
  if (RunTogether()) RunTogetherFrom(out, 0);
  return out;
}

std::string TSeggedDisplay::RenderSortedNode(std::string_view text, uint8_t mode) const {
  int n = 0;
  for (size_t i = 0; i < FSortInfo.size() && !n; ++i)
    if (FSortInfo[i].Side == 1) n = static_cast<int>(i + 1);
  if (!n) return RenderNode(text, mode);
  const std::string w = std::to_string(n);
  std::string out = "<span class=\"w" + w + "\">";
  if (mode == dmWordTag) {
    // Built with the level's tag class directly rather than by rewriting the
    // markup afterwards, which could touch corpus text.
    bool first = true;
    ForEachToken(text, [&](std::string_view token) {
      std::string word, tag;
      AppendWords(word, token);
      AppendTags(tag, token);
      if (!first) out += ' ';
      first = false;
      out += HtmlEscape(word) + "_<span class=\"p" + w + "\">" + HtmlEscape(tag) + "</span>";
    });
    if (RunTogether()) RunTogetherFrom(out, 0);
  } else {
    out += RenderNode(text, mode);
  }
  out += kEndSpan;
  return out;
}

std::string TSeggedDisplay::SideTip(const TTokenArr& tokens, uint8_t mode, bool reverse) const {
  return ReplaceAll(RenderSide(tokens, MirrorSide(mode), reverse, false), "\"", "&quot;");
}

std::string TSeggedDisplay::NodeTip(std::string_view text) const {
  return ReplaceAll(RenderNode(text, MirrorSide(FCenterMode)), "\"", "&quot;");
}

std::string TSeggedDisplay::PlainText(std::string_view text) const {
  if (IsBlank(text)) return std::string();
  std::string out;
  AppendWords(out, text);
  if (FSearchOper->Corpus().Chinese()) return RemoveSpaces(out);
  return out;
}

std::string TSeggedDisplay::RowStart(int32_t rowNo, int32_t hit) const {
  const THit& h = FSearchOper->Hit(hit);
  std::string row = "<tr><td class=\"n\">" + std::to_string(rowNo) + ".\t</td><td class=\"f\"><nobr><a href=\"" +
                    std::to_string(hit) + "\">";
  AppendHtmlEscaped(row, FSearchOper->Corpus().GetFileInfo(h.FileIndex).Name);
  row += "</a></nobr></td>";
  return row;
}

void TSeggedDisplay::WritePage(const std::string& fileName, const TIntArr& hits, bool sorted, int32_t toNo,
                               int32_t fromNo, TProgressHook* progress) {
  if (IsBlank(fileName)) throw EKorvelinError(kNoFileName);
  TIntArr storage;
  const std::span<const int32_t> list = HitsOf(hits, true, storage);
  if (hits.empty()) sorted = false;
  const TSpanArr& spans = Spans();
  const auto [from, to] = PageRange(static_cast<int64_t>(list.size()), toNo, fromNo);

  TStrList page;
  WriteHTMLHead(kResultStyleSheet, PageTitle(from, to, list.size()), &page);
  page.Add("<table>");
  const bool tagged = Tagged();
  TProgress prog(progress, "Writing page", to >= from ? to - from + 1 : 0);
  for (int64_t k = from; k <= to; ++k) {
    const int32_t h = list[static_cast<size_t>(k)];
    CheckHit(h);
    const TLineSpanArr& span = spans[static_cast<size_t>(h)];
    const std::string_view match = FSearchOper->HitMatch(h);
    std::string row = RowStart(static_cast<int32_t>(k + 1), h);
    auto side = [&](const TTokenArr& tokens, uint8_t mode, bool left) {
      const std::string text = sorted ? RenderSortedSide(tokens, mode, left) : RenderSide(tokens, mode, left, true);
      if (tagged && mode != dmWordTag) {
        const std::string tip = SideTip(tokens, mode, left);
        return Cell(left ? css::Left : css::Right, &tip, text, false);
      }
      return Cell(left ? css::Left : css::Right, nullptr, text, false);
    };
    row += FLeftSpan <= 0 ? std::string("<td></td>") : side(span.Left, FLeftMode, true);
    const std::string node = sorted ? RenderSortedNode(match, FCenterMode) : RenderNode(match, FCenterMode);
    if (tagged && FCenterMode != dmWordTag) {
      const std::string tip = NodeTip(match);
      row += Cell(css::Node, &tip, node, true);
    } else {
      row += Cell(css::Node, nullptr, node, true);
    }
    row += FRightSpan <= 0 ? std::string("<td></td>") : side(span.Right, FRightMode, false);
    row += "</tr>";
    page.Add(std::move(row));
    prog.Step();
  }
  page.Add("</table>");
  WriteHTMLFoot(&page);
  page.SaveToFile(fileName);
}

// The side's text, escaped, with every match of the compiled expression in
// " " + text + " " enclosed in the match markers (the match keeps its bounding
// spaces). The expression runs over the corpus text as it stands; the window
// markers at the given offsets of raw are left unescaped.
std::string TSeggedDisplay::HighlightSide(std::string_view raw, const TMarkers& markers, bool inScope) {
  std::string out;
  out.reserve(raw.size() + 32);
  if (!inScope) {
    AppendEscapedExcept(out, raw, 0, raw.size(), markers);
    return out;
  }
  std::string subject;
  subject.reserve(raw.size() + 2);
  subject += ' ';
  subject += raw;
  subject += ' ';
  TMarkers shifted = markers;
  for (auto& m : shifted) ++m.first;
  size_t done = 0;
  for (bool found = FRegex->Exec(subject, 0); found; found = FRegex->ExecNext()) {
    const size_t s = FRegex->MatchPos();
    const size_t e = s + FRegex->MatchLen();
    AppendEscapedExcept(out, subject, done, s, shifted);
    out += ' ';
    out += kMatchOpen;
    AppendEscapedExcept(out, subject, s, e, shifted);
    out += kMatchClose;
    out += ' ';
    done = e;
  }
  AppendEscapedExcept(out, subject, done, subject.size(), shifted);
  return out;
}

// A highlighted side or node as a cell text: in a tagged corpus rendered in
// the side's mode as one text of several tokens, in raw Chinese run together.
std::string TSeggedDisplay::HighlightedCell(std::string highlighted, uint8_t mode) const {
  if (Tagged()) return NodeText(highlighted, mode, false, true);
  if (RunTogether()) return RemoveSpaces(highlighted);
  return highlighted;
}

void TSeggedDisplay::WriteHighlightedPage(const std::string& fileName, std::string_view expression,
                                          int32_t rightMark, int32_t leftMark, int32_t toNo, int32_t fromNo,
                                          const TIntArr& hits, TProgressHook* progress) {
  if (IsBlank(fileName)) throw EKorvelinError(kNoFileName);
  if (IsBlank(expression)) {
    WritePage(fileName, hits, false, toNo, fromNo, progress);
    return;
  }
  TIntArr storage;
  const std::span<const int32_t> list = HitsOf(hits, true, storage);
  const TSpanArr& spans = Spans();
  const auto [from, to] = PageRange(static_cast<int64_t>(list.size()), toNo, fromNo);
  if (FScope & (scLeft | scNode | scRight)) {
    FRegex->SetCaseSensitive(FCaseSensitive);
    FRegex->SetGbk(FSearchOper->Corpus().Chinese());
    FRegex->Compile(" " + std::string(expression) + " ");
  }
  const bool window = static_cast<int64_t>(leftMark) + rightMark > 0;
  const bool tagged = Tagged();

  TStrList page;
  WriteHTMLHead(kResultStyleSheet, PageTitle(from, to, list.size()), &page);
  page.Add("<table>");
  TProgress prog(progress, "Writing page", to >= from ? to - from + 1 : 0);
  std::vector<size_t> offsets;
  TMarkers markers;
  for (int64_t k = from; k <= to; ++k) {
    const int32_t h = list[static_cast<size_t>(k)];
    CheckHit(h);
    const TLineSpanArr& span = spans[static_cast<size_t>(h)];
    const std::string_view match = FSearchOper->HitMatch(h);
    std::string row = RowStart(static_cast<int32_t>(k + 1), h);
    auto side = [&](const TTokenArr& tokens, uint8_t mode, bool left, int32_t mark) {
      offsets.clear();
      const std::string raw = JoinSide(tokens, left, mark, &offsets);
      markers.clear();
      for (size_t o : offsets) markers.emplace_back(o, kWindowOpen.size());
      const std::string text = HighlightedCell(HighlightSide(raw, markers, FScope & (left ? scLeft : scRight)), mode);
      if (tagged && mode != dmWordTag) {
        const std::string tip = SideTip(tokens, mode, left);
        return Cell(left ? css::Left : css::Right, &tip, text, false);
      }
      return Cell(left ? css::Left : css::Right, nullptr, text, false);
    };
    row += FLeftSpan <= 0 ? std::string("<td></td>") : side(span.Left, FLeftMode, true, leftMark);
    const std::string node = HighlightedCell(HighlightSide(match, {}, FScope & scNode), FCenterMode);
    const std::string_view nodeClass = window ? css::Window : css::Node;
    if (tagged && FCenterMode != dmWordTag) {
      const std::string tip = NodeTip(match);
      row += Cell(nodeClass, &tip, node, true);
    } else {
      row += Cell(nodeClass, nullptr, node, true);
    }
    row += FRightSpan <= 0 ? std::string("<td></td>") : side(span.Right, FRightMode, false, rightMark);
    row += "</tr>";

    // Markers into markup, over the whole row: a marker token as a whole
    // (marked up in Word_POS, as it stands in untagged text), else what a
    // display mode left of it. Replacing whole markers leaves no underscore
    // behind and never touches an underscore of the corpus text.
    row = ReplaceFirstOf(row, {{kMatchOpenTagged, kKeySpan}, {kMatchOpen, kKeySpan}, {"<[", kKeySpan}});
    row = ReplaceFirstOf(row, {{kMatchCloseTagged, kEndSpan}, {kMatchClose, kEndSpan}, {"<]", kEndSpan}});
    if (!tagged) row = ReplaceAll(row, "<span class=\"k\"> </span>", "");
    if (window) {
      if (tagged) {
        row = ReplaceFirstOf(row, {{kWindowOpenTagged, kWindowSpan}, {"<<", kWindowSpan}});
        row = ReplaceFirstOf(row, {{kWindowCloseTagged, kEndSpan}, {">>", kEndSpan}});
      } else {
        row = ReplaceAll(row, kWindowOpen, kWindowSpan);
        row = ReplaceAll(row, kWindowClose, kEndSpan);
      }
    }
    page.Add(std::move(row));
    prog.Step();
  }
  page.Add("</table>");
  WriteHTMLFoot(&page);
  page.SaveToFile(fileName);
}

void TSeggedDisplay::WriteParagraph(const std::string& fileName, int32_t hit) {
  CheckRange(ClassName(), hit, 0, HitCount() - 1);
  if (IsBlank(fileName)) throw EKorvelinError(kNoFileName);
  const THit& h = FSearchOper->Hit(hit);
  const TCorpus& corpus = FSearchOper->Corpus();
  const int32_t L = h.LineIndex;
  const std::string& name = corpus.GetFileInfo(h.FileIndex).Name;
  const bool chinese = corpus.Chinese();
  auto paragraphNo = [](int64_t n) { return "<span class=\"i\">(Paragraph " + std::to_string(n) + ")</span></div>"; };

  TStrList page;
  WriteHTMLHead(kResultStyleSheet, name + " (" + std::to_string(L + 1) + ")", &page);
  page.Add("<br>");
  page.Add("<div class=\"f\">" + HtmlEscape(name) + "</div>");
  if (L > 0)
    page.Add("<div class=\"pr\">" + HtmlEscape(PlainText(corpus.GetLine(h.FileIndex, L - 1))) + paragraphNo(L));

  // The line cut at the match; a match may lie anywhere, so every cut is
  // kept inside the line.
  const std::string_view line = corpus.GetLine(h.FileIndex, L);
  const size_t pos = std::min(static_cast<size_t>(std::max(h.Pos - 1, 0)), line.size());
  const size_t end = std::min(pos + static_cast<size_t>(std::max(h.Len, 0)), line.size());
  std::string before = PlainText(line.substr(0, pos)) + " ";
  std::string node = PlainText(FSearchOper->HitMatch(hit)) + " ";
  std::string after = PlainText(line.substr(end)) + " ";
  std::string expr = h.ExprIndex < 0 ? std::string() : FSearchOper->GetExpr(h.ExprIndex);
  if (chinese) {
    expr = RemoveSpaces(expr);
    before = std::string(Trim(before));
    node = std::string(Trim(node));
    after = std::string(Trim(after));
  }
  std::string p = "<div class=\"p\">" + HtmlEscape(before) + "<span>" + HtmlEscape(node) + "</span>" + HtmlEscape(after);
  if (h.ExprIndex >= 0) p += "<span class=\"expr\">(" + HtmlEscape(expr) + ")</span>";
  p += paragraphNo(L + 1);
  page.Add(std::move(p));

  if (L < corpus.LineCount(h.FileIndex) - 1)
    page.Add("<div class=\"nx\">" + HtmlEscape(PlainText(corpus.GetLine(h.FileIndex, L + 1))) + paragraphNo(L + 2));
  page.Add("<br>");
  page.Add("<br>");
  WriteHTMLFoot(&page);
  page.SaveToFile(fileName);
}

}  // namespace korvelin
