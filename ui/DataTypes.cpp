#include "DataTypes.h"

#include "foundation/Types.h"

namespace korvelin {

std::vector<std::string> DataTypeItems(const TCorpusFlags& corpus, bool withLemma, bool withCategory) {
  std::vector<std::string> items;
  if (!corpus.Tagged) {
    if (corpus.Chinese) return {corpus.Segmented ? "Word" : "Char"};
    items = {"Word"};
    if (withLemma) items.push_back("Lemma");
    return items;
  }
  items = {"Word", "POS", "Word_POS"};
  if (!corpus.Chinese && withLemma) items.push_back("Lemma");
  if (withCategory) items.push_back("POSCategory");
  return items;
}

std::vector<std::string> DisplayModeItems(const TCorpusFlags& corpus) {
  if (corpus.Tagged) return {"Word", "POS", "Word_POS"};
  if (corpus.Chinese && !corpus.Segmented) return {"Char"};
  return {"Word"};
}

}  // namespace korvelin
