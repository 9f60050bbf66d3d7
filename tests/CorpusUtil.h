#pragma once
// Loading a whole corpus folder for tests over real text.
#include <memory>
#include <string>

#include "corpus/Corpus.h"
#include "corpus/CorpusFiles.h"
#include "corpus/Normalizers.h"

namespace korvelin::test {

// Every ".txt" file under folder, loaded; prepared for searching when asked.
inline std::unique_ptr<TCorpus> LoadFolder(const std::string& folder, bool prepare) {
  TStrList files;
  FindCorpusFiles(folder, files, true, ".txt");
  auto corpus = std::make_unique<TCorpus>(files);
  if (prepare) PrepareCorpusLines(*corpus);
  return corpus;
}

}  // namespace korvelin::test
