#pragma once

// The HTML templates every produced document is built from, the fixed
// credit footer and the helpers that format and place them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace norvella {

class Options;

// The program's web address, used by the credit footer and the messages
// that point users to the maker.
inline constexpr std::string_view kWebAddress = "https://norvella.org/";

// Appended to every preview and saved document; not part of a skin.
const std::string& CreditFooter();

// The twelve replaceable templates; a skin may replace any of them.
struct HtmlTemplates {
  std::string header;        // Header: %s = author
  std::string titleImage;    // TitleImage: %s = short title, %s = cover picture
  std::string titleNoImage;  // TitleNoImage: %s = short title
  std::string end;           // lEnd
  std::string comment;       // Comment: %s = comment
  std::string scriptCode1;   // Scriptcode1
  std::string scriptCode2;   // Scriptcode2
  std::string scriptCode3;   // Scriptcode3
  std::string bookmarkPrefix;  // bookmarkpref
  std::string hyphInfo;      // HyphInfo: %s = font, %s = orientation word
  std::string hyphHoriz;     // HyphHoriz
  std::string hyphVert;      // HyphVert

  HtmlTemplates();  // the built-in defaults

  // The template stored under a skin value name (lEnd, TitleImage, ...), or
  // nullptr for a name that is not a template.
  std::string* ByName(std::string_view name);
};

// The skin value names in the order a skin is loaded.
inline constexpr std::string_view kTemplateNames[] = {
    "lEnd",        "TitleImage",  "TitleNoImage", "Header",       "Comment",   "Scriptcode1",
    "Scriptcode2", "Scriptcode3", "bookmarkpref", "HyphInfo",     "HyphHoriz", "HyphVert"};

// printf-like formatting of string arguments: each "%s" takes the next
// argument, "%%" gives one "%". A "%s" beyond the last argument gives empty
// text, and any other "%" sequence is kept as it stands, so a skin template
// can never read past the arguments it is given.
std::string FormatTemplate(std::string_view format, std::initializer_list<std::string_view> args);

// Replaces the first "%norvellapath%" of the text by the folder text.
std::string ExpandProgramPath(std::string_view text, std::string_view folder);

// The program folder in the URL-like form skins use: the directory part of
// the executable's path with a trailing separator, every space as "%%20",
// backslashes as "/" and colons as "|".
std::string ProgramFolderText(std::string_view executablePath);

// The footer of a saved document: the credit footer, followed by the
// hyphenation notice when "Hyphenate" is on.
std::string SaveFooter(const Options& options, const HtmlTemplates& templates);

// Inserts the footer just before the last "</body>" of the text, or at its
// very beginning when the text has none.
std::string InsertFooter(std::string_view documentText, std::string_view footer);

}  // namespace norvella
