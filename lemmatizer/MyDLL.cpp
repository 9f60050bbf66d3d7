// MyDLL.so: the English lemmatizer Korvelin loads from its sys/ folder.
//
// The table lemma-en.tsv sits beside the library. Each line is
//   lemma<TAB>form form ...
// where a form marked "~" belongs to the lemma but resolves to another one
// (see lemmatizer/README.md). Lines starting with '#' are comments.
//
// Results go into the caller's 68-byte buffer: result[0] holds the length
// (0..67) and result[1..length] the text. The signatures have no way to
// report errors, so every failure reads as an unknown word.

#include <dlfcn.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#define KV_EXPORT extern "C" __attribute__((visibility("default")))

KV_EXPORT void LoadArrays(void);
KV_EXPORT void FreeArrays(void);
KV_EXPORT void DeInflection(const char* word, unsigned char* result);
KV_EXPORT void Inflection(const char* lemma, unsigned char* result);

namespace {

constexpr char kTableName[] = "lemma-en.tsv";
// Longest text the caller's buffer takes after its length byte. A word longer
// than this could never be answered, so the table skips such words.
constexpr std::size_t kMaxText = 67;

// One word of the table, as offsets into the file text. An open-addressing
// table of these loads the 100,000-odd words with two allocations; a
// node-based map took about three times as long.
struct Slot {
  std::uint32_t key = 0;
  std::uint32_t lemma = 0;       // what DeInflection answers
  std::uint32_t forms = 0;       // the word's own line after the tab, as written
  std::uint16_t forms_size = 0;  // clipped; only the first 67 bytes are ever listed
  std::uint8_t key_size = 0;     // 0: the slot is free
  std::uint8_t lemma_size = 0;
};

class Table {
 public:
  explicit Table(std::string text) : text_(std::move(text)) {
    // Every word starts a line or follows a tab or space; twice that many
    // slots keeps the probes short.
    const auto words = 1 + std::count_if(text_.begin(), text_.end(),
                                         [](char c) { return c == '\n' || c == '\t' || c == ' '; });
    std::size_t size = 1024;
    while (size < 2 * static_cast<std::size_t>(words)) size *= 2;
    slots_.resize(size);
    Parse();
  }

  const Slot* Find(std::string_view key) const {
    for (std::size_t i = Hash(key) & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[i];
      if (slot.key_size == 0) return nullptr;
      if (View(slot.key, slot.key_size) == key) return &slot;
    }
  }

  std::string_view View(std::uint32_t offset, std::size_t size) const {
    return std::string_view(text_).substr(offset, size);
  }

 private:
  static std::size_t Hash(std::string_view key) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (const char c : key) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
  }

  Slot& Insert(std::string_view key, bool& added) {
    for (std::size_t i = Hash(key) & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[i];
      if (slot.key_size == 0) {
        slot.key = Offset(key);
        slot.key_size = static_cast<std::uint8_t>(key.size());
        added = true;
        return slot;
      }
      if (View(slot.key, slot.key_size) == key) {
        added = false;
        return slot;
      }
    }
  }

  std::uint32_t Offset(std::string_view part) const {
    return static_cast<std::uint32_t>(part.data() - text_.data());
  }

  void Parse() {
    const std::string_view text = text_;
    std::size_t pos = 0;
    while (pos < text.size()) {
      auto end = text.find('\n', pos);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(pos, end - pos);
      pos = end + 1;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.empty() || line.front() == '#') continue;
      AddLine(line);
    }
  }

  // A form's own line may come before or after the line that claims it, so a
  // lemma line never overrides a form's lemma and a form never drops a line's
  // list of forms.
  void AddLine(std::string_view line) {
    const auto tab = line.find('\t');
    const std::string_view lemma = line.substr(0, tab);
    // Without a tab the forms are the empty end of the line, still inside text_.
    const std::string_view forms = line.substr(tab == std::string_view::npos ? line.size() : tab + 1);
    if (lemma.empty() || lemma.size() > kMaxText) return;

    bool added = false;
    Slot& self = Insert(lemma, added);
    if (added) {
      self.lemma = self.key;
      self.lemma_size = self.key_size;
    }
    self.forms = Offset(forms);
    self.forms_size = static_cast<std::uint16_t>(std::min<std::size_t>(forms.size(), UINT16_MAX));

    std::size_t pos = 0;
    while (pos < forms.size()) {
      auto end = forms.find(' ', pos);
      if (end == std::string_view::npos) end = forms.size();
      const std::string_view form = forms.substr(pos, end - pos);
      pos = end + 1;
      if (form.empty() || form.front() == '~' || form.size() > kMaxText) continue;
      Slot& slot = Insert(form, added);
      slot.lemma = Offset(lemma);
      slot.lemma_size = static_cast<std::uint8_t>(lemma.size());
    }
  }

  std::string text_;  // the whole file; the slots point into it
  std::vector<Slot> slots_;
};

