#pragma once
// Token counts of a corpus: per line, per file and in all, with or without
// punctuation tokens, and the token offset of a byte position in a line.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace korvelin {

class TCorpus;
class TProgressHook;

class TBaseInfo {
 public:
  TBaseInfo(TCorpus* corpus, bool countPunct);
  virtual ~TBaseInfo() = default;
  TBaseInfo(const TBaseInfo&) = delete;
  TBaseInfo& operator=(const TBaseInfo&) = delete;

  virtual void Build(TProgressHook* progress) = 0;
  virtual int64_t FileTokenCount(int32_t file) const = 0;
  // 0-based offset of the token holding byte pos (1-based) of a stored line:
  // scope 0 within the line, 1 within the file, 2 within the corpus.
  virtual int64_t TokenOffset(int32_t file, int32_t line, int scope, int32_t pos) const = 0;

  int64_t Total() const { return FTotal; }
  bool CountPunct() const { return FCountPunct; }
  TCorpus* Corpus() const { return FCorpus; }

 protected:
  TCorpus* FCorpus;
  int64_t FTotal = 0;
  bool FCountPunct;
};

// For corpora whose stored lines are space-separated tokens (every corpus once
// prepared). Per file it keeps one flat table of token positions and the
// running token totals per line, which also say where each line's positions
// begin in the flat table.
class TSeggedCorpusBaseInfo : public TBaseInfo {
 public:
  static constexpr const char* ClassName = "TSeggedCorpusBaseInfo";

  // Raises "No corpus was loaded!" without a corpus; builds the tables.
  TSeggedCorpusBaseInfo(TCorpus* corpus, bool countPunct, TProgressHook* progress = nullptr);

  void Build(TProgressHook* progress) override;
  int64_t FileTokenCount(int32_t file) const override;
  int64_t TokenOffset(int32_t file, int32_t line, int scope, int32_t pos) const override;

  // The ascending 1-based positions of the spaces that open the counted tokens
  // of a line, and the running totals of a file (element j: lines 0..j).
  std::span<const int32_t> LineTokenPos(int32_t file, int32_t line) const;
  std::span<const int64_t> LineCum(int32_t file) const;

 private:
  struct TFileTable {
    std::vector<int32_t> tokenPos;  // all lines of the file, line after line
    std::vector<int64_t> lineCum;
  };
  std::vector<TFileTable> files_;
  std::vector<int64_t> fileStart_;  // tokens in the files before each file
};

// Appends to pos the positions of the counted tokens of one stored line.
void CountLineTokens(std::string_view line, bool chinese, bool countPunct, std::vector<int32_t>& pos);

}  // namespace korvelin
