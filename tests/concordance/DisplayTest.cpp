#include "concordance/Display.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ConcFixture.h"
#include "foundation/Helpers.h"

namespace korvelin {
namespace {

using test::TConc;

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t i = text.find(what); i != std::string::npos; i = text.find(what, i + what.size())) ++n;
  return n;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string all;
  for (const auto& l : lines) all += l + "\n";
  return all;
}

TEST(Display, CreationAndSettersRefuseWhatTheyCannotUse) {
  EXPECT_KV_ERROR(TSeggedDisplay(nullptr), "Search was not executed!");
  TConc c("a b c\n", test::kUntagged);
  c.search->Search("zzz");
  EXPECT_KV_ERROR(TSeggedDisplay(c.search.get()), "No hit returned!");

  TSeggedDisplay& d = c.Show("b");
  EXPECT_KV_ERROR(d.SetLemma(nullptr), "Please specify a lemma list!");
  EXPECT_KV_ERROR(d.SetPOSCategory(nullptr), "Please select a POS category mapping table!");
  EXPECT_KV_ERROR(d.SetSpans(11, 0), "TSeggedDisplay Upper bound overflows! (11>10)");
  EXPECT_KV_ERROR(d.SetSpans(0, -1), "TSeggedDisplay Lower bound overflows!");
  EXPECT_KV_ERROR(d.SetModes(0, 3, 0), "TSeggedDisplay Upper bound overflows! (3>2)");
  for (const std::string name : {"", "   "}) {
    EXPECT_KV_ERROR(d.WritePage(name, {}, false, 100, 1), "File name was not specified!");
    EXPECT_KV_ERROR(d.WriteHighlightedPage(name, "b", 0, 0, 100, 1, {}), "File name was not specified!");
    EXPECT_KV_ERROR(d.WriteParagraph(name, 0), "File name was not specified!");
  }
  EXPECT_KV_ERROR(d.WriteParagraph(c.dir / "p.htm", 1), "TSeggedDisplay Upper bound overflows! (1>0)");
  EXPECT_KV_ERROR(d.WritePage(c.dir / "p.htm", {7}, false, 100, 1), "TSeggedDisplay Upper bound overflows! (7>0)");
  // A refused page leaves nothing behind.
  EXPECT_FALSE(std::filesystem::exists(c.dir / "p.htm"));
}

TEST(Display, PageHasTheHeadTableAndFootAndExactRows) {
  TConc c("the cat sat on the mat\nsat here\n", test::kUntagged);
  c.Show("sat");
  const auto page = c.Page();
  ASSERT_GE(page.size(), 8u);
  EXPECT_EQ(page[3], "<title>concordance (1-2/2)</title>");
  EXPECT_EQ(page[4], "<style type=\"text/css\">@import \"sys/result.css\";</style>");
  EXPECT_EQ(page[8], "<table>");
  const auto rows = TConc::Rows(page);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0],
            "<tr><td class=\"n\">1.\t</td><td class=\"f\"><nobr><a href=\"0\">f0</a></nobr></td>"
            "<td class=\"l\"><nobr>the cat</nobr></td><td class=\"c\"><nobr> sat </nobr></td>"
            "<td class=\"r\"><nobr>on the mat</nobr></td></tr>");
  // A hit at the start of its line has an empty left cell, not a missing one.
  EXPECT_EQ(TConc::Context(page, 1)[0], "<td class=\"l\"><nobr></nobr></td>");
  EXPECT_EQ(page[page.size() - 7], "</table>");
  EXPECT_EQ(page.back(), "</body></html>");
}

TEST(Display, ZeroSpansGiveBareCellsOnTheirSideOnly) {
  struct TCase {
    int left, right;
    std::string leftCell, rightCell;
  };
  const std::vector<TCase> cases = {
      {5, 0, "<td class=\"l\"><nobr>the cat</nobr></td>", "<td></td>"},
      {0, 5, "<td></td>", "<td class=\"r\"><nobr>on the mat</nobr></td>"},
      {0, 0, "<td></td>", "<td></td>"},
  };
  for (const auto& tc : cases) {
    TConc c("the cat sat on the mat\n", test::kUntagged);
    c.Show("sat", 5, 5);
    c.display->SetSpans(tc.left, tc.right);  // the tokens stay cut; the spans decide what shows
    const auto cells = TConc::Context(c.Page(), 0);
    EXPECT_EQ(cells[0], tc.leftCell) << tc.left << " " << tc.right;
    EXPECT_EQ(cells[1], "<td class=\"c\"><nobr> sat </nobr></td>");
    EXPECT_EQ(cells[2], tc.rightCell) << tc.left << " " << tc.right;
  }
}

