#include "query/SmartInput.h"

#include "foundation/CodePage.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/Types.h"
#include "lemma/Lemma.h"

namespace korvelin {

namespace {

// The characters that make a term a regular expression of the user's own.
bool HasRegexChar(std::string_view term, bool gbk) {
  for (size_t i = 0; i < term.size(); ++i) {
    const char c = term[i];
    if (gbk && static_cast<unsigned char>(c) >= 0x81 && GbkCharLength(term, i) == 2) {
      ++i;  // a character's second byte is no operator
      continue;
    }
    switch (c) {
      case '[': case ']': case '.': case '+': case '?': case '(': case ')': case '*':
      case '{': case '}': case ',': case '!': case '$': case '^': case '|': case '\\': case '=':
        return true;
      default:
        break;
    }
  }
  return false;
}

inline bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A POS tag: an upper-case ASCII letter followed by at least one upper-case
// letter, digit, "$" or "_" (anchored at the start only, so USA counts too).
bool LooksLikeTag(std::string_view term) {
  return term.size() > 1 && IsUpper(term[0]) &&
         (IsUpper(term[1]) || IsDigit(term[1]) || term[1] == '$' || term[1] == '_');
}

std::string RemoveChar(std::string_view s, char c) {
  std::string out;
  out.reserve(s.size());
  for (char x : s)
    if (x != c) out += x;
  return out;
}

}  // namespace

TSmartInput::TSmartInput(bool tagged) : FTagged(tagged) {}

TSmartInput::~TSmartInput() = default;

void TSmartInput::SetLemma(TLemma* lemma) {
  if (!lemma) throw EKorvelinError("Please specify a lemma list!");
  FLemma = lemma;
}

void TSmartInput::SetPOSCategory(TPOSCategory* category) {
  if (!category) throw EKorvelinError("Please select a POS category mapping table!");
  FPOSCategory = category;
}

std::string TSmartInput::Translate(std::string_view query) {
  query = Trim(query);
  if (query.empty()) return {};
  // Word_TAG forms or a pattern of the user's own: taken as written.
  if (query.find('_') != std::string_view::npos) return std::string(query);
  if (query.find(' ') == std::string_view::npos) return TermToRegex(query, TermKind(query));
  // Every piece between two spaces is a term; two spaces in a row make an
  // empty one, which TermKind refuses.
  std::string out;
  size_t start = 0;
  for (;;) {
    const size_t sp = query.find(' ', start);
    const std::string_view term = query.substr(start, sp == std::string_view::npos ? sp : sp - start);
    out += TermToRegex(term, TermKind(term));
    out += ' ';
    if (sp == std::string_view::npos) break;
    start = sp + 1;
  }
  return std::string(Trim(out));
}

int TSmartInput::TermKind(std::string_view term) {
  term = Trim(term);
  if (term.empty()) throw EKorvelinError("The input is empty!");
  if (term == "*") return tkWildcard;
  if (HasRegexChar(term, FChinese)) return tkRegex;
  if (term[0] == '@') return tkLemma;
  if (!FTagged) return tkLiteral;
  if (term[0] == '#') return tkPOSCategory;
  if (LooksLikeTag(term)) return tkPOS;
  if (term.find('_') != std::string_view::npos) return tkLiteral;
  return tkWord;
}

std::string TSmartInput::WordForm(std::string_view term) const {
  if (term.find(' ') == std::string_view::npos) return std::string(term) + "_\\S+";
  return std::string(Trim(ReplaceAll(std::string(term) + " ", " ", "_\\S+ ")));
}

std::string TSmartInput::TagForm(std::string_view term) const {
  if (term.find(' ') == std::string_view::npos) return "\\S+_" + std::string(term);
  return std::string(Trim(ReplaceAll(" " + std::string(term), " ", " \\S+_")));
}

std::string TSmartInput::TermToRegex(std::string_view term, int kind) {
  term = Trim(term);
  if (term.empty()) return {};
  if (kind == tkWildcard) {
    if (term.find('*') == std::string_view::npos) return {};
    if (term.find(' ') == std::string_view::npos) return "\\S+";
    return ReplaceAll(term, "*", "\\S+");
  }
  if (kind == tkLemma) {
    if (!FLemma) throw EKorvelinError("Please specify a lemma list!");
    const std::string forms(Trim(ExpandForms(*FLemma, RemoveChar(term, '@'))));
    if (forms.empty()) return {};
    return FTagged ? WordForm(forms) : forms;
  }
  if (!FTagged) return std::string(term);
  switch (kind) {
    case tkWord:
      return WordForm(term);
    case tkPOS:
      return TagForm(term);
    case tkPOSCategory: {
      if (!FPOSCategory) throw EKorvelinError("Please select a POS category mapping table!");
      const std::string tags(Trim(ExpandForms(*FPOSCategory, RemoveChar(term, '#'))));
      if (tags.empty()) return {};
      return TagForm(tags);
    }
    default:
      return std::string(term);
  }
}

TQueryNeed QueryTablesNeeded(std::string_view query, bool hasLemma, bool hasPOSCategory) {
  if (query.find('@') != std::string_view::npos && !hasLemma) return TQueryNeed::LemmaList;
  if (query.find('#') != std::string_view::npos && !hasPOSCategory) return TQueryNeed::POSCategoryList;
  return TQueryNeed::Nothing;
}

}  // namespace korvelin
