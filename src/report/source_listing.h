#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

class HtmlWriter;
class ProjectModel;
struct ReportOptions;
struct UserInterface;

/// True when `word` is one of the 72 reserved words a listing sets in bold, letter case ignored.
/// Directives (virtual, override, read, write) are not among them.
bool IsReservedWord(std::string_view word);

// The four steps of a source listing, each one pass from text to text. A line ends after CR LF,
// after a lone CR, or after a lone LF (files with Unix line ends are listed line by line too).
// `ListingToHtml` gives the same bytes as running them in order, in a single pass.

/// Puts the line number, "%4d: ", before the first byte of every line. No number follows the last
/// line end, and an empty text stays empty.
std::string AddLineNumbers(std::string_view text);
/// Replaces '"', "&", "<" and ">" by their entities, then within every run of blanks (bytes 0 to
/// 32 other than CR and LF) turns each blank but the last into "&nbsp " and the last into a space.
std::string EscapeAndKeepBlanks(std::string_view text);
/// Rebuilds the text from the scanner's tokens (line ends and comments included) with reserved
/// words between "<B>" and "</B>" and comments between "<I>" and "</I>". A string literal keeps its
/// quotes as they stood: a literal left open at the end of the text gains no closing quote.
std::string HighlightSyntax(std::string_view text);
/// Follows every line, with its line end, by "<BR>"; so does the last line when it has no line end.
std::string AddLineBreaks(std::string_view text);

/// The HTML of the listing of `source`: line numbers when `lineNumbers` is set, escaping and kept
/// blanks always, emphasis when `syntaxPrint` is set, line breaks always. Byte order marks at the
/// start of the source are dropped.
std::string ListingToHtml(std::string_view source, bool lineNumbers, bool syntaxPrint);

/// The file that holds a unit's source: the unit's path (a drive or share path as it stands,
/// anything else after the project folder) and its name, with ".pas" appended when the name has
/// no source extension. A unit that is not in the model is looked for in the project folder.
std::string UnitSourceFile(const ProjectModel& model, std::string_view unitName);

/// Replaces each tab of UTF-8 text by blanks up to the next column that is a multiple of
/// `tabSpaces` (columns counted in characters from the line's start). Nothing changes when
/// `tabSpaces` is below 1.
std::string ExpandTabs(std::string_view text, int tabSpaces);

/// Reads the unit's source file whole and writes its listing, tabs expanded to `TabSpaces`, as the
/// options ask, with
/// `writer.WriteText`. A file that cannot be read throws `DocumentError` before anything is
/// written; nothing is reported here.
void SourceToHtml(const ProjectModel& model, std::string_view unitName,
                  const ReportOptions& options, HtmlWriter& writer, UserInterface& ui);

}  // namespace tarnwick
