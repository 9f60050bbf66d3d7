#include "corpus/BaseInfo.h"

#include <string_view>

#include "corpus/Corpus.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/Progress.h"

namespace korvelin {

TBaseInfo::TBaseInfo(TCorpus* corpus, bool countPunct) : FCorpus(corpus), FCountPunct(countPunct) {
  if (!corpus) throw EKorvelinError("No corpus was loaded!");
}

TSeggedCorpusBaseInfo::TSeggedCorpusBaseInfo(TCorpus* corpus, bool countPunct, TProgressHook* progress)
    : TBaseInfo(corpus, countPunct) {
  Build(progress);
}

namespace {
inline bool IsAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

void CountLineTokens(std::string_view line, bool chinese, bool countPunct, std::vector<int32_t>& pos) {
  // The line is counted as " " + trimmed text + " "; a stored line that kept
  // extra spaces at an end is thereby counted on its trimmed form.
  const std::string_view t = Trim(line);
  if (t.empty()) return;
  const size_t n = t.size();
  // byte of S = " " + t + " " at 1-based position q
  auto at = [&](size_t q) -> unsigned char {
    return (q == 1 || q == n + 2) ? ' ' : static_cast<unsigned char>(t[q - 2]);
  };
  // p runs over the spaces of S from 1 to len(S) - 1; the last space never opens a token.
  for (size_t p = 1; p <= n + 1; ++p) {
    if (at(p) != ' ') continue;
    if (!countPunct) {
      const unsigned char a = at(p + 1), b = at(p + 2);
      if (chinese && a == 0xA1 && b >= 0xA2 && b <= 0xE5) continue;
      if (!IsAlnum(a) && (b == ' ' || b == '_')) continue;
    }
    pos.push_back(static_cast<int32_t>(p));
  }
}

void TSeggedCorpusBaseInfo::Build(TProgressHook* progress) {
  FTotal = 0;
  files_.clear();
  fileStart_.clear();
  const bool chinese = FCorpus->Chinese();
  TProgress prog(progress, "Counting tokens", FCorpus->FileCount());
  files_.resize(static_cast<size_t>(FCorpus->FileCount()));
  fileStart_.resize(files_.size());
  for (int32_t f = 0; f < FCorpus->FileCount(); ++f) {
    const TFileText& ft = FCorpus->FileText(f);
    TFileTable& table = files_[static_cast<size_t>(f)];
    table.tokenPos.reserve(ft.text.size() / 5);
    table.lineCum.reserve(static_cast<size_t>(ft.LineCount()));
    for (int32_t l = 0; l < ft.LineCount(); ++l) {
      CountLineTokens(ft.Line(l), chinese, FCountPunct, table.tokenPos);
      table.lineCum.push_back(static_cast<int64_t>(table.tokenPos.size()));
      prog.Step();
    }
    table.tokenPos.shrink_to_fit();
    fileStart_[static_cast<size_t>(f)] = FTotal;
    FTotal += static_cast<int64_t>(table.tokenPos.size());
    prog.Report();
  }
}

int64_t TSeggedCorpusBaseInfo::FileTokenCount(int32_t file) const {
  CheckRange(ClassName, file, 0, static_cast<int64_t>(files_.size()) - 1);
  const auto& cum = files_[static_cast<size_t>(file)].lineCum;
  return cum.empty() ? 0 : cum.back();
}

std::span<const int64_t> TSeggedCorpusBaseInfo::LineCum(int32_t file) const {
  CheckRange(ClassName, file, 0, static_cast<int64_t>(files_.size()) - 1);
  return files_[static_cast<size_t>(file)].lineCum;
}

std::span<const int32_t> TSeggedCorpusBaseInfo::LineTokenPos(int32_t file, int32_t line) const {
  CheckRange(ClassName, file, 0, static_cast<int64_t>(files_.size()) - 1);
  const TFileTable& table = files_[static_cast<size_t>(file)];
  CheckRange(ClassName, line, 0, static_cast<int64_t>(table.lineCum.size()) - 1);
  const int64_t begin = line == 0 ? 0 : table.lineCum[static_cast<size_t>(line) - 1];
  const int64_t end = table.lineCum[static_cast<size_t>(line)];
  return std::span<const int32_t>(table.tokenPos.data() + begin, static_cast<size_t>(end - begin));
}

int64_t TSeggedCorpusBaseInfo::TokenOffset(int32_t file, int32_t line, int scope, int32_t pos) const {
  const std::span<const int32_t> table = LineTokenPos(file, line);
  const int64_t k = FindPosition(table.data(), 0, static_cast<int32_t>(table.size()), pos);
  if (scope == 0) return k;
  const auto& cum = files_[static_cast<size_t>(file)].lineCum;
  const int64_t inFile = k + (line == 0 ? 0 : cum[static_cast<size_t>(line) - 1]);
  if (scope == 1) return inFile;
  return inFile + fileStart_[static_cast<size_t>(file)];
}

}  // namespace korvelin
