#pragma once
// Small shared routines: the range check that guards every indexed access,
// trimming, context splitting, integer-array helpers, the binary search over
// token positions, the generic sort of packed list items with its two
// comparators, and file and code helpers.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "foundation/StrList.h"
#include "foundation/Types.h"

namespace korvelin {

class TProgressHook;

// Raises unless lower <= value <= upper. Messages begin with the owner's class
// name; an empty collection (upper = lower - 1) fails the first test.
bool CheckRange(std::string_view owner, int64_t value, int64_t lower, int64_t upper);

// Trimming removes every byte up to and including the space (0..32) at the ends.
inline bool IsTrimmable(char c) { return static_cast<unsigned char>(c) <= ' '; }
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);
std::string_view TrimRight(std::string_view s);
inline bool IsBlank(std::string_view s) { return Trim(s).empty(); }
// Trims, in place, what was appended to out from position start on.
void TrimAppended(std::string& out, size_t start);

// Calls f for every non-empty space-separated token of text, in order.
template <typename F>
void ForEachToken(std::string_view text, F&& f) {
  size_t i = 0;
  while (i < text.size()) {
    size_t j = text.find(' ', i);
    if (j == std::string_view::npos) j = text.size();
    if (j > i) f(text.substr(i, j - i));
    i = j + 1;
  }
}

// Context splitting over a stored line (a space before and after every token).
// Positions are 1-based. Tokens are views into line, nearest first. With ditto
// set, a space whose two preceding bytes are a digit and a different byte does
// not end a token, so multi-word units tagged like in_II31 spite_II32 of_II33
// stay one token. Each returns the position where scanning stopped (0 when
// nothing was scanned).
int32_t SplitRightContext(int32_t start, int32_t count, std::string_view line, TTokenArr& tokens, bool ditto);
int32_t SplitLeftContext(int32_t start, int32_t count, std::string_view line, TTokenArr& tokens, bool ditto);
// The same, copying the tokens.
int32_t SplitRightContext(int32_t start, int32_t count, std::string_view line, TStrArr& tokens, bool ditto);
int32_t SplitLeftContext(int32_t start, int32_t count, std::string_view line, TStrArr& tokens, bool ditto);

void AppendInts(const TIntArr& source, TIntArr& dest);
// Arr becomes first, first+1, ..., first+count-1; a count of 0 leaves it alone.
void FillRange(TIntArr& arr, int32_t count, int32_t first);

// Binary search over an ascending table; hi is exclusive. The index of the
// last element not greater than value, or lo when every element is greater
// or the range is empty.
int32_t FindPosition(const int32_t* arr, int32_t lo, int32_t hi, int64_t value);
inline int32_t FindPosition(const TIntArr& arr, int32_t lo, int32_t hi, int64_t value) {
  return FindPosition(arr.data(), lo, hi, value);
}

// The generic in-place quicksort of a list, driven by a comparison of two item
// indices (negative: i first). Not stable; equal items end in the order this
// exact procedure gives, which saved results rely on.
using TStrListCompare = std::function<int(const TStrList&, int, int)>;
void SortStrList(TStrList& list, const TStrListCompare& compare, TProgressHook* progress = nullptr);
// Items "key\rnumber\n..." (separator LF): larger numbers first, then keys ascending.
int CompareByNumberDesc(const TStrList& list, int i, int j);
// Name parts ascending, then value parts, both as strings.
int CompareByNameValue(const TStrList& list, int i, int j);

// Decimal integer conversion that raises "'<text>' is not a valid integer value".
int64_t StrToInt(std::string_view text);

// The trimmed name cut before its last "."; without a dot the trimmed name.
std::string StripExtension(std::string_view name);
// Trims and removes every space (segmented Chinese shown run together).
std::string RemoveSpaces(std::string_view s);
// Deletes a folder and everything in it; false on any failure. Never raises.
bool DeleteFolder(const std::string& path);
// Deletes the files of folder (ending in a separator) whose extension is ext
// (no dot, ASCII case ignored); returns how many it tried.
int DeleteFilesByExt(const std::string& folder, std::string_view ext, TProgressHook* progress = nullptr);
// Display-mode and side codes: 0 and 2 swapped, others unchanged.
uint8_t MirrorSide(uint8_t code);
// Data-type code to term kind: word, tag, lemma, category; anything else literal.
int TermKindOfDataType(uint8_t dataType);

// Upper-cases ASCII a-z only.
std::string AsciiUpper(std::string_view s);
std::string AsciiLower(std::string_view s);
// Replaces every occurrence of from (non-overlapping, left to right, one pass).
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

}  // namespace korvelin
