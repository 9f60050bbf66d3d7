#pragma once
// Lemma lists and POS-category tables: two-way lookups between word forms and
// lemmas (or POS tags and categories), from the lemmatizer library or from a
// user's list file of name=value lines.
#include <memory>
#include <string>
#include <string_view>

#include "foundation/StrList.h"

namespace korvelin {

class TLemma {
 public:
  virtual ~TLemma() = default;
  // The base form of a word form (for a category table: the category of a tag).
  virtual std::string GetLemma(std::string_view word) = 0;
  // The alternation "(form|form|...)" of every form of a lemma (for a category
  // table: of every tag of a category).
  virtual std::string GetForms(std::string_view lemma) = 0;
};

// Backed by the lemmatizer library, loaded at run time; by default the
// program folder's sys/MyDLL.so. Raises a message naming the file when it
// cannot be loaded.
class TMyLemma : public TLemma {
 public:
  static constexpr const char* ClassName = "TMyLemma";
  static std::string DefaultLibraryPath();

  explicit TMyLemma(const std::string& libraryPath = DefaultLibraryPath());
  ~TMyLemma() override;
  TMyLemma(const TMyLemma&) = delete;
  TMyLemma& operator=(const TMyLemma&) = delete;

  std::string GetLemma(std::string_view word) override;
  std::string GetForms(std::string_view lemma) override;

 private:
  struct TLibrary;
  std::unique_ptr<TLibrary> FLibrary;
};

// Backed by a list file: name (a word form) = value (its lemma). Names are
// matched without case; when a name occurs on several lines the last wins.
class TUserLemma : public TLemma {
 public:
  static constexpr const char* ClassName = "TUserLemma";

  // Raises "Please specify a lemma list!" for a blank path, the file error
  // when it cannot be read.
  TUserLemma(const std::string& path, char separator = '=');
  ~TUserLemma() override;

  std::string GetLemma(std::string_view word) override;
  std::string GetForms(std::string_view lemma) override;

  const TStrList& List() const { return FList; }

 protected:
  TStrList FList;

 private:
  struct TIndex;
  std::unique_ptr<TIndex> FIndex;  // built on first lookup
};

// A category table: name (a POS tag) = value (its category). GetForms lists
// the tags of a category only, or gives "" when no tag maps to it.
class TPOSCategory : public TUserLemma {
 public:
  using TUserLemma::TUserLemma;
  std::string GetForms(std::string_view category) override;
};

// The text with every space-separated token replaced by GetLemma / GetForms
// of it; when that leaves nothing, the trimmed text.
std::string LemmatizeText(TLemma& list, std::string_view text);
std::string ExpandForms(TLemma& list, std::string_view text);

}  // namespace korvelin
