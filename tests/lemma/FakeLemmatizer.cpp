// A stand-in lemmatizer with a few fixed answers. It counts its calls and
// answers nothing while its table is not loaded, so a test can see when the
// lemma object loads, frees and asks.
#include <cstring>
#include <string>

#define KV_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
int g_counts[4];  // LoadArrays, FreeArrays, DeInflection, Inflection
bool g_loaded = false;
std::string g_last;

void Answer(unsigned char* result, const char* text) {
  const size_t n = std::strlen(text);
  result[0] = static_cast<unsigned char>(n);
  std::memcpy(result + 1, text, n);
}
}  // namespace

KV_EXPORT const int* FakeCounts() { return g_counts; }
KV_EXPORT const char* FakeLastWord() { return g_last.c_str(); }
KV_EXPORT void FakeReset() {
  std::memset(g_counts, 0, sizeof g_counts);
  g_last.clear();
}

KV_EXPORT void LoadArrays() {
  ++g_counts[0];
  g_loaded = true;
}

KV_EXPORT void FreeArrays() {
  ++g_counts[1];
  g_loaded = false;
}

KV_EXPORT void DeInflection(const char* word, unsigned char* result) {
  ++g_counts[2];
  g_last = word;
  result[0] = 0;
  if (!g_loaded) return;
  if (g_last == "went" || g_last == "goes") Answer(result, "go");
  if (g_last == "children") Answer(result, "child");
  if (g_last == "overlong") {
    // A faulty library: a length beyond the buffer.
    result[0] = 200;
    std::memset(result + 1, 'x', 67);
  }
}

#ifndef KV_FAKE_NO_INFLECTION
KV_EXPORT void Inflection(const char* lemma, unsigned char* result) {
  ++g_counts[3];
  g_last = lemma;
  result[0] = 0;
  if (!g_loaded) return;
  if (g_last == "go") Answer(result, "went|goes|");
  if (g_last == "set") Answer(result, "(set|sets)");
}
#endif
