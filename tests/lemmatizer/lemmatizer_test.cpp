// MyDLL.so opened with dlopen and called through dlsym, as Korvelin does.
// The first suite uses the built library with the shipped table; the second
// copies the library into a temporary folder beside a small table of its own.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr char kLibrary[] = KV_PROGRAM_DIR "/sys/MyDLL.so";
constexpr std::size_t kResultSize = 68;   // what the caller hands over
constexpr std::size_t kBufferSize = 100;  // room for a canary behind it
constexpr unsigned char kCanary = 0xAB;

class TLemmatizer {
 public:
  explicit TLemmatizer(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
      const char* why = dlerror();
      error_ = why != nullptr ? why : "dlopen failed";
      return;
    }
    load_ = reinterpret_cast<void (*)()>(dlsym(handle_, "LoadArrays"));
    free_ = reinterpret_cast<void (*)()>(dlsym(handle_, "FreeArrays"));
    de_ = reinterpret_cast<void (*)(const char*, unsigned char*)>(dlsym(handle_, "DeInflection"));
    in_ = reinterpret_cast<void (*)(const char*, unsigned char*)>(dlsym(handle_, "Inflection"));
  }
  ~TLemmatizer() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  TLemmatizer(const TLemmatizer&) = delete;
  TLemmatizer& operator=(const TLemmatizer&) = delete;

  bool Complete() const { return load_ && free_ && de_ && in_; }
  const std::string& Error() const { return error_; }
  void Load() const { load_(); }
  void Free() const { free_(); }
  std::string Lemma(const std::string& word) const { return Call(de_, word); }
  std::string Forms(const std::string& lemma) const { return Call(in_, lemma); }

  // The raw buffer after a call, canary-filled beyond what the caller owns.
  std::vector<unsigned char> RawForms(const std::string& lemma) const { return Raw(in_, lemma); }
  std::vector<unsigned char> RawLemma(const std::string& word) const { return Raw(de_, word); }

 private:
  using TWordFn = void (*)(const char*, unsigned char*);

  static std::vector<unsigned char> Raw(TWordFn fn, const std::string& word) {
    std::vector<unsigned char> buf(kBufferSize, kCanary);
    fn(word.c_str(), buf.data());
    return buf;
  }
  static std::string Call(TWordFn fn, const std::string& word) {
    const auto buf = Raw(fn, word);
    EXPECT_LT(buf[0], kResultSize) << word;
    EXPECT_EQ(std::vector<unsigned char>(buf.begin() + kResultSize, buf.end()),
              std::vector<unsigned char>(kBufferSize - kResultSize, kCanary))
        << "written past the buffer for " << word;
    return std::string(buf.begin() + 1, buf.begin() + 1 + std::min<std::size_t>(buf[0], kResultSize - 1));
  }

  void* handle_;
  std::string error_;
  void (*load_)() = nullptr;
  void (*free_)() = nullptr;
  TWordFn de_ = nullptr;
  TWordFn in_ = nullptr;
};

// "went|goes|" → {"went", "goes"}; fails the test when the list does not end
// with a separator, i.e. when a form was cut.
std::vector<std::string> SplitForms(const std::string& list) {
  std::vector<std::string> forms;
  if (list.empty()) return forms;
  EXPECT_EQ(list.back(), '|') << list;
  std::stringstream in(list);
  for (std::string form; std::getline(in, form, '|');) forms.push_back(form);
  return forms;
}

// Everything the callback prints on file descriptor 1.
std::string StdoutOf(const std::function<void()>& fn) {
  std::fflush(stdout);
  std::FILE* tmp = std::tmpfile();
  const int saved = dup(1);
  dup2(fileno(tmp), 1);
  fn();
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  std::rewind(tmp);
  std::string out;
  for (int c; (c = std::fgetc(tmp)) != EOF;) out.push_back(static_cast<char>(c));
  std::fclose(tmp);
  return out;
}

// ---------------------------------------------------------------------------
// The shipped library and table.

class ShippedLemmatizer : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    lib_ = std::make_unique<TLemmatizer>(kLibrary);
    if (lib_->Complete()) lib_->Load();
  }
  static void TearDownTestSuite() {
    if (lib_->Complete()) lib_->Free();
    lib_.reset();
  }
  void SetUp() override { ASSERT_TRUE(lib_->Complete()) << kLibrary << ": " << lib_->Error(); }

  static std::unique_ptr<TLemmatizer> lib_;
};
std::unique_ptr<TLemmatizer> ShippedLemmatizer::lib_;

