#pragma once
// The data-type and display-mode choices the analysis tabs offer, by the
// corpus flags and the lists that are loaded.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvelin {

// "Word" and "Char" 0, "POS" 1, "Lemma" 2, "POSCategory" 3, anything else 4.
uint8_t DataTypeFromText(std::string_view text);

struct TCorpusFlags {
  bool Chinese = false;
  bool Segmented = false;
  bool Tagged = false;
};

// withLemma: "Lemmatize" is checked and a lemma list is loaded; withCategory
// likewise for "POS Categorize".
std::vector<std::string> DataTypeItems(const TCorpusFlags& corpus, bool withLemma, bool withCategory);
std::vector<std::string> DisplayModeItems(const TCorpusFlags& corpus);

}  // namespace korvelin
