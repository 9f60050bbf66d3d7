#pragma once
// TRegExpr: the engine's one matcher, over PCRE2 in 8-bit mode without UTF and
// with JIT. Patterns and subjects are code-page bytes; case-insensitive
// matching folds ASCII letters only (bytes of 128 and above compare as they
// are, so GBK text is never folded). Offsets here are 0-based byte offsets.
//
// A pattern that runs away (catastrophic backtracking, too deep recursion)
// raises a clear error instead of hanging the program.
#include <cstddef>
#include <string>
#include <string_view>

namespace korvelin {

class TRegExpr {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  TRegExpr();
  explicit TRegExpr(std::string_view pattern, bool caseSensitive = false);
  ~TRegExpr();
  TRegExpr(const TRegExpr&) = delete;
  TRegExpr& operator=(const TRegExpr&) = delete;

  // Takes effect at the next Compile (and recompiles a compiled pattern).
  void SetCaseSensitive(bool on);
  bool CaseSensitive() const { return caseSensitive_; }

  // GBK text: the second byte of a two-byte character can be an ASCII letter
  // or one of [ \ ] ^ { | }. With GBK on, such a byte in a pattern stands for
  // itself (never an operator) and is matched without case folding, so a
  // Chinese character never matches another one. Takes effect at the next
  // Compile (and recompiles a compiled pattern).
  void SetGbk(bool on);
  bool Gbk() const { return gbk_; }

  // Compiles the pattern; raises "Invalid regular expression ..." on errors.
  void Compile(std::string_view pattern);
  bool Compiled() const { return code_ != nullptr; }
  const std::string& Pattern() const { return pattern_; }

  // First match in subject at or after byte offset from. The subject must stay
  // alive while the match is read.
  bool Exec(std::string_view subject, size_t from = 0);
  // The next match after the last one; an empty match moves on by one byte.
  bool ExecNext();
  // True when the pattern matches somewhere in subject.
  bool Test(std::string_view subject) { return Exec(subject, 0); }

  // Offsets of the last match or of one of its groups (npos when the group
  // took no part in the match).
  size_t MatchPos(int group = 0) const;
  size_t MatchLen(int group = 0) const;
  std::string_view Match(int group = 0) const;
  int GroupCount() const;

  // Every match replaced by the template, in which $0 stands for the match and
  // $1..$9 for its groups (a group that took no part gives nothing).
  std::string Replace(std::string_view subject, std::string_view templ);

  // The match and depth limits that turn runaway patterns into errors.
  static constexpr unsigned kMatchLimit = 10'000'000;
  static constexpr unsigned kDepthLimit = 100'000;

 private:
  void Release();
  [[noreturn]] void RaiseMatchError(int rc) const;

  bool caseSensitive_ = false;
  bool gbk_ = false;
  std::string pattern_;
  void* code_ = nullptr;         // pcre2_code_8*
  void* matchData_ = nullptr;    // pcre2_match_data_8*
  void* matchContext_ = nullptr; // pcre2_match_context_8*
  std::string_view subject_;
  bool matched_ = false;
};

}  // namespace korvelin
