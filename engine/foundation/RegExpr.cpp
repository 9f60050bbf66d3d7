#define PCRE2_CODE_UNIT_WIDTH 8
#include "foundation/RegExpr.h"

#include <pcre2.h>

#include <cstdio>

#include "foundation/CodePage.h"
#include "foundation/Error.h"

namespace korvelin {

namespace {

inline pcre2_code* Code(void* p) { return static_cast<pcre2_code*>(p); }
inline pcre2_match_data* Data(void* p) { return static_cast<pcre2_match_data*>(p); }
inline pcre2_match_context* Context(void* p) { return static_cast<pcre2_match_context*>(p); }

std::string ErrorText(int code) {
  PCRE2_UCHAR buf[256];
  if (pcre2_get_error_message(code, buf, sizeof buf) < 0) return "unknown error " + std::to_string(code);
  return reinterpret_cast<const char*>(buf);
}

// One JIT stack per thread, large enough for any sane pattern; a pattern that
// overflows it is reported like one that exceeds the match limit.
pcre2_jit_stack* ThreadJitStack() {
  struct Holder {
    pcre2_jit_stack* stack = pcre2_jit_stack_create(64 * 1024, 8 * 1024 * 1024, nullptr);
    ~Holder() {
      if (stack) pcre2_jit_stack_free(stack);
    }
  };
  thread_local Holder holder;
  return holder.stack;
}

}  // namespace

TRegExpr::TRegExpr() = default;

TRegExpr::TRegExpr(std::string_view pattern, bool caseSensitive) : caseSensitive_(caseSensitive) {
  Compile(pattern);
}

TRegExpr::~TRegExpr() {
  Release();
  if (matchContext_) pcre2_match_context_free(Context(matchContext_));
}

void TRegExpr::Release() {
  if (matchData_) pcre2_match_data_free(Data(matchData_));
  if (code_) pcre2_code_free(Code(code_));
  matchData_ = nullptr;
  code_ = nullptr;
  matched_ = false;
}

void TRegExpr::SetCaseSensitive(bool on) {
  if (on == caseSensitive_) return;
  caseSensitive_ = on;
  if (code_) {
    std::string p = pattern_;
    Compile(p);
  }
}

void TRegExpr::SetGbk(bool on) {
  if (on == gbk_) return;
  gbk_ = on;
  if (code_) {
    std::string p = pattern_;
    Compile(p);
  }
}

namespace {

// The pattern with every two-byte GBK character whose second byte is ASCII
// written so that the byte is a literal: "\xHH", inside "(?-i:...)" when it is
// a letter and the match folds case.
std::string GbkLiteralTrailBytes(std::string_view pattern, bool caseless) {
  std::string out;
  out.reserve(pattern.size() + 16);
  for (size_t i = 0; i < pattern.size(); ++i) {
    const auto c = static_cast<unsigned char>(pattern[i]);
    if (c >= 0x81 && GbkCharLength(pattern, i) == 2 && static_cast<unsigned char>(pattern[i + 1]) < 0x80) {
      const auto t = static_cast<unsigned char>(pattern[i + 1]);
      const bool letter = (t >= 'A' && t <= 'Z') || (t >= 'a' && t <= 'z');
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", t);
      if (letter && caseless) out += "(?-i:";
      out += static_cast<char>(c);
      out += hex;
      if (letter && caseless) out += ')';
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

void TRegExpr::Compile(std::string_view pattern) {
  Release();
  pattern_.assign(pattern);
  const std::string compiled = gbk_ ? GbkLiteralTrailBytes(pattern_, !caseSensitive_) : pattern_;
  int err = 0;
  PCRE2_SIZE offset = 0;
  uint32_t options = caseSensitive_ ? 0 : PCRE2_CASELESS;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(compiled.data()), compiled.size(), options, &err,
                                   &offset, nullptr);
  if (!code)
    throw EKorvelinError("Invalid regular expression \"" + pattern_ + "\": " + ErrorText(err) + " (at byte " +
                         std::to_string(offset) + ")");
  // Without JIT (an unsupported CPU) the interpreter still gives the same matches.
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  code_ = code;
  matchData_ = pcre2_match_data_create_from_pattern(code, nullptr);
  if (!matchContext_) {
    pcre2_match_context* ctx = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(ctx, kMatchLimit);
    pcre2_set_depth_limit(ctx, kDepthLimit);
    pcre2_jit_stack_assign(ctx, nullptr, ThreadJitStack());
    matchContext_ = ctx;
  }
}

void TRegExpr::RaiseMatchError(int rc) const {
  if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
      rc == PCRE2_ERROR_JIT_STACKLIMIT)
    throw EKorvelinError("The regular expression \"" + pattern_ +
                         "\" needs too much backtracking to run (" + ErrorText(rc) +
                         "); please make it more specific.");
  throw EKorvelinError("The regular expression \"" + pattern_ + "\" failed: " + ErrorText(rc));
}

bool TRegExpr::Exec(std::string_view subject, size_t from) {
  if (!code_) throw EKorvelinError("No regular expression was compiled!");
  subject_ = subject;
  matched_ = false;
  if (from > subject.size()) return false;
  const int rc = pcre2_match(Code(code_), reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), from, 0,
                             Data(matchData_), Context(matchContext_));
  if (rc == PCRE2_ERROR_NOMATCH) return false;
  if (rc < 0) RaiseMatchError(rc);
  matched_ = true;
  return true;
}

bool TRegExpr::ExecNext() {
  if (!matched_) return false;
  const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(Data(matchData_));
  size_t next = ov[1];
  if (ov[1] <= ov[0]) next = ov[0] + 1;
  return Exec(subject_, next);
}

size_t TRegExpr::MatchPos(int group) const {
  if (!matched_ || group < 0 || group > GroupCount()) return npos;
  const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(Data(matchData_));
  return ov[2 * group] == PCRE2_UNSET ? npos : ov[2 * group];
}

size_t TRegExpr::MatchLen(int group) const {
  const size_t p = MatchPos(group);
  if (p == npos) return 0;
  const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(Data(matchData_));
  return ov[2 * group + 1] - p;
}

std::string_view TRegExpr::Match(int group) const {
  const size_t p = MatchPos(group);
  if (p == npos) return {};
  return subject_.substr(p, MatchLen(group));
}

int TRegExpr::GroupCount() const {
  if (!code_) return 0;
  uint32_t n = 0;
  pcre2_pattern_info(Code(code_), PCRE2_INFO_CAPTURECOUNT, &n);
  return static_cast<int>(n);
}

std::string TRegExpr::Replace(std::string_view subject, std::string_view templ) {
  std::string out;
  size_t copied = 0;
  bool found = Exec(subject, 0);
  if (!found) return std::string(subject);
  out.reserve(subject.size() + 16);
  const int groups = GroupCount();
  while (found) {
    const size_t pos = MatchPos(0);
    const size_t len = MatchLen(0);
    out.append(subject.substr(copied, pos - copied));
    for (size_t i = 0; i < templ.size(); ++i) {
      if (templ[i] == '$' && i + 1 < templ.size() && templ[i + 1] >= '0' && templ[i + 1] <= '9') {
        const int g = templ[i + 1] - '0';
        if (g <= groups) out.append(Match(g));
        ++i;
      } else {
        out += templ[i];
      }
    }
    copied = pos + len;
    if (len == 0) {
      // An empty match: keep the byte it stands before and look further on.
      if (pos < subject.size()) out += subject[pos];
      copied = pos + 1;
      found = copied <= subject.size() && Exec(subject, copied);
    } else {
      found = Exec(subject, copied);
    }
  }
  if (copied < subject.size()) out.append(subject.substr(copied));
  return out;
}

}  // namespace korvelin
