#include "corpus/Normalizers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "CorpusUtil.h"
#include "TestUtil.h"
#include "corpus/CorpusFiles.h"
#include "foundation/Helpers.h"
#include "foundation/RegExpr.h"
#include "foundation/TextFile.h"

namespace korvelin {
namespace {

using test::TTempDir;

// GBK bytes of the marks used below.
const std::string kLQ = "\xA1\xB0", kRQ = "\xA1\xB1", kRSQ = "\xA1\xAF", kFullStop = "\xA1\xA3";

TEST(NormalizeEnglishLine, Table) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"Hello,world!", "Hello , world !"},
      {"...", ". . ."},
      {"she said " + kLQ + "yes" + kRQ, "she said " + kLQ + " yes " + kRQ},
      {"it's fine", "it 's fine"},
      {"it's", "it ' s"},  // no space after the clitic: not joined
      {"students' books", "students ' books"},
      {"don" + kRSQ + "t go", "don 't go"},
      {"They'RE here, we'll see", "They 'RE here , we 'll see"},
      {"rock'n'roll", "rock ' n ' roll"},
      {"  a\t\tb    c  ", "a b c"},
      {"(a)[b]&\"c\"`d`", "( a ) [ b ] & \" c \" ` d `"},
      {"end" + kFullStop, "end " + kFullStop},
      // Windows-1252 quotes and dash: "\x93Don\x92t\x97no!\x94"
      {"\x93" "Don\x92t\x97no,\x91yes\x92\x94", "\x93 Don 't \x97 no , \x91 yes \x92 \x94"},
      {"", ""},
      {" \t ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeEnglishLine(c.in), c.out) << c.in;
}

TEST(NormalizeEnglishLine, RunawaySpaceRunsRaiseWithTheLineAsItStands) {
  // 524288 spaces take 19 rounds of halving; one more needs a 20th round.
  EXPECT_EQ(NormalizeEnglishLine("a" + std::string(524288, ' ') + "b"), "a b");
  EXPECT_KV_ERROR(NormalizeEnglishLine("a" + std::string(524289, ' ') + "b"), "a b");
  EXPECT_KV_ERROR(NormalizeEnglishLine("x" + std::string(2100000, ' ') + "y" + std::string(3, ' ') + "z"),
                  "x   y z");  // 2100000 spaces halve to 3 in twenty rounds
}

TEST(NormalizeTaggedLine, QuotesBecomeTokensOfTheirOwn) {
  struct Case {
    const char *in, *out;
  } cases[] = {
      {"'hello'_NN1", "'_' hello_NN1 '_'"},
      {"say 'hello_UH now", "say '_' hello_UH now"},
      {"the dogs'_NN2 bones_NN2", "the dogs_NN2 '_' bones_NN2"},
      {"  no_AT quotes_NN2  ", "no_AT quotes_NN2"},
      {"'Big-1'_JJ", "'_' Big-1_JJ '_'"},  // letters of either case
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeTaggedLine(c.in), c.out) << c.in;
}

// The English normalizer written as its steps say, with patterns; the fast
// scanner must agree with it on every line.
std::string ReferenceEnglish(std::string_view line) {
  std::string s(Trim(line));
  if (s.empty()) return s;
  s = ReplaceAll(s, "\t", " ");
  s = TRegExpr("[,.?;:'\"!&\\[\\]\\(\\)]").Replace(s, " $0 ");
  s = TRegExpr("[\x91\x92\x93\x94\x97]").Replace(s, " $0 ");
  s = TRegExpr("(\xA1\xAE|\xA1\xAF|\xA1\xB0|\xA1\xB1|\xA3\xA8|\xA3\xA9|\xA3\xBF|\xA3\xA1|\xA3\xBB|\xA3\xBA|\xA1\xA3|"
               "\xA1\xAA|`)")
          .Replace(s, " $1 ");
  s = TRegExpr("('|\x92|\xA1\xAF) (s|t|d|ve|m|re|ll) ").Replace(s, "'$2 ");
  int rounds = 0;
  while (s.find("  ") != std::string::npos) {
    s = std::string(Trim(ReplaceAll(s, "  ", " ")));
    if (++rounds == 20) throw EKorvelinError(s);
  }
  return std::string(Trim(s));
}

TEST(NormalizeEnglishLine, AgreesWithThePatternFormOnRandomLines) {
  const std::vector<std::string> pieces = {"a", "S", "t", "ve", "RE", "ll", "d", "m", "'", " ", "  ", "\t", ",", ".",
                                           "(", "]", "&", "\"", "`", kLQ, kRQ, kRSQ, kFullStop, "\xA3\xA1", "\xA1",
                                           "\xA3", "\xAF", "\x01", "word", "\xB0\xA1", "s ", "'s", "\xA1\xAF s ",
                                           "\x91", "\x92", "\x93", "\x94", "\x96", "\x97", "\x92s "};
  std::mt19937 rng(12345);
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    const int n = static_cast<int>(rng() % 14);
    for (int k = 0; k < n; ++k) line += pieces[rng() % pieces.size()];
    ASSERT_EQ(NormalizeEnglishLine(line), ReferenceEnglish(line)) << "line: [" << line << "]";
  }
}

