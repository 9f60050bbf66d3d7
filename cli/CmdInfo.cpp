// korvelin-cli info: load a corpus folder and describe it.
#include <cstdio>
#include <iostream>

#include "CliArgs.h"
#include "Commands.h"
#include "Common.h"
#include "ProgressBar.h"
#include "corpus/BaseInfo.h"
#include "corpus/Normalizers.h"
#include "foundation/Helpers.h"

namespace korvelin::cli {

int CmdInfo(const std::vector<std::string>& argv) {
  TArgs args(argv, {"no-subfolders", "lines", "raw-bytes"}, {});
  if (args.Positional().size() != 1) throw TUsageError{"info needs exactly one FOLDER"};
  TProgressBar bar;
  TOpenedCorpus opened = OpenCorpusFolder(args.Positional()[0], !args.Has("no-subfolders"), bar);
  TCorpus& corpus = *opened.corpus;

  auto yesNo = [](bool b) { return b ? "yes" : "no"; };
  std::cout << "Files:\t" << corpus.FileCount() << "\n"
            << "Bytes:\t" << opened.bytes << "\n"
            << "Chinese:\t" << yesNo(corpus.Chinese()) << "\n"
            << "Segmented:\t" << yesNo(corpus.Segmented()) << "\n"
            << "Tagged:\t" << yesNo(corpus.Tagged()) << "\n";

  PrepareCorpusLines(corpus, &bar);
  const TSeggedCorpusBaseInfo all(&corpus, true, &bar);
  const TSeggedCorpusBaseInfo words(&corpus, false, &bar);
  std::cout << "Tokens:\t" << all.Total() << "\n"
            << "Tokens without punctuation:\t" << words.Total() << "\n";

  if (args.Has("lines")) {
    const bool raw = args.Has("raw-bytes");
    for (int32_t f = 0; f < corpus.FileCount(); ++f) {
      const TFileText& ft = corpus.FileText(f);
      for (int32_t l = 0; l < ft.LineCount(); ++l)
        std::cout << ForTerminal(Trim(ft.Line(l)), corpus, raw) << "\n";
    }
  }
  std::cout.flush();
  return 0;
}

}  // namespace korvelin::cli