TEST_F(ShippedLemmatizer, GivesTheLemmaOfEachForm) {
  const struct {
    const char* word;
    const char* lemma;
  } cases[] = {
      {"went", "go"},      {"gone", "go"},          {"going", "go"},     {"goes", "go"},
      {"go", "go"},        {"Went", "go"},          {"GOES", "go"},      {"children", "child"},
      {"child", "child"},  {"better", "good"},      {"best", "good"},    {"stopped", "stop"},
      {"running", "run"},  {"studies", "study"},    {"was", "be"},       {"were", "be"},
      {"been", "be"},      {"is", "be"},            {"building", "build"}, {"leaves", "leave"},
      {"evening", "evening"}, {"seed", "seed"},     {"hoped", "hope"},   {"qzxv", ""},
      {"the", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(lib_->Lemma(c.word), c.lemma) << c.word;
}

TEST_F(ShippedLemmatizer, ListsTheOtherFormsOfALemma) {
  const auto go = SplitForms(lib_->Forms("go"));
  EXPECT_EQ(std::set<std::string>(go.begin(), go.end()),
            (std::set<std::string>{"went", "goes", "gone", "going"}));
  EXPECT_EQ(go, SplitForms(lib_->Forms("GO"))) << "order must not depend on case";

  const auto be = SplitForms(lib_->Forms("be"));
  for (const char* form : {"am", "are", "is", "was", "were", "been", "being"}) {
    EXPECT_NE(std::find(be.begin(), be.end(), form), be.end()) << form;
  }
  for (const auto& form : be) EXPECT_EQ(lib_->Lemma(form), "be") << form;

  // Unknown words and words that are no lemma have no forms to list.
  EXPECT_EQ(lib_->Forms("qzxv"), "");
  EXPECT_EQ(lib_->Forms("went"), "");
}

TEST_F(ShippedLemmatizer, CutsALongListAtAWholeForm) {
  // "trammel" has more spellings than 67 bytes hold.
  const auto raw = lib_->RawForms("trammel");
  const std::string list = lib_->Forms("trammel");
  EXPECT_GT(list.size(), 40u);
  for (const auto& form : SplitForms(list)) {
    EXPECT_NE(form, "trammel");
    EXPECT_EQ(lib_->Lemma(form), "trammel") << form << " is not a whole form";
  }
  EXPECT_EQ(std::vector<unsigned char>(raw.begin() + kResultSize, raw.end()),
            std::vector<unsigned char>(kBufferSize - kResultSize, kCanary));
}

TEST_F(ShippedLemmatizer, LongAndOddInputIsUnknown) {
  for (const std::string& word : {std::string(200, 'a'), "go" + std::string(198, 'o'),
                                  std::string(67, 'z'), std::string("caf\xe9"), std::string()}) {
    EXPECT_EQ(lib_->Lemma(word), "") << word.size();
    EXPECT_EQ(lib_->Forms(word), "") << word.size();
  }
}

// ---------------------------------------------------------------------------
// A copy of the library beside a table written by the test.

class PrivateLemmatizer : public testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "korvelin-lemma-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    fs::copy_file(kLibrary, dir_ / "MyDLL.so");
  }
  void TearDown() override {
    lib_.reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void WriteTable(const std::string& text) const {
    std::ofstream(dir_ / "lemma-en.tsv", std::ios::binary) << text;
  }
  // Opens the copy; the table is read only on Load().
  const TLemmatizer& Open() {
    lib_ = std::make_unique<TLemmatizer>((dir_ / "MyDLL.so").string());
    EXPECT_TRUE(lib_->Complete()) << lib_->Error();
    return *lib_;
  }

  fs::path dir_;
  std::unique_ptr<TLemmatizer> lib_;
};

TEST_F(PrivateLemmatizer, ListIsCutBeforeTheFirstFormThatDoesNotFit) {
  const std::string nine = "aaaaaaaa";  // with a digit and "|": 10 bytes a form
  std::string six;
  for (char n = '1'; n <= '6'; ++n) six += nine + n + " ";
  std::string six_out;
  for (char n = '1'; n <= '6'; ++n) six_out += nine + n + "|";
  const struct {
    std::string forms;
    std::string expected;
  } cases[] = {
      {six + "bcdefg", six_out + "bcdefg|"},      // 60 + 7: exactly 67 bytes
      {six + "bcdefgh gh", six_out},              // 60 + 8 is one too many; "gh" behind stays out
      {std::string(67, 'x') + " ab", ""},         // the first form alone does not fit
      {"ab ~cd ef", "ab|cd|ef|"},                 // a marked form is listed without its mark
  };
  for (const auto& c : cases) {
    WriteTable("walk\t" + c.forms + "\n");
    const auto& lib = Open();
    lib.Load();
    const auto raw = lib.RawForms("walk");
    EXPECT_EQ(std::string(raw.begin() + 1, raw.begin() + 1 + raw[0]), c.expected) << c.forms;
    EXPECT_EQ(std::vector<unsigned char>(raw.begin() + kResultSize, raw.end()),
              std::vector<unsigned char>(kBufferSize - kResultSize, kCanary))
        << c.forms;
    lib.Free();
  }
}

TEST_F(PrivateLemmatizer, FormsResolveToTheLineThatClaimsThemInAnyOrder) {
  const std::string claims = "build\tbuilt building\n";
  const std::string own = "building\tbuildings\n";
  const std::string marked = "leaf\t~leaves\nleave\tleaves left\n";
  for (const auto& table : {claims + own + marked, own + claims + marked}) {
    WriteTable("# comment\n" + table);
    const auto& lib = Open();
    lib.Load();
    EXPECT_EQ(lib.Lemma("building"), "build");
    EXPECT_EQ(lib.Forms("building"), "buildings|");
    EXPECT_EQ(lib.Lemma("buildings"), "building");
    EXPECT_EQ(lib.Forms("build"), "built|building|");
    EXPECT_EQ(lib.Lemma("leaves"), "leave");
    EXPECT_EQ(lib.Forms("leaf"), "leaves|");
    EXPECT_EQ(lib.Lemma("leaf"), "leaf");
    EXPECT_EQ(lib.Lemma("# comment"), "");
    lib.Free();
  }
}

TEST_F(PrivateLemmatizer, FoldsOnlyAsciiLettersAndAcceptsCrLf) {
  WriteTable("caf\xe9\tcaf\xe9s\r\nrun\tran runs\r\n");
  const auto& lib = Open();
  lib.Load();
  EXPECT_EQ(lib.Lemma("CAF\xe9S"), "caf\xe9");
  EXPECT_EQ(lib.Lemma("caf\xc9"), "");  // É is not folded to é
  EXPECT_EQ(lib.Lemma("RUNS"), "run");
  EXPECT_EQ(lib.Forms("Run"), "ran|runs|");
  lib.Free();
}

TEST_F(PrivateLemmatizer, LookupsAreEmptyOutsideLoadAndFreeAndReloadRereads) {
  WriteTable("go\twent\n");
  const auto& lib = Open();
  EXPECT_EQ(lib.Lemma("went"), "");
  EXPECT_EQ(lib.Forms("go"), "");

  lib.Load();
  EXPECT_EQ(lib.Lemma("went"), "go");
  lib.Free();
  EXPECT_EQ(lib.Lemma("went"), "");
  EXPECT_EQ(lib.Forms("go"), "");

  WriteTable("go\twent gone\n");
  lib.Load();
  EXPECT_EQ(lib.Lemma("gone"), "go");
  EXPECT_EQ(lib.Forms("go"), "went|gone|");
  lib.Free();
}

TEST_F(PrivateLemmatizer, MissingTableLeavesLookupsEmptyAndPrintsNothing) {
  const auto& lib = Open();
  EXPECT_EQ(StdoutOf([&] { lib.Load(); }), "");
  EXPECT_EQ(lib.Lemma("went"), "");
  EXPECT_EQ(lib.Forms("go"), "");
  lib.Free();

  WriteTable("go\twent\n");
  EXPECT_EQ(StdoutOf([&] { lib.Load(); }), "");
  EXPECT_EQ(lib.Lemma("went"), "go");
  lib.Free();
}

}  // namespace
