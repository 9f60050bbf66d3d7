#pragma once
// Conversion between a corpus code page and Unicode. Corpus text stays bytes
// in its code page inside the engine; only the front ends convert, to show
// text in widgets and to hand typed text to the engine. GBK (code page 936)
// serves Chinese corpora, Windows-1252 every other corpus. Conversions never
// raise: bytes that are not valid in the code page become U+FFFD, and
// characters the code page cannot hold become "?".
#include <string>
#include <string_view>

namespace korvelin {

enum class TCodePage { Gbk, Windows1252 };

inline TCodePage CodePageFor(bool chinese) { return chinese ? TCodePage::Gbk : TCodePage::Windows1252; }
// The name a browser or iconv knows the code page by.
const char* CodePageName(TCodePage cp);

std::string CodePageToUtf8(std::string_view bytes, TCodePage cp);
std::string Utf8ToCodePage(std::string_view utf8, TCodePage cp);
std::u16string CodePageToUtf16(std::string_view bytes, TCodePage cp);
std::string Utf16ToCodePage(std::u16string_view text, TCodePage cp);

// For GBK: the byte length (1 or 2) of the character that starts at s[i] when
// it is a valid character, or 0 when the byte there starts no valid character.
int GbkCharLength(std::string_view s, size_t i);

}  // namespace korvelin
