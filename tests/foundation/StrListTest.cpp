#include "foundation/StrList.h"

#include <gtest/gtest.h>

#include "TestUtil.h"

namespace korvelin {
namespace {

using test::ReadAll;
using test::TTempDir;

TEST(StrList, TextSplitsAtEveryLineEndAndJoinsWithCrLf) {
  TStrList l;
  l.SetText("a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_EQ(l.Items(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(l.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
  l.SetText("only\n");
  EXPECT_EQ(l.Items(), (std::vector<std::string>{"only"}));
}

TEST(StrList, NameValueAccessFollowsTheSeparator) {
  TStrList l;
  l.Add("went=go");
  l.Add("no separator");
  l.Add("a=b=c");
  EXPECT_EQ(l.Names(0), "went");
  EXPECT_EQ(l.ValueFromIndex(0), "go");
  EXPECT_EQ(l.Names(1), "");
  EXPECT_EQ(l.ValueFromIndex(1), "");
  EXPECT_EQ(l.ValueFromIndex(2), "b=c");
  EXPECT_EQ(l.IndexOfName("WENT"), 0);  // case-insensitive by default
  l.CaseSensitive = true;
  EXPECT_EQ(l.IndexOfName("WENT"), -1);
  l.NameValueSeparator = '\t';
  EXPECT_EQ(l.Names(0), "");
}

TEST(StrList, EditingAndRangeChecks) {
  TStrList l;
  l.Add("a");
  l.Add("b");
  l.Add("c");
  l.Exchange(0, 2);
  l.Delete(1);
  l.Insert(1, "x");
  l.Put(0, "z");
  EXPECT_EQ(l.Items(), (std::vector<std::string>{"z", "x", "a"}));
  EXPECT_EQ(l.IndexOf("A"), 2);
  EXPECT_KV_ERROR(l.Get(3), "TStrList Upper bound overflows! (3>2)");
  EXPECT_KV_ERROR(TStrList().Delete(0), "TStrList Upper bound(-1) is smaller than lower bound(0)\xEF\xBC\x81");
}

TEST(StrList, ChangeNotificationWaitsForTheOutermostUpdate) {
  TStrList l;
  int changes = 0;
  l.OnChange = [&] { ++changes; };
  l.Add("a");
  EXPECT_EQ(changes, 1);
  l.BeginUpdate();
  l.BeginUpdate();
  l.Add("b");
  l.Add("c");
  l.EndUpdate();
  EXPECT_EQ(changes, 1);
  l.EndUpdate();
  EXPECT_EQ(changes, 2);
}

TEST(StrList, SaveWritesCrLfAndFailureKeepsTheOldFile) {
  TTempDir dir;
  TStrList l;
  l.SetText("one\ntwo");
  const std::string path = dir / "list.txt";
  l.SaveToFile(path);
  EXPECT_EQ(ReadAll(path), "one\r\ntwo\r\n");
  TStrList back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.Items(), l.Items());

  // A save that cannot complete raises and leaves no file behind.
  try {
    l.SaveToFile(dir / "missing/list.txt");
    ADD_FAILURE() << "no error";
  } catch (const EKorvelinError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot write file"), std::string::npos);
  }
  EXPECT_KV_ERROR(back.LoadFromFile(dir / "absent.txt"),
                  "Cannot open file \"" + (dir / "absent.txt") + "\". No such file or directory");
}

}  // namespace
}  // namespace korvelin
