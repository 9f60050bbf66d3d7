#include "query/SmartInput.h"

#include <gtest/gtest.h>

#include "TestUtil.h"
#include "foundation/Types.h"
#include "lemma/Lemma.h"

namespace korvelin {
namespace {

using test::TTempDir;

// A lemma table that knows go and its forms.
class TGoLemma : public TLemma {
 public:
  std::string GetLemma(std::string_view word) override { return word == "went" ? "go" : std::string(word); }
  std::string GetForms(std::string_view lemma) override {
    return lemma == "go" ? "(go|went|gone)" : "(" + std::string(lemma) + ")";
  }
};

class SmartInputTest : public ::testing::Test {
 protected:
  SmartInputTest() : category(dir.Write("cat.txt", "NN1=N\r\nNN2=N\r\nVVD=V\r\n")) {}
  TTempDir dir;
  TPOSCategory category;
  TGoLemma lemma;
};

TEST_F(SmartInputTest, TranslationTable) {
  TSmartInput tagged(true), plain(false);
  for (TSmartInput* si : {&tagged, &plain}) {
    si->SetLemma(&lemma);
    si->SetPOSCategory(&category);
  }
  struct Case {
    const char *query, *tagged, *plain;
  } cases[] = {
      {"the", "the_\\S+", "the"},
      {"NN", "\\S+_NN", "NN"},
      {"@go", "(go|went|gone)_\\S+", "(go|went|gone)"},
      {"#N", "\\S+_(NN1|NN2)", "#N"},
      {"*", "\\S+", "\\S+"},
      {"the * of", "the_\\S+ \\S+ of_\\S+", "the \\S+ of"},
      {"colou?r", "colou?r", "colou?r"},
      {"the_AT dog", "the_AT dog", "the_AT dog"},
      {"I", "I_\\S+", "I"},
      {"IBM", "\\S+_IBM", "IBM"},
      {"PRP$", "PRP$", "PRP$"},
      {"a*", "a*", "a*"},
      {"#V @go", "\\S+_(VVD) (go|went|gone)_\\S+", "#V (go|went|gone)"},
      {"#ADJ", "\\S+_ADJ", "#ADJ"},  // no tag maps to the category
      {"  spaced  ", "spaced_\\S+", "spaced"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tagged.Translate(c.query), c.tagged) << c.query;
    EXPECT_EQ(plain.Translate(c.query), c.plain) << c.query;
  }
  EXPECT_EQ(tagged.Translate("   "), "");
}

TEST_F(SmartInputTest, TermKinds) {
  TSmartInput tagged(true), plain(false);
  struct Case {
    const char* term;
    int tagged, plain;
  } cases[] = {
      {"*", tkWildcard, tkWildcard},   {"a.b", tkRegex, tkRegex},    {"x=y", tkRegex, tkRegex},
      {"@go", tkLemma, tkLemma},       {"#N", tkPOSCategory, tkLiteral}, {"NN1", tkPOS, tkLiteral},
      {"N", tkWord, tkLiteral},        {"A_B", tkPOS, tkLiteral},    {"dog_NN", tkLiteral, tkLiteral},
      {"dog", tkWord, tkLiteral},      {"Dog", tkWord, tkLiteral},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tagged.TermKind(c.term), c.tagged) << c.term;
    EXPECT_EQ(plain.TermKind(c.term), c.plain) << c.term;
  }
  EXPECT_KV_ERROR(tagged.TermKind(" "), "The input is empty!");
  EXPECT_KV_ERROR(tagged.Translate("the  dog"), "The input is empty!");
}

TEST_F(SmartInputTest, TermsOfSeveralTokensAndKinds) {
  TSmartInput tagged(true);
  EXPECT_EQ(tagged.TermToRegex("look up", tkWord), "look_\\S+ up_\\S+");
  EXPECT_EQ(tagged.TermToRegex("look up", tkPOS), "\\S+_look \\S+_up");
  EXPECT_EQ(tagged.TermToRegex("look", tkWildcard), "");
  EXPECT_EQ(tagged.TermToRegex("a * b", tkWildcard), "a \\S+ b");
  EXPECT_EQ(tagged.TermToRegex("  ", tkWord), "");
  EXPECT_EQ(tagged.TermToRegex("x_Y", tkLiteral), "x_Y");
  EXPECT_EQ(tagged.TermToRegex("x", 99), "x");
  TSmartInput plain(false);
  EXPECT_EQ(plain.TermToRegex("look up", tkWord), "look up");
}

TEST_F(SmartInputTest, MissingTablesRaiseTheirSettersMessages) {
  TSmartInput si(true);
  EXPECT_KV_ERROR(si.Translate("@go"), "Please specify a lemma list!");
  EXPECT_KV_ERROR(si.Translate("#N"), "Please select a POS category mapping table!");
  EXPECT_KV_ERROR(si.SetLemma(nullptr), "Please specify a lemma list!");
  EXPECT_KV_ERROR(si.SetPOSCategory(nullptr), "Please select a POS category mapping table!");
  si.SetLemma(&lemma);
  EXPECT_EQ(si.Translate("@go"), "(go|went|gone)_\\S+");
  si.ClearLemma();
  EXPECT_FALSE(si.HasLemma());
  EXPECT_KV_ERROR(si.Translate("@go"), "Please specify a lemma list!");

  // "@" alone looks up the empty lemma: a user list refuses it.
  TUserLemma user(dir.Write("lemma.txt", "went=go\r\n"));
  si.SetLemma(&user);
  EXPECT_KV_ERROR(si.Translate("@"), "GetType:Invalid input!");
}

TEST(QueryTablesNeeded, LemmaFirstThenCategory) {
  EXPECT_EQ(QueryTablesNeeded("@go #N", false, false), TQueryNeed::LemmaList);
  EXPECT_EQ(QueryTablesNeeded("@go #N", true, false), TQueryNeed::POSCategoryList);
  EXPECT_EQ(QueryTablesNeeded("a#b", true, true), TQueryNeed::Nothing);
  EXPECT_EQ(QueryTablesNeeded("plain", false, false), TQueryNeed::Nothing);
}

}  // namespace
}  // namespace korvelin
