// Search speed over a prepared English raw corpus of about 120 MB (and a
// tagged one), against ripgrep counting the same pattern over the prepared
// text written to one file, single-threaded; and the N-gram enumeration.
//
//   bench_search [RAW_FOLDER [TAGGED_FOLDER]]
// Without folders it builds (once) the shared en_raw_small novels repeated in
// 30 subfolders and the shared Brown corpus repeated in 10, under
// /tmp/korvelin-bench.
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <string>

#include "BenchUtil.h"
#include "corpus/Corpus.h"
#include "corpus/CorpusFiles.h"
#include "corpus/Normalizers.h"
#include "lemma/Lemma.h"
#include "query/Search.h"
#include "query/SmartInput.h"

using namespace korvelin;
using namespace korvelin::bench;

namespace {

// The prepared lines, one to a line, in one file for ripgrep.
std::string WritePrepared(const TCorpus& corpus, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  for (int32_t f = 0; f < corpus.FileCount(); ++f) out << corpus.FileText(f).text;
  return path;
}

bool HaveRg() { return std::system("command -v rg > /dev/null 2>&1") == 0; }

void Row(const char* what, const TCorpus& corpus, TSmartInput* si, const std::string& query, const std::string& rgPattern,
         const std::string& preparedFile, double mb) {
  TSeggedSearchOper s(&corpus);
  s.SetSmartInput(si);
  const double t = BestSeconds(3, [&] { s.Search(QueryForCorpus(corpus, query)); });
  std::printf("%-28s %9d hits %8.3f s %7.0f MB/s", what, s.HitCount(), t, mb / t);
  if (!rgPattern.empty() && HaveRg()) {
    const std::string cmd = "rg -j1 -c -i -e '" + rgPattern + "' '" + preparedFile + "' > /dev/null";
    ShellSeconds(cmd);
    const double r = BestSeconds(3, [&] { ShellSeconds(cmd); });
    std::printf("   rg -c %.3f s   ratio %.2fx", r, t / r);
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string shared = SharedCorpora();
  std::string rawFolder = argc > 1 ? argv[1] : "";
  std::string taggedFolder = argc > 2 ? argv[2] : "";
  if (rawFolder.empty() || taggedFolder.empty()) {
    if (shared.empty()) {
      std::fprintf(stderr, "bench_search: give RAW_FOLDER and TAGGED_FOLDER, or provide the shared corpora\n");
      return 2;
    }
    if (rawFolder.empty()) rawFolder = RepeatCorpus(shared + "/en_raw_small", "/tmp/korvelin-bench/en_raw_x30", 30);
    if (taggedFolder.empty())
      taggedFolder = RepeatCorpus(shared + "/en_tagged_brown", "/tmp/korvelin-bench/brown_x10", 10);
  }
  if (!HaveRg()) std::printf("(ripgrep not found: install Debian's ripgrep for the comparison)\n");

  int64_t bytes = 0;
  auto raw = LoadPrepared(rawFolder, &bytes);
  const std::string rawFile = WritePrepared(*raw, "/tmp/korvelin-bench/prepared_raw.txt");
  double mb = static_cast<double>(bytes) / 1e6;
  std::printf("raw corpus: %s, %.1f MB, prepared text in %s\n\n", rawFolder.c_str(), mb, rawFile.c_str());

  TSmartInput plain(false);
  TMyLemma lemma(std::string(KV_PROGRAM_DIR) + "/sys/MyDLL.so");
  plain.SetLemma(&lemma);
  Row("(a) the", *raw, &plain, "the", " the ", rawFile, mb);
  Row("(b) telescope (rare)", *raw, &plain, "telescope", " telescope ", rawFile, mb);
  Row("(c) in the * of", *raw, &plain, "in the * of", " in the \\S+ of ", rawFile, mb);
  Row("(d) @go", *raw, &plain, "@go", " " + plain.Translate("@go") + " ", rawFile, mb);

  int64_t tbytes = 0;
  auto tagged = LoadPrepared(taggedFolder, &tbytes);
  const std::string taggedFile = WritePrepared(*tagged, "/tmp/korvelin-bench/prepared_tagged.txt");
  const double tmb = static_cast<double>(tbytes) / 1e6;
  std::printf("\ntagged corpus: %s, %.1f MB\n\n", taggedFolder.c_str(), tmb);
  TSmartInput smart(true);
  Row("(e) the (tagged word)", *tagged, &smart, "the", " the_\\S+ ", taggedFile, tmb);
  Row("(f) NN (POS)", *tagged, &smart, "NN", " \\S+_NN ", taggedFile, tmb);

  // N-grams of two tokens over the whole raw corpus, in a child process for its peak memory.
  double seconds = 0;
  int64_t hits = 0;
  const int64_t base = ChildPeakBytes([] {}, nullptr);
  int64_t loaded = 0;
  {
    double dummy = 0;
    loaded = ChildPeakBytes([&] { int64_t b; auto c = LoadPrepared(rawFolder, &b); }, &dummy);
  }
  const int64_t peak = ChildPeakBytes(
      [&] {
        int64_t b;
        auto c = LoadPrepared(rawFolder, &b);
        TNGramSearchOper s(c.get());
        s.EnumerateNGrams(2);
        std::FILE* f = std::fopen("/tmp/korvelin-bench/ngram_hits", "w");
        std::fprintf(f, "%d\n", s.HitCount());
        std::fclose(f);
      },
      nullptr);
  {
    TNGramSearchOper s(raw.get());
    seconds = BestSeconds(1, [&] { s.EnumerateNGrams(2); });
    hits = s.HitCount();
  }
  int64_t tokens = 0;
  for (int32_t f = 0; f < raw->FileCount(); ++f)
    for (int32_t l = 0; l < raw->LineCount(f); ++l) {
      const auto line = raw->GetLine(f, l);
      tokens += static_cast<int64_t>(std::count(line.begin(), line.end(), ' ')) - 1;
    }
  std::printf("\nEnumerateNGrams(2): %lld hits from %lld tokens in %.3f s = %.1f M tokens/s\n",
              static_cast<long long>(hits), static_cast<long long>(tokens), seconds, tokens / seconds / 1e6);
  std::printf("peak memory: corpus loaded %.1f MB, with the 2-gram hits %.1f MB: %.1f bytes per hit (baseline %.1f MB)\n",
              loaded / 1e6, peak / 1e6, static_cast<double>(peak - loaded) / static_cast<double>(hits), base / 1e6);
  return 0;
}