TEST(Display, SpansAreCutOnceByTheFirstSetSpans) {
  TConc c("a b c d e f g\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("d", 1, 1);
  d.SetSpans(5, 5);
  ASSERT_EQ(d.Spans().size(), 1u);
  EXPECT_EQ(d.Spans()[0].Left.size(), 1u);
  EXPECT_EQ(TConc::Context(c.Page(), 0)[0], "<td class=\"l\"><nobr>c</nobr></td>");
}

TEST(Display, PageRangesFollowTheRowPositions) {
  std::string text;
  for (int i = 0; i < 250; ++i) text += "x a y\n";
  TConc c(text, test::kUntagged);
  c.Show("a");
  struct TCase {
    int fromNo, toNo;
    std::string title;
    size_t rows;
    std::string firstNo, lastNo;
  };
  const std::vector<TCase> cases = {
      {201, 300, "concordance (201-250/250)", 50, "201.", "250."},
      {1, 100, "concordance (1-100/250)", 100, "1.", "100."},
      {500, 600, "concordance (1-250/250)", 250, "1.", "250."},  // beyond the list: from the first row
      {0, 10, "concordance (1-10/250)", 10, "1.", "10."},
      {1, 0, "concordance (1-0/250)", 0, "", ""},  // toNo 0: a table without rows
  };
  for (const auto& tc : cases) {
    const auto page = c.Page({}, false, tc.toNo, tc.fromNo);
    EXPECT_EQ(page[3], "<title>" + tc.title + "</title>") << tc.fromNo;
    const auto rows = TConc::Rows(page);
    ASSERT_EQ(rows.size(), tc.rows) << tc.fromNo;
    if (tc.rows) {
      EXPECT_EQ(rows.front().find("<td class=\"n\">" + tc.firstNo + "\t</td>"), 4u);
      EXPECT_EQ(rows.back().find("<td class=\"n\">" + tc.lastNo + "\t</td>"), 4u);
    }
  }
  // A list longer than the hit list is cut to the hit count; the rows follow the list.
  TIntArr list(300, 7);
  const auto page = c.Page(list, false, 300, 1);
  EXPECT_EQ(page[3], "<title>concordance (1-250/250)</title>");
  EXPECT_NE(TConc::Rows(page)[0].find("<a href=\"7\">"), std::string::npos);
}

TEST(Display, TaggedCellsCarryToolTipsInTheOtherMode) {
  TConc c("The_AT cat_NN1 sat_VVD on_II the_AT \"mat\"_NN1\n", test::kTagged);
  TSeggedDisplay& d = c.Show("sat_VVD");
  d.SetModes(dmWord, dmWordTag, dmTag);
  const auto cells = TConc::Context(c.Page(), 0);
  EXPECT_EQ(cells[0], "<td class=\"l\" title=\"AT NN1\"><nobr>The cat</nobr></td>");
  EXPECT_EQ(cells[1], "<td class=\"c\"><nobr> sat_<span class=\"p\">VVD</span> </nobr></td>");
  EXPECT_EQ(cells[2], "<td class=\"r\" title=\"on the &quot;mat&quot;\"><nobr>II AT NN1</nobr></td>");
  // Untagged text has no tips.
  TConc u("the cat sat\n", test::kUntagged);
  u.Show("cat");
  EXPECT_EQ(Join(u.Page()).find("title=\""), std::string::npos);
}

TEST(Display, DittoUnitsAreOneTokenInCSpansAndInBracketsInTips) {
  TConc c("x_NN1 sat_VVD in_II31 spite_II32 of_II33 y_NN1\n", test::kTaggedDitto);
  c.Show("sat_VVD");
  const auto cells = TConc::Context(c.Page(), 0);
  EXPECT_EQ(cells[2],
            "<td class=\"r\" title=\"[II31 II32 II33] NN1\"><nobr><span class=\"c\">in spite of</span> y</nobr></td>");
  // In Word_POS the unit is one marked-up token and needs no span.
  c.display->SetModes(dmWordTag, dmWordTag, dmWordTag);
  EXPECT_EQ(TConc::Context(c.Page(), 0)[2],
            "<td class=\"r\"><nobr>in spite of_<span class=\"p\">II31 II32 II33</span> y_<span "
            "class=\"p\">NN1</span></nobr></td>");
}

TEST(Display, SortKeysAreMarkedByLevelInEveryMode) {
  TConc c("The_AT cat_NN1 sat_VVD on_II the_AT mat_NN1\n", test::kTagged);
  TSeggedDisplay& d = c.Show("sat_VVD");
  struct TCase {
    uint8_t mode, type;
    std::string right;  // the rendered right side
  };
  const std::string rest = " the_<span class=\"p\">AT</span> mat_<span class=\"p\">NN1</span>";
  const std::vector<TCase> cases = {
      {dmWord, dtWord, "<span class=\"w1\">on</span> the mat"},
      {dmWord, dtPOS, "<span class=\"w1\">on</span> the mat"},
      {dmTag, dtPOS, "<span class=\"w1\">II</span> AT NN1"},
      {dmWordTag, dtToken, "<span class=\"w1\">on_</span><span class=\"p1\">II</span>" + rest},
      {dmWordTag, dtWord, "<span class=\"w1\">on</span>_<span class=\"p\">II</span>" + rest},
      {dmWordTag, dtLemma, "<span class=\"w1\">on</span>_<span class=\"p\">II</span>" + rest},
      {dmWordTag, dtPOS, "on_<span class=\"p1\">II</span>" + rest},
      {dmWordTag, dtPOSCategory, "on_<span class=\"p1\">II</span>" + rest},
  };
  for (const auto& tc : cases) {
    d.SetSortInfo({{1, 2, tc.type}});
    EXPECT_EQ(d.RenderSortedSide(d.Spans()[0].Right, tc.mode, false), tc.right) << int(tc.mode) << int(tc.type);
  }
  // Several levels: each token is marked by the first level naming it; the node by its level's number.
  d.SetSortInfo({{2, 0, dtWord}, {1, 0, dtWord}, {1, 0, dtPOS}, {0, 1, dtWord}});
  EXPECT_EQ(d.RenderSortedSide(d.Spans()[0].Left, dmWord, true), "<span class=\"w1\">The</span> <span class=\"w2\">cat</span>");
  EXPECT_EQ(d.RenderSortedNode("sat_VVD", dmWordTag), "<span class=\"w4\">sat_<span class=\"p4\">VVD</span></span>");
  EXPECT_EQ(d.RenderSortedNode("sat_VVD", dmWord), "<span class=\"w4\">sat</span>");
  d.SetSortInfo({{1, 2, dtWord}});
  EXPECT_EQ(d.RenderSortedNode("sat_VVD", dmWord), "sat");
  // The sorted page uses the marks; the unsorted one does not.
  d.SetModes(dmWord, dmWord, dmWordTag);
  d.SetSortInfo({{1, 2, dtPOS}});
  EXPECT_NE(Join(c.Page({0}, true)).find("on_<span class=\"p1\">II</span>"), std::string::npos);
  EXPECT_EQ(Join(c.Page({0}, false)).find("p1"), std::string::npos);
  EXPECT_EQ(Join(c.Page({}, true)).find("p1"), std::string::npos);  // all hits: never sorted
}

TEST(Display, SortKeyMarksWrapMultiWordUnits) {
  TConc c("x_NN1 sat_VVD in_II31 spite_II32 of_II33 y_NN1\n", test::kTaggedDitto);
  TSeggedDisplay& d = c.Show("sat_VVD");
  d.SetSortInfo({{1, 2, dtWord}});
  EXPECT_EQ(d.RenderSortedSide(d.Spans()[0].Right, dmWord, false),
            "<span class=\"w1\"><span class=\"c\">in spite of</span></span> y");
}

TEST(Display, HighlightingInUntaggedTextLeavesNoUnderscores) {
  TConc c("one two three four five\n", test::kUntagged);
  TSeggedDisplay& d = c.Show("three");
  d.SetScope(scLeft | scRight);
  const auto page = c.Highlighted("two");
  const auto cells = TConc::Context(page, 0);
  EXPECT_EQ(cells[0], "<td class=\"l\"><nobr> one <span class=\"k\"> two </span> </nobr></td>");
  EXPECT_EQ(cells[1], "<td class=\"c\"><nobr> three </nobr></td>");  // the node is not in the scope
  EXPECT_EQ(cells[2], "<td class=\"r\"><nobr> four five </nobr></td>");
  EXPECT_EQ(TConc::Rows(page)[0].find('_'), std::string::npos);
  // A blank expression writes the plain page.
  EXPECT_EQ(TConc::Context(c.Highlighted("  "), 0)[0], "<td class=\"l\"><nobr>one two</nobr></td>");
}

TEST(Display, HighlightingInTaggedTextFollowsTheModes) {
  TConc c("one_A two_B three_C four_D\n", test::kTagged);
  TSeggedDisplay& d = c.Show("three_C");
  d.SetScope(scLeft | scNode);
  struct TCase {
    uint8_t mode;
    std::string left, node;
  };
  const std::vector<TCase> cases = {
      {dmWord, "one <span class=\"k\"> two </span>", "three"},
      {dmTag, "A <span class=\"k\"> B </span>", "C"},
      {dmWordTag,
       "one_<span class=\"p\">A</span> <span class=\"k\"> two_<span class=\"p\">B</span> </span>",
       "three_<span class=\"p\">C</span>"},
  };
  for (const auto& tc : cases) {
    d.SetModes(tc.mode, tc.mode, tc.mode);
    const auto cells = TConc::Context(c.Highlighted("two_\\S+"), 0);
    EXPECT_NE(cells[0].find("<nobr>" + tc.left + "</nobr>"), std::string::npos) << cells[0];
    EXPECT_NE(cells[1].find("<nobr> " + tc.node + " </nobr>"), std::string::npos) << cells[1];
  }
  // The node in scope is highlighted too.
  d.SetModes(dmWord, dmWord, dmWord);
  EXPECT_NE(TConc::Context(c.Highlighted("three_C"), 0)[1].find("<nobr> <span class=\"k\"> three </span> </nobr>"),
            std::string::npos);
}

TEST(Display, CollocationWindowsAreMarked) {
  {
    TConc c("one two three four five\n", test::kUntagged);
    TSeggedDisplay& d = c.Show("three");
    d.SetScope(scRight);
    const auto cells = TConc::Context(c.Highlighted("five", 1, 1), 0);
    EXPECT_EQ(cells[0], "<td class=\"l\"><nobr>one <span class=\"cs\"> two </span></nobr></td>");
    EXPECT_EQ(cells[1], "<td class=\"cs\"><nobr> three </nobr></td>");
    EXPECT_EQ(cells[2],
              "<td class=\"r\"><nobr> <span class=\"cs\"> four </span> <span class=\"k\"> five </span> </nobr></td>");
  }
  {
    TConc c("one_A two_B three_C four_D\n", test::kTagged);
    TSeggedDisplay& d = c.Show("three_C");
    d.SetModes(dmWordTag, dmWord, dmWord);
    d.SetScope(scLeft);
    const auto cells = TConc::Context(c.Highlighted("zzz", 1, 1), 0);
    EXPECT_NE(cells[0].find("<nobr>one_<span class=\"p\">A</span> <span class=\"cs\"> two_<span "
                            "class=\"p\">B</span> </span></nobr>"),
              std::string::npos)
        << cells[0];
    EXPECT_NE(cells[2].find("<nobr><span class=\"cs\"> four </span></nobr>"), std::string::npos) << cells[2];
  }
}

TEST(Display, CorpusTextIsEscapedEverywhereInPages) {
  const std::string line = "x <script>alert(1)</script> node a<b \"q\" &amp y\n";
  TConc c({{"a<b&c", line}}, test::kUntagged);
  TSeggedDisplay& d = c.Show("node");
  const std::string page = Join(c.Page());
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"l\"><nobr>x &lt;script&gt;alert(1)&lt;/script&gt;</nobr></td>"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"r\"><nobr>a&lt;b \"q\" &amp;amp y</nobr></td>"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"0\">a&lt;b&amp;c</a>"), std::string::npos);

  // The expression matches the text as it stands and the match is shown escaped.
  d.SetScope(scRight);
  const auto cells = TConc::Context(c.Highlighted("a<b"), 0);
  EXPECT_EQ(cells[2], "<td class=\"r\"><nobr> <span class=\"k\"> a&lt;b </span> \"q\" &amp;amp y </nobr></td>");

  const std::string para = Join(c.Paragraph(0));
  EXPECT_EQ(para.find("<script>"), std::string::npos);
  EXPECT_NE(para.find("<title>a&lt;b&amp;c (1)</title>"), std::string::npos);
  EXPECT_NE(para.find("<div class=\"f\">a&lt;b&amp;c</div>"), std::string::npos);
  EXPECT_NE(para.find("<div class=\"p\">x &lt;script&gt;alert(1)&lt;/script&gt; <span>node </span>a&lt;b"),
            std::string::npos);
}

