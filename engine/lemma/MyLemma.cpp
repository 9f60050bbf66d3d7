// The binding to the lemmatizer library, opened at run time so that another
// library with the same four functions can stand in without a rebuild.
#include "lemma/Lemma.h"

#include <dlfcn.h>

#include <mutex>
#include <string>
#include <unordered_map>

#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/TextFile.h"

namespace korvelin {

namespace {

// The library writes its answer here: a length byte, then up to 67 bytes.
constexpr size_t kResultSize = 68;
// Distinct words remembered before the cache starts afresh; a corpus-wide
// sort asks for the same few thousand words over and over.
constexpr size_t kCacheLimit = 1 << 16;

using TVoidFn = void (*)();
using TWordFn = void (*)(const char*, unsigned char*);

inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The library keeps one table per process. Should two lemma objects overlap
// (a new one made before the old one is freed), the first FreeArrays would
// empty the table under the second, so the table is loaded by the first
// object on a library and freed by the last.
std::mutex& UsersLock() {
  static std::mutex lock;
  return lock;
}
std::unordered_map<void*, int>& Users() {
  static std::unordered_map<void*, int> users;
  return users;
}

std::string DlError() {
  const char* why = dlerror();
  return why != nullptr ? why : "unknown error";
}

}  // namespace

struct TMyLemma::TLibrary {
  void* Handle = nullptr;
  TVoidFn LoadArrays = nullptr;
  TVoidFn FreeArrays = nullptr;
  TWordFn DeInflection = nullptr;
  TWordFn Inflection = nullptr;
  std::unordered_map<std::string, std::string> Lemmas;

  ~TLibrary() {
    if (Handle != nullptr) dlclose(Handle);
  }

  // The library's answer for text, never more than its buffer holds.
  static std::string Call(TWordFn fn, std::string_view text) {
    const std::string arg(text);
    unsigned char result[kResultSize] = {};
    fn(arg.c_str(), result);
    const size_t length = result[0] < kResultSize ? result[0] : kResultSize - 1;
    return std::string(reinterpret_cast<const char*>(result + 1), length);
  }
};

std::string TMyLemma::DefaultLibraryPath() { return ProgramFolder() + "sys/MyDLL.so"; }

TMyLemma::TMyLemma(const std::string& libraryPath) : FLibrary(std::make_unique<TLibrary>()) {
  const std::string failed = "The lemmatizer library \"" + libraryPath + "\" could not be loaded: ";
  // A bare file name would send dlopen through the system's library path.
  const std::string path = libraryPath.find('/') == std::string::npos ? "./" + libraryPath : libraryPath;
  dlerror();
  FLibrary->Handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (FLibrary->Handle == nullptr) throw EKorvelinError(failed + DlError());

  auto resolve = [&](const char* name) {
    dlerror();
    void* fn = dlsym(FLibrary->Handle, name);
    if (fn == nullptr) throw EKorvelinError(failed + DlError());
    return fn;
  };
  FLibrary->LoadArrays = reinterpret_cast<TVoidFn>(resolve("LoadArrays"));
  FLibrary->FreeArrays = reinterpret_cast<TVoidFn>(resolve("FreeArrays"));
  FLibrary->DeInflection = reinterpret_cast<TWordFn>(resolve("DeInflection"));
  FLibrary->Inflection = reinterpret_cast<TWordFn>(resolve("Inflection"));

  std::lock_guard lock(UsersLock());
  if (Users()[FLibrary->Handle]++ == 0) FLibrary->LoadArrays();
}

TMyLemma::~TMyLemma() {
  std::lock_guard lock(UsersLock());
  auto user = Users().find(FLibrary->Handle);
  if (user != Users().end() && --user->second == 0) {
    Users().erase(user);
    FLibrary->FreeArrays();
  }
}

std::string TMyLemma::GetLemma(std::string_view word) {
  const std::string_view w = Trim(word);
  if (w.empty()) return std::string();
  if (!IsAsciiLetter(w.front())) return std::string(w);
  auto& cache = FLibrary->Lemmas;
  if (const auto found = cache.find(std::string(w)); found != cache.end()) return found->second;
  std::string lemma = TLibrary::Call(FLibrary->DeInflection, w);
  if (cache.size() >= kCacheLimit) cache.clear();
  cache.emplace(w, lemma);
  return lemma;
}

std::string TMyLemma::GetForms(std::string_view lemma) {
  const std::string_view l = Trim(lemma);
  if (l.empty()) return std::string();
  if (!IsAsciiLetter(l.front())) return std::string(l);
  const std::string forms = TLibrary::Call(FLibrary->Inflection, l);
  if (forms.empty()) return std::string(l);
  // The library lists the other forms, each closed by "|"; the lemma ends the list.
  if (forms.back() == '|') return "(" + forms + std::string(l) + ")";
  return forms;
}

}  // namespace korvelin
