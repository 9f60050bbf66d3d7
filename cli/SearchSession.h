#pragma once
// The settings and objects a search needs, filled from the command line the
// way the window fills them from its Settings tab: the corpus with its
// language and format corrections, ditto tags, the lemma and POS-category
// lists, the query translator, and the search itself.
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "CliArgs.h"
#include "Common.h"
#include "foundation/Types.h"

namespace korvelin {
class TLemma;
class TPOSCategory;
class TSmartInput;
class TSeggedSearchOper;
}  // namespace korvelin

namespace korvelin::cli {

class TProgressBar;

std::set<std::string> SearchFlags();
std::set<std::string> SearchValued();
extern const char* kSearchOptionsHelp;

class TSearchSession {
 public:
  // Positional arguments: FOLDER, then QUERY unless --batch FILE is given.
  TSearchSession(const TArgs& args, TProgressBar& bar);
  ~TSearchSession();

  // Runs the query or the batch list; the search stays owned by the session.
  const TSeggedSearchOper& Run(const TArgs& args, TProgressBar& bar);

  std::pair<int, int> Spans() const { return spans_; }
  // The built-in lemma list, loaded now unless a lemma list is there already.
  TLemma* EmbeddedLemma();
  // A filter expression as the search's query is translated: the lists it
  // needs are checked first.
  std::string Translate(const std::string& text);
  TOpenedCorpus& Opened() { return opened_; }
  TLemma* Lemma() const { return lemma_.get(); }
  TPOSCategory* Category() const { return category_.get(); }

 private:
  void CheckQueryTables(const std::string& text);

  TOpenedCorpus opened_;
  std::unique_ptr<TLemma> lemma_;
  std::unique_ptr<TPOSCategory> category_;
  std::unique_ptr<TSmartInput> smartInput_;
  std::unique_ptr<TSeggedSearchOper> search_;
  std::pair<int, int> spans_{5, 5};
};

// One side of a context in reading order: the left side farthest first.
std::string JoinTokens(const TTokenArr& tokens, bool left);

}  // namespace korvelin::cli