TEST(Display, ToolTipsAndTaggedCellsAreEscaped) {
  TConc c("<script>_NN \"x\"_NN sat_VVD a&b_<X>\n", test::kTagged);
  TSeggedDisplay& d = c.Show("sat_VVD");
  d.SetModes(dmWord, dmTag, dmWordTag);
  const auto cells = TConc::Context(c.Page(), 0);
  EXPECT_EQ(cells[0], "<td class=\"l\" title=\"NN NN\"><nobr>&lt;script&gt; \"x\"</nobr></td>");
  EXPECT_EQ(cells[1], "<td class=\"c\" title=\"sat\"><nobr> VVD </nobr></td>");
  EXPECT_EQ(cells[2], "<td class=\"r\"><nobr>a&amp;b_<span class=\"p\">&lt;X&gt;</span></nobr></td>");
  d.SetModes(dmTag, dmTag, dmTag);
  EXPECT_EQ(TConc::Context(c.Page(), 0)[0], "<td class=\"l\" title=\"&lt;script&gt; &quot;x&quot;\"><nobr>NN NN</nobr></td>");
}

TEST(Display, MarkerLookalikesInTheCorpusStayText) {
  // Tokens that look like the page writer's own markers must show as text.
  for (const auto& fmt : {test::kUntagged, test::kTagged}) {
    const std::string line = fmt.tagged ? "<<_<< [[_[[ <[_<[ >>_>> ]]_]] w_X node_N z_Z\n"
                                        : "<<_<< [[_[[ <[_<[ >>_>> ]]_]] w node z\n";
    TConc c(line, fmt);
    TSeggedDisplay& d = c.Show(fmt.tagged ? "node_N" : "node", 10, 10);
    d.SetScope(scLeft | scRight);
    for (uint8_t mode : {dmTag, dmWordTag, dmWord}) {
      if (!fmt.tagged && mode != dmWord) continue;
      d.SetModes(mode, mode, mode);
      const std::string row = TConc::Rows(c.Highlighted(fmt.tagged ? "w_X" : "w", 1, 1))[0];
      EXPECT_EQ(Count(row, "<span class=\"k\">"), 1) << row;
      EXPECT_EQ(Count(row, "<span class=\"cs\">"), 2) << row;  // the window of each side, nothing else
      // Two from the corpus's own "<<_<<": in the cell and, in the other modes, in the tip.
      EXPECT_EQ(Count(row, "&lt;&lt;"), 2) << row;
      EXPECT_EQ(Count(row, "<span"), Count(row, "</span>")) << row;
    }
  }
}

