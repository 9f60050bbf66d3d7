#include "Common.h"

#include "ProgressBar.h"
#include "corpus/CorpusFiles.h"
#include "foundation/CodePage.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/TextFile.h"

namespace korvelin::cli {

TOpenedCorpus OpenCorpusFolder(const std::string& folderArg, bool recurse, TProgressBar& bar) {
  std::string folder(Trim(folderArg));
  if (folder.empty()) throw EKorvelinError("No folder was selected!");
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  TOpenedCorpus opened;
  opened.bytes = FindCorpusFiles(folder, opened.files, recurse, ".txt", &bar);
  if (opened.bytes == 0) throw EKorvelinError("No corpus file was found in the selected folder!");
  CheckAnsiFiles(opened.files, ProgramFolder() + "error.log", &bar);
  opened.corpus = std::make_unique<TCorpus>(opened.files, &bar);
  return opened;
}

std::string ForTerminal(std::string_view bytes, const TCorpus& corpus, bool raw) {
  if (raw) return std::string(bytes);
  return CodePageToUtf8(bytes, CodePageFor(corpus.Chinese()));
}

}  // namespace korvelin::cli
