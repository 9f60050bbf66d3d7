#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "ConcFixture.h"
#include "CorpusUtil.h"
#include "concordance/Display.h"
#include "corpus/CorpusFiles.h"
#include "corpus/Normalizers.h"
#include "foundation/Helpers.h"
#include "lemma/Lemma.h"

namespace korvelin {
namespace {

using test::TConc;

TEST(Sort, RefusesWithoutLevelsOrTables) {
  TConc c("a_X b_Y c_Z\n", test::kTagged);
  TSeggedDisplay& d = c.Show("b_Y");
  EXPECT_KV_ERROR(d.Sort({}), "Please set the sort type and rank!");
  d.SetSortInfo({{1, 2, dtLemma}});
  EXPECT_KV_ERROR(d.Sort({}), "Please specify a lemma list!");
  d.SetSortInfo({{1, 0, dtWord}, {1, 2, dtPOSCategory}});
  EXPECT_KV_ERROR(d.Sort({}), "Please select a POS category mapping table!");
  d.SetSortInfo({{1, 2, dtWord}});
  EXPECT_KV_ERROR(d.Sort({3}), "TSeggedDisplay Upper bound overflows! (3>0)");
}

TEST(Sort, KeysReduceTokensByDataType) {
  TConc c("I_PPIS1 went_VVD home_NN1 in_II31 spite_II32 of_II33 it_PPH1\n", test::kTaggedDitto);
  const std::string lemmas = c.dir.Write("lemma.txt", "went=go\r\ngoes=go\r\n");
  const std::string cats = c.dir.Write("cat.txt", "VVD=VERB\nNN1=NOUN\n");
  TUserLemma lemma(lemmas);
  TPOSCategory category(cats);
  TSeggedDisplay& d = c.Show("home_NN1");
  d.SetLemma(&lemma);
  d.SetPOSCategory(&category);
  struct TCase {
    TSortInfoArr levels;
    std::string key;
  };
  const std::vector<TCase> cases = {
      {{{1, 0, dtWord}}, "went"},
      {{{1, 0, dtPOS}}, "VVD"},
      {{{1, 0, dtLemma}}, "go went"},
      {{{2, 0, dtLemma}}, "I I"},  // no entry: the word is its own lemma
      {{{1, 0, dtPOSCategory}}, "VERB VVD"},
      {{{1, 0, dtToken}}, "went_VVD"},
      {{{0, 1, dtPOSCategory}}, "NOUN NN1"},
      {{{1, 2, dtWord}}, "in spite of"},  // a multi-word unit is one token
      {{{1, 2, dtPOS}}, "II31 II32 II33"},
      {{{1, 0, dtWord}, {1, 2, dtPOS}, {0, 1, dtToken}}, "went II31 II32 II33 home_NN1"},
      {{{3, 0, dtWord}, {2, 2, dtWord}}, "it"},       // an empty leading level: the key starts at the next
      {{{2, 2, dtWord}, {3, 0, dtWord}, {1, 0, dtWord}}, "it  went"},  // an empty token still adds its space
  };
  for (const auto& tc : cases) {
    d.SetSortInfo(tc.levels);
    EXPECT_EQ(d.SortKey(0), tc.key);
  }
}

TEST(Sort, EqualKeysFollowTheirHitNumbersAsText) {
  std::string text;
  for (int i = 0; i < 12; ++i) text += "a x\n";
  TConc c(text, test::kUntagged);
  TSeggedDisplay& d = c.Show("a");
  d.SetSortInfo({{1, 2, dtWord}});
  EXPECT_EQ(d.Sort({2, 10, 9}), (TIntArr{10, 2, 9}));
  EXPECT_EQ(d.Sort({}), (TIntArr{0, 1, 10, 11, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(Sort, KeysCompareWholeBeforeHitNumbers) {
  // A key that is a prefix of another sorts first even when the longer one
  // continues with a byte below the line feed that separates key and number.
  TConc c("x a\tb\nx a\nx a!\nx A\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("x");
  d.SetSortInfo({{1, 2, dtWord}});
  EXPECT_EQ(d.Sort({}), (TIntArr{1, 3, 0, 2}));
}

TEST(Sort, HitsWithoutAKeyAreLeftOut) {
  TConc c("a b\nc a\nb a d\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("a");
  d.SetSortInfo({{1, 2, dtWord}});
  EXPECT_EQ(d.Sort({}), (TIntArr{0, 2}));  // "b", "d"; the hit at the line end has no R1
  d.SetSortInfo({{1, 0, dtWord}, {1, 2, dtWord}});
  EXPECT_EQ(d.SortKey(0), "b");  // no L1: the key is R1 alone and sorts among the others by it
  EXPECT_EQ(d.Sort({}), (TIntArr{0, 2, 1}));  // "b", "b d", "c"

  TConc zero("a b\nc a d\n", test::kUntagged);
  TSeggedDisplay& z = zero.Show("a", 5, 0);  // nothing cut on the right
  z.SetSortInfo({{1, 2, dtWord}});
  EXPECT_TRUE(z.Sort({}).empty());
}

TEST(Sort, CaseRuleDecidesWhereCapitalsGo) {
  TConc c("a the\na The\na apple\na Zoo\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("a");
  d.SetSortInfo({{1, 2, dtWord}});
  struct TCase {
    bool caseSensitive;
    TIntArr order;
  };
  for (const TCase& tc : {TCase{false, {2, 0, 1, 3}}, TCase{true, {1, 3, 2, 0}}}) {
    d.SetSortCaseSensitive(tc.caseSensitive);
    EXPECT_EQ(d.Sort({}), tc.order) << tc.caseSensitive;
  }
}

TEST(Sort, FarLevelsNeedTheirSpan) {
  TConc c("k j i h g f e d c b a x\nz y x\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("x", 10, 0);
  d.SetSortInfo({{10, 0, dtWord}});
  EXPECT_EQ(d.SortKey(0), "j");
  EXPECT_EQ(d.Sort({}), (TIntArr{0}));
}

TEST(Sort, LemmaLevelsPutFormsUnderTheirLemma) {
  TConc c("a went\na go\na apple\na goes\n", test::kUntagged);
  TUserLemma lemma(c.dir.Write("lemma.txt", "went=go\ngoes=go\n"));
  TSeggedDisplay& d = c.Show("a");
  d.SetLemma(&lemma);
  d.SetSortInfo({{1, 2, dtLemma}});
  EXPECT_EQ(d.Sort({}), (TIntArr{2, 1, 3, 0}));  // apple; go, goes, went
}

// Against the real corpora when present: the sorted list holds exactly the
// hits with a key, and neighbours are ordered by (key, hit number as text).
TEST(Sort, OrdersARealConcordanceByKeyThenHitText) {
  const std::string folder = test::SharedCorpus("en_raw_small");
  if (folder.empty()) GTEST_SKIP() << "shared corpora not present";
  const auto corpus = test::LoadFolder(folder, true);
  TSeggedSearchOper search(corpus.get());
  search.Search("the");
  ASSERT_GT(search.HitCount(), 10000);
  TSeggedDisplay d(&search);
  d.SetSpans(3, 3);
  d.SetSortInfo({{1, 2, dtWord}, {1, 0, dtWord}});
  const TIntArr sorted = d.Sort({});
  size_t withKey = 0;
  std::vector<std::string> keys(static_cast<size_t>(search.HitCount()));
  for (int32_t h = 0; h < search.HitCount(); ++h) {
    keys[static_cast<size_t>(h)] = d.SortKey(h);
    withKey += !keys[static_cast<size_t>(h)].empty();
  }
  ASSERT_EQ(sorted.size(), withKey);
  TIntArr seen = sorted;
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
  for (size_t i = 1; i < sorted.size(); ++i) {
    const int32_t a = sorted[i - 1], b = sorted[i];
    int c = CompareStrings(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)], false);
    if (c == 0) c = CompareStrings(std::to_string(a), std::to_string(b), false);
    ASSERT_LT(c, 0) << i << ": " << keys[static_cast<size_t>(a)] << " / " << keys[static_cast<size_t>(b)];
  }
}

}  // namespace
}  // namespace korvelin
