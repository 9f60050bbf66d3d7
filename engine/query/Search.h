#pragma once
// Search operations: one query or a batch of queries run over every stored
// line of a corpus, giving the hit list in corpus order; the N-gram
// enumeration that makes every run of N tokens a hit; and the context tokens
// of every hit.
//
// Hits are kept compact (numbers only): the matched text is read from the
// stored line when asked for, so a hit list of a hundred million N-grams
// costs 20 bytes a hit.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/BigAllocator.h"
#include "foundation/StrList.h"
#include "foundation/Types.h"

namespace korvelin {

class TCorpus;
class TProgressHook;
class TRegExpr;
class TSmartInput;

// One hit as stored; its Index is its position in the hit list.
struct THit {
  int32_t FileIndex;
  int32_t LineIndex;
  int32_t Pos;  // 1-based byte position of the match in the stored line
  int32_t Len;  // byte length of the match without its bounding spaces
  int32_t ExprIndex;
};
using THitArr = std::vector<THit, TBigAllocator<THit>>;

class TSearchOper {
 public:
  // Raises "No corpus was loaded!" for no corpus, "Corpus is empty!" for a
  // corpus without files.
  explicit TSearchOper(const TCorpus* corpus);
  virtual ~TSearchOper();
  TSearchOper(const TSearchOper&) = delete;
  TSearchOper& operator=(const TSearchOper&) = delete;

  virtual const char* ClassName() const = 0;

  void Clear();
  // One expression; "Please type in your query word or expression!" when blank.
  void Search(std::string_view query, TProgressHook* progress = nullptr);
  // One expression per non-blank line, in list order.
  void BatchSearch(const TStrList& list, TProgressHook* progress = nullptr);

  int32_t HitCount() const { return static_cast<int32_t>(FHits.size()); }
  // A full copy of hit i (range-checked).
  TLineInfo GetHit(int32_t i) const;
  // Unchecked access for loops that know their indices.
  const THit& Hit(int32_t i) const { return FHits[static_cast<size_t>(i)]; }
  // The stored line of hit i and its matched text, trimmed (unchecked).
  std::string_view HitLine(int32_t i) const;
  std::string_view HitMatch(int32_t i) const;

  int32_t ExprCount() const { return static_cast<int32_t>(FExprs.size()); }
  const std::string& GetExpr(int32_t k) const;
  int32_t ExprHitCount(int32_t k) const;

  // Appends the hits of one expression, tagged with exprIndex.
  virtual void SearchExpr(std::string_view expression, int32_t exprIndex, TProgressHook* progress) = 0;
  // The context tokens of every hit, left and right spans in 0..10.
  virtual TSpanArr GetSpans(int32_t left, int32_t right, TProgressHook* progress = nullptr) const = 0;

  const TCorpus& Corpus() const { return *FCorpus; }

 protected:
  const TCorpus* FCorpus;
  TIntArr FExprHits;
  TStrArr FExprs;
  THitArr FHits;
};

class TSeggedSearchOper : public TSearchOper {
 public:
  explicit TSeggedSearchOper(const TCorpus* corpus);
  ~TSeggedSearchOper() override;
  const char* ClassName() const override { return "TSeggedSearchOper"; }

  void SetCaseSensitive(bool on) { FCaseSensitive = on; }
  bool CaseSensitive() const { return FCaseSensitive; }
  // The translator applied to every expression; null for raw patterns. Not owned.
  void SetSmartInput(TSmartInput* smartInput) { FSmartInput = smartInput; }

  void SearchExpr(std::string_view expression, int32_t exprIndex, TProgressHook* progress) override;
  TSpanArr GetSpans(int32_t left, int32_t right, TProgressHook* progress = nullptr) const override;

 protected:
  bool FCaseSensitive = false;
  std::unique_ptr<TRegExpr> FRegex;
  TSmartInput* FSmartInput = nullptr;
};

class TNGramSearchOper : public TSeggedSearchOper {
 public:
  using TSeggedSearchOper::TSeggedSearchOper;
  const char* ClassName() const override { return "TNGramSearchOper"; }

  // Appends every run of n consecutive tokens of every line as a hit (n in 1..10).
  void EnumerateNGrams(int32_t n, TProgressHook* progress = nullptr);
  int32_t NLength() const { return FNLength; }

 private:
  int32_t FNLength = 0;
};

}  // namespace korvelin

namespace korvelin {

// Raw (unsegmented, untagged) Chinese is searched character by character: a
// query or a batch list typed against such a corpus is spaced out first.
bool SearchesByCharacter(const TCorpus& corpus);
std::string QueryForCorpus(const TCorpus& corpus, std::string_view query);
TStrList BatchListForCorpus(const TCorpus& corpus, const TStrList& list);

}  // namespace korvelin
