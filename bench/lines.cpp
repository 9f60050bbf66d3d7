// Per-line costs of the preparation hot paths, on real lines of the shared
// corpora: the English and tagged normalizers, character spacing of raw
// Chinese, and token counting. Each reports bytes per second.
#include <benchmark/benchmark.h>

#include "BenchUtil.h"
#include "corpus/BaseInfo.h"
#include "corpus/Normalizers.h"
#include "foundation/StrList.h"

#include <map>

using namespace korvelin;

namespace {

const std::vector<std::string>& LinesOf(const std::string& file) {
  static std::map<std::string, std::vector<std::string>> cache;
  auto& lines = cache[file];
  if (lines.empty()) {
    TStrList l;
    l.LoadFromFile(bench::SharedCorpora() + "/" + file);
    for (const auto& s : l.Items())
      if (!s.empty()) lines.push_back(" " + s + " ");
  }
  return lines;
}

void RunNormalizer(benchmark::State& state, TLineNormalizer& n, const std::vector<std::string>& lines) {
  std::string out;
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const auto& l : lines) {
      out.clear();
      n.Normalize(l, out);
      bytes += static_cast<int64_t>(l.size());
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(bytes);
}

void BM_EnglishNormalizer(benchmark::State& state) {
  TEnglishNormalizer n;
  RunNormalizer(state, n, LinesOf("en_raw_small/Dickens_Charles_Great_Expectations.txt"));
}
void BM_TaggedNormalizer(benchmark::State& state) {
  TTaggedNormalizer n;
  RunNormalizer(state, n, LinesOf("en_tagged_claws7/snli_claws7_sentences.txt"));
}
void BM_CharSpacer(benchmark::State& state) {
  TCharSpacer n;
  RunNormalizer(state, n, LinesOf("zh_raw_small/hongloumeng.txt"));
}
void BM_CountTokens(benchmark::State& state) {
  std::vector<std::string> prepared;
  TEnglishNormalizer n;
  for (const auto& l : LinesOf("en_raw_small/Dickens_Charles_Great_Expectations.txt")) {
    std::string out = " ";
    n.Normalize(l, out);
    prepared.push_back(out + " ");
  }
  std::vector<int32_t> pos;
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const auto& l : prepared) {
      pos.clear();
      CountLineTokens(l, false, state.range(0) != 0, pos);
      bytes += static_cast<int64_t>(l.size());
    }
    benchmark::DoNotOptimize(pos.data());
  }
  state.SetBytesProcessed(bytes);
}

}  // namespace

BENCHMARK(BM_EnglishNormalizer);
BENCHMARK(BM_TaggedNormalizer);
BENCHMARK(BM_CharSpacer);
BENCHMARK(BM_CountTokens)->Arg(1)->Arg(0);
BENCHMARK_MAIN();
