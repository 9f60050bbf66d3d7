#include "query/Search.h"

#include <gtest/gtest.h>

#include <tuple>

#include "CorpusUtil.h"
#include "TestUtil.h"
#include "corpus/Corpus.h"
#include "corpus/CorpusFiles.h"
#include "corpus/Normalizers.h"
#include "foundation/Helpers.h"
#include "foundation/RegExpr.h"
#include "query/SmartInput.h"

namespace korvelin {
namespace {

using test::TTempDir;

// A corpus of the given files (each a text), loaded as stored lines.
class TCorpusFixture {
 public:
  explicit TCorpusFixture(std::initializer_list<std::string> texts) {
    TStrList files;
    int n = 0;
    for (const auto& t : texts) files.Add(dir.Write("f" + std::to_string(n++) + ".txt", t));
    corpus = std::make_unique<TCorpus>(files);
  }
  TTempDir dir;
  std::unique_ptr<TCorpus> corpus;
};

std::vector<std::string> Tokens(const TTokenArr& t) { return std::vector<std::string>(t.begin(), t.end()); }

TEST(Search, HitsCarryPositionsAndAdjacentTokensBothMatch) {
  TCorpusFixture fx({"a a b\nc a\n", "x\n"});
  TSeggedSearchOper s(fx.corpus.get());
  s.Search("a");
  ASSERT_EQ(s.HitCount(), 3);
  const TLineInfo h0 = s.GetHit(0), h1 = s.GetHit(1), h2 = s.GetHit(2);
  EXPECT_EQ(std::tie(h0.Index, h0.FileIndex, h0.LineIndex, h0.Pos, h0.Len, h0.ExprIndex),
            std::make_tuple(0, 0, 0, 2, 1, 0));
  EXPECT_EQ(h0.Match, "a");
  EXPECT_EQ(std::tie(h1.Pos, h1.LineIndex), std::make_tuple(4, 0));
  EXPECT_EQ(std::tie(h2.Pos, h2.LineIndex), std::make_tuple(4, 1));
  EXPECT_EQ(s.ExprCount(), 1);
  EXPECT_EQ(s.ExprHitCount(0), 3);
  EXPECT_EQ(s.GetExpr(0), "a");

  s.Search("a b");  // a match over several tokens keeps its inner space
  ASSERT_EQ(s.HitCount(), 1);
  EXPECT_EQ(s.GetHit(0).Match, "a b");
  EXPECT_EQ(s.GetHit(0).Len, 3);
}

TEST(Search, CaseAndSmartInput) {
  TCorpusFixture fx({"The_AT dog_NN1 saw_VVD the_AT cat_NN1\n"});
  TSeggedSearchOper s(fx.corpus.get());
  s.Search("the_\\S+");
  EXPECT_EQ(s.HitCount(), 2);
  s.SetCaseSensitive(true);
  s.Search("the_\\S+");
  EXPECT_EQ(s.HitCount(), 1);
  TSmartInput si(true);
  s.SetCaseSensitive(false);
  s.SetSmartInput(&si);
  s.Search("NN1");
  EXPECT_EQ(s.HitCount(), 2);
  s.Search("the NN1");
  ASSERT_EQ(s.HitCount(), 2);
  EXPECT_EQ(s.GetHit(0).Match, "The_AT dog_NN1");
  EXPECT_EQ(s.GetHit(1).Match, "the_AT cat_NN1");
  EXPECT_EQ(s.GetExpr(0), "the NN1");  // kept untranslated
}

TEST(Search, BatchListsKeepExpressionRuns) {
  TCorpusFixture fx({"a b a\nb c\n"});
  TSeggedSearchOper s(fx.corpus.get());
  TStrList list;
  list.SetText("a\n   \nb\nzzz\n");
  s.BatchSearch(list);
  EXPECT_EQ(s.ExprCount(), 3);
  EXPECT_EQ(s.GetExpr(1), "b");
  ASSERT_EQ(s.HitCount(), 4);
  EXPECT_EQ(s.ExprHitCount(0), 2);
  EXPECT_EQ(s.ExprHitCount(1), 2);
  EXPECT_EQ(s.ExprHitCount(2), 0);
  EXPECT_EQ(s.GetHit(2).ExprIndex, 1);
  for (int i = 0; i < s.HitCount(); ++i) EXPECT_EQ(s.GetHit(i).Index, i);

  TStrList blank;
  blank.SetText(" \n\t\n");
  EXPECT_KV_ERROR(s.BatchSearch(blank), "No word or expression was found in the input list file!");
  EXPECT_KV_ERROR(s.BatchSearch(TStrList()), "No word or expression was found in the input list file!");
}

TEST(Search, ErrorsAndRangeChecks) {
  EXPECT_KV_ERROR(TSeggedSearchOper(nullptr), "No corpus was loaded!");
  TCorpusFixture fx({"a b\n"});
  TSeggedSearchOper s(fx.corpus.get());
  EXPECT_KV_ERROR(s.Search("  "), "Please type in your query word or expression!");
  s.Search("zzz");
  EXPECT_EQ(s.HitCount(), 0);
  EXPECT_EQ(s.ExprHitCount(0), 0);
  EXPECT_KV_ERROR(s.GetSpans(5, 5), "Search was not executed or no hits returned!");
  s.Search("a");
  EXPECT_KV_ERROR(s.GetHit(1), "TSeggedSearchOper Upper bound overflows! (1>0)");
  EXPECT_KV_ERROR(s.GetExpr(-1), "TSeggedSearchOper Lower bound overflows!");
  EXPECT_KV_ERROR(s.GetSpans(11, 5), "TSeggedSearchOper Upper bound overflows! (11>10)");
  EXPECT_THROW(s.Search("(a"), EKorvelinError);
}

TEST(Search, ShortMatchesNeverStallTheScan) {
  TCorpusFixture fx({"a b a\n"});
  TSeggedSearchOper s(fx.corpus.get());
  // Wrapped in spaces this is " a" or " ": a lone space matches everywhere.
  s.Search("a|");
  ASSERT_EQ(s.HitCount(), 2);
  for (int i = 0; i < s.HitCount(); ++i) {
    EXPECT_GE(s.GetHit(i).Len, 0);
    EXPECT_EQ(s.GetHit(i).Match, "a");
  }
}

TEST(Search, RunawayPatternsFailClearly) {
  TCorpusFixture fx({"a b\n" + std::string(40, 'a') + "!\n"});
  TSeggedSearchOper s(fx.corpus.get());
  try {
    s.Search("(a+)+b");
    ADD_FAILURE() << "no error";
  } catch (const EKorvelinError& e) {
    EXPECT_NE(std::string(e.what()).find("needs too much backtracking"), std::string::npos) << e.what();
  }
}

TEST(Spans, ContextsStopAtLineEndsAndHonourDitto) {
  TCorpusFixture fx({"a b c d e\nx in_II31 spite_II32 of_II33 y\n"});
  TSeggedSearchOper s(fx.corpus.get());
  s.Search("(a|c|e|y)");
  TSpanArr spans = s.GetSpans(2, 3);
  ASSERT_EQ(spans.size(), 4u);
  EXPECT_TRUE(spans[0].Left.empty());  // first token of its line
  EXPECT_EQ(Tokens(spans[0].Right), (std::vector<std::string>{"b", "c", "d"}));
  EXPECT_EQ(Tokens(spans[1].Left), (std::vector<std::string>{"b", "a"}));
  EXPECT_TRUE(spans[2].Right.empty());  // last token of its line
  EXPECT_EQ(Tokens(spans[3].Left), (std::vector<std::string>{"of_II33", "spite_II32"}));

  spans = s.GetSpans(0, 1);
  for (const auto& sp : spans) EXPECT_TRUE(sp.Left.empty());

  fx.corpus->SetTagged(true);
  fx.corpus->SetDittoTags(true);
  spans = s.GetSpans(5, 5);
  EXPECT_EQ(Tokens(spans[3].Left), (std::vector<std::string>{"in_II31 spite_II32 of_II33", "x"}));
  fx.corpus->SetTagged(false);  // ditto grouping needs both flags
  spans = s.GetSpans(5, 5);
  EXPECT_EQ(spans[3].Left.size(), 4u);
}

TEST(NGrams, EveryRunOfNTokens) {
  TCorpusFixture fx({"a b\nv w x y z\n"});
  TNGramSearchOper s(fx.corpus.get());
  s.EnumerateNGrams(3);
  ASSERT_EQ(s.HitCount(), 3);
  EXPECT_EQ(s.GetHit(0).Match, "v w x");
  EXPECT_EQ(s.GetHit(2).Match, "x y z");
  EXPECT_EQ(s.GetHit(2).ExprIndex, -1);
  EXPECT_EQ(s.GetHit(1).Pos, 4);
  EXPECT_EQ(s.ExprCount(), 0);
  EXPECT_EQ(s.NLength(), 3);
  s.EnumerateNGrams(1);  // appended to what is there
  EXPECT_EQ(s.HitCount(), 3 + 7);
  EXPECT_KV_ERROR(s.EnumerateNGrams(11), "TNGramSearchOper Upper bound overflows! (11>10)");
  EXPECT_KV_ERROR(s.EnumerateNGrams(0), "TNGramSearchOper Lower bound overflows!");
}

// Every line searched on its own, as the search is defined; the engine
// matches chunks of lines at once and must give the same hits.
std::vector<std::tuple<int, int, int, int>> LineByLine(const TCorpus& c, const std::string& expr, bool cs) {
  TRegExpr re(" " + expr + " ", cs);
  std::vector<std::tuple<int, int, int, int>> hits;
  for (int f = 0; f < c.FileCount(); ++f)
    for (int l = 0; l < c.LineCount(f); ++l) {
      const std::string_view line = c.GetLine(f, l);
      size_t off = 0;
      while (off <= line.size() && re.Exec(line, off)) {
        const size_t s = re.MatchPos(), len = re.MatchLen();
        if (len >= 2) hits.emplace_back(f, l, static_cast<int>(s + 2), static_cast<int>(len - 2));
        off = (len >= 2 && s + len - 1 > s) ? s + len - 1 : s + 1;
      }
    }
  return hits;
}

std::vector<std::tuple<int, int, int, int>> Engine(const TSeggedSearchOper& s) {
  std::vector<std::tuple<int, int, int, int>> hits;
  for (int i = 0; i < s.HitCount(); ++i) {
    const THit& h = s.Hit(i);
    hits.emplace_back(h.FileIndex, h.LineIndex, h.Pos, h.Len);
  }
  return hits;
}

TEST(Search, ChunksGiveTheHitsOfLineByLineMatching) {
  TCorpusFixture fx({"end x\ny start\nq  r\n", "solo\n\nx\ny\n"});
  const char* patterns[] = {"x\\s+y", "x[^q]+y", "\\S+", "x|y", "start$", "(?=y)y", "\\s*", "r \\S*"};
  for (const char* p : patterns) {
    TSeggedSearchOper s(fx.corpus.get());
    s.Search(p);
    EXPECT_EQ(Engine(s), LineByLine(*fx.corpus, p, false)) << p;
  }
}

TEST(Search, ChunksGiveTheHitsOfLineByLineMatchingOnRealText) {
  const std::string folder = test::SharedCorpus("en_raw_small");
  if (folder.empty()) GTEST_SKIP() << "shared corpora not present";
  const auto loaded = test::LoadFolder(folder, true);
  const TCorpus& corpus = *loaded;
  const char* patterns[] = {"the", "in the \\S+ of", "\\S+ing", "[^a-z]+", "said\\s\\S+", "Alice", "a|the"};
  for (const char* p : patterns) {
    TSeggedSearchOper s(&corpus);
    s.Search(p);
    EXPECT_EQ(Engine(s), LineByLine(corpus, p, false)) << p;
  }
}

TEST(Search, RawChineseQueriesAreSpacedOut) {
  TCorpusFixture fx({std::string(60, '\xB0') + "\n"});
  ASSERT_TRUE(SearchesByCharacter(*fx.corpus));
  EXPECT_EQ(QueryForCorpus(*fx.corpus, " \xD6\xD0\xB9\xFA "), "\xD6\xD0 \xB9\xFA");
  TStrList list;
  list.SetText("\xD6\xD0\xB9\xFA\n\n");
  EXPECT_EQ(BatchListForCorpus(*fx.corpus, list)[0], "\xD6\xD0 \xB9\xFA");
  fx.corpus->SetSegmented(true);
  EXPECT_EQ(QueryForCorpus(*fx.corpus, "\xD6\xD0\xB9\xFA"), "\xD6\xD0\xB9\xFA");
}

}  // namespace
}  // namespace korvelin

