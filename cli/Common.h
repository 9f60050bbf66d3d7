#pragma once
// What the CLI commands share: opening a corpus folder the way the window's
// load command does, and writing corpus text to the terminal.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "corpus/Corpus.h"
#include "foundation/StrList.h"

namespace korvelin::cli {

class TProgressBar;

struct TOpenedCorpus {
  std::unique_ptr<TCorpus> corpus;
  TStrList files;
  int64_t bytes = 0;
};

// Collects the ".txt" files of folder, checks them (the report of rejected
// files goes to "error.log" in the program folder) and loads them. Raises the
// engine's messages; "No corpus file was found in the selected folder!" when
// the files hold no bytes.
TOpenedCorpus OpenCorpusFolder(const std::string& folder, bool recurse, TProgressBar& bar);

// Corpus bytes as the terminal wants them: UTF-8 unless raw bytes were asked for.
std::string ForTerminal(std::string_view bytes, const TCorpus& corpus, bool raw);

}  // namespace korvelin::cli
