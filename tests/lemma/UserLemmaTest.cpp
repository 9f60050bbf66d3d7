#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "lemma/Lemma.h"

namespace korvelin {
namespace {

using test::TTempDir;

// A list file written into a temporary folder, kept as long as the lemma.
struct TListFile {
  TTempDir Dir;
  std::string Path;
  explicit TListFile(std::string_view text) : Path(Dir.Write("list.txt", text)) {}
};

TEST(UserLemma, WentGoesGone) {
  TListFile file("went=go\r\ngoes=go\r\ngone=go\r\n");
  TUserLemma list(file.Path);
  EXPECT_EQ(list.GetLemma("WENT"), "go");
  EXPECT_EQ(list.GetLemma(" gone\t"), "go");
  EXPECT_EQ(list.GetLemma("go"), "go");
  EXPECT_EQ(list.GetLemma("Ran"), "Ran");
  EXPECT_EQ(list.GetForms("go"), "(go|went|goes|gone)");
  EXPECT_EQ(list.GetForms(" GO "), "(GO|went|goes|gone)");
  EXPECT_EQ(list.GetForms("run"), "(run)");
}

TEST(UserLemma, TheLastOfSeveralLinesWithOneNameWins) {
  const struct {
    const char* text;
    const char* lemma;
  } cases[] = {
      {"dogs=dog\ndogs=doggy\n", "doggy"},
      {"dogs=doggy\ndogs=dog\n", "dog"},
      {"dogs=dog\nDOGS=doggy\n", "doggy"},  // names differ in case only
      {"dogs=dog\ndogs=\n", "dogs"},         // the last line has no value
  };
  for (const auto& c : cases) {
    TListFile file(c.text);
    TUserLemma list(file.Path);
    EXPECT_EQ(list.GetLemma("dogs"), c.lemma) << c.text;
  }
  TListFile file("dogs=dog\ndogs=doggy\n");
  TUserLemma list(file.Path);
  // Forms come from every line, found or not by GetLemma.
  EXPECT_EQ(list.GetForms("dog"), "(dog|dogs)");
  EXPECT_EQ(list.GetForms("doggy"), "(doggy|dogs)");
}

TEST(UserLemma, NamesAreTakenAsWrittenAndValuesTrimmedOnLookup) {
  TListFile file(
      "walk\n"            // no separator: kept, never found
      "sat =sit\n"        // the space belongs to the name
      "ran= run \n"       // and here to the value
      "=nothing\n"
      "eq=a=b\n"
      "x=\n"
      "\xC9T\xC9=summer\n"   // Windows-1252 upper half: not folded
      "\xB9\xFB=\xB9\xFB\xCA\xB5\n");  // GBK
  TUserLemma list(file.Path);
  EXPECT_EQ(list.List().Count(), 8);
  const struct {
    const char* word;
    const char* lemma;
  } cases[] = {
      {"walk", "walk"},   {"sat", "sat"},          {"sat ", "sat"},      {"ran", "run"},
      {"RAN", "run"},     {"nothing", "nothing"},  {"eq", "a=b"},        {"x", "x"},
      {"\xC9T\xC9", "summer"}, {"\xC9t\xC9", "summer"}, {"\xE9T\xE9", "\xE9T\xE9"},
      {"\xB9\xFB", "\xB9\xFB\xCA\xB5"},
  };
  for (const auto& c : cases) EXPECT_EQ(list.GetLemma(c.word), c.lemma) << c.word;

  // Forms compare the value as written, with ASCII letters folded.
  EXPECT_EQ(list.GetForms("run"), "(run)");
  EXPECT_EQ(list.GetForms(" run "), "(run)");
  EXPECT_EQ(list.GetForms("sit"), "(sit|sat )");
  EXPECT_EQ(list.GetForms("SIT"), "(SIT|sat )");
  EXPECT_EQ(list.GetForms("a=b"), "(a=b|eq)");
  EXPECT_EQ(list.GetForms("nothing"), "(nothing)");  // no empty alternative
  EXPECT_EQ(list.GetForms("walk"), "(walk)");
  EXPECT_EQ(list.GetForms("SUMMER"), "(SUMMER|\xC9T\xC9)");
}

TEST(UserLemma, ReadsEveryLineEnd) {
  const char* texts[] = {
      "went=go\r\ngoes=go\r\nwalked=walk",
      "went=go\ngoes=go\nwalked=walk\n",
      "went=go\rgoes=go\rwalked=walk\r",
      "went=go\r\ngoes=go\rwalked=walk\n",
  };
  for (const char* text : texts) {
    TListFile file(text);
    TUserLemma list(file.Path);
    EXPECT_EQ(list.List().Count(), 3) << text;
    EXPECT_EQ(list.GetLemma("went"), "go") << text;
    EXPECT_EQ(list.GetLemma("walked"), "walk") << text;
    EXPECT_EQ(list.GetForms("go"), "(go|went|goes)") << text;
    EXPECT_EQ(list.GetForms("walk"), "(walk|walked)") << text;
  }
}

TEST(UserLemma, OtherSeparator) {
  TListFile file("went\tgo\ngoes=go\n");
  TUserLemma list(file.Path, '\t');
  EXPECT_EQ(list.GetLemma("went"), "go");
  EXPECT_EQ(list.GetLemma("goes"), "goes");
  EXPECT_EQ(list.GetForms("go"), "(go|went)");
}

TEST(UserLemma, Failures) {
  EXPECT_KV_ERROR(TUserLemma(""), "Please specify a lemma list!");
  EXPECT_KV_ERROR(TUserLemma(" \t "), "Please specify a lemma list!");
  EXPECT_KV_ERROR(TPOSCategory(""), "Please specify a lemma list!");

  TTempDir dir;
  const std::string missing = dir / "missing.txt";
  for (const std::string& path : {missing, dir.path()}) {
    try {
      TUserLemma list(path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const EKorvelinError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + path + "\". ", 0), 0u) << e.what();
    }
  }

