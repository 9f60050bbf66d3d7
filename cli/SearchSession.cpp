#include "SearchSession.h"

#include "ProgressBar.h"
#include "corpus/Normalizers.h"
#include "foundation/CodePage.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/TextFile.h"
#include "lemma/Lemma.h"
#include "query/Search.h"
#include "query/SmartInput.h"

namespace korvelin::cli {

std::set<std::string> SearchFlags() {
  return {"case", "no-smart", "no-subfolders", "embedded-lemma", "no-ditto", "raw-bytes"};
}

std::set<std::string> SearchValued() { return {"batch", "lemma-list", "pos-list", "language", "format", "spans"}; }

const char* kSearchOptionsHelp =
    "      --case               letters must match in case\n"
    "      --no-smart           QUERY is a regular expression, not smart input\n"
    "      --batch FILE         search every line of FILE (at most 10000) instead of QUERY\n"
    "      --embedded-lemma     use the built-in lemma list for @lemma terms\n"
    "      --lemma-list FILE    use a lemma list file (form=lemma lines)\n"
    "      --pos-list FILE      use a POS-category list file (TAG=CATEGORY lines) for #CATEGORY terms\n"
    "      --language english|chinese   correct the detected language\n"
    "      --format raw|tagged|segmented correct the detected format (segmented: Chinese only)\n"
    "      --no-ditto           do not group multi-word units by their ditto tags\n"
    "      --spans L,R          context tokens on each side, 0 to 10 (default 5,5)\n"
    "      --no-subfolders      do not collect files from subfolders\n"
    "      --raw-bytes          write corpus text in its code page instead of UTF-8\n";

namespace {

std::pair<int, int> ParseSpans(const std::string& text) {
  const size_t comma = text.find(',');
  auto bad = [&] { return TUsageError{"--spans needs two whole numbers from 0 to 10, as in 5,5"}; };
  if (comma == std::string::npos) throw bad();
  try {
    const int64_t l = StrToInt(Trim(std::string_view(text).substr(0, comma)));
    const int64_t r = StrToInt(Trim(std::string_view(text).substr(comma + 1)));
    if (l < 0 || l > 10 || r < 0 || r > 10) throw bad();
    return {static_cast<int>(l), static_cast<int>(r)};
  } catch (const EKorvelinError&) {
    throw bad();
  }
}

}  // namespace

TSearchSession::TSearchSession(const TArgs& args, TProgressBar& bar) {
  const auto& pos = args.Positional();
  const size_t want = args.Has("batch") ? 1 : 2;
  if (pos.size() != want)
    throw TUsageError{args.Has("batch") ? "give FOLDER only when --batch names the list"
                                        : "give FOLDER and QUERY (or FOLDER and --batch FILE)"};
  if (args.Has("spans")) spans_ = ParseSpans(args.Value("spans"));

  opened_ = OpenCorpusFolder(pos[0], !args.Has("no-subfolders"), bar);
  TCorpus& corpus = *opened_.corpus;
  // The translator knows the format detected at load time, as in the window.
  smartInput_ = std::make_unique<TSmartInput>(corpus.Tagged());

  if (args.Has("language")) {
    const std::string lang = AsciiLower(args.Value("language"));
    if (lang != "english" && lang != "chinese") throw TUsageError{"--language is english or chinese"};
    corpus.SetChinese(lang == "chinese");
  }
  if (args.Has("format")) {
    const std::string format = AsciiLower(args.Value("format"));
    if (format != "raw" && format != "tagged" && format != "segmented")
      throw TUsageError{"--format is raw, tagged or segmented"};
    if (format == "segmented" && !corpus.Chinese())
      throw TUsageError{"--format segmented is offered for Chinese corpora only"};
    corpus.SetTagged(format == "tagged");
    if (corpus.Chinese()) corpus.SetSegmented(format == "segmented");
  }
  // Ditto tags apply to tagged English text and are on there unless refused.
  corpus.SetDittoTags(corpus.Tagged() && !corpus.Chinese() && !args.Has("no-ditto"));

  if (args.Has("embedded-lemma") && args.Has("lemma-list"))
    throw TUsageError{"choose --embedded-lemma or --lemma-list, not both"};
  if (args.Has("embedded-lemma")) lemma_ = std::make_unique<TMyLemma>();
  if (args.Has("lemma-list")) lemma_ = std::make_unique<TUserLemma>(args.Value("lemma-list"), '=');
  if (args.Has("pos-list")) category_ = std::make_unique<TPOSCategory>(args.Value("pos-list"), '=');
  if (lemma_) smartInput_->SetLemma(lemma_.get());
  if (category_) smartInput_->SetPOSCategory(category_.get());
}

TSearchSession::~TSearchSession() = default;

const TSeggedSearchOper& TSearchSession::Run(const TArgs& args, TProgressBar& bar) {
  TCorpus& corpus = *opened_.corpus;
  const bool smart = !args.Has("no-smart");
  const TCodePage cp = CodePageFor(corpus.Chinese());

  TStrList batch;
  std::string query;
  if (args.Has("batch")) {
    const std::string path = args.Value("batch");
    batch.LoadFromFile(path);
    if (batch.TextIsBlank()) throw EKorvelinError(std::string(ExtractFileName(path)) + "\xE6\x98\xAF\xE7\xA9\xBA\xE7\x9A\x84!");
    if (batch.Count() > 10000)
      throw EKorvelinError("\xE6\x89\xB9\xE9\x87\x8F\xE6\x9F\xA5\xE8\xAF\xA2\xE6\x9C\x80\xE5\xA4\x9A\xE6\x94\xAF\xE6\x8C\x81" +
                           std::to_string(10000) + "\xE6\x9D\xA1\xE8\xAE\xB0\xE5\xBD\x95!");
  } else {
    query = Utf8ToCodePage(args.Positional()[1], cp);
  }

  if (smart) CheckQueryTables(args.Has("batch") ? batch.Text() : query);

  PrepareCorpusLines(corpus, &bar);
  search_ = std::make_unique<TSeggedSearchOper>(&corpus);
  search_->SetCaseSensitive(args.Has("case"));
  search_->SetSmartInput(smart ? smartInput_.get() : nullptr);
  if (args.Has("batch"))
    search_->BatchSearch(BatchListForCorpus(corpus, batch), &bar);
  else
    search_->Search(QueryForCorpus(corpus, query), &bar);
  return *search_;
}

void TSearchSession::CheckQueryTables(const std::string& text) {
  // The built-in lemma list is taken when "@" needs one; "#" without a
  // category list stops the command.
  switch (QueryTablesNeeded(text, smartInput_->HasLemma(), smartInput_->HasPOSCategory())) {
    case TQueryNeed::LemmaList:
      EmbeddedLemma();
      break;
    case TQueryNeed::POSCategoryList:
      throw EKorvelinError("Please select a POS Category list first!");
    case TQueryNeed::Nothing:
      break;
  }
}

TLemma* TSearchSession::EmbeddedLemma() {
  if (!lemma_) {
    lemma_ = std::make_unique<TMyLemma>();
    smartInput_->SetLemma(lemma_.get());
  }
  return lemma_.get();
}

std::string TSearchSession::Translate(const std::string& text) {
  CheckQueryTables(text);
  return smartInput_->Translate(text);
}

std::string JoinTokens(const TTokenArr& tokens, bool left) {
  std::string out;
  for (size_t k = 0; k < tokens.size(); ++k) {
    if (k) out += ' ';
    out.append(tokens[left ? tokens.size() - 1 - k : k]);
  }
  return out;
}

}  // namespace korvelin::cli
