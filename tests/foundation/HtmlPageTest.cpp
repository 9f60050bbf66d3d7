#include "foundation/HtmlPage.h"

#include <gtest/gtest.h>

#include <tuple>

#include "TestUtil.h"
#include "foundation/Helpers.h"

namespace korvelin {
namespace {

TEST(HtmlPage, HeadAndFoot) {
  TStrList page;
  page.Add("left over");
  WriteHTMLHead("sys/result.css", "a<b & c", &page);
  WriteHTMLFoot(&page);
  const std::vector<std::string> expected = {
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">",
      "<html xmlns=\"http://www.w3.org/1999/xhtml\">",
      "<head>",
      "<title>a&lt;b &amp; c</title>",
      "<style type=\"text/css\">@import \"sys/result.css\";</style>",
      "</head>",
      "<body oncontextmenu=\"return false\">",
      "",
      "<p/>",
      "<p/>",
      "<div class=\"copyright\">Korvelin concordancer</div>",
      "<p/>",
      "<p/>",
      "</body></html>",
  };
  EXPECT_EQ(page.Items(), expected);
  EXPECT_KV_ERROR(WriteHTMLHead("sys/stat.css", "t", nullptr), "No HTML file was specified!");
  EXPECT_KV_ERROR(WriteHTMLFoot(nullptr), "No HTML file was specified!");
}

TEST(HtmlPage, WordAndTagParts) {
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"dog", "dog", ""},
      {" dog_NN1 ", "dog", "NN1"},
      {"a_b_NN", "a", "b_NN"},            // one token: the first underscore
      {"a_X b_Y", "a b", "X Y"},
      {"a_X  b_Y", "a b", "X Y"},
      {"a_b_X c_Y", "a a_b c", "X Y"},    // several tokens: a word piece per underscore, the last one's tag
      {"a b_Y", "b", "Y"},
      {"a b", "a b", ""},
      {"dog_", "dog", ""},
      {"", "", ""},
      {"   ", "", ""},
  };
  for (const auto& [text, word, tag] : cases) {
    EXPECT_EQ(GetWordPart(text), word) << "[" << text << "]";
    EXPECT_EQ(GetTagPart(text), tag) << "[" << text << "]";
  }
  std::string out = "k ";
  AppendWordPart(out, "x_A y_B");
  EXPECT_EQ(out, "k x y");
}

TEST(HtmlPage, MarkupEscapesTheText) {
  EXPECT_EQ(MarkupWordTag("dog_NN1"), "dog_<span class=\"p\">NN1</span>");
  EXPECT_EQ(MarkupWordTag("dog"), "dog_<span class=\"p\"></span>");
  EXPECT_EQ(MarkupWordTag("  "), "");
  EXPECT_EQ(MarkupWordTag("a<b&c_<X>"), "a&lt;b&amp;c_<span class=\"p\">&lt;X&gt;</span>");
  EXPECT_EQ(MarkupTokens(" a_X  b_Y "), "a_<span class=\"p\">X</span> b_<span class=\"p\">Y</span>");
  EXPECT_EQ(MarkupTokens(""), "");
  EXPECT_EQ(HtmlEscape("<a href=\"x\">&</a>"), "&lt;a href=\"x\"&gt;&amp;&lt;/a&gt;");
  EXPECT_EQ(HtmlAttrEscape("say \"<hi>\""), "say &quot;&lt;hi&gt;&quot;");
}

TEST(HtmlPage, JoinSideInReadingOrderWithWindowMarkers) {
  const TTokenArr left = {"L1", "L2", "L3"}, right = {"R1", "R2", "R3"};
  const std::vector<std::tuple<bool, int, std::string>> cases = {
      {true, 0, "L3 L2 L1"},
      {true, 2, "L3 <<_<< L2 L1 >>_>>"},
      {true, 3, "<<_<< L3 L2 L1 >>_>>"},
      {true, 5, "<<_<< L3 L2 L1 >>_>>"},
      {true, -1, "L3 L2 L1"},
      {false, 0, "R1 R2 R3"},
      {false, 2, "<<_<< R1 R2 >>_>> R3"},
      {false, 3, "<<_<< R1 R2 R3 >>_>>"},
      {false, 5, "<<_<< R1 R2 R3 >>_>>"},
  };
  for (const auto& [isLeft, markAt, joined] : cases) {
    EXPECT_EQ(JoinSide(isLeft ? left : right, isLeft, markAt), joined) << isLeft << markAt;
    std::vector<size_t> offsets;
    const std::string j = JoinSide(isLeft ? left : right, isLeft, markAt, &offsets);
    ASSERT_EQ(offsets.size(), markAt > 0 ? 2u : 0u);
    for (size_t o : offsets) EXPECT_TRUE(j.compare(o, 5, "<<_<<") == 0 || j.compare(o, 5, ">>_>>") == 0) << j;
  }
  EXPECT_EQ(JoinSide(TTokenArr{}, true, 2), "");
  EXPECT_EQ(JoinSide(TStrArr{"b", "a"}, true, 0), "a b");
  std::string out = "x";
  AppendJoinedSide(out, left, true);
  EXPECT_EQ(out, "xL3 L2 L1");
}

TEST(HtmlPage, RemoveSpacesRunsChineseTogether) {
  EXPECT_EQ(RemoveSpaces(" \xCE\xD2 \xC3\xC7 \xD4\xDA "), "\xCE\xD2\xC3\xC7\xD4\xDA");
}

}  // namespace
}  // namespace korvelin
