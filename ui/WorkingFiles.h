#pragma once
// The window's working files beside the program, and the punctuation
// settings it reads at start.
#include <array>
#include <string>

#include "foundation/StrList.h"

namespace korvelin {

// The pages and pictures the window writes into the program folder. Only
// these are removed: a user may keep pages or pictures of their own there.
inline constexpr std::array<const char*, 9> kWorkingFiles = {
    "conc.htm",     "para.htm",          "stat.htm", "stat_conc.htm", "ngram_conc.htm", "coll_conc.htm",
    "SamplePlot.jpg", "BigSamplePlot.jpg", "temp.bmp"};

// Deletes the folder "tmp" and the working files of programFolder (which ends
// in a separator). Never reports failures.
void CleanTempFiles(const std::string& programFolder);

// Punctuation sets, ready to go inside a regular-expression character class.
// The Chinese set is GBK bytes.
extern const char* const kDefaultPunctEN;
extern const char* const kDefaultPunctZH;

struct TPunctuation {
  std::string EN = kDefaultPunctEN;
  std::string ZH = kDefaultPunctZH;
};

// Loads "sys/punctuations and symbols.ini" of programFolder into settings
// (name=value lines) when it exists and takes the trimmed values of "EN" and
// "ZH"; a missing or unreadable file, a missing key or an empty value keeps
// the default.
TPunctuation ReadPunctuationSettings(const std::string& programFolder, TStrList& settings);

}  // namespace korvelin