TEST(Display, RawChineseRunsTogether) {
  const std::string text = test::Gbk("我 们 在 这 里 学 习\n");
  TConc c(text, test::kRawChinese);
  c.Show(test::Gbk("这"));
  const auto cells = TConc::Context(c.Page(), 0);
  EXPECT_EQ(cells[0], "<td class=\"l\"><nobr>" + test::Gbk("我们在") + "</nobr></td>");
  EXPECT_EQ(cells[2], "<td class=\"r\"><nobr>" + test::Gbk("里学习") + "</nobr></td>");
  c.display->SetSortInfo({{1, 2, dtWord}});
  EXPECT_EQ(TConc::Context(c.Page({0}, true), 0)[2],
            "<td class=\"r\"><nobr><span class=\"w1\">" + test::Gbk("里") + "</span>" + test::Gbk("学习") +
                "</nobr></td>");
  c.display->SetScope(scLeft);
  EXPECT_EQ(TConc::Context(c.Highlighted(test::Gbk("们")), 0)[0],
            "<td class=\"l\"><nobr>" + test::Gbk("我") + "<span class=\"k\">" + test::Gbk("们") + "</span>" +
                test::Gbk("在") + "</nobr></td>");
}

TEST(Display, ParagraphShowsNeighboursOnlyWhereTheyExist) {
  TConc c("first line here\nthe cat sat on the mat\nlast sat line\n", test::kUntagged);
  c.Show("sat");
  struct TCase {
    int hit;
    bool pr, nx;
    std::string p;
  };
  const std::vector<TCase> cases = {
      {0, true, true,
       "<div class=\"p\">the cat <span>sat </span>on the mat <span class=\"expr\">(sat)</span><span "
       "class=\"i\">(Paragraph 2)</span></div>"},
      {1, true, false,
       "<div class=\"p\">last <span>sat </span>line <span class=\"expr\">(sat)</span><span class=\"i\">(Paragraph "
       "3)</span></div>"},
  };
  for (const auto& tc : cases) {
    const auto page = c.Paragraph(tc.hit);
    const std::string all = Join(page);
    EXPECT_NE(std::find(page.begin(), page.end(), tc.p), page.end()) << all;
    EXPECT_EQ(all.find("<div class=\"pr\">") != std::string::npos, tc.pr);
    EXPECT_EQ(all.find("<div class=\"nx\">") != std::string::npos, tc.nx);
  }
  const auto page = c.Paragraph(0);
  EXPECT_EQ(page[3], "<title>f0 (2)</title>");
  EXPECT_EQ(page[8], "<br>");
  EXPECT_EQ(page[9], "<div class=\"f\">f0</div>");
  EXPECT_EQ(page[10], "<div class=\"pr\">first line here<span class=\"i\">(Paragraph 1)</span></div>");
  EXPECT_EQ(page[12], "<div class=\"nx\">last sat line<span class=\"i\">(Paragraph 3)</span></div>");

  // First line of a file: no previous paragraph.
  TConc first("sat first\nsecond\n", test::kUntagged);
  first.Show("sat");
  EXPECT_EQ(Join(first.Paragraph(0)).find("class=\"pr\""), std::string::npos);
}

