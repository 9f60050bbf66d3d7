#include "corpus/BaseInfo.h"

#include <gtest/gtest.h>

#include "TestUtil.h"
#include "corpus/Corpus.h"

namespace korvelin {
namespace {

using test::TTempDir;

TEST(CountLineTokens, PunctuationRules) {
  struct Case {
    const char* what;
    std::string line;
    bool chinese;
    size_t all, words;
  } cases[] = {
      {"bare marks", " Hello , world ! ", false, 4, 2},
      {"tagged marks are still marks", " a_AT ,_, b_NN ", false, 3, 2},
      {"one-byte digits and letters are words", " 1 x y ", false, 3, 3},
      {"longer tokens of marks are words", " ... -- ", false, 2, 2},
      {"GBK row A1 symbols are not counted", " \xA1\xA3 \xA1\xB0 \xA3\xAC \xD6\xD0 ", true, 4, 2},
      {"row A1 counts in a non-Chinese corpus", " \xA1\xA3 \xD6\xD0 ", false, 2, 2},
      {"extra spaces at the ends are trimmed first", "   a b   ", false, 2, 2},
      {"a blank line has no tokens", "    ", false, 0, 0},
  };
  for (const auto& c : cases) {
    std::vector<int32_t> all, words;
    CountLineTokens(c.line, c.chinese, true, all);
    CountLineTokens(c.line, c.chinese, false, words);
    EXPECT_EQ(all.size(), c.all) << c.what;
    EXPECT_EQ(words.size(), c.words) << c.what;
  }
  std::vector<int32_t> pos;
  CountLineTokens(" ab , cd ", false, false, pos);
  EXPECT_EQ(pos, (std::vector<int32_t>{1, 6}));  // the spaces opening "ab" and "cd"
}

TEST(BaseInfo, TotalsAndOffsetsOverFiles) {
  TTempDir d;
  TStrList files;
  files.Add(d.Write("a.txt", "one two , three\nfour !\n"));  // 4 + 1 words, 6 tokens... counted below
  files.Add(d.Write("empty.txt", ""));
  files.Add(d.Write("c.txt", "five six\n. , !\nseven\n"));
  TCorpus corpus(files);
  TSeggedCorpusBaseInfo all(&corpus, true);
  TSeggedCorpusBaseInfo words(&corpus, false);

  EXPECT_EQ(all.FileTokenCount(0), 6);
  EXPECT_EQ(words.FileTokenCount(0), 4);
  EXPECT_EQ(all.FileTokenCount(1), 0);
  EXPECT_EQ(all.FileTokenCount(2), 6);
  EXPECT_EQ(words.FileTokenCount(2), 3);
  EXPECT_EQ(all.Total(), 12);
  EXPECT_EQ(words.Total(), 7);

  // " five six ": "six" starts at byte 7.
  EXPECT_EQ(all.TokenOffset(2, 0, 0, 7), 1);
  EXPECT_EQ(all.TokenOffset(2, 0, 1, 7), 1);
  EXPECT_EQ(all.TokenOffset(2, 0, 2, 7), 7);
  // The first token of the first line of a later file is offset by the earlier files.
  EXPECT_EQ(all.TokenOffset(2, 0, 2, 2), all.FileTokenCount(0));
  EXPECT_EQ(words.TokenOffset(2, 0, 2, 2), words.FileTokenCount(0));
  // " seven " in line 2: after 2 + 3 tokens of the file.
  EXPECT_EQ(all.TokenOffset(2, 2, 1, 2), 5);
  EXPECT_EQ(words.TokenOffset(2, 2, 2, 2), 4 + 2);
  // A line whose tokens are all uncounted marks: its offset is the line's start.
  EXPECT_TRUE(words.LineTokenPos(2, 1).empty());
  EXPECT_EQ(words.TokenOffset(2, 1, 0, 4), 0);
  EXPECT_EQ(words.TokenOffset(2, 1, 1, 4), 2);
  EXPECT_EQ(words.TokenOffset(2, 1, 2, 4), 6);
}

TEST(BaseInfo, ErrorsNameTheClass) {
  EXPECT_KV_ERROR(TSeggedCorpusBaseInfo(nullptr, true), "No corpus was loaded!");
  TTempDir d;
  TStrList files;
  files.Add(d.Write("a.txt", "x y\n"));
  TCorpus corpus(files);
  TSeggedCorpusBaseInfo info(&corpus, true);
  EXPECT_KV_ERROR(info.FileTokenCount(1), "TSeggedCorpusBaseInfo Upper bound overflows! (1>0)");
  EXPECT_KV_ERROR(info.TokenOffset(0, 1, 0, 2), "TSeggedCorpusBaseInfo Upper bound overflows! (1>0)");
  EXPECT_KV_ERROR(info.TokenOffset(-1, 0, 0, 2), "TSeggedCorpusBaseInfo Lower bound overflows!");
}

}  // namespace
}  // namespace korvelin
