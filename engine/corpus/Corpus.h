#pragma once
// TCorpus: the whole corpus in memory, every non-empty line of every file,
// with the language and format guessed from a sample line.
//
// A stored line is its text with one space before and one after it, so that
// a pattern wrapped in spaces matches whole tokens only. The lines of a file
// live in one contiguous buffer, each followed by a line feed, and are handed
// out as views: a corpus of hundreds of millions of words must not pay a heap
// block per line. Views stay valid until the lines are rewritten by
// NormalizeLines or the corpus is destroyed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/StrList.h"
#include "foundation/Types.h"

namespace korvelin {

class TBaseInfo;
class TProgressHook;

// Rewrites one line: appends the normalized, trimmed text of line to out.
// Implementations compile what they need once, so one object serves a pass.
class TLineNormalizer {
 public:
  virtual ~TLineNormalizer() = default;
  virtual void Normalize(std::string_view line, std::string& out) = 0;
};

// The stored lines of one file.
struct TFileText {
  std::string text;             // every stored line followed by '\n'
  std::vector<size_t> starts;   // start of line i; starts.back() == text.size()

  int32_t LineCount() const { return starts.empty() ? 0 : static_cast<int32_t>(starts.size() - 1); }
  std::string_view Line(int32_t i) const {
    const size_t b = starts[static_cast<size_t>(i)];
    return std::string_view(text).substr(b, starts[static_cast<size_t>(i) + 1] - b - 1);
  }
};

class TCorpus {
 public:
  static constexpr const char* ClassName = "TCorpus";

  // Loads every listed file that exists and detects the format from a random
  // sample line. Raises "Corpus is empty!" for an empty or blank list.
  explicit TCorpus(const TStrList& files, TProgressHook* progress = nullptr);
  ~TCorpus();
  TCorpus(const TCorpus&) = delete;
  TCorpus& operator=(const TCorpus&) = delete;

  int32_t FileCount() const { return static_cast<int32_t>(FFiles.size()); }
  int32_t LineCount(int32_t file) const;
  std::string_view GetLine(int32_t file, int32_t line) const;
  const TFileInfo& GetFileInfo(int32_t file) const;

  // Unchecked access for loops that already know their indices are valid.
  const TFileText& FileText(int32_t file) const { return FLines[static_cast<size_t>(file)]; }
  // Bytes held in stored lines (line feeds included).
  int64_t StoredBytes() const;

  // Sets the Chinese, segmented and tagged flags from a sample built around
  // the given line.
  void DetectFormat(int32_t fileIndex, int32_t lineIndex);

  // Runs the normalizer over every stored line, storing " " + output + " ".
  // An error ends the pass with "Non-Ansi Code: <file> (<message>)"; lines
  // already rewritten stay so and Normalized stays false.
  void NormalizeLines(TLineNormalizer& normalizer, TProgressHook* progress = nullptr);

  bool Chinese() const { return FChinese; }
  bool Segmented() const { return FSegmented; }
  bool Tagged() const { return FTagged; }
  bool DittoTags() const { return FDittoTags; }
  bool Normalized() const { return FNormalized; }
  TBaseInfo* BaseInfo() const { return FBaseInfo; }

  void SetChinese(bool v) { FChinese = v; }
  void SetSegmented(bool v) { FSegmented = v; }
  void SetTagged(bool v) { FTagged = v; }
  void SetDittoTags(bool v) { FDittoTags = v; }
  // Not owned: the window keeps and frees the current base information.
  void SetBaseInfo(TBaseInfo* info) { FBaseInfo = info; }

 private:
  void LoadFiles(const TStrList& files, TProgressHook* progress);

  TBaseInfo* FBaseInfo = nullptr;
  bool FNormalized = false;
  bool FDittoTags = false;
  TFileInfoArr FFiles;
  bool FChinese = false;
  std::vector<TFileText> FLines;
  bool FSegmented = false;
  bool FTagged = false;
};

// Appends the stored form of one raw line of a file (trimmed, "<s>" and
// "</s>" removed, wrapped in spaces, followed by '\n') to text; returns false
// when nothing is left to store.
bool StoreRawLine(std::string_view raw, std::string& text);

}  // namespace korvelin
