#pragma once
// The concordance display: a search's hits shown as keyword-in-context pages,
// the paragraph page of one hit, and sorting, filtering and saving. A display
// never changes the hit list: everything it renders, sorts, filters or saves
// is a list of hit numbers (indices into the hit list, in display order), and
// an empty list means all hits in hit order. Sorting and filtering return
// such lists and never copy or format lines.
//
// Text from the corpus, the queries and the lists is escaped where it goes
// into a page; nothing a corpus holds can become markup.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/Types.h"

namespace korvelin {

class TLemma;
class TPOSCategory;
class TProgressHook;
class TRegExpr;
class TSearchOper;

// How a side of a concordance line shows its tokens.
enum TDisplayMode : uint8_t {
  dmTag = 0,      // the tag part ("POS")
  dmWordTag = 1,  // word_TAG with the tag in a "p" span ("Word_POS")
  dmWord = 2,     // the word part ("Word", "Char")
};

// Sides looked at by filtering and highlighting (bits of the scope).
enum TScopeSide : uint8_t { scLeft = 1, scNode = 2, scRight = 4 };

class TDisplay {
 public:
  // Raises "Search was not executed!" without a search and "No hit returned!"
  // for a search without hits. The search is not owned.
  explicit TDisplay(const TSearchOper* search);
  virtual ~TDisplay();
  TDisplay(const TDisplay&) = delete;
  TDisplay& operator=(const TDisplay&) = delete;

  virtual const char* ClassName() const = 0;

  // The word parts of a text's tokens, for a Chinese corpus run together.
  virtual std::string PlainText(std::string_view text) const = 0;
  // The hit numbers, in the given order, whose context in the scope matches
  // (include) or does not match (exclude) the expression.
  virtual TIntArr Filter(std::string_view expression, const TIntArr& hits, bool include,
                         TProgressHook* progress = nullptr) = 0;
  // One tab-separated line per hit: number, file, left, " node ", right.
  virtual void SaveToText(const std::string& fileName, const TIntArr& hits, TProgressHook* progress = nullptr) = 0;
  // Rows fromNo..toNo (1-based positions in the list) as a page.
  virtual void WritePage(const std::string& fileName, const TIntArr& hits, bool sorted, int32_t toNo, int32_t fromNo,
                         TProgressHook* progress = nullptr) = 0;
  // The same rows with the matches of an expression highlighted in the sides
  // of the scope, and the collocation window marked when a mark is above 0.
  virtual void WriteHighlightedPage(const std::string& fileName, std::string_view expression, int32_t rightMark,
                                    int32_t leftMark, int32_t toNo, int32_t fromNo, const TIntArr& hits,
                                    TProgressHook* progress = nullptr) = 0;
  // The hit numbers ordered by the sort levels; hits without a key are left out.
  virtual TIntArr Sort(const TIntArr& hits, TProgressHook* progress = nullptr) = 0;
  // The paragraph page of one hit: its line with the lines before and after.
  virtual void WriteParagraph(const std::string& fileName, int32_t hit) = 0;

  void SetScope(uint8_t scope) { FScope = scope; }
  // Tables are not owned; a null table raises the setter's message.
  void SetLemma(TLemma* lemma);
  void SetPOSCategory(TPOSCategory* category);
  // Forget a table the owner is about to free.
  void ClearLemma() { FLemma = nullptr; }
  void ClearPOSCategory() { FPOSCategory = nullptr; }
  // Both spans in 0..10. The first call cuts every hit's context with these
  // spans; later calls only decide whether a side is shown.
  void SetSpans(int32_t left, int32_t right, TProgressHook* progress = nullptr);

  uint8_t Scope() const { return FScope; }
  TLemma* Lemma() const { return FLemma; }
  TPOSCategory* POSCategory() const { return FPOSCategory; }
  int32_t LeftSpan() const { return FLeftSpan; }
  int32_t RightSpan() const { return FRightSpan; }
  const TSearchOper& Search() const { return *FSearchOper; }
  int32_t HitCount() const;
  bool SpansCut() const { return FSpansCut; }
  // The context tokens of every hit, cut now with the current spans when no
  // SetSpans came first.
  const TSpanArr& Spans();

 protected:
  // The list an operation works on: the given one, or all hits when it is
  // empty; cut to the hit count when cut is set. storage holds a made list.
  std::span<const int32_t> HitsOf(const TIntArr& hits, bool cut, TIntArr& storage) const;
  // Raises the range-check message for a hit number outside the hit list.
  void CheckHit(int32_t hit) const;

