#include "foundation/CodePage.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace korvelin {

namespace {

// One conversion descriptor per direction and thread, opened on first use.
class TConverter {
 public:
  TConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~TConverter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts in, calling onBad(inPtr, inLeft, out) to replace an invalid or
  // unconvertible piece; onBad returns how many input bytes it consumed.
  template <typename OnBad>
  void Run(std::string_view in, std::string& out, OnBad&& onBad) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[4096];
    while (srcLeft > 0) {
      char* dst = buf;
      size_t dstLeft = sizeof buf;
      const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (a truncated sequence at the end)
        const size_t used = onBad(src, srcLeft, out);
        src += used;
        srcLeft -= used;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
  }

 private:
  iconv_t cd_;
};

TConverter& Decoder(TCodePage cp, bool toUtf16) {
  thread_local TConverter gbk8("UTF-8", "CP936"), w8("UTF-8", "WINDOWS-1252");
  thread_local TConverter gbk16("UTF-16LE", "CP936"), w16("UTF-16LE", "WINDOWS-1252");
  if (toUtf16) return cp == TCodePage::Gbk ? gbk16 : w16;
  return cp == TCodePage::Gbk ? gbk8 : w8;
}

TConverter& Encoder(TCodePage cp, bool fromUtf16) {
  thread_local TConverter gbk8("CP936", "UTF-8"), w8("WINDOWS-1252", "UTF-8");
  thread_local TConverter gbk16("CP936", "UTF-16LE"), w16("WINDOWS-1252", "UTF-16LE");
  if (fromUtf16) return cp == TCodePage::Gbk ? gbk16 : w16;
  return cp == TCodePage::Gbk ? gbk8 : w8;
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Length of the UTF-8 sequence that starts with byte c (1 for a stray byte).
size_t Utf8SeqLength(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  return 1;
}

std::u16string BytesToU16(const std::string& s) {
  std::u16string out(s.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(s[2 * i]) |
                                   (static_cast<unsigned char>(s[2 * i + 1]) << 8));
  return out;
}

// Valid two-byte GBK characters, found once by asking the converter.
std::array<uint8_t, 65536> BuildGbkPairs() {
  std::array<uint8_t, 65536> table{};
  iconv_t cd = iconv_open("UTF-16LE", "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) return table;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      char out[8];
      char* src = in;
      char* dst = out;
      size_t srcLeft = 2, dstLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1) && srcLeft == 0 && dst - out == 2)
        table[(lead << 8) | trail] = 1;
    }
  }
  iconv_close(cd);
  return table;
}

const std::array<uint8_t, 65536>& GbkPairs() {
  static const std::array<uint8_t, 65536> table = BuildGbkPairs();
  return table;
}

}  // namespace

const char* CodePageName(TCodePage cp) { return cp == TCodePage::Gbk ? "GBK" : "windows-1252"; }

std::string CodePageToUtf8(std::string_view bytes, TCodePage cp) {
  if (IsAscii(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  Decoder(cp, false).Run(bytes, out, [](const char*, size_t, std::string& o) {
    o += "\xEF\xBF\xBD";
    return size_t{1};
  });
  return out;
}

std::string Utf8ToCodePage(std::string_view utf8, TCodePage cp) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  Encoder(cp, false).Run(utf8, out, [](const char* src, size_t left, std::string& o) {
    o += '?';
    const size_t n = Utf8SeqLength(static_cast<unsigned char>(*src));
    return n < left ? n : left;
  });
  return out;
}

std::u16string CodePageToUtf16(std::string_view bytes, TCodePage cp) {
  if (IsAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
  std::string raw;
  raw.reserve(bytes.size() * 2);
  Decoder(cp, true).Run(bytes, raw, [](const char*, size_t, std::string& o) {
    o += "\xFD\xFF";  // U+FFFD, little-endian
    return size_t{1};
  });
  return BytesToU16(raw);
}

std::string Utf16ToCodePage(std::u16string_view text, TCodePage cp) {
  std::string raw(text.size() * 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    raw[2 * i] = static_cast<char>(text[i] & 0xFF);
    raw[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  std::string out;
  out.reserve(text.size());
  Encoder(cp, true).Run(raw, out, [](const char* src, size_t left, std::string& o) {
    o += '?';
    // skip one code unit, or a whole surrogate pair
    const unsigned hi = static_cast<unsigned char>(src[1]);
    const size_t n = (left >= 4 && hi >= 0xD8 && hi <= 0xDB) ? 4 : 2;
    return n < left ? n : left;
  });
  return out;
}

int GbkCharLength(std::string_view s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return 1;
  if (c == 0x80) return 1;  // the euro sign of code page 936
  if (c == 0xFF || i + 1 >= s.size()) return 0;
  const auto t = static_cast<unsigned char>(s[i + 1]);
  return GbkPairs()[(c << 8) | t] ? 2 : 0;
}

}  // namespace korvelin
