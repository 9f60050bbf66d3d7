// Loading and preparing a large English raw corpus, against the I/O floor
// (cat of the same files) and a plain line split, with the peak memory of a
// load as a ratio to the corpus bytes.
//
//   bench_load [FOLDER]
// Without FOLDER it builds (once) a corpus of the shared en_raw_small novels
// repeated in 30 subfolders, about 120 MB, under /tmp/korvelin-bench.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "BenchUtil.h"
#include "corpus/Corpus.h"
#include "corpus/CorpusFiles.h"
#include "corpus/Normalizers.h"
#include "foundation/TextFile.h"

using namespace korvelin;
using namespace korvelin::bench;

namespace {

struct TStages {
  double collect = 0, check = 0, load = 0, prepare = 0;
  double Total() const { return collect + check + load + prepare; }
};

TStages LoadAndPrepare(const std::string& folder, int64_t* bytes = nullptr) {
  TStages s;
  TStrList files;
  int64_t total = 0;
  s.collect = Seconds([&] { total = FindCorpusFiles(folder, files, true, ".txt"); });
  s.check = Seconds([&] { CheckAnsiFiles(files, "/tmp/korvelin-bench-error.log"); });
  std::unique_ptr<TCorpus> corpus;
  s.load = Seconds([&] { corpus = std::make_unique<TCorpus>(files); });
  s.prepare = Seconds([&] { PrepareCorpusLines(*corpus); });
  if (bytes) *bytes = total;
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  std::string built;
  if (argc > 1) {
    folder = argv[1];
  } else {
    const std::string shared = SharedCorpora();
    if (shared.empty()) {
      std::fprintf(stderr, "bench_load: no FOLDER given and the shared corpora are absent\n");
      return 2;
    }
    folder = RepeatCorpus(shared + "/en_raw_small", "/tmp/korvelin-bench/en_raw_x30", 30);
    built = " (shared en_raw_small repeated in 30 subfolders)";
  }

  // Memory first, in a child of a process that has allocated nothing yet.
  double childSeconds = 0;
  const int64_t base = ChildPeakBytes([] {}, nullptr);
  const int64_t peak = ChildPeakBytes([&] { LoadAndPrepare(folder); }, &childSeconds);

  TStrList files;
  const int64_t bytes = FindCorpusFiles(folder, files, true, ".txt");
  const double mb = static_cast<double>(bytes) / 1e6;
  std::printf("corpus: %s%s\n        %d files, %.1f MB\n", folder.c_str(), built.c_str(), files.Count(), mb);

  const std::string catCommand = "find '" + folder + "' -name '*.txt' -print0 | xargs -0 cat > /dev/null";
  ShellSeconds(catCommand);  // warm the page cache
  const double cat = BestSeconds(3, [&] { ShellSeconds(catCommand); });

  // A plain line split: read each file and cut it into lines, nothing more.
  size_t lines = 0;
  const double split = BestSeconds(3, [&] {
    lines = 0;
    std::string buf;
    std::vector<std::string_view> cut;
    for (const auto& f : files.Items()) {
      buf = ReadFileBytes(f);
      cut.clear();
      size_t i = 0;
      while (i < buf.size()) {
        size_t j = buf.find('\n', i);
        if (j == std::string::npos) j = buf.size();
        cut.emplace_back(buf.data() + i, j - i);
        i = j + 1;
      }
      lines += cut.size();
    }
  });

  TStages best;
  for (int i = 0; i < 3; ++i) {
    const TStages s = LoadAndPrepare(folder);
    if (i == 0 || s.Total() < best.Total()) best = s;
  }

  std::printf("\n%-34s %8.3f s %8.0f MB/s\n", "cat of the files (I/O floor)", cat, mb / cat);
  std::printf("%-34s %8.3f s %8.0f MB/s  (%zu lines)\n", "plain line split", split, mb / split, lines);
  std::printf("%-34s %8.3f s %8.0f MB/s\n", "Korvelin collect+check+load+prepare", best.Total(), mb / best.Total());
  std::printf("    collect %.3f s, check %.3f s, load %.3f s (%.0f MB/s), prepare %.3f s (%.0f MB/s)\n", best.collect,
              best.check, best.load, mb / best.load, best.prepare, mb / best.prepare);
  std::printf("ratio against cat:               %6.2fx\n", best.Total() / cat);
  std::printf("ratio against a plain line split: %6.2fx\n", best.Total() / split);
  std::printf("\npeak memory of a load+prepare: %.1f MB (an empty child: %.1f MB) = %.2fx the corpus bytes\n",
              static_cast<double>(peak) / 1e6, static_cast<double>(base) / 1e6,
              static_cast<double>(peak - base) / static_cast<double>(bytes));
  return 0;
}
