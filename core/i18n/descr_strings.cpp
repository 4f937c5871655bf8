#include "core/i18n/descr_strings.h"

namespace norvella {
namespace {

// The option panel's prompts (keys "Label...") and descriptions ("Info..."),
// section "interface\descr". The texts are kept exactly as the program has
// always shown them, misspellings included, because localisations replace
// them by these keys.
constexpr StringDefault kDescrDefaults[] = {
    {"infoSpaces",
     "Choose, if program will add spaces at the start of each created paragraph, and how many "
     "spaces should be added"},
    {"LabelSpaces", "Enter the number of \"&&nbsp;\"'s"},
    {"infoAuthor", "Type in the Author. This informatiom will be added to document header"},
    {"LabelAuthor", "Enter the Author's name"},
    {"infoTitle", "Type in the Title. This informatiom will be added to html header"},
    {"LabelTitle", "Enter the Title"},
    {"infoShortTitle",
     "Type in the short title. This informatiom will be added to html header and will be visible "
     "in Rocket Bookshelf"},
    {"labelShortTitle", "Enter the short title"},
    {"InfoLonger",
     "Line longer than selected will be converted into paragraph. This is useful for ms-dos like "
     "text with no formating"},
    {"labelMinLength", "Enter the minimum length"},
    {"infoShorter",
     "Line shorter than selected will be converted to paragraph. This is useful for ms-dos like "
     "text with no formating"},
    {"LabelShorter", "Enter the maximum length"},
    {"infoheadTag",
     "Type in the open and close tags for default head to bee entered. This will be used instead "
     "of defaul <h1>Text</h1> It is recomended to use <h1 align=\"center\"> </h1> combination"},
    {"LabelHeadTag", "Enter the open and close tags"},
    {"LabelDiv", "Enter the open and close tags"},
    {"InfoDIv",
     "This will be used instead of defaul <div align=\"justify\">Text</div> It is recomended to "
     "use <div align=\"left\"> or <div align=\"justify\"> </div> combination"},
    {"infoEmpty",
     "If there are empty lines in text, you can preserve them. Set the number of lines, you want "
     "to replace and replace text (<br> - default"},
    {"LabelEmpty", "Enter the number and replace text"},
    {"InfoEditorFont", "Select a font for editor"},
    {"LabelEditorFont", "Choose font:"},
    {"infoLang", "Select a language to use. You should not change this value unless you have problems"},
    {"labelLang", "Choose language"},
    {"infoHyph",
     "Set options to insert hyphenation in text. Hyphenation depends on your device and font. Try "
     "using &shy; as hyph symbol."},
    {"LabelHyph", "Choose font"},
    {"infoEpigraph",
     "Enter open and close tags for epigraphs found. Program automaticaly adds <i> tag and break "
     "before author's name"},
    {"LabelEpigr", "Edit tags"},
    {"InfoComment", "Type in the coment. This informatiom will be added to the end of the document."},
    {"LabelComment", "Enter the comment"},
    {"InfoPNG", "You may enter filename (relative) to PNG image to be inserted at the document start"},
    {"LabelPNG", "Enter the file name"},
    {"InfoA", "Removes from text all links (\"<A...>\" tags)"},
    {"InfoIMG", "Removes from text all \"<img...>\" tags (graphic)"},
    {"InfoForm", "Removes from text all forms and scripts."},
    {"InfoPre",
     "Removes from text all \"<pre>\" tags, used to format text for fixed width fonts whithout "
     "other HTML-tags."},
    {"InfoP",
     "Replaces \"<p>\" paragraph tags in text with program defined tag. You can set a custom "
     "paragraph tag, and it will replace all \"<p>\" tags in the text."},
    {"InfoBr",
     "Reformats all \"<br>\"-ended paragraphs in text (line breaks) with custom program defined "
     "paragraph tag. You can set a custom paragraph tag, and it will be set instead of \"<br>\""},
    {"InfoSp", "Threat lines started with spaces as start of paragraph."},
    {"InfoLine", "Threat lines started with \"-\" as start of paragraph."},
    {"InfoEmptyP", "Threat empty lines as paragraph dividers."},
    {"InfoH", "The program will try to detect headers, having no HTML \"<h#>\" tags."},
    {"InfoHR", "Zero-height <hr> before  header will start a new page in rocket e-book. Very useful"},
    {"InfoTOC", "At the start of the document will be created hyper linked table of content."},
    {"InfoI",
     "Usually in plain text is used \"_\" symbol to show italic text. Italic text will be formated "
     "using \"<i>\" tag."},
    {"InfoUp", "Converts descriptions to upper index."},
    {"InfoQ", "Creates cool quotes instead of inches. Strongly recommended for russian texts."},
    {"InfoDefis", "Just use it :)"},
    {"Info3Point", "Saves for you 2 bytes and takes less space."},
    {"InfoSpan", "Removes all <span> tags. Usefull for working with MS Office-generated files."},
    {"InfoFont", "Removes all <font> tags. Makes old html plain."},
    {"InfoStyle",
     "Removes all \"style\" and \"class\" attributes from all tags. Usefull for working with MS "
     "Office-generated files."},
    {"InfoRestore",
     "Closes paragraph only if it has [\".\",\"?\", etc] at the end. Uncheck if paragraphs end "
     "with spaces or other chars."},
};

}  // namespace

std::span<const StringDefault> DescrDefaults() { return kDescrDefaults; }

}  // namespace norvella
