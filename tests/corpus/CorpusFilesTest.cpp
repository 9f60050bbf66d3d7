#include "corpus/CorpusFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TestUtil.h"

namespace korvelin {
namespace {

using test::ReadAll;
using test::TTempDir;

std::vector<std::string> Relative(const TStrList& files, const std::string& base) {
  std::vector<std::string> out;
  for (const auto& f : files.Items()) out.push_back(f.substr(base.size() + 1));
  return out;
}

TEST(FindCorpusFiles, NameOrderDepthFirstExactExtension) {
  TTempDir d;
  d.Write("b.txt", "12345");
  d.Write("a.txt", "1");
  d.Write("c.TXT", "ignored: the extension must match byte for byte");
  d.Write("notes.md", "x");
  d.Write("ab/z.txt", "123");
  d.Write("ab/deeper/y.txt", "12");
  d.Write(".hidden.txt", "x");
  d.Write(".git/x.txt", "x");
  std::filesystem::create_directory(d / "folder.txt");

  TStrList files;
  EXPECT_EQ(FindCorpusFiles(d.path(), files, true, ".txt"), 11);
  EXPECT_EQ(Relative(files, d.path()), (std::vector<std::string>{"a.txt", "ab/deeper/y.txt", "ab/z.txt", "b.txt"}));

  TStrList flat;
  EXPECT_EQ(FindCorpusFiles(d.path(), flat, false, ".txt"), 6);
  EXPECT_EQ(Relative(flat, d.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(FindCorpusFiles, LinksToFilesCountLinksToFoldersAreNotEntered) {
  TTempDir d;
  d.Write("real/a.txt", "abc");
  ASSERT_EQ(::symlink((d / "real/a.txt").c_str(), (d / "real/link.txt").c_str()), 0);
  ASSERT_EQ(::symlink((d / "real").c_str(), (d / "real/loop").c_str()), 0);
  ASSERT_EQ(::symlink((d / "gone.txt").c_str(), (d / "real/dangling.txt").c_str()), 0);
  TStrList files;
  EXPECT_EQ(FindCorpusFiles(d.path(), files, true, ".txt"), 6);
  EXPECT_EQ(Relative(files, d.path()), (std::vector<std::string>{"real/a.txt", "real/link.txt"}));
}

TEST(FindCorpusFiles, TotalsBeyondTwoGigabytesStayPositive) {
  TTempDir d;
  // Sparse files: large sizes without using the disk.
  for (const char* name : {"big1.txt", "big2.txt"}) {
    d.Write(name, "");
    std::filesystem::resize_file(d / name, 1500000000ULL);
  }
  TStrList files;
  EXPECT_EQ(FindCorpusFiles(d.path(), files, true, ".txt"), 3000000000LL);
}

TEST(FileTests, AnsiAndTextTable) {
  TTempDir d;
  struct Case {
    const char* name;
    std::string bytes;
    bool ansi, text;
  } cases[] = {
      {"empty.txt", "", true, true},
      {"utf8.txt", "caf\xC3\xA9", true, true},
      {"utf8bom.txt", "\xEF\xBB\xBFhello", false, true},
      {"utf16le.txt", std::string("\xFF\xFEh\0i\0", 6), false, false},
      {"utf16be.txt", std::string("\xFE\xFF\0h\0i", 6), false, false},
      {"utf16nobom.txt", std::string("h\0i\0", 4), true, false},
      {"one.txt", "\xFF", true, true},
      {"latezero.txt", std::string(40960, 'a') + std::string(1, '\0'), true, true},
      {"edgezero.txt", std::string(40959, 'a') + std::string(1, '\0'), true, false},
  };
  for (const auto& c : cases) {
    const std::string p = d.Write(c.name, c.bytes);
    EXPECT_EQ(IsAnsiFile(p), c.ansi) << c.name;
    EXPECT_EQ(IsTextFile(p), c.text) << c.name;
  }
  EXPECT_TRUE(IsAnsiFile(d / "absent.txt"));
  EXPECT_THROW(IsTextFile(d / "absent.txt"), EKorvelinError);
}

TEST(CheckAnsiFiles, ReportsEveryFailureAndKeepsAnOldReportOnSuccess) {
  TTempDir d;
  TStrList files;
  files.Add(d.Write("good.txt", "fine"));
  files.Add(d.Write("bom.txt", "\xEF\xBB\xBFx"));
  files.Add(d.Write("wide.txt", std::string("a\0b\0", 4)));
  files.Add("  ");
  files.Add(d / "missing.txt");
  const std::string report = d / "error.log";
  EXPECT_KV_ERROR(CheckAnsiFiles(files, report), "2 file(s) in Non-ANSI format, see:\n\r" + report);
  EXPECT_EQ(ReadAll(report), "bom.txt is NOT ansi text file;\r\nwide.txt is NOT text file;\r\n");

  TStrList good;
  good.Add(d / "good.txt");
  CheckAnsiFiles(good, report);
  EXPECT_EQ(ReadAll(report), "bom.txt is NOT ansi text file;\r\nwide.txt is NOT text file;\r\n");
}

}  // namespace
}  // namespace korvelin
