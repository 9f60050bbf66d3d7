// korvelin-cli search: one query or a batch list over a corpus folder, one
// hit per line.
#include <iostream>
#include <memory>

#include "CliArgs.h"
#include "Commands.h"
#include "Common.h"
#include "ProgressBar.h"
#include "SearchSession.h"
#include "foundation/CodePage.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "query/Search.h"

namespace korvelin::cli {

int CmdSearch(const std::vector<std::string>& argv) {
  TArgs args(argv, SearchFlags(), SearchValued());
  TProgressBar bar;
  TSearchSession session(args, bar);
  const TSeggedSearchOper& search = session.Run(args, bar);

  const auto [left, right] = session.Spans();
  TSpanArr spans;
  if (search.HitCount() > 0) spans = search.GetSpans(left, right, &bar);
  const TCorpus& corpus = *session.Opened().corpus;
  const bool raw = args.Has("raw-bytes");
  std::string out;
  for (int32_t i = 0; i < search.HitCount(); ++i) {
    const THit& h = search.Hit(i);
    out.clear();
    out += std::to_string(i);
    out += '\t';
    out += corpus.GetFileInfo(h.FileIndex).Name;
    out += '\t';
    out += std::to_string(h.LineIndex + 1);
    out += '\t';
    out += std::to_string(h.Pos);
    out += '\t';
    out += std::to_string(h.Len);
    out += '\t';
    out += ForTerminal(search.HitMatch(i), corpus, raw);
    out += '\t';
    out += ForTerminal(JoinTokens(spans[static_cast<size_t>(i)].Left, true), corpus, raw);
    out += '\t';
    out += ForTerminal(JoinTokens(spans[static_cast<size_t>(i)].Right, false), corpus, raw);
    out += '\n';
    std::cout << out;
  }
  std::cout.flush();
  std::cerr << search.HitCount() << " hit(s)\n";
  return 0;
}

}  // namespace korvelin::cli
