#pragma once
// TSmartInput: translates smart-input queries into the regular expressions
// the search runs over stored lines. In a tagged corpus a plain word matches
// the word part of a word_TAG token, an upper-case term the tag part, @lemma
// every form of a lemma and #CATEGORY every tag of a category; "*" is any one
// token; anything that looks like a regular expression passes unchanged.
#include <string>
#include <string_view>

namespace korvelin {

class TLemma;
class TPOSCategory;

class TSmartInput {
 public:
  static constexpr const char* ClassName = "TSmartInput";

  explicit TSmartInput(bool tagged);
  ~TSmartInput();
  TSmartInput(const TSmartInput&) = delete;
  TSmartInput& operator=(const TSmartInput&) = delete;

  // Tables are not owned. A null table raises the setter's message.
  void SetLemma(TLemma* lemma);
  void SetPOSCategory(TPOSCategory* category);
  void ClearLemma() { FLemma = nullptr; }
  void ClearPOSCategory() { FPOSCategory = nullptr; }
  bool HasLemma() const { return FLemma != nullptr; }
  bool HasPOSCategory() const { return FPOSCategory != nullptr; }
  bool Tagged() const { return FTagged; }
  // Chinese text is GBK: the second byte of a character is never read as a
  // regular-expression character. The search sets it from its corpus.
  void SetChinese(bool on) { FChinese = on; }

  // A whole query: untranslated when it holds "_", else term by term.
  std::string Translate(std::string_view query);
  // The kind (TTermKind) of one term; "The input is empty!" for a blank term.
  int TermKind(std::string_view term);
  // One term translated as the given kind; a blank term gives "".
  std::string TermToRegex(std::string_view term, int kind);

 private:
  std::string WordForm(std::string_view term) const;
  std::string TagForm(std::string_view term) const;

  TLemma* FLemma = nullptr;
  TPOSCategory* FPOSCategory = nullptr;
  bool FTagged;
  bool FChinese = false;
};

// What a query needs before it can be translated, for the front ends' check:
// a lemma list when it holds "@" and none is loaded, else a POS-category list
// when it holds "#" and none is loaded.
enum class TQueryNeed { Nothing, LemmaList, POSCategoryList };
TQueryNeed QueryTablesNeeded(std::string_view query, bool hasLemma, bool hasPOSCategory);

}  // namespace korvelin
