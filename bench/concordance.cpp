// Concordance costs over a million hits: cutting the contexts, sorting by two
// levels and by a lemma level, filtering, writing one page of 100 rows and
// saving. Each is printed against a floor measured in the same run on the
// same data: std::sort of the very entries the sort orders, one match of the
// same compiled pattern per hit over the hit's whole line, and writing the
// same bytes to a file.
//
//   bench_concordance [RAW_FOLDER]
// Without a folder it builds (once) the shared en_raw_small novels repeated in
// 30 subfolders under /tmp/korvelin-bench (about 117 MB) and searches "the"
// (about 1.08 million hits), of which the first 1,000,000 are used.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "concordance/Display.h"
#include "corpus/Corpus.h"
#include "corpus/CorpusFiles.h"
#include "corpus/Normalizers.h"
#include "foundation/Helpers.h"
#include "foundation/RegExpr.h"
#include "foundation/StrList.h"
#include "foundation/TextFile.h"
#include "lemma/Lemma.h"
#include "query/Search.h"

using namespace korvelin;
using namespace korvelin::bench;

namespace {

constexpr int32_t kHits = 1'000'000;

void Row(const char* what, double seconds, const char* floorName, double floor) {
  std::printf("%-34s %9.2f ms   %-34s %9.2f ms   ratio %6.2fx\n", what, seconds * 1e3, floorName, floor * 1e3,
              seconds / floor);
}

double PeakMB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;
}

// The entries Sort builds ("key\nhit"), for the floors.
std::vector<std::string> Entries(TSeggedDisplay& d, const TIntArr& hits) {
  std::vector<std::string> entries;
  entries.reserve(hits.size());
  for (int32_t h : hits) {
    std::string key = d.SortKey(h);
    if (!key.empty()) entries.push_back(key + "\n" + std::to_string(h));
  }
  return entries;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : "";
  if (folder.empty()) {
    const std::string shared = SharedCorpora();
    if (shared.empty()) {
      std::fprintf(stderr, "bench_concordance: give RAW_FOLDER, or provide the shared corpora\n");
      return 2;
    }
    folder = RepeatCorpus(shared + "/en_raw_small", "/tmp/korvelin-bench/en_raw_x30", 30);
  }
  const auto loaded = LoadPrepared(folder);
  TCorpus& corpus = *loaded;
  TSeggedSearchOper search(&corpus);
  search.Search("the");
  if (search.HitCount() < kHits) {
    std::fprintf(stderr, "bench_concordance: only %d hits of \"the\"; give a larger corpus\n", search.HitCount());
    return 2;
  }
  TIntArr hits;
  FillRange(hits, kHits, 0);
  std::printf("corpus %s: %d files, %d hits of \"the\", using %d; spans 5/5\n", folder.c_str(), corpus.FileCount(),
              search.HitCount(), kHits);

  TSeggedDisplay d(&search);
  const double cut = Seconds([&] { d.SetSpans(5, 5); });
  std::printf("%-34s %9.2f ms   (all %d hits, peak RSS now %.0f MB)\n", "cut contexts (GetSpans)", cut * 1e3,
              search.HitCount(), PeakMB());
  d.SetModes(dmWord, dmWord, dmWord);

  // Two levels: R1 then L1, words, case-insensitive.
  d.SetSortInfo({{1, 2, dtWord}, {1, 0, dtWord}});
  TIntArr sorted;
  const double sort2 = BestSeconds(3, [&] { sorted = d.Sort(hits); });
  {
    std::vector<std::string> entries = Entries(d, hits);
    const double keys = BestSeconds(3, [&] { Entries(d, hits); });
    const double floor = BestSeconds(3, [&] {
      std::vector<std::string> e = entries;
      std::sort(e.begin(), e.end());
    });
    const double copy = BestSeconds(3, [&] { std::vector<std::string> e = entries; });
    Row("sort 1M hits, R1+L1 words", sort2, "std::sort of the same entries", floor - copy);
    std::printf("%-34s %9.2f ms   (one SortKey call per hit, a copy each)\n", "  of which, keys alone at most",
                keys * 1e3);
  }

  // A lemma level: the lemmatizer library of the program folder.
  try {
    TMyLemma lemma(std::string(KV_PROGRAM_DIR) + "/sys/MyDLL.so");
    d.SetLemma(&lemma);
    d.SetSortInfo({{1, 2, dtLemma}});
    const double sortLemma = BestSeconds(3, [&] { sorted = d.Sort(hits); });
    std::vector<std::string> entries = Entries(d, hits);
    const double floor = BestSeconds(3, [&] {
      std::vector<std::string> e = entries;
      std::sort(e.begin(), e.end());
    });
    const double copy = BestSeconds(3, [&] { std::vector<std::string> e = entries; });
    Row("sort 1M hits, R1 lemma", sortLemma, "std::sort of the same entries", floor - copy);
    d.ClearLemma();
  } catch (const std::exception& e) {
    std::printf("(lemma level skipped: %s)\n", e.what());
  }

  // Filtering: scope left and right, a frequent word.
  d.SetScope(scLeft | scRight);
  TIntArr kept;
  const double filter = BestSeconds(3, [&] { kept = d.Filter("of", hits, true); });
  {
    TRegExpr re(" of ", false);
    size_t n = 0;
    const double floor = BestSeconds(3, [&] {
      n = 0;
      for (int32_t h : hits) n += re.Test(search.HitLine(h));
    });
    char what[64];
    std::snprintf(what, sizeof what, "filter 1M hits (%zu kept)", kept.size());
    Row(what, filter, "one match per hit's whole line", floor);
  }

  // One page of 100 rows from the middle of the million, sorted marks on.
  const std::string page = "/tmp/korvelin-bench/conc.htm";
  d.SetSortInfo({{1, 2, dtWord}, {1, 0, dtWord}});
  const double write = BestSeconds(20, [&] { d.WritePage(page, hits, true, 500100, 500001); });
  {
    const std::string bytes = ReadFileBytes(page);
    const double floor = BestSeconds(20, [&] { WriteFileAtomic(page + ".floor", bytes); });
    Row("page of 100 rows (of 1M)", write, "writing the same bytes", floor);
  }

  // Saving the million as text.
  const std::string saved = "/tmp/korvelin-bench/conc.txt";
  const double save = BestSeconds(3, [&] { d.SaveToText(saved, hits); });
  {
    const std::string bytes = ReadFileBytes(saved);
    const double floor = BestSeconds(3, [&] { WriteFileAtomic(saved + ".floor", bytes); });
    char what[64];
    std::snprintf(what, sizeof what, "save 1M hits (%.0f MB)", static_cast<double>(bytes.size()) / 1e6);
    Row(what, save, "writing the same bytes", floor);
  }
  std::printf("peak RSS %.0f MB\n", PeakMB());
  return 0;
}