namespace korvelin {
namespace {

TEST(Search, ChineseCharactersWithAsciiSecondBytes) {
  // Segmented Chinese words (with 60 high bytes so the corpus reads as Chinese)
  // whose characters end in "[" or a letter.
  const std::string bracket = "\x81[", lower = "\x81" "a", upper = "\x81" "A", word = "\xD6\xD0\xB9\xFA";
  TCorpusFixture fx({std::string(60, '\xB0') + "\n" + word + " " + bracket + " " + lower + " " + upper + " x\n"});
  ASSERT_TRUE(fx.corpus->Chinese());
  fx.corpus->SetSegmented(true);
  TSeggedSearchOper s(fx.corpus.get());
  TSmartInput si(false);
  s.SetSmartInput(&si);
  s.Search(bracket);
  ASSERT_EQ(s.HitCount(), 1);
  EXPECT_EQ(s.GetHit(0).Match, bracket);
  s.Search(lower);  // case is off, yet the other character does not match
  ASSERT_EQ(s.HitCount(), 1);
  EXPECT_EQ(s.GetHit(0).Match, lower);
  TSmartInput tagged(true);
  tagged.SetChinese(true);
  EXPECT_EQ(tagged.TermKind(bracket), tkWord);
}

}  // namespace
}  // namespace korvelin