std::shared_mutex g_mutex;
std::unique_ptr<Table> g_table;

std::string OwnFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LoadArrays), &info) == 0 || info.dli_fname == nullptr) {
    return {};
  }
  std::string path = info.dli_fname;
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file's bytes, or empty when it cannot be read. Tables are far below
// the 4 GiB the slot offsets reach.
std::string ReadFile(const std::string& path) {
  std::string text;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return text;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    if (size > 0 && size < 0xFFFFFFF0L && std::fseek(f, 0, SEEK_SET) == 0) {
      text.resize(static_cast<std::size_t>(size));
      text.resize(std::fread(text.data(), 1, text.size(), f));
    }
  }
  if (std::ferror(f)) text.clear();
  std::fclose(f);
  return text;
}

void Clear(unsigned char* result) {
  if (result != nullptr) result[0] = 0;
}

// Folds ASCII letters to lower case into key; false when the word cannot be
// in the table.
bool MakeKey(const char* word, char (&key)[kMaxText + 1], std::size_t& size) {
  if (word == nullptr) return false;
  size = strnlen(word, kMaxText + 1);
  if (size == 0 || size > kMaxText) return false;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = word[i];
    key[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return true;
}

void Write(unsigned char* result, std::size_t size) {
  result[0] = static_cast<unsigned char>(size);
  if (size < kMaxText) result[size + 1] = 0;
}

// Whole forms only: the caller builds a regular expression from the list,
// and half a form would match the wrong words.
void WriteForms(std::string_view forms, unsigned char* result) {
  std::size_t used = 0;
  std::size_t pos = 0;
  while (pos < forms.size()) {
    auto end = forms.find(' ', pos);
    if (end == std::string_view::npos) end = forms.size();
    std::string_view form = forms.substr(pos, end - pos);
    pos = end + 1;
    if (!form.empty() && form.front() == '~') form.remove_prefix(1);
    if (form.empty()) continue;
    if (used + form.size() + 1 > kMaxText) break;
    std::memcpy(result + 1 + used, form.data(), form.size());
    used += form.size();
    result[1 + used++] = '|';
  }
  Write(result, used);
}

}  // namespace

KV_EXPORT void LoadArrays(void) {
  try {
    std::unique_lock lock(g_mutex);
    if (g_table) return;
    g_table = std::make_unique<Table>(ReadFile(OwnFolder() + kTableName));
  } catch (...) {
    // Out of memory: the lookups stay empty.
  }
}

KV_EXPORT void FreeArrays(void) {
  try {
    std::unique_lock lock(g_mutex);
    g_table.reset();
  } catch (...) {
    // Locking failed: the table stays until the library is unloaded.
  }
}

KV_EXPORT void DeInflection(const char* word, unsigned char* result) {
  Clear(result);
  char key[kMaxText + 1];
  std::size_t size = 0;
  if (result == nullptr || !MakeKey(word, key, size)) return;

  try {
    std::shared_lock lock(g_mutex);
    if (!g_table) return;
    const Slot* slot = g_table->Find(std::string_view(key, size));
    if (slot == nullptr) return;
    const std::string_view found = g_table->View(slot->lemma, slot->lemma_size);  // at most kMaxText
    std::memcpy(result + 1, found.data(), found.size());
    Write(result, found.size());
  } catch (...) {
    Clear(result);
  }
}

KV_EXPORT void Inflection(const char* lemma, unsigned char* result) {
  Clear(result);
  char key[kMaxText + 1];
  std::size_t size = 0;
  if (result == nullptr || !MakeKey(lemma, key, size)) return;

  try {
    std::shared_lock lock(g_mutex);
    if (!g_table) return;
    const Slot* slot = g_table->Find(std::string_view(key, size));
    if (slot == nullptr) return;
    WriteForms(g_table->View(slot->forms, slot->forms_size), result);
  } catch (...) {
    Clear(result);
  }
}

