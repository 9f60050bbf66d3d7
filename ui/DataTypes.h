#pragma once
// The data-type and display-mode choices the analysis tabs offer, by the
// corpus flags and the lists that are loaded.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// DataTypeFromText and DisplayModeOf: the engine reads these texts, so there
// is one rule for the window and the command line.
#include "concordance/SortLevels.h"

namespace korvelin {

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