  TListFile file("went=go\n");
  TUserLemma list(file.Path);
  for (const char* blank : {"", "  ", "\t\r\n"}) {
    EXPECT_KV_ERROR(list.GetLemma(blank), "GetLemma:Invalid input!");
    EXPECT_KV_ERROR(list.GetForms(blank), "GetType:Invalid input!");
  }
}

TEST(POSCategory, ListsTheTagsOfACategory) {
  TListFile file("NN1=NOUN\nNN2=NOUN\nVV0=verb \nJJ=ADJ\n");
  TPOSCategory list(file.Path);
  EXPECT_EQ(list.GetLemma("nn1"), "NOUN");
  EXPECT_EQ(list.GetLemma("VV0"), "verb");
  EXPECT_EQ(list.GetLemma("XX"), "XX");
  EXPECT_EQ(list.GetForms("NOUN"), "(NN1|NN2)");
  EXPECT_EQ(list.GetForms(" noun "), "(NN1|NN2)");
  EXPECT_EQ(list.GetForms("ADJ"), "(JJ)");
  EXPECT_EQ(list.GetForms("VERB"), "");  // the value is "verb " as written
  EXPECT_EQ(ExpandForms(list, "VERB"), "VERB");
  EXPECT_EQ(ExpandForms(list, "NOUN ADJ"), "(NN1|NN2) (JJ)");
  EXPECT_EQ(ExpandForms(list, "NOUN VERB"), "(NN1|NN2)");
  EXPECT_EQ(LemmatizeText(list, "nn2 jj"), "NOUN ADJ");
  EXPECT_KV_ERROR(list.GetForms(" "), "GetType:Invalid input!");
}

// A lookup that remembers what it was asked.
class TMapLemma : public TLemma {
 public:
  std::map<std::string, std::string> Lemmas;
  std::vector<std::string> Asked;
  std::string GetLemma(std::string_view word) override {
    Asked.emplace_back(word);
    const auto found = Lemmas.find(std::string(word));
    return found == Lemmas.end() ? std::string(word) : found->second;
  }
  std::string GetForms(std::string_view lemma) override {
    Asked.emplace_back(lemma);
    return "<" + std::string(lemma) + ">";
  }
};

TEST(LemmatizeText, AppliesTheLookupToEachToken) {
  const struct {
    const char* text;
    const char* result;
    std::vector<std::string> asked;
  } cases[] = {
      {"went home", "go home", {"went", "home"}},
      {"  went\t", "go", {"went"}},
      {"the cat", "cat", {"the", "cat"}},           // an empty lemma drops out
      {"cat the", "cat", {"cat", "the"}},
      {"the a", "the a", {"the", "a"}},             // all empty: the text itself
      {" the ", "the", {"the"}},
      {"went  home", "go  home", {"went", "", "home"}},  // the empty token is asked too
      {"went\thome", "went\thome", {"went\thome"}},     // only spaces separate
      {"", "", {""}},
  };
  for (const auto& c : cases) {
    TMapLemma map;
    map.Lemmas = {{"went", "go"}, {"the", ""}, {"a", ""}};
    EXPECT_EQ(LemmatizeText(map, c.text), c.result) << c.text;
    EXPECT_EQ(map.Asked, c.asked) << c.text;
  }

  TMapLemma map;
  EXPECT_EQ(ExpandForms(map, " went  home "), "<went> <> <home>");
  EXPECT_EQ(map.Asked, (std::vector<std::string>{"went", "", "home"}));
}

TEST(LemmatizeText, WithAUserList) {
  TListFile file("went=go\ngoes=go\nchildren=child\n");
  TUserLemma list(file.Path);
  EXPECT_EQ(LemmatizeText(list, "children went"), "child go");
  EXPECT_EQ(LemmatizeText(list, " WENT "), "go");
  EXPECT_EQ(ExpandForms(list, "go run"), "(go|went|goes) (run)");
  EXPECT_EQ(ExpandForms(list, "child"), "(child|children)");
  // Two spaces in a row give an empty token, which a list refuses.
  EXPECT_KV_ERROR(LemmatizeText(list, "went  goes"), "GetLemma:Invalid input!");
  EXPECT_KV_ERROR(ExpandForms(list, "go  run"), "GetType:Invalid input!");
  EXPECT_KV_ERROR(LemmatizeText(list, "  "), "GetLemma:Invalid input!");
}

}  // namespace
}  // namespace korvelin
