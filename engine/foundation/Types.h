#pragma once
// Records and containers passed between the engine classes and the front ends.
// Strings hold bytes in the corpus code page (GBK for Chinese, Windows-1252
// otherwise); lengths and positions are in bytes. Positions inside strings are
// 1-based where they describe a place in a stored corpus line; array indices
// are 0-based.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvelin {

using TIntArr = std::vector<int32_t>;
using TIntArrArr = std::vector<TIntArr>;
using TIntArrArrArr = std::vector<TIntArrArr>;
using TFltArr = std::vector<float>;
using TStrArr = std::vector<std::string>;
using TStrArrArr = std::vector<TStrArr>;
// Tokens cut out of stored corpus lines are views into those lines: a context
// of a million hits must not copy ten million strings.
using TTokenArr = std::vector<std::string_view>;

// Data-type codes: which form of a token is meant.
enum TDataType : uint8_t {
  dtWord = 0,         // the word, or the character of a character list
  dtPOS = 1,          // the POS tag
  dtLemma = 2,        // the lemma
  dtPOSCategory = 3,  // the POS category
  dtToken = 4,        // the token as it stands
};

// Term kinds of the query translator.
enum TTermKind : int {
  tkRegex = 0,
  tkWord = 1,
  tkPOS = 2,
  tkLemma = 3,
  tkPOSCategory = 4,
  tkLiteral = 5,
  tkWildcard = 6,
};

// One search hit.
struct TLineInfo {
  int32_t Index = 0;      // ordinal in its hit list when it was appended
  int32_t Pos = 0;        // 1-based byte position of the match in the stored line
  int32_t Len = 0;        // byte length of the match, without bounding spaces
  std::string Match;      // the matched text, trimmed
  int32_t LineIndex = 0;  // 0-based line within its file
  int32_t FileIndex = 0;  // 0-based file within the corpus
  int32_t ExprIndex = 0;  // which expression produced it; -1 for N-gram hits
};
using TLineInfoArr = std::vector<TLineInfo>;

// One corpus file.
struct TFileInfo {
  std::string Path;  // as handed to the loader
  std::string Name;  // file name without folder and last extension, trimmed
};
using TFileInfoArr = std::vector<TFileInfo>;

// The context of one hit, split into tokens, nearest first on both sides.
struct TLineSpanArr {
  TTokenArr Left;
  TTokenArr Right;
};
using TSpanArr = std::vector<TLineSpanArr>;

// One level of a multi-level sort.
struct TSortInfo {
  int32_t Position = 0;  // 1 is the token next to the match
  uint8_t Side = 0;      // 0 left, 1 node, 2 right
  uint8_t DataType = 0;  // TDataType
};
using TSortInfoArr = std::vector<TSortInfo>;

// One row of a term-statistics result.
struct THitStat {
  std::string Term;
  TIntArr Hits;
  TIntArrArr FileHits;
  float TFIDF = 0.0f;
  int32_t FileCount = 0;
  int32_t GroupCount = 0;
};
using THitStatArr = std::vector<THitStat>;

// One total row ("Size", "Hit(s)", "Item(s)") of a statistics result.
struct TTotalStat {
  std::string Caption;
  int64_t Total = 0;
  int32_t GroupCount = 0;
  float Score = 0.0f;
  TIntArr PerGroup;
};
using TTotalStatArr = std::vector<TTotalStat>;

// One file group of a statistics result.
struct TFileExpr {
  std::string Name;
  std::string Hint;
  TIntArr Files;
  int32_t TermCount = 0;
};
using TFileExprArr = std::vector<TFileExpr>;

// Positions of a set of hits, for a distribution plot.
struct TPercInfo {
  int64_t Size = 0;
  TFltArr Positions;
};

// One collocate row.
struct TColData {
  std::string Term;
  int32_t CollFreq = 0;
  int32_t ConcFreq = 0;
  float Score = 0.0f;
  TIntArr Hits;
};
using TColDataArr = std::vector<TColData>;

// One keyness row as handed to the display.
struct TKeynessInfo {
  int32_t Index = 0;
  std::string Term;
  int32_t Freq = 0;
  int32_t RefFreq = 0;
  int32_t FileCount = -1;
  float Keyness = 0.0f;
};

// One keyness result row.
struct TKeynessData {
  int32_t ListIndex = 0;
  int32_t RefIndex = -1;
  float Keyness = 0.0f;
};
using TKeynessDataArr = std::vector<TKeynessData>;

// A session-log entry.
struct TLog {
  std::string Header;
  float Seconds = 0.0f;
  std::string Result;
  std::string Options;
  std::string Detail;
};

}  // namespace korvelin
