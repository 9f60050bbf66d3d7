// korvelin-cli run as a user runs it: output, messages and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "TestUtil.h"
#include "foundation/Helpers.h"
#include "foundation/StrList.h"

namespace korvelin {
namespace {

using test::TTempDir;

struct TRun {
  int status = -1;
  std::string out, err;
};

// Runs korvelin-cli with arguments (already quoted for the shell).
TRun Cli(const std::string& args, const TTempDir& tmp) {
  const std::string errFile = tmp / "stderr.txt";
  const std::string cmd = std::string(KV_PROGRAM_DIR) + "/korvelin-cli " + args + " 2>" + errFile;
  TRun r;
  FILE* p = ::popen(cmd.c_str(), "r");
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  r.err = test::ReadAll(errFile);
  return r;
}

// Tabs to line ends, so that TStrList splits the fields.
std::string ReplaceTabs(std::string s) {
  for (char& c : s)
    if (c == '\t') c = '\n';
  return s;
}

const std::string kSamples = std::string(KV_SOURCE_DIR) + "/samples";

TEST(Cli, InfoDescribesTheSampleCorpora) {
  TTempDir tmp;
  TRun en = Cli("info '" + kSamples + "/en'", tmp);
  ASSERT_EQ(en.status, 0) << en.err;
  EXPECT_NE(en.out.find("Files:\t3\n"), std::string::npos) << en.out;
  EXPECT_NE(en.out.find("Chinese:\tno\n"), std::string::npos);
  EXPECT_NE(en.out.find("Tagged:\tno\n"), std::string::npos);
  TRun zh = Cli("info '" + kSamples + "/zh' --lines", tmp);
  ASSERT_EQ(zh.status, 0) << zh.err;
  EXPECT_NE(zh.out.find("Chinese:\tyes\n"), std::string::npos);
  // The first prepared line, one character to a token, written as UTF-8.
  EXPECT_NE(zh.out.find("\xE7\xAC\xAC \xE4\xB8\x80 \xE5\x9B\x9E"), std::string::npos);
}

TEST(Cli, SearchPrintsOneHitPerLineAndTheCountOnStderr) {
  TTempDir tmp;
  TRun r = Cli("search '" + kSamples + "/en' 'Cheshire Cat' --spans 2,1", tmp);
  ASSERT_EQ(r.status, 0) << r.err;
  TStrList lines;
  lines.SetText(r.out);
  ASSERT_GT(lines.Count(), 2);
  EXPECT_EQ(r.err, std::to_string(lines.Count()) + " hit(s)\n");
  TStrList fields;
  fields.SetText(ReplaceTabs(lines[0]));
  ASSERT_EQ(fields.Count(), 8) << lines[0];
  EXPECT_EQ(fields[0], "0");
  EXPECT_EQ(fields[1], "Carroll_Lewis_Alice_s_Adventures_in_Wonderland");
  EXPECT_EQ(AsciiUpper(fields[5]), "CHESHIRE CAT");  // case is ignored by default
  EXPECT_LE(std::count(fields[6].begin(), fields[6].end(), ' '), 1);  // at most two tokens
  EXPECT_EQ(fields[7].find(' '), std::string::npos);                   // one token

  TRun zh = Cli("search '" + kSamples + "/zh' '\xE5\xAE\x9D\xE7\x8E\x89'", tmp);  // two characters, typed together
  ASSERT_EQ(zh.status, 0) << zh.err;
  EXPECT_NE(zh.out.find("\t\xE5\xAE\x9D \xE7\x8E\x89\t"), std::string::npos);
}

TEST(Cli, ErrorsGoToStderrWithStatusOne) {
  TTempDir tmp;
  struct Case {
    std::string args, message;
    int status;
  } cases[] = {
      {"info '" + tmp.path() + "'", "No corpus file was found in the selected folder!\n", 1},
      {"search '" + kSamples + "/en' '(the'", "Invalid regular expression", 1},
      {"search '" + kSamples + "/en' '#N'", "Please select a POS Category list first!\n", 1},
      {"search '" + kSamples + "/en' the --format segmented", "segmented is offered for Chinese corpora only", 2},
      {"nonsense", "unknown command", 2},
  };
  for (const auto& c : cases) {
    TRun r = Cli(c.args, tmp);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << c.args;
  }
}

}  // namespace
}  // namespace korvelin
