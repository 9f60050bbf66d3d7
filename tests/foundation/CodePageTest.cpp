#include "foundation/CodePage.h"

#include <gtest/gtest.h>

namespace korvelin {
namespace {

TEST(CodePage, GbkAndWindows1252RoundTrip) {
  const std::string zhongguo = "\xD6\xD0\xB9\xFA";        // two GBK characters
  const std::string utf8 = "\xE4\xB8\xAD\xE5\x9B\xBD";  // the same in UTF-8
  EXPECT_EQ(CodePageToUtf8(zhongguo, TCodePage::Gbk), utf8);
  EXPECT_EQ(Utf8ToCodePage(utf8, TCodePage::Gbk), zhongguo);
  EXPECT_EQ(CodePageToUtf16(zhongguo, TCodePage::Gbk), u"\u4E2D\u56FD");
  EXPECT_EQ(Utf16ToCodePage(u"\u4E2D\u56FD", TCodePage::Gbk), zhongguo);
  EXPECT_EQ(CodePageToUtf8("caf\xE9 \x93q\x94", TCodePage::Windows1252), "caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D");
  EXPECT_EQ(Utf8ToCodePage("caf\xC3\xA9", TCodePage::Windows1252), "caf\xE9");
  EXPECT_EQ(CodePageToUtf8("\xA3\xA1", TCodePage::Gbk), "\xEF\xBC\x81");  // full-width !
}

TEST(CodePage, BadBytesBecomeSubstitutesAndNeverRaise) {
  // 0xFF is no GBK byte; a lead byte at the end has no trail.
  EXPECT_EQ(CodePageToUtf8("a\xFF" "b\xD6", TCodePage::Gbk), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_EQ(CodePageToUtf16("\xFF", TCodePage::Gbk), u"\uFFFD");
  // Characters the code page cannot hold become "?"; broken UTF-8 too.
  EXPECT_EQ(Utf8ToCodePage("\xE4\xB8\xAD!", TCodePage::Windows1252), "?!");
  EXPECT_EQ(Utf8ToCodePage("a\xC3", TCodePage::Gbk), "a?");
  EXPECT_EQ(Utf16ToCodePage(u"\U0001F600x", TCodePage::Gbk), "?x");
}

TEST(CodePage, GbkCharacterLengths) {
  const std::string s = "a\xD6\xD0\xFF\x81\x20\x80";
  EXPECT_EQ(GbkCharLength(s, 0), 1);
  EXPECT_EQ(GbkCharLength(s, 1), 2);
  EXPECT_EQ(GbkCharLength(s, 3), 0);  // 0xFF
  EXPECT_EQ(GbkCharLength(s, 4), 0);  // lead byte with a space after it
  EXPECT_EQ(GbkCharLength(s, 6), 1);  // the euro sign
  EXPECT_EQ(GbkCharLength(std::string("\xD6"), 0), 0);
}

}  // namespace
}  // namespace korvelin
