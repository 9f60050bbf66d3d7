#pragma once
// The line normalizers that prepare stored lines for searching: tokens
// separated by single spaces, punctuation split off words, quotes split off
// tagged words, raw Chinese spaced out character by character.
#include <memory>
#include <string>
#include <string_view>

#include "corpus/Corpus.h"
#include "foundation/StrList.h"

namespace korvelin {

class TProgressHook;
class TRegExpr;

// English running text: tabs become spaces; ASCII marks , . ? ; : ' " ! & [ ] ( )
// and the GBK marks ‘ ’ “ ” （ ） ？ ！ ； ： 。 — and ` are spaced out;
// clitics ('s 't 'd 've 'm 're 'll) are joined again to their apostrophe;
// runs of spaces collapse. The result is trimmed.
class TEnglishNormalizer : public TLineNormalizer {
 public:
  void Normalize(std::string_view line, std::string& out) override;

 private:
  std::string spaced_;
};

// Tagged text: quotes written against a tagged word become tokens '_' of
// their own. Lines without an apostrophe are only trimmed.
class TTaggedNormalizer : public TLineNormalizer {
 public:
  TTaggedNormalizer();
  ~TTaggedNormalizer() override;
  void Normalize(std::string_view line, std::string& out) override;

 private:
  std::unique_ptr<TRegExpr> quoted_, opening_, closing_;
};

// Raw Chinese (GBK): every character followed by one space, trimmed. Bytes
// that start no valid GBK character become "?".
class TCharSpacer : public TLineNormalizer {
 public:
  void Normalize(std::string_view line, std::string& out) override;
};

std::string NormalizeEnglishLine(std::string_view line);
std::string NormalizeTaggedLine(std::string_view line);
std::string SpaceOutChars(std::string_view text);
// Every item that is not blank becomes SpaceOutChars of its trimmed text.
void SpaceOutLines(TStrList& list);

// Prepares the stored lines once, with the normalizer the corpus flags choose:
// English for raw English text, character spacing for raw Chinese, the tagged
// normalizer for tagged English; segmented or tagged Chinese and corpora
// already prepared are left alone. Returns true when lines were rewritten.
bool PrepareCorpusLines(TCorpus& corpus, TProgressHook* progress = nullptr);

}  // namespace korvelin