TEST(NormalizeEnglishLine, AgreesWithThePatternFormOnRealText) {
  const std::string folder = test::SharedCorpus("en_raw_small");
  if (folder.empty()) GTEST_SKIP() << "shared corpora not present";
  TStrList files;
  FindCorpusFiles(folder, files, true, ".txt");
  size_t checked = 0;
  for (int f = 0; f < files.Count() && f < 3; ++f) {
    TStrList lines;
    lines.LoadFromFile(files[f]);
    for (const auto& l : lines.Items()) {
      ASSERT_EQ(NormalizeEnglishLine(l), ReferenceEnglish(l)) << l;
      ++checked;
    }
  }
  EXPECT_GT(checked, 1000u);
}

TEST(SpaceOutChars, EveryCharacterBecomesAToken) {
  EXPECT_EQ(SpaceOutChars("\xD6\xD0\xB9\xFA\xC8\xCB"), "\xD6\xD0 \xB9\xFA \xC8\xCB");
  EXPECT_EQ(SpaceOutChars("ab c"), "a b   c");  // a space is a token too
  EXPECT_EQ(SpaceOutChars("a\xD6\xD0"), "a \xD6\xD0");
  EXPECT_EQ(SpaceOutChars(" \xFFx\xD6"), "? x ?");  // bytes that are no GBK character
  EXPECT_EQ(SpaceOutChars(""), "");

  TStrList l;
  l.SetText("\xD6\xD0\xB9\xFA\n   \n ab ");
  SpaceOutLines(l);
  EXPECT_EQ(l.Items(), (std::vector<std::string>{"\xD6\xD0 \xB9\xFA", "   ", "a b"}));
}

TEST(PrepareCorpusLines, TheFlagsChooseTheNormalizer) {
  TTempDir d;
  const std::string path = d.Write("x.txt", "it's 'ok'_JJ \xD6\xD0\xB9\xFA\n");
  struct Case {
    const char* what;
    bool chinese, segmented, tagged;
    std::string line;
    bool normalized;
  } cases[] = {
      {"raw English", false, false, false, " it 's ' ok ' _JJ \xD6\xD0\xB9\xFA ", true},
      {"segmented English is raw English", false, true, false, " it 's ' ok ' _JJ \xD6\xD0\xB9\xFA ", true},
      {"raw Chinese", true, false, false, " i t ' s   ' o k ' _ J J   \xD6\xD0 \xB9\xFA ", true},
      {"segmented Chinese", true, true, false, " it's 'ok'_JJ \xD6\xD0\xB9\xFA ", false},
      {"tagged English", false, true, true, " it's '_' ok_JJ '_' \xD6\xD0\xB9\xFA ", true},
      {"tagged Chinese", true, true, true, " it's 'ok'_JJ \xD6\xD0\xB9\xFA ", false},
  };
  for (const auto& c : cases) {
    TStrList files;
    files.Add(path);
    TCorpus corpus(files);
    corpus.SetChinese(c.chinese);
    corpus.SetSegmented(c.segmented);
    corpus.SetTagged(c.tagged);
    EXPECT_EQ(PrepareCorpusLines(corpus), c.normalized) << c.what;
    EXPECT_EQ(corpus.GetLine(0, 0), c.line) << c.what;
    EXPECT_EQ(corpus.Normalized(), c.normalized) << c.what;
    // Once prepared, changing the format does not prepare again.
    corpus.SetTagged(!c.tagged);
    if (c.normalized) {
      EXPECT_FALSE(PrepareCorpusLines(corpus)) << c.what;
      EXPECT_EQ(corpus.GetLine(0, 0), c.line) << c.what;
    }
  }
}

TEST(PrepareCorpusLines, RawChineseTextBecomesOneTokenPerCharacter) {
  const std::string folder = test::SharedCorpus("zh_raw_small");
  if (folder.empty()) GTEST_SKIP() << "shared corpora not present";
  const auto loaded = test::LoadFolder(folder, false);
  TCorpus& corpus = *loaded;
  ASSERT_TRUE(corpus.Chinese());
  ASSERT_FALSE(corpus.Segmented());
  ASSERT_TRUE(PrepareCorpusLines(corpus));
  for (int32_t f = 0; f < corpus.FileCount(); ++f)
    for (int32_t l = 0; l < corpus.LineCount(f); l += 97) {
      std::string_view line = corpus.GetLine(f, l);
      ASSERT_EQ(line.front(), ' ');
      ASSERT_EQ(line.back(), ' ');
      size_t start = 1;
      while (start < line.size()) {
        const size_t sp = line.find(' ', start);
        ASSERT_LE(sp - start, 2u) << "token longer than one character in " << line;
        start = sp + 1;
      }
    }
}

}  // namespace
}  // namespace korvelin
