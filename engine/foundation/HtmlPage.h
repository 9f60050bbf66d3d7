#pragma once
// What every result page shares: the XHTML head and foot, the word_TAG
// helpers that split and mark up tokens, the joining of a context side with
// its window markers, HTML escaping, and the vocabulary of style classes that
// the page writers use and the style sheets in sys/ style.
//
// Corpus text, queries and list items are data, never markup: every helper
// here that turns text into HTML escapes it first, so a corpus line holding
// "<script>" shows as text in the browser views.
#include <string>
#include <string_view>
#include <vector>

#include "foundation/StrList.h"
#include "foundation/Types.h"

namespace korvelin {

// Style classes of the result pages (the style sheets' vocabulary).
namespace css {
inline constexpr std::string_view RowNumber = "n";       // td: "1." ...
inline constexpr std::string_view FileName = "f";        // td with the hit link; div heading of a paragraph
inline constexpr std::string_view Left = "l";            // td: left context
inline constexpr std::string_view Node = "c";            // td: the node; span: a multi-word unit
inline constexpr std::string_view Window = "cs";         // td: node of a marked window; span: the window
inline constexpr std::string_view Right = "r";           // td: right context
inline constexpr std::string_view Unit = "c";            // span: a multi-word unit shown as one token
inline constexpr std::string_view Tag = "p";             // span: tag part; div: the hit's paragraph
inline constexpr std::string_view Highlight = "k";       // span: a filter or collocate match; td: a term
inline constexpr std::string_view Previous = "pr";       // div: paragraph before the hit's
inline constexpr std::string_view Next = "nx";           // div: paragraph after the hit's
inline constexpr std::string_view Expression = "expr";   // span: the search expression
inline constexpr std::string_view ParagraphNo = "i";     // span: "(Paragraph n)"
inline constexpr std::string_view Credit = "copyright";  // div: credit line of the foot
inline constexpr std::string_view Table = "tb";          // div around a statistics table
inline constexpr std::string_view Header = "header";     // tr: column heads
inline constexpr std::string_view Spacer = "sp";         // td: empty spacer column
inline constexpr std::string_view Total1 = "t1", Total2 = "t2", Total3 = "t3";  // tr: total rows
inline constexpr std::string_view PlotTotal = "t";       // tr, td of a plot page
inline constexpr std::string_view PlotAll = "all";       // td: whole-corpus plot
inline constexpr std::string_view TotalFreq = "afr", TotalFiles = "afi";
inline constexpr std::string_view Freq = "fr", Files = "fi", TfIdf = "tf";
inline constexpr std::string_view GroupHits = "h";       // td: hits in one file or group
// Sort-key marks of level n (1..7): "w" + n for a token or word, "p" + n for a tag.
inline std::string KeyWord(int level) { return "w" + std::to_string(level); }
inline std::string KeyTag(int level) { return "p" + std::to_string(level); }
}  // namespace css

// The style sheets, relative to the pages beside the executable.
inline constexpr std::string_view kResultStyleSheet = "sys/result.css";
inline constexpr std::string_view kStatStyleSheet = "sys/stat.css";
inline constexpr std::string_view kCreditLine = "Korvelin concordancer";

// Clears the page and adds the eight head lines (the title is text and is
// escaped); "No HTML file was specified!" without a page.
void WriteHTMLHead(std::string_view styleSheet, std::string_view title, TStrList* page);
// Adds the six foot lines; "No HTML file was specified!" without a page.
void WriteHTMLFoot(TStrList* page);

// &, < and > as entities: text put into an element.
std::string HtmlEscape(std::string_view text);
void AppendHtmlEscaped(std::string& out, std::string_view text);
// The same and " as &quot;: text put into an attribute value.
std::string HtmlAttrEscape(std::string_view text);

// Word and tag parts of a word_TAG token, or of several tokens. Input is
// trimmed first. One token: the text before / after the first "_" (no "_":
// the token / nothing). Several tokens: one word piece for every "_" (its
// token's text up to it) and one tag piece for every token that holds a "_"
// (the text after its last "_"), joined by single spaces and trimmed.
std::string GetWordPart(std::string_view text);
std::string GetTagPart(std::string_view text);
// The same, appended to out (no temporaries in key loops).
void AppendWordPart(std::string& out, std::string_view text);
void AppendTagPart(std::string& out, std::string_view text);

// word + "_<span class="p">" + tag + "</span>", the parts escaped; blank text
// gives "".
std::string MarkupWordTag(std::string_view text);
// MarkupWordTag of every space-separated token, joined by single spaces.
std::string MarkupTokens(std::string_view text);

// The window markers JoinSide inserts, as word_TAG pairs so that every
// display mode keeps them.
inline constexpr std::string_view kWindowOpen = "<<_<<";
inline constexpr std::string_view kWindowClose = ">>_>>";

// One side of a hit's context in reading order (tokens are stored nearest
// first; the left side is read farthest first), single-spaced. With
// markAt > 0 the tokens between the node and distance markAt (included) are
// enclosed in kWindowOpen ... kWindowClose. An empty side gives "".
std::string JoinSide(const TTokenArr& tokens, bool isLeft, int markAt);
std::string JoinSide(const TStrArr& tokens, bool isLeft, int markAt);
// The same, adding the byte offset of every window marker it put in the
// result to markerOffsets (each marker is 5 bytes long).
std::string JoinSide(const TTokenArr& tokens, bool isLeft, int markAt, std::vector<size_t>* markerOffsets);
// The unmarked join appended to out.
void AppendJoinedSide(std::string& out, const TTokenArr& tokens, bool isLeft);

}  // namespace korvelin
