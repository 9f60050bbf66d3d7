// korvelin-cli conc: the concordance of a search, sorted and filtered as on
// the Concordance tab, written as the saved text, as a KWIC page or as the
// paragraph page of one hit.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "CliArgs.h"
#include "Commands.h"
#include "Common.h"
#include "ProgressBar.h"
#include "SearchSession.h"
#include "concordance/Display.h"
#include "concordance/DisplaySettings.h"
#include "concordance/SortLevels.h"
#include "corpus/Normalizers.h"
#include "foundation/CodePage.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/TextFile.h"
#include "lemma/Lemma.h"
#include "query/Search.h"
#include "query/SmartInput.h"

namespace korvelin::cli {

namespace {

// Sort types as typed on the command line, to the texts of the type combos.
std::string TypeText(const std::string& typed) {
  const std::string t = AsciiLower(typed);
  if (t == "word" || t == "char") return "Word";
  if (t == "pos" || t == "tag") return "POS";
  if (t == "lemma") return "Lemma";
  if (t == "poscategory" || t == "category") return "POSCategory";
  if (t == "word_pos" || t == "token") return "Word_POS";
  throw TUsageError{"unknown sort type \"" + typed + "\" (word, pos, lemma, category or word_pos)"};
}

// "R1:word,L1:pos" to sort levels; a level without a type sorts by word.
TSortInfoArr ParseSortLevels(const std::string& text) {
  TSortInfoArr levels;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item(Trim(std::string_view(text).substr(start, comma == std::string::npos ? comma : comma - start)));
    if (!item.empty()) {
      const size_t colon = item.find(':');
      const std::string loc = item.substr(0, colon);
      const std::string type = colon == std::string::npos ? "word" : item.substr(colon + 1);
      std::string location = loc;
      if (AsciiLower(loc) == "node") location = "Node";
      else if (!loc.empty()) location[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(loc[0])));
      const auto level = SortLevelFromLocation(location, DataTypeFromText(TypeText(type)));
      if (!level) throw TUsageError{"unknown sort position \"" + loc + "\" (L1..L10, Node, R1..R10)"};
      levels.push_back(*level);
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (levels.size() > 7) throw TUsageError{"--sort takes at most seven levels"};
  return levels;
}

uint8_t ParseScope(const std::string& text) {
  uint8_t scope = 0;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    const std::string side = AsciiLower(Trim(std::string_view(text).substr(start, comma == std::string::npos ? comma : comma - start)));
    if (side == "left") scope |= scLeft;
    else if (side == "center" || side == "node") scope |= scNode;
    else if (side == "right") scope |= scRight;
    else throw TUsageError{"--scope takes left, center and right, separated by commas"};
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return scope;
}

uint8_t ParseMode(const std::string& typed) {
  const std::string t = AsciiLower(Trim(typed));
  if (t == "word" || t == "char") return dmWord;
  if (t == "pos" || t == "tag") return dmTag;
  if (t == "word_pos") return dmWordTag;
  throw TUsageError{"a display mode is word, pos or word_pos"};
}

}  // namespace

int CmdConc(const std::vector<std::string>& argv) {
  std::set<std::string> flags = SearchFlags();
  flags.insert("exclude");
  std::set<std::string> valued = SearchValued();
  for (const char* v : {"sort", "filter", "scope", "modes", "save", "html", "page", "paragraph"}) valued.insert(v);
  TArgs args(argv, flags, valued);
  if (args.Has("paragraph") && !args.Has("html")) throw TUsageError{"--paragraph needs --html FILE"};
  if (args.Has("page") && !args.Has("html")) throw TUsageError{"--page needs --html FILE"};

  TProgressBar bar;
  TSearchSession session(args, bar);
  const TSortInfoArr levels = args.Has("sort") ? ParseSortLevels(args.Value("sort")) : TSortInfoArr{};
  const bool wantsLemma = std::any_of(levels.begin(), levels.end(), [](const TSortInfo& l) { return l.DataType == dtLemma; });
  const TSeggedSearchOper& search = session.Run(args, bar);
  if (search.HitCount() == 0) {
    std::cerr << "0 hit(s)\n";
    return 0;
  }
  TCorpus& corpus = *session.Opened().corpus;
  const bool smart = !args.Has("no-smart");

  TDisplaySettings settings;
  settings.LeftSpan = session.Spans().first;
  settings.RightSpan = session.Spans().second;
  settings.LeftMode = settings.CenterMode = settings.RightMode = dmWord;
  if (args.Has("modes")) {
    const std::string m = args.Value("modes");
    const size_t a = m.find(','), b = a == std::string::npos ? a : m.find(',', a + 1);
    if (a == std::string::npos || b == std::string::npos) throw TUsageError{"--modes takes three modes, as in word,word_pos,word"};
    settings.LeftMode = ParseMode(m.substr(0, a));
    settings.CenterMode = ParseMode(m.substr(a + 1, b - a - 1));
    settings.RightMode = ParseMode(m.substr(b + 1));
  }
  settings.Scope = args.Has("scope") ? ParseScope(args.Value("scope")) : (scLeft | scNode | scRight);
  settings.CaseSensitive = settings.SortCaseSensitive = args.Has("case");
  settings.SortLevels = levels;
  settings.Lemma = session.Lemma();
  settings.POSCategory = session.Category();
  if (wantsLemma && !settings.Lemma) settings.Lemma = session.EmbeddedLemma();

  TSeggedDisplay display(&search);
  ApplyDisplaySettings(display, settings, &bar);

  TIntArr result;
  std::string expression;
  const bool filtered = args.Has("filter");
  if (filtered) {
    std::string text(Trim(Utf8ToCodePage(args.Value("filter"), CodePageFor(corpus.Chinese()))));
    if (text.empty()) throw EKorvelinError("Filter expression is empty!");
    text = QueryForCorpus(corpus, text);
    expression = smart ? session.Translate(text) : text;
    result = display.Filter(expression, TIntArr{}, !args.Has("exclude"), &bar);
  }
  if (!levels.empty()) result = display.Sort(filtered ? result : TIntArr{}, &bar);
  if ((filtered || !levels.empty()) && result.empty()) throw EKorvelinError("The result is empty!");
  const int32_t rows = result.empty() ? search.HitCount() : static_cast<int32_t>(result.size());

  if (args.Has("paragraph")) {
    const int64_t hit = StrToInt(args.Value("paragraph"));
    display.WriteParagraph(args.Value("html"), static_cast<int32_t>(hit));
  } else if (args.Has("html")) {
    const int page = args.IntValue("page", 1, 1, 2147483647 / 100);
    const int32_t from = (page - 1) * 100 + 1, to = page * 100;
    if (filtered && !args.Has("exclude"))
      display.WriteHighlightedPage(args.Value("html"), expression, 0, 0, to, from, result, &bar);
    else
      display.WritePage(args.Value("html"), result, !levels.empty(), to, from, &bar);
  } else {
    const std::string target = args.Value("save", "-");
    if (target != "-") {
      display.SaveToText(target, result, &bar);
    } else {
      // The saved text, shown on the terminal.
      const std::string tmp =
          (std::filesystem::temp_directory_path() / ("korvelin-conc-" + std::to_string(::getpid()) + ".txt")).string();
      struct TRemove {
        std::string path;
        ~TRemove() { std::remove(path.c_str()); }
      } remove{tmp};
      display.SaveToText(tmp, result, &bar);
      std::cout << ForTerminal(ReadFileBytes(tmp), corpus, args.Has("raw-bytes"));
    }
  }
  std::cout.flush();
  std::cerr << rows << " hit(s)\n";
  return 0;
}

}  // namespace korvelin::cli
