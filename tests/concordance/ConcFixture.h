#pragma once
// A small corpus written into a temporary folder, searched, and shown through
// a display; the pages it writes are read back as lines.
#include <memory>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "concordance/Display.h"
#include "corpus/Corpus.h"
#include "foundation/CodePage.h"
#include "foundation/StrList.h"
#include "query/Search.h"

namespace korvelin::test {

struct TFormat {
  bool tagged = false;
  bool chinese = false;
  bool segmented = true;
  bool ditto = false;
};
inline constexpr TFormat kUntagged{};
inline constexpr TFormat kTagged{true, false, true, false};
inline constexpr TFormat kTaggedDitto{true, false, true, true};
inline constexpr TFormat kRawChinese{false, true, false, false};

// GBK bytes of a UTF-8 text.
inline std::string Gbk(std::string_view utf8) { return Utf8ToCodePage(utf8, TCodePage::Gbk); }

class TConc {
 public:
  // files: name and text (lines as stored after preparation: tokens single-spaced).
  TConc(const std::vector<std::pair<std::string, std::string>>& files, TFormat format) {
    TStrList list;
    for (const auto& [name, text] : files) list.Add(dir.Write(name + ".txt", text));
    corpus = std::make_unique<TCorpus>(list);
    corpus->SetTagged(format.tagged);
    corpus->SetChinese(format.chinese);
    corpus->SetSegmented(format.segmented);
    corpus->SetDittoTags(format.ditto);
    search = std::make_unique<TSeggedSearchOper>(corpus.get());
  }
  TConc(const std::string& text, TFormat format) : TConc({{"f0", text}}, format) {}

  // Searches and makes a display with the given spans; modes default to words.
  TSeggedDisplay& Show(const std::string& query, int left = 5, int right = 5, uint8_t mode = dmWord) {
    search->Search(query);
    display = std::make_unique<TSeggedDisplay>(search.get());
    display->SetSpans(left, right);
    display->SetModes(mode, mode, mode);
    return *display;
  }

  std::vector<std::string> Page(const TIntArr& hits = {}, bool sorted = false, int toNo = 100, int fromNo = 1) {
    const std::string path = dir / "conc.htm";
    display->WritePage(path, hits, sorted, toNo, fromNo);
    return Lines(path);
  }
  std::vector<std::string> Highlighted(const std::string& expression, int rightMark = 0, int leftMark = 0,
                                       const TIntArr& hits = {}) {
    const std::string path = dir / "conc.htm";
    display->WriteHighlightedPage(path, expression, rightMark, leftMark, 100, 1, hits);
    return Lines(path);
  }
  std::vector<std::string> Paragraph(int hit) {
    const std::string path = dir / "para.htm";
    display->WriteParagraph(path, hit);
    return Lines(path);
  }

  static std::vector<std::string> Lines(const std::string& path) {
    TStrList l;
    l.LoadFromFile(path);
    return l.Items();
  }
  // The table rows of a page.
  static std::vector<std::string> Rows(const std::vector<std::string>& page) {
    std::vector<std::string> rows;
    for (const auto& l : page)
      if (l.rfind("<tr>", 0) == 0) rows.push_back(l);
    return rows;
  }
  // The cells of a row: "<td ...>...</td>" pieces after the number and file cells.
  static std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    size_t i = 0;
    while ((i = row.find("<td", i)) != std::string::npos) {
      const size_t e = row.find("</td>", i);
      cells.push_back(row.substr(i, e + 5 - i));
      i = e + 5;
    }
    return cells;
  }
  // Left, node and right cell of row r of a page.
  static std::vector<std::string> Context(const std::vector<std::string>& page, size_t r) {
    const auto cells = Cells(Rows(page).at(r));
    return {cells.at(2), cells.at(3), cells.at(4)};
  }

  TTempDir dir;
  std::unique_ptr<TCorpus> corpus;
  std::unique_ptr<TSeggedSearchOper> search;
  std::unique_ptr<TSeggedDisplay> display;
};

}  // namespace korvelin::test
