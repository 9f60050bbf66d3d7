#include "foundation/RegExpr.h"

#include <gtest/gtest.h>

#include "TestUtil.h"
#include "foundation/CodePage.h"

namespace korvelin {
namespace {

TEST(RegExpr, CaseFoldingTouchesAsciiLettersOnly) {
  TRegExpr re("caf\xE9");  // Windows-1252 e acute
  EXPECT_TRUE(re.Test("CAF\xE9"));
  EXPECT_FALSE(re.Test("CAF\xC9"));  // E acute is another byte, never folded
  re.SetCaseSensitive(true);
  EXPECT_FALSE(re.Test("CAF\xE9"));
  // GBK bytes are compared as they are: the trail byte 0x61 'a' of a
  // character is not folded to 'A' either way round.
  TRegExpr gbk("\x81\x61");
  EXPECT_TRUE(gbk.Test("x\x81\x61"));
  EXPECT_TRUE(gbk.Test("x\x81\x41"));  // ASCII trail bytes do fold, as bytes
  EXPECT_FALSE(gbk.Test("x\xA1\x61"));
}

TEST(RegExpr, MatchesFromAPositionAndGroups) {
  TRegExpr re(" (\\S+)_(NN\\d?) ");
  const std::string line = " the_AT dog_NN1 cat_NN ";
  ASSERT_TRUE(re.Exec(line));
  EXPECT_EQ(re.MatchPos(), 7u);
  EXPECT_EQ(re.Match(1), "dog");
  EXPECT_EQ(re.Match(2), "NN1");
  // The next match may start on the space that ended this one.
  ASSERT_TRUE(re.Exec(line, re.MatchPos() + re.MatchLen() - 1));
  EXPECT_EQ(re.Match(1), "cat");
  EXPECT_FALSE(re.ExecNext());
  EXPECT_EQ(re.MatchPos(5), TRegExpr::npos);
}

TEST(RegExpr, ReplaceAllWithTemplates) {
  TRegExpr re("[,.!]");
  EXPECT_EQ(re.Replace("Hello,world!", " $0 "), "Hello , world ! ");
  TRegExpr two("(a)(b)?");
  EXPECT_EQ(two.Replace("ab a", "<$2$1>"), "<ba> <a>");
  TRegExpr empty("x*");
  EXPECT_EQ(empty.Replace("abc", "-"), "-a-b-c-");
  TRegExpr none("q");
  EXPECT_EQ(none.Replace("abc", "-"), "abc");
}

TEST(RegExpr, BadAndRunawayPatternsRaiseClearErrors) {
  TRegExpr re;
  try {
    re.Compile("(ab");
    ADD_FAILURE() << "no error";
  } catch (const EKorvelinError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Invalid regular expression \"(ab\": ", 0), 0u) << e.what();
  }
  EXPECT_FALSE(re.Compiled());
  EXPECT_THROW(re.Exec("x"), EKorvelinError);

  // Catastrophic backtracking ends with an error instead of hanging.
  TRegExpr runaway("(a+)+$");
  const std::string subject = std::string(40, 'a') + "!";
  try {
    runaway.Exec(subject);
    ADD_FAILURE() << "no error";
  } catch (const EKorvelinError& e) {
    EXPECT_NE(std::string(e.what()).find("needs too much backtracking"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace korvelin

namespace korvelin {
namespace {

TEST(RegExpr, GbkSecondBytesAreLiteralAndKeepTheirCase) {
  // Lead byte 0x81 with the second bytes "[" and "a"/"A": three GBK characters.
  const std::string bracket = "\x81[", lower = "\x81" "a", upper = "\x81" "A";
  ASSERT_EQ(GbkCharLength(bracket, 0), 2);
  ASSERT_EQ(GbkCharLength(lower, 0), 2);
  ASSERT_EQ(GbkCharLength(upper, 0), 2);

  TRegExpr re;
  EXPECT_THROW(re.Compile(" " + bracket + " "), EKorvelinError);  // read as an open class
  re.SetGbk(true);
  re.Compile(" " + bracket + " x");
  EXPECT_TRUE(re.Test(" " + bracket + " X"));  // ASCII letters still fold
  EXPECT_FALSE(re.Test(" \x81\\ x"));

  TRegExpr ci;
  ci.SetGbk(true);
  ci.Compile(lower + "+");
  EXPECT_TRUE(ci.Test(lower + lower));
  EXPECT_FALSE(ci.Test(upper));  // another character, not another case
  EXPECT_EQ(ci.Pattern(), lower + "+");
}

}  // namespace
}  // namespace korvelin