  uint8_t FScope = 0;
  TLemma* FLemma = nullptr;
  TPOSCategory* FPOSCategory = nullptr;
  const TSearchOper* FSearchOper;
  int32_t FLeftSpan = 5;
  int32_t FRightSpan = 5;
  TSpanArr FSpans;
  bool FSpansCut = false;
};

class TSeggedDisplay : public TDisplay {
 public:
  explicit TSeggedDisplay(const TSearchOper* search);
  ~TSeggedDisplay() override;
  const char* ClassName() const override { return "TSeggedDisplay"; }

  // Modes are TDisplayMode codes (0..2); others raise the range check.
  void SetModes(uint8_t left, uint8_t center, uint8_t right);
  void SetCaseSensitive(bool on) { FCaseSensitive = on; }
  void SetSortCaseSensitive(bool on) { FSortCaseSensitive = on; }
  void SetSortInfo(TSortInfoArr levels) { FSortInfo = std::move(levels); }

  uint8_t LeftMode() const { return FLeftMode; }
  uint8_t CenterMode() const { return FCenterMode; }
  uint8_t RightMode() const { return FRightMode; }
  bool CaseSensitive() const { return FCaseSensitive; }
  bool SortCaseSensitive() const { return FSortCaseSensitive; }
  const TSortInfoArr& SortInfo() const { return FSortInfo; }

  std::string PlainText(std::string_view text) const override;
  TIntArr Filter(std::string_view expression, const TIntArr& hits, bool include,
                 TProgressHook* progress = nullptr) override;
  void SaveToText(const std::string& fileName, const TIntArr& hits, TProgressHook* progress = nullptr) override;
  void WritePage(const std::string& fileName, const TIntArr& hits, bool sorted, int32_t toNo, int32_t fromNo,
                 TProgressHook* progress = nullptr) override;
  void WriteHighlightedPage(const std::string& fileName, std::string_view expression, int32_t rightMark,
                            int32_t leftMark, int32_t toNo, int32_t fromNo, const TIntArr& hits,
                            TProgressHook* progress = nullptr) override;
  TIntArr Sort(const TIntArr& hits, TProgressHook* progress = nullptr) override;
  void WriteParagraph(const std::string& fileName, int32_t hit) override;

  // The sort key of one hit under the current levels (the text Sort orders by).
  std::string SortKey(int32_t hit);

  // Cell texts (HTML). Sides are given nearest token first; reverse renders
  // them farthest first (the left side). Without htmlUnits a multi-word unit
  // is shown in brackets instead of a "c" span (tool tips).
  std::string RenderSide(const TTokenArr& tokens, uint8_t mode, bool reverse, bool htmlUnits) const;
  std::string RenderNode(std::string_view text, uint8_t mode) const;
  // The same with the tokens that are sort keys marked by level.
  std::string RenderSortedSide(const TTokenArr& tokens, uint8_t mode, bool reverse) const;
  std::string RenderSortedNode(std::string_view text, uint8_t mode) const;

 private:
  struct TKeyCache;
  enum class TUnits { Span, Brackets, Bare };

  bool Tagged() const;
  bool RunTogether() const;
  void AppendWords(std::string& out, std::string_view text) const;
  void AppendTags(std::string& out, std::string_view text) const;
  void AppendInMode(std::string& out, std::string_view token, uint8_t mode, bool escape, bool markup) const;
  void AppendSide(std::string& out, const TTokenArr& tokens, uint8_t mode, bool reverse, TUnits units,
                  bool escape) const;
  void AppendNode(std::string& out, std::string_view text, uint8_t mode, bool escape, bool markup) const;
  std::string SideText(const TTokenArr& tokens, uint8_t mode, bool reverse, TUnits units, bool escape) const;
  std::string NodeText(std::string_view text, uint8_t mode, bool escape, bool markup) const;
  std::string SideTip(const TTokenArr& tokens, uint8_t mode, bool reverse) const;
  std::string NodeTip(std::string_view text) const;
  std::string RowStart(int32_t rowNo, int32_t hit) const;
  std::string HighlightSide(std::string_view raw, const std::vector<std::pair<size_t, size_t>>& markers, bool inScope);
  std::string HighlightedCell(std::string highlighted, uint8_t mode) const;
  void AppendKey(std::string& key, int32_t hit, TKeyCache& cache);
  void CheckSortTables() const;

  uint8_t FLeftMode = dmTag;
  uint8_t FCenterMode = dmTag;
  uint8_t FRightMode = dmTag;
  bool FCaseSensitive = false;
  std::unique_ptr<TRegExpr> FRegex;
  bool FSortCaseSensitive = false;
  TSortInfoArr FSortInfo;
};

}  // namespace korvelin