TEST(Display, ParagraphOfAnNGramHitHasNoExpression) {
  TConc c("a b c\n", test::kUntagged);
  TNGramSearchOper ngrams(c.corpus.get());
  ngrams.EnumerateNGrams(2);
  TSeggedDisplay d(&ngrams);
  d.SetSpans(5, 5);
  d.WriteParagraph(c.dir / "para.htm", 1);
  const auto page = TConc::Lines(c.dir / "para.htm");
  EXPECT_NE(std::find(page.begin(), page.end(),
                      "<div class=\"p\">a <span>b c </span> <span class=\"i\">(Paragraph 1)</span></div>"),
            page.end());
}

TEST(Display, ParagraphOfTaggedAndChineseText) {
  TConc t("The_AT snake_case_NN sat_VVD \"_\"\n", test::kTagged);
  t.Show("sat_VVD");
  EXPECT_NE(Join(t.Paragraph(0)).find("<div class=\"p\">The snake <span>sat </span>\" <span class=\"expr\">(sat_VVD)"),
            std::string::npos);
  // Untagged text keeps its underscores: they are no tags there.
  TConc u("my snake_case name\n", test::kUntagged);
  u.Show("name");
  EXPECT_NE(Join(u.Paragraph(0)).find("<div class=\"p\">my snake_case <span>name </span>"), std::string::npos);

  TConc z(test::Gbk("我 们 在 这 里\n"), test::kRawChinese);
  z.Show(test::Gbk("在 这"));
  EXPECT_NE(Join(z.Paragraph(0)).find("<div class=\"p\">" + test::Gbk("我们<span>在这</span>里<span class=\"expr\">(在这)")),
            std::string::npos);
}

TEST(Display, PlainTextGivesWordParts) {
  TConc t("a_X b_Y\n", test::kTagged);
  t.Show("a_X");
  EXPECT_EQ(t.display->PlainText(" a_X  b_Y "), "a b");
  EXPECT_EQ(t.display->PlainText("   "), "");
  TConc z(test::Gbk("我 们\n"), test::kRawChinese);
  z.Show(test::Gbk("我"));
  EXPECT_EQ(z.display->PlainText(test::Gbk("我 们 在")), test::Gbk("我们在"));
}

}  // namespace
}  // namespace korvelin
