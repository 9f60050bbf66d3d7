#include "foundation/HtmlPage.h"

#include "foundation/Error.h"
#include "foundation/Helpers.h"

namespace korvelin {

namespace {

constexpr const char* kNoPage = "No HTML file was specified!";


void AppendPart(std::string& out, std::string_view text, bool word) {
  text = Trim(text);
  const size_t underscore = text.find('_');
  if (underscore == std::string_view::npos) {
    if (word) out.append(text);
    return;
  }
  if (text.find(' ') == std::string_view::npos) {
    out.append(word ? text.substr(0, underscore) : text.substr(underscore + 1));
    return;
  }
  const size_t start = out.size();
  bool first = true;
  auto piece = [&](std::string_view p) {
    if (!first) out += ' ';
    first = false;
    out.append(p);
  };
  ForEachToken(text, [&](std::string_view token) {
    if (word) {
      for (size_t p = token.find('_'); p != std::string_view::npos; p = token.find('_', p + 1)) piece(token.substr(0, p));
    } else {
      const size_t last = token.rfind('_');
      if (last != std::string_view::npos) piece(token.substr(last + 1));
    }
  });
  TrimAppended(out, start);
}

void AppendMarkupWordTag(std::string& out, std::string_view token) {
  if (IsBlank(token)) return;
  std::string part;
  AppendWordPart(part, token);
  AppendHtmlEscaped(out, part);
  out += "_<span class=\"p\">";
  part.clear();
  AppendTagPart(part, token);
  AppendHtmlEscaped(out, part);
  out += "</span>";
}

template <typename Arr>
std::string JoinSideOf(const Arr& tokens, bool isLeft, int markAt, std::vector<size_t>* markerOffsets) {
  const int n = static_cast<int>(tokens.size());
  if (n == 0) return std::string();
  std::string out;
  std::vector<size_t> offsets;
  bool first = true;
  auto add = [&](std::string_view piece, bool marker) {
    if (!first) out += ' ';
    first = false;
    if (marker) offsets.push_back(out.size());
    out.append(piece);
  };
  const bool marked = markAt > 0;
  if (isLeft) {
    // Reading order: from the farthest token (index n-1) to the nearest.
    if (markAt > n) add(kWindowOpen, true);
    for (int i = n - 1; i >= 0; --i) {
      if (marked && i + 1 == markAt) add(kWindowOpen, true);
      add(tokens[static_cast<size_t>(i)], false);
    }
    if (marked) add(kWindowClose, true);
  } else {
    if (marked) add(kWindowOpen, true);
    for (int i = 0; i < n; ++i) {
      add(tokens[static_cast<size_t>(i)], false);
      if (marked && i + 1 == markAt) add(kWindowClose, true);
    }
    if (markAt > n) add(kWindowClose, true);
  }
  // Trimmed like any joined text; the marker offsets move with its start.
  const std::string_view t = Trim(out);
  const size_t cut = static_cast<size_t>(t.data() - out.data());
  if (markerOffsets)
    for (size_t o : offsets) markerOffsets->push_back(o - cut);
  return t.size() == out.size() ? out : std::string(t);
}

}  // namespace

void WriteHTMLHead(std::string_view styleSheet, std::string_view title, TStrList* page) {
  if (!page) throw EKorvelinError(kNoPage);
  page->Clear();
  page->Add(
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">");
  page->Add("<html xmlns=\"http://www.w3.org/1999/xhtml\">");
  page->Add("<head>");
  page->Add("<title>" + HtmlEscape(title) + "</title>");
  page->Add("<style type=\"text/css\">@import \"" + std::string(styleSheet) + "\";</style>");
  page->Add("</head>");
  page->Add("<body oncontextmenu=\"return false\">");
  page->Add("");
}

void WriteHTMLFoot(TStrList* page) {
  if (!page) throw EKorvelinError(kNoPage);
  page->Add("<p/>");
  page->Add("<p/>");
  page->Add("<div class=\"copyright\">" + std::string(kCreditLine) + "</div>");
  page->Add("<p/>");
  page->Add("<p/>");
  page->Add("</body></html>");
}

void AppendHtmlEscaped(std::string& out, std::string_view text) {
  size_t from = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char* entity = nullptr;
    switch (text[i]) {
      case '&': entity = "&amp;"; break;
      case '<': entity = "&lt;"; break;
      case '>': entity = "&gt;"; break;
      default: continue;
    }
    out.append(text.substr(from, i - from));
    out.append(entity);
    from = i + 1;
  }
  out.append(text.substr(from));
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendHtmlEscaped(out, text);
  return out;
}

std::string HtmlAttrEscape(std::string_view text) { return ReplaceAll(HtmlEscape(text), "\"", "&quot;"); }

void AppendWordPart(std::string& out, std::string_view text) { AppendPart(out, text, true); }
void AppendTagPart(std::string& out, std::string_view text) { AppendPart(out, text, false); }

std::string GetWordPart(std::string_view text) {
  std::string out;
  AppendWordPart(out, text);
  return out;
}

std::string GetTagPart(std::string_view text) {
  std::string out;
  AppendTagPart(out, text);
  return out;
}

std::string MarkupWordTag(std::string_view text) {
  std::string out;
  AppendMarkupWordTag(out, text);
  return out;
}

std::string MarkupTokens(std::string_view text) {
  std::string out;
  ForEachToken(Trim(text), [&](std::string_view token) {
    if (!out.empty()) out += ' ';
    AppendMarkupWordTag(out, token);
  });
  return out;
}

std::string JoinSide(const TTokenArr& tokens, bool isLeft, int markAt) {
  return JoinSideOf(tokens, isLeft, markAt, nullptr);
}
std::string JoinSide(const TStrArr& tokens, bool isLeft, int markAt) { return JoinSideOf(tokens, isLeft, markAt, nullptr); }
std::string JoinSide(const TTokenArr& tokens, bool isLeft, int markAt, std::vector<size_t>* markerOffsets) {
  return JoinSideOf(tokens, isLeft, markAt, markerOffsets);
}

void AppendJoinedSide(std::string& out, const TTokenArr& tokens, bool isLeft) {
  const size_t start = out.size();
  const size_t n = tokens.size();
  for (size_t k = 0; k < n; ++k) {
    if (out.size() > start) out += ' ';
    out.append(tokens[isLeft ? n - 1 - k : k]);
  }
  TrimAppended(out, start);
}

}  // namespace korvelin
