#include <gtest/gtest.h>

#include <filesystem>

#include "ConcFixture.h"
#include "concordance/Display.h"
#include "concordance/DisplaySettings.h"
#include "foundation/Helpers.h"
#include "lemma/Lemma.h"

namespace korvelin {
namespace {

using test::TConc;

TEST(Filter, RefusesWithoutScopeOrExpression) {
  TConc c("a b c\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("b");
  EXPECT_KV_ERROR(d.Filter("a", {}, true), "Please set filter scope!");
  d.SetScope(scLeft);
  EXPECT_KV_ERROR(d.Filter("  ", {}, true), "Filter expression is empty!");
  EXPECT_THROW(d.Filter("(a", {}, true), EKorvelinError);
  EXPECT_KV_ERROR(d.Filter("a", {5}, true), "TSeggedDisplay Upper bound overflows! (5>0)");
}

TEST(Filter, MatchesTheSidesOfTheScopeOnly) {
  // Hits on "x": "the" on the left of 0 and 3, on the right of 1, nowhere
  // near 2; 3 ends its line.
  TConc c("the a x b\nc x the\nd x e\nthe x\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("x");
  struct TCase {
    uint8_t scope;
    std::string expr;
    bool include;
    TIntArr kept;
  };
  const std::vector<TCase> cases = {
      {scLeft | scRight, "the", true, {0, 1, 3}},
      {scLeft, "the", true, {0, 3}},
      {scRight, "the", true, {1}},
      {scRight, "the", false, {0, 2, 3}},        // excluding keeps the hit with no right tokens
      {scNode, "x", true, {0, 1, 2, 3}},
      {scNode, "x b", true, {}},                  // two tokens never match a one-token node
      {scNode | scRight, "x b", true, {}},        // nor across the edge of the node
      {scLeft | scNode, "a x", true, {}},
      {scLeft | scNode | scRight, "THE", true, {0, 1, 3}},  // case off
      {scLeft, "zzz", true, {}},
  };
  for (const auto& tc : cases) {
    d.SetScope(tc.scope);
    EXPECT_EQ(d.Filter(tc.expr, {}, tc.include), tc.kept) << int(tc.scope) << " " << tc.expr;
  }
  d.SetScope(scLeft | scRight);
  d.SetCaseSensitive(true);
  EXPECT_EQ(d.Filter("THE", {}, true), TIntArr{});
  // The given list's order is kept.
  d.SetCaseSensitive(false);
  EXPECT_EQ(d.Filter("the", {3, 2, 1, 0}, true), (TIntArr{3, 1, 0}));
}

TEST(Filter, NodeMatchesAcrossItsOwnTokens) {
  TConc c("p q r s\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("q r");
  d.SetScope(scNode);
  EXPECT_EQ(d.Filter("q r", {}, true), TIntArr{0});
  d.SetScope(scLeft | scNode);
  EXPECT_EQ(d.Filter("p q", {}, true), TIntArr{});
}

TEST(Save, WritesOneTabSeparatedLinePerHit) {
  TConc c("the cat sat on the mat\nsat\n", test::kUntagged);
  c.Show("sat");
  const std::string path = c.dir / "out.txt";
  c.display->SaveToText(path, {1, 0});
  EXPECT_EQ(test::ReadAll(path), "1\tf0\t\t sat \t\r\n2\tf0\tthe cat\t sat \ton the mat\r\n");
  EXPECT_KV_ERROR(c.display->SaveToText("  ", {}), "File name was not specified!");
}

TEST(Save, WordPosWithoutMarkupAndUnitsAsTokens) {
  TConc c("x_NN1 <b>_NN1 sat_VVD in_II31 spite_II32 of_II33 y_NN1\n", test::kTaggedDitto);
  TSeggedDisplay& d = c.Show("sat_VVD");
  d.SetModes(dmWordTag, dmWordTag, dmWord);
  const std::string path = c.dir / "out.txt";
  d.SaveToText(path, {});
  EXPECT_EQ(test::ReadAll(path), "1\tf0\tx_NN1 <b>_NN1\t sat_VVD \tin spite of y\r\n");
  d.SetModes(dmTag, dmWord, dmTag);
  d.SaveToText(path, {});
  EXPECT_EQ(test::ReadAll(path), "1\tf0\tNN1 NN1\t sat \tII31 II32 II33 NN1\r\n");
}

TEST(Save, KeepsAllCutTokensAndRunsRawChineseTogether) {
  TConc c(test::Gbk("我 们 在 这 里 学 习\n"), test::kRawChinese);
  TSeggedDisplay& d = c.Show(test::Gbk("这"), 2, 2);
  d.SetSpans(0, 0);  // what shows changes; what was cut is saved
  const std::string path = c.dir / "out.txt";
  c.dir.Write("out.txt", "an older file");
  d.SaveToText(path, {});
  EXPECT_EQ(test::ReadAll(path), "1\tf0\t" + test::Gbk("们在") + "\t " + test::Gbk("这") + " \t" + test::Gbk("里学") + "\r\n");
  // Written through a temporary file: nothing else is left in the folder.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(c.dir.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 2);  // f0.txt and out.txt
}

TEST(Settings, ApplyPutsEverythingOnTheDisplayAndForgetsMissingTables) {
  TConc c("a_X b_Y c_Z\n", test::kTagged);
  TSeggedDisplay& d = c.Show("b_Y");
  TUserLemma lemma(c.dir.Write("l.txt", "a=b\n"));
  TPOSCategory category(c.dir.Write("c.txt", "X=N\n"));
  TDisplaySettings s;
  s.LeftSpan = 2;
  s.RightSpan = 0;
  s.LeftMode = dmWord;
  s.CenterMode = dmWordTag;
  s.RightMode = dmTag;
  s.Scope = scLeft | scRight;
  s.CaseSensitive = true;
  s.SortCaseSensitive = true;
  s.SortLevels = {{1, 0, dtLemma}};
  s.Lemma = &lemma;
  s.POSCategory = &category;
  ApplyDisplaySettings(d, s);
  EXPECT_EQ(d.LeftSpan(), 2);
  EXPECT_EQ(d.RightSpan(), 0);
  EXPECT_EQ(d.LeftMode(), dmWord);
  EXPECT_EQ(d.CenterMode(), dmWordTag);
  EXPECT_EQ(d.RightMode(), dmTag);
  EXPECT_EQ(d.Scope(), scLeft | scRight);
  EXPECT_TRUE(d.CaseSensitive());
  EXPECT_TRUE(d.SortCaseSensitive());
  EXPECT_EQ(d.SortInfo().size(), 1u);
  EXPECT_EQ(d.Lemma(), &lemma);
  EXPECT_EQ(d.POSCategory(), &category);
  EXPECT_EQ(d.SortKey(0), "b a");

  s.Lemma = nullptr;  // the owner dropped its list: the display must not keep it
  s.POSCategory = nullptr;
  ApplyDisplaySettings(d, s);
  EXPECT_EQ(d.Lemma(), nullptr);
  EXPECT_EQ(d.POSCategory(), nullptr);
  EXPECT_KV_ERROR(d.Sort({}), "Please specify a lemma list!");

  s.RightMode = 7;  // refused before anything changes
  s.LeftMode = dmTag;
  EXPECT_KV_ERROR(ApplyDisplaySettings(d, s), "TSeggedDisplay Upper bound overflows! (7>2)");
  EXPECT_EQ(d.LeftMode(), dmWord);
}

}  // namespace
}  // namespace korvelin
