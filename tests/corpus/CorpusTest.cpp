#include "corpus/Corpus.h"

#include <gtest/gtest.h>

#include "TestUtil.h"

namespace korvelin {
namespace {

using test::TTempDir;

std::vector<std::string> Lines(const TCorpus& c, int32_t f) {
  std::vector<std::string> out;
  for (int32_t l = 0; l < c.LineCount(f); ++l) out.emplace_back(c.GetLine(f, l));
  return out;
}

TStrList List(std::initializer_list<std::string> items) {
  TStrList l;
  for (const auto& s : items) l.Add(s);
  return l;
}

TEST(CorpusLoading, StoredLinesAreTrimmedCleanedAndWrapped) {
  TTempDir d;
  const std::string text =
      "  Hello  \r\n"
      "\t\r\n"
      "<s>x</s>\n"
      "<s>\n"
      "<s></s>\n"
      "<s> </s>\r"  // a lone CR ends a line too
      "last\x1Ahidden after the end-of-text byte\n";
  const std::string path = d.Write("one.two.txt", text);
  TCorpus c(List({path}));
  ASSERT_EQ(c.FileCount(), 1);
  EXPECT_EQ(Lines(c, 0), (std::vector<std::string>{" Hello ", " x ", "   ", " last "}));
  EXPECT_EQ(c.GetFileInfo(0).Path, path);
  EXPECT_EQ(c.GetFileInfo(0).Name, "one.two");
}

TEST(CorpusLoading, BlankAndMissingPathsAreSkippedEmptyFilesKept) {
  TTempDir d;
  const std::string a = d.Write("a.txt", "alpha beta gamma delta\n");
  const std::string blank = d.Write("blank.txt", " \r\n\t\r\n");
  const std::string empty = d.Write("empty.txt", "");
  TCorpus c(List({"", " " + a, a, d / "missing.txt", blank, empty, "   "}));
  ASSERT_EQ(c.FileCount(), 3);  // " a" with its blank is not found as written
  EXPECT_EQ(c.LineCount(0), 1);
  EXPECT_EQ(c.LineCount(1), 0);
  EXPECT_EQ(c.LineCount(2), 0);
  EXPECT_EQ(c.GetFileInfo(1).Name, "blank");
  EXPECT_FALSE(c.Normalized());
  EXPECT_FALSE(c.DittoTags());
}

TEST(CorpusLoading, EmptyListsAndEmptyFilesFail) {
  EXPECT_KV_ERROR(TCorpus{TStrList{}}, "Corpus is empty!");
  EXPECT_KV_ERROR(TCorpus(List({" ", "\t"})), "Corpus is empty!");
  TTempDir d;
  const std::string e1 = d.Write("e1.txt", ""), e2 = d.Write("e2.txt", "\r\n");
  const char* rangeMessage = "TCorpus Upper bound(-1) is smaller than lower bound(0)\xEF\xBC\x81";
  EXPECT_KV_ERROR(TCorpus(List({e1, e2})), rangeMessage);
  EXPECT_KV_ERROR(TCorpus(List({d / "nothing.txt"})), rangeMessage);
}

TEST(CorpusLoading, SomeEmptyFilesNeverFailTheSample) {
  TTempDir d;
  const std::string e = d.Write("e.txt", ""), f = d.Write("f.txt", "a b c d\n"), g = d.Write("g.txt", "\n");
  for (int i = 0; i < 50; ++i) {
    TCorpus c(List({e, f, g, e}));
    EXPECT_TRUE(c.Segmented());
  }
}

TEST(CorpusAccessors, RangeChecksNameTheClass) {
  TTempDir d;
  TCorpus c(List({d.Write("a.txt", "one\ntwo\n")}));
  EXPECT_EQ(c.GetLine(0, 1), " two ");
  EXPECT_KV_ERROR(c.GetLine(5, 0), "TCorpus Upper bound overflows! (5>0)");
  EXPECT_KV_ERROR(c.GetLine(0, 2), "TCorpus Upper bound overflows! (2>1)");
  EXPECT_KV_ERROR(c.LineCount(-1), "TCorpus Lower bound overflows!");
  EXPECT_KV_ERROR(c.GetFileInfo(1), "TCorpus Upper bound overflows! (1>0)");
  EXPECT_KV_ERROR(c.DetectFormat(0, 2), "TCorpus Upper bound overflows! (2>1)");
}

struct DetectCase {
  const char* what;
  std::vector<std::string> lines;
  int line;
  bool chinese, segmented, tagged;
};

TEST(DetectFormat, Thresholds) {
  const std::string hi49(49, '\xB0'), hi50(50, '\xB0');
  const std::string longWord(600, 'x');
  const DetectCase cases[] = {
      {"49 high bytes", {hi49}, 0, false, false, false},
      {"50 high bytes", {hi50}, 0, true, false, false},
      {"three words", {"a b c"}, 0, false, false, false},
      {"four words", {"a b c d"}, 0, false, true, false},
      {"runs of spaces count once", {"a   b   c"}, 0, false, false, false},
      {"two underscores", {"a_X b_Y c d"}, 0, false, true, false},
      {"three underscores", {"a_X b_Y c_Z d"}, 0, false, true, true},
      {"underscores without segments", {"a_b_c_d"}, 0, false, false, false},
      {"short sample is rebuilt from the first line", {"a b c d e", "xyz"}, 1, false, true, false},
      {"rebuilt lines join without a separator", {"a b", "c d"}, 1, false, false, false},
      {"a long sample stands alone", {"a b c d e", longWord}, 1, false, false, false},
  };
  TTempDir d;
  int n = 0;
  for (const auto& c : cases) {
    std::string text;
    for (const auto& l : c.lines) text += l + "\r\n";
    TCorpus corpus(List({d.Write("f" + std::to_string(n++) + ".txt", text)}));
    corpus.DetectFormat(0, c.line);
    EXPECT_EQ(corpus.Chinese(), c.chinese) << c.what;
    EXPECT_EQ(corpus.Segmented(), c.segmented) << c.what;
    EXPECT_EQ(corpus.Tagged(), c.tagged) << c.what;
  }
}

// Upper-cases a line; raises on a line holding "bad".
class TUpperOrFail : public TLineNormalizer {
 public:
  void Normalize(std::string_view line, std::string& out) override {
    if (line.find("bad") != std::string_view::npos) throw EKorvelinError("boom");
    for (char ch : Trim(line)) out += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  }
  static std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
  }
};

TEST(NormalizeLines, RewritesInPlaceAndKeepsWhatWasDoneOnError) {
  TTempDir d;
  TCorpus c(List({d.Write("first.txt", "a\nb\n"), d.Write("second.txt", "c\nbad\nd\n")}));
  TUpperOrFail up;
  EXPECT_KV_ERROR(c.NormalizeLines(up), "Non-Ansi Code: second (boom)");
  EXPECT_FALSE(c.Normalized());
  EXPECT_EQ(Lines(c, 0), (std::vector<std::string>{" A ", " B "}));
  EXPECT_EQ(Lines(c, 1), (std::vector<std::string>{" C ", " bad ", " d "}));

  TCorpus ok(List({d / "first.txt"}));
  ok.NormalizeLines(up);
  EXPECT_TRUE(ok.Normalized());
  EXPECT_EQ(Lines(ok, 0), (std::vector<std::string>{" A ", " B "}));
}

}  // namespace
}  // namespace korvelin
