#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "lemma/Lemma.h"

namespace korvelin {
namespace {

using test::TTempDir;

constexpr char kRealLibrary[] = KV_PROGRAM_DIR "/sys/MyDLL.so";

// The stand-in library opened beside the lemma object (the same handle), so
// the test can read its call counts.
class FakeLibrary : public testing::Test {
 protected:
  enum { Loads, Frees, DeInflections, Inflections };

  void SetUp() override {
    handle_ = dlopen(KV_FAKE_LEMMATIZER, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    counts_ = reinterpret_cast<const int* (*)()>(dlsym(handle_, "FakeCounts"))();
    last_ = reinterpret_cast<const char* (*)()>(dlsym(handle_, "FakeLastWord"));
    reinterpret_cast<void (*)()>(dlsym(handle_, "FakeReset"))();
  }
  void TearDown() override {
    if (handle_ != nullptr) dlclose(handle_);
  }
  int Count(int what) const { return counts_[what]; }
  std::string LastWord() const { return last_(); }

  void* handle_ = nullptr;
  const int* counts_ = nullptr;
  const char* (*last_)() = nullptr;
};

TEST_F(FakeLibrary, LoadsOnCreationAndFreesOnDestruction) {
  auto lemma = std::make_unique<TMyLemma>(KV_FAKE_LEMMATIZER);
  EXPECT_EQ(Count(Loads), 1);
  EXPECT_EQ(Count(Frees), 0);
  EXPECT_EQ(lemma->GetLemma("went"), "go");
  lemma.reset();
  EXPECT_EQ(Count(Loads), 1);
  EXPECT_EQ(Count(Frees), 1);

  lemma = std::make_unique<TMyLemma>(KV_FAKE_LEMMATIZER);
  EXPECT_EQ(Count(Loads), 2);
  EXPECT_EQ(lemma->GetLemma("goes"), "go");
}

TEST_F(FakeLibrary, ANewObjectMadeBeforeTheOldIsFreedKeepsTheTable) {
  auto old = std::make_unique<TMyLemma>(KV_FAKE_LEMMATIZER);
  auto replacement = std::make_unique<TMyLemma>(KV_FAKE_LEMMATIZER);
  old.reset();
  EXPECT_EQ(Count(Frees), 0);
  EXPECT_EQ(replacement->GetLemma("went"), "go");
  EXPECT_EQ(replacement->GetForms("go"), "(went|goes|go)");
  replacement.reset();
  EXPECT_EQ(Count(Loads), 1);
  EXPECT_EQ(Count(Frees), 1);
}

TEST_F(FakeLibrary, GetLemma) {
  TMyLemma lemma(KV_FAKE_LEMMATIZER);
  const struct {
    const char* word;
    std::string lemma;
    const char* asked;  // what reached the library; null: nothing
  } cases[] = {
      {"went", "go", "went"},
      {"  children\t", "child", "children"},
      {"unknown", "", "unknown"},
      {"overlong", std::string(67, 'x').c_str(), "overlong"},
      {"123", "123", nullptr},
      {" 1st ", "1st", nullptr},
      {"\xC4\xE3\xBA\xC3", "\xC4\xE3\xBA\xC3", nullptr},  // GBK
      {"\xE9t\xE9", "\xE9t\xE9", nullptr},
      {"_x", "_x", nullptr},
      {"", "", nullptr},
      {"  ", "", nullptr},
  };
  for (const auto& c : cases) {
    reinterpret_cast<void (*)()>(dlsym(handle_, "FakeReset"))();
    EXPECT_EQ(lemma.GetLemma(c.word), c.lemma) << c.word;
    EXPECT_EQ(Count(DeInflections), c.asked ? 1 : 0) << c.word;
    if (c.asked) {
      EXPECT_EQ(LastWord(), c.asked);
    }
  }
}

TEST_F(FakeLibrary, RepeatedWordsAreAskedOnce) {
  TMyLemma lemma(KV_FAKE_LEMMATIZER);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(lemma.GetLemma("went"), "go");
    EXPECT_EQ(lemma.GetLemma("unknown"), "");
  }
  EXPECT_EQ(Count(DeInflections), 2);
}

TEST_F(FakeLibrary, GetForms) {
  TMyLemma lemma(KV_FAKE_LEMMATIZER);
  const struct {
    const char* lemma;
    const char* forms;
    bool asked;
  } cases[] = {
      {"go", "(went|goes|go)", true},     // the lemma closes the alternation
      {" go ", "(went|goes|go)", true},
      {"set", "(set|sets)", true},        // no closing bar: taken as it is
      {"run", "run", true},               // no forms
      {"42", "42", false},
      {"\xC4\xE3", "\xC4\xE3", false},
      {" ", "", false},
  };
  for (const auto& c : cases) {
    reinterpret_cast<void (*)()>(dlsym(handle_, "FakeReset"))();
    EXPECT_EQ(lemma.GetForms(c.lemma), c.forms) << c.lemma;
    EXPECT_EQ(Count(Inflections), c.asked ? 1 : 0) << c.lemma;
  }
}

TEST_F(FakeLibrary, TextHelpers) {
  TMyLemma lemma(KV_FAKE_LEMMATIZER);
  EXPECT_EQ(LemmatizeText(lemma, "the children went"), "child go");  // "the" is unknown
  EXPECT_EQ(LemmatizeText(lemma, "the"), "the");
  EXPECT_EQ(LemmatizeText(lemma, "went  123"), "go  123");  // an empty token is no error here
  EXPECT_EQ(ExpandForms(lemma, "go run"), "(went|goes|go) run");
}

TEST_F(FakeLibrary, AnIncompleteLibraryIsRefusedWithoutLoading) {
  void* incomplete = dlopen(KV_FAKE_INCOMPLETE_LEMMATIZER, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(incomplete, nullptr) << dlerror();
  const int* counts = reinterpret_cast<const int* (*)()>(dlsym(incomplete, "FakeCounts"))();
  const std::string prefix =
      "The lemmatizer library \"" KV_FAKE_INCOMPLETE_LEMMATIZER "\" could not be loaded: ";
  try {
    TMyLemma lemma(KV_FAKE_INCOMPLETE_LEMMATIZER);
    ADD_FAILURE() << "no error";
  } catch (const EKorvelinError& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind(prefix, 0), 0u) << message;
    EXPECT_NE(message.find("Inflection"), std::string::npos) << message;
  }
  EXPECT_EQ(counts[Loads], 0);
  dlclose(incomplete);
}

TEST(MyLemma, AMissingOrBrokenLibraryIsNamed) {
  TTempDir dir;
  const std::string broken = dir.Write("sys/MyDLL.so", "not a library\n");
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {dir / "nowhere/MyDLL.so", "No such file"},
      {broken, ""},
      {dir.path(), ""},
  };
  for (const auto& c : cases) {
    try {
      TMyLemma lemma(c.path);
      ADD_FAILURE() << "no error for " << c.path;
    } catch (const EKorvelinError& e) {
      const std::string message = e.what();
      const std::string prefix = "The lemmatizer library \"" + c.path + "\" could not be loaded: ";
      EXPECT_EQ(message.rfind(prefix, 0), 0u) << message;
      EXPECT_GT(message.size(), prefix.size()) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
  }
}

TEST_F(FakeLibrary, ABareFileNameMeansAFileInTheCurrentFolder) {
  const std::filesystem::path fake(KV_FAKE_LEMMATIZER);
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(fake.parent_path());
  {
    TMyLemma lemma(fake.filename().string());
    EXPECT_EQ(lemma.GetLemma("went"), "go");
  }
  // libm is on the system's library path, but not in this folder.
  try {
    TMyLemma lemma("libm.so.6");
    ADD_FAILURE() << "libm.so.6 was opened";
  } catch (const EKorvelinError& e) {
    EXPECT_NE(std::string(e.what()).find("cannot open shared object file"), std::string::npos) << e.what();
  }
  std::filesystem::current_path(saved);
  EXPECT_EQ(Count(Loads), 1);
}

// "(a|b|c)" -> {"a", "b", "c"}
std::vector<std::string> Alternatives(const std::string& forms) {
  std::vector<std::string> parts;
  if (forms.size() < 2 || forms.front() != '(' || forms.back() != ')') return parts;
  std::stringstream in(forms.substr(1, forms.size() - 2));
  for (std::string part; std::getline(in, part, '|');) parts.push_back(part);
  return parts;
}

TEST(MyLemma, TheRealLibrary) {
  TMyLemma lemma(kRealLibrary);
  const struct {
    const char* word;
    const char* lemma;
  } cases[] = {
      {"went", "go"}, {"WENT", "go"}, {"gone", "go"}, {"children", "child"}, {"123", "123"},
      {"\xC4\xE3\xBA\xC3", "\xC4\xE3\xBA\xC3"},
  };
  for (const auto& c : cases) EXPECT_EQ(lemma.GetLemma(c.word), c.lemma) << c.word;

  const std::string forms = lemma.GetForms("go");
  const std::vector<std::string> parts = Alternatives(forms);
  ASSERT_FALSE(parts.empty()) << forms;
  EXPECT_EQ(parts.back(), "go") << forms;
  for (const char* form : {"went", "goes", "gone", "going"})
    EXPECT_NE(std::find(parts.begin(), parts.end(), form), parts.end()) << form << " in " << forms;
  EXPECT_EQ(lemma.GetForms("children"), "children");  // a form, not a lemma

  EXPECT_EQ(LemmatizeText(lemma, "children went"), "child go");
}

}  // namespace
}  // namespace korvelin
