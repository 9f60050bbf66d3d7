#include "foundation/Helpers.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestUtil.h"

namespace korvelin {
namespace {

using test::TTempDir;

TEST(CheckRange, MessagesInOrderOfTheTests) {
  EXPECT_TRUE(CheckRange("TCorpus", 3, 0, 5));
  EXPECT_TRUE(CheckRange("TCorpus", 0, 0, 0));
  // An empty collection fails the first test, naming upper then lower bound.
  EXPECT_KV_ERROR(CheckRange("TCorpus", 0, 0, -1),
                  "TCorpus Upper bound(-1) is smaller than lower bound(0)\xEF\xBC\x81");
  EXPECT_KV_ERROR(CheckRange("TStatistics", -1, 0, 5), "TStatistics Lower bound overflows!");
  EXPECT_KV_ERROR(CheckRange("TfrmMain", 6, 0, 5), "TfrmMain Upper bound overflows! (6>5)");
  EXPECT_KV_ERROR(CheckRange("X", 3000000000LL, 1, 2147483647LL), "X Upper bound overflows! (3000000000>2147483647)");
}

std::vector<std::string> Strings(const TStrArr& a) { return a; }

TEST(SplitContext, RightAndLeftStopAtTheLineEnds) {
  const std::string line = " a b c d ";
  TStrArr t;
  // From the first byte of "c" rightwards, more tokens asked than there are.
  EXPECT_EQ(SplitRightContext(6, 5, line, t, false), 9);
  EXPECT_EQ(Strings(t), (TStrArr{"c", "d"}));
  // From the last byte of "b" leftwards: nearest first.
  SplitLeftContext(4, 5, line, t, false);
  EXPECT_EQ(Strings(t), (TStrArr{"b", "a"}));
  SplitLeftContext(4, 1, line, t, false);
  EXPECT_EQ(Strings(t), (TStrArr{"b"}));
}

TEST(SplitContext, GuardsGiveNothing) {
  TStrArr t{"stale"};
  EXPECT_EQ(SplitRightContext(0, 3, " a ", t, false), 0);
  EXPECT_TRUE(t.empty());
  t = {"stale"};
  EXPECT_EQ(SplitRightContext(9, 3, " a ", t, false), 0);
  EXPECT_TRUE(t.empty());
  EXPECT_EQ(SplitLeftContext(2, 0, " a ", t, false), 0);
  EXPECT_EQ(SplitLeftContext(1, 3, "   ", t, false), 0);
  EXPECT_TRUE(t.empty());
}

TEST(SplitContext, DittoTagsKeepMultiWordUnitsTogether) {
  const std::string line = " a_AT in_II31 spite_II32 of_II33 b_NN ";
  TStrArr t;
  SplitRightContext(6, 5, line, t, true);  // from the "i" of in_II31
  EXPECT_EQ(Strings(t), (TStrArr{"in_II31 spite_II32 of_II33", "b_NN"}));
  SplitRightContext(6, 5, line, t, false);
  EXPECT_EQ(Strings(t), (TStrArr{"in_II31", "spite_II32", "of_II33", "b_NN"}));

  // A hit on y: the left context starts at the last byte before its space.
  const std::string line2 = " x in_II31 spite_II32 of_II33 y ";
  const int32_t posY = static_cast<int32_t>(line2.find(" y ")) + 2;
  SplitLeftContext(posY - 2, 5, line2, t, true);
  EXPECT_EQ(Strings(t), (TStrArr{"in_II31 spite_II32 of_II33", "x"}));
  SplitLeftContext(posY - 2, 5, line2, t, false);
  EXPECT_EQ(Strings(t), (TStrArr{"of_II33", "spite_II32", "in_II31", "x"}));
}

TEST(IntHelpers, FillRangeAndAppend) {
  TIntArr a{7, 8};
  FillRange(a, 0, 5);
  EXPECT_EQ(a, (TIntArr{7, 8}));  // a count of 0 leaves the array alone
  FillRange(a, 3, 5);
  EXPECT_EQ(a, (TIntArr{5, 6, 7}));
  AppendInts(TIntArr{1, 2}, a);
  EXPECT_EQ(a, (TIntArr{5, 6, 7, 1, 2}));
}

TEST(FindPosition, LastElementNotGreater) {
  const TIntArr a{1, 5, 9};
  struct Case {
    int value, expected;
  } cases[] = {{2, 0}, {6, 1}, {10, 2}, {1, 0}, {5, 1}, {9, 2}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(FindPosition(a, 0, 3, c.value), c.expected) << c.value;
  // An empty table reads nothing and gives the low end.
  EXPECT_EQ(FindPosition(nullptr, 0, 0, 5), 0);
  const TIntArr one{4};
  EXPECT_EQ(FindPosition(one, 0, 1, 2), 0);
  EXPECT_EQ(FindPosition(one, 0, 1, 7), 0);
}

TEST(SortStrList, NumberDescThenKeyAscending) {
  TStrList l;
  l.NameValueSeparator = '\n';
  for (const char* s : {"beta\r3\n0", "alpha\r3\n1", "Gamma\r10\n2", "delta\r1\n3", "Alpha\r3\n4"}) l.Add(s);
  SortStrList(l, CompareByNumberDesc);
  std::vector<std::string> keys;
  for (int i = 0; i < l.Count(); ++i) keys.emplace_back(l.Names(i));
  // Case-insensitive list: alpha and Alpha tie; their order is the quicksort's.
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[0], "Gamma\r10");
  EXPECT_EQ(AsciiUpper(keys[1]), "ALPHA\r3");
  EXPECT_EQ(AsciiUpper(keys[2]), "ALPHA\r3");
  EXPECT_EQ(keys[3], "beta\r3");
  EXPECT_EQ(keys[4], "delta\r1");

  l.CaseSensitive = true;
  SortStrList(l, CompareByNumberDesc);
  EXPECT_EQ(std::string(l.Names(1)), "Alpha\r3");  // "A" < "a" byte-wise
  EXPECT_EQ(std::string(l.Names(2)), "alpha\r3");
}

TEST(SortStrList, EqualItemsEndInTheProceduresOrder) {
  // Three equal keys: the first pass swaps the ends and leaves the middle.
  TStrList l;
  for (const char* s : {"a=3", "a=1", "a=2"}) l.Add(s);
  SortStrList(l, [](const TStrList& list, int i, int j) {
    return CompareStrings(list.Names(i), list.Names(j), list.CaseSensitive);
  });
  EXPECT_EQ(l.Items(), (std::vector<std::string>{"a=2", "a=1", "a=3"}));
}

TEST(SortStrList, NameValueAndTheSortedFlag) {
  TStrList l;
  for (const char* s : {"b=1", "a=2", "a=10", "B=0"}) l.Add(s);
  l.Sorted = true;
  SortStrList(l, CompareByNameValue);
  EXPECT_EQ(l[0], "b=1");  // a sorted list is left alone
  l.Sorted = false;
  SortStrList(l, CompareByNameValue);
  // Values compare as strings: "10" before "2".
  EXPECT_EQ(l.Items(), (std::vector<std::string>{"a=10", "a=2", "B=0", "b=1"}));
}

TEST(SortStrList, BadNumberRaisesAndLargeListsSort) {
  TStrList bad;
  bad.NameValueSeparator = '\n';
  bad.Add("x\rtwelve\n0");
  bad.Add("y\r3\n1");
  EXPECT_KV_ERROR(SortStrList(bad, CompareByNumberDesc), "'twelve' is not a valid integer value");

  TStrList big;
  big.NameValueSeparator = '\n';
  for (int i = 0; i < 20000; ++i) big.Add("k" + std::to_string(i % 97) + "\r" + std::to_string((i * 7919) % 1000) + "\n" + std::to_string(i));
  SortStrList(big, CompareByNumberDesc);
  for (int i = 1; i < big.Count(); ++i) ASSERT_LE(CompareByNumberDesc(big, i - 1, i), 0) << i;
}

TEST(SmallHelpers, NamesSpacesCodes) {
  struct Case {
    const char *in, *out;
  } names[] = {{"a.b.txt", "a.b"}, {"notes", "notes"}, {".txt", ""}, {"  x.txt ", "x"}};
  for (const auto& c : names) EXPECT_EQ(StripExtension(c.in), c.out) << c.in;
  EXPECT_EQ(RemoveSpaces("  \xD6\xD0 \xB9\xFA  a b "), "\xD6\xD0\xB9\xFA" "ab");
  EXPECT_EQ(MirrorSide(0), 2);
  EXPECT_EQ(MirrorSide(2), 0);
  EXPECT_EQ(MirrorSide(1), 1);
  const int kinds[] = {1, 2, 3, 4, 5, 5};
  for (uint8_t d = 0; d < 6; ++d) EXPECT_EQ(TermKindOfDataType(d), kinds[d]);
  EXPECT_EQ(Trim("\t\x01 a b \r\n"), "a b");
  EXPECT_EQ(StrToInt("-42"), -42);
  EXPECT_KV_ERROR(StrToInt(""), "'' is not a valid integer value");
}

TEST(FileHelpers, DeleteFolderAndFilesByExtension) {
  TTempDir dir;
  dir.Write("keep.txt", "x");
  dir.Write("conc.htm", "x");
  dir.Write("para.HTM", "x");
  dir.Write("page.html", "x");
  EXPECT_EQ(DeleteFilesByExt(dir.path() + "/", "htm"), 2);
  EXPECT_TRUE(std::filesystem::exists(dir / "keep.txt"));
  EXPECT_TRUE(std::filesystem::exists(dir / "page.html"));
  EXPECT_FALSE(std::filesystem::exists(dir / "conc.htm"));

  // A tree whose paths are longer than 255 bytes goes as a whole.
  std::string deep = "tmp";
  for (int i = 0; i < 12; ++i) deep += "/" + std::string(30, static_cast<char>('a' + i));
  dir.Write(deep + "/f.jpg", "x");
  ASSERT_GT((dir / deep).size(), 255u);
  EXPECT_TRUE(DeleteFolder(dir / "tmp"));
  EXPECT_FALSE(std::filesystem::exists(dir / "tmp"));
}

}  // namespace
}  // namespace korvelin
