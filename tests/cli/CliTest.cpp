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

namespace korvelin {
namespace {

TEST(CliConc, SortsFiltersAndWritesTheSavedText) {
  TTempDir tmp;
  TRun r = Cli("conc '" + kSamples + "/en' 'Cheshire Cat' --sort R1:word,L1:word --spans 3,3", tmp);
  ASSERT_EQ(r.status, 0) << r.err;
  TStrList lines;
  lines.SetText(r.out);
  ASSERT_GT(lines.Count(), 3);
  std::string previous;
  for (int i = 0; i < lines.Count(); ++i) {
    TStrList f;
    f.SetText(ReplaceTabs(lines[i]));
    ASSERT_EQ(f.Count(), 5) << lines[i];
    EXPECT_EQ(f[0], std::to_string(i + 1));  // row numbers in the sorted order
    EXPECT_EQ(AsciiUpper(f[3]), " CHESHIRE CAT ");
    // The first right token decides the order (case ignored).
    const std::string r1 = AsciiUpper(f[4].substr(0, f[4].find(' ')));
    EXPECT_LE(previous, r1) << lines[i];
    previous = r1;
  }

  TRun kept = Cli("conc '" + kSamples + "/en' 'Cat' --filter Cheshire --scope left", tmp);
  TRun dropped = Cli("conc '" + kSamples + "/en' 'Cat' --filter Cheshire --scope left --exclude", tmp);
  TRun all = Cli("conc '" + kSamples + "/en' 'Cat'", tmp);
  ASSERT_EQ(kept.status, 0) << kept.err;
  TStrList a, k, d;
  a.SetText(all.out);
  k.SetText(kept.out);
  d.SetText(dropped.out);
  EXPECT_GT(k.Count(), 0);
  EXPECT_EQ(k.Count() + d.Count(), a.Count());

  const std::string saved = tmp / "conc.txt";
  TRun s = Cli("conc '" + kSamples + "/en' 'Cheshire Cat' --save '" + saved + "'", tmp);
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_TRUE(s.out.empty());
  const std::string bytes = test::ReadAll(saved);
  EXPECT_NE(bytes.find("\r\n"), std::string::npos);  // CR LF lines
}

TEST(CliConc, PagesAndParagraphs) {
  TTempDir tmp;
  const std::string page = tmp / "conc.htm";
  TRun r = Cli("conc '" + kSamples + "/en' Alice --html '" + page + "' --page 2", tmp);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string html = test::ReadAll(page);
  EXPECT_NE(html.find("<title>concordance (101-200/"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"n\">101.\t</td>"), std::string::npos);
  const std::string para = tmp / "para.htm";
  TRun p = Cli("conc '" + kSamples + "/en' Alice --paragraph 5 --html '" + para + "'", tmp);
  ASSERT_EQ(p.status, 0) << p.err;
  EXPECT_NE(test::ReadAll(para).find("<div class=\"p\">"), std::string::npos);

  struct Case {
    std::string args, message;
    int status;
  } errors[] = {
      {"conc '" + kSamples + "/en' Alice --filter zzzzqq", "The result is empty!", 1},
      {"conc '" + kSamples + "/en' Alice --sort X1", "unknown sort position", 2},
      {"conc '" + kSamples + "/en' Alice --paragraph 1", "--paragraph needs --html FILE", 2},
      {"conc '" + kSamples + "/en' Alice --paragraph 999999 --html '" + para + "'", "Upper bound overflows!", 1},
  };
  for (const auto& c : errors) {
    TRun e = Cli(c.args, tmp);
    EXPECT_EQ(e.status, c.status) << c.args;
    EXPECT_NE(e.err.find(c.message), std::string::npos) << c.args << ": " << e.err;
  }
}

}  // namespace
}  // namespace korvelin
