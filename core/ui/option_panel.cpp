#include "core/ui/option_panel.h"

#include "core/convert/context.h"
#include "core/convert/title.h"
#include "core/i18n/keyboard_layout.h"
#include "core/i18n/strings.h"

namespace norvella {
namespace {

using E = EditorKind;

constexpr std::string_view kSuggestedHeadTag = "<h1>";
constexpr std::string_view kSuggestedHeadClose = "</h1>";
constexpr std::string_view kSuggestedParagraphTag = "<div align=\"justify\">";
constexpr std::string_view kSuggestedParagraphEnd = "</div>";
constexpr int kSuggestedLength = 80;
constexpr int kSuggestedEmptyLines = 2;

// The editors that belong to an on/off node: they open only while the node
// is on.
bool SwitchedEditor(EditorKind kind) {
  return kind == E::Longer || kind == E::Shorter || kind == E::EmptyLines || kind == E::Hyphenation ||
         kind == E::Epigraph;
}

// Sets a flag from the panel only when it changes, so that opening an
// editor on a value that is already right notifies nobody.
void SetNumberIfOther(Options& options, Opt id, int value) {
  if (options.Number(id) != value) options.SetNumber(id, value);
}

// Runs a piece of the panel's own writing with the guard up, so that the
// notifications it causes do not refill the editor being written from.
class Applying {
 public:
  explicit Applying(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~Applying() { flag_ = before_; }
  Applying(const Applying&) = delete;
  Applying& operator=(const Applying&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace

std::vector<std::string> HyphFontItems(const std::vector<std::string>& fontNames) {
  std::vector<std::string> items;
  items.reserve(fontNames.size() * 2 + 1);
  for (const std::string& name : fontNames) items.push_back("I " + name);
  for (const std::string& name : fontNames) items.push_back("- " + name);
  items.emplace_back(kEveryBreakItem);
  return items;
}

std::string HyphFontItemText(const Options& options) {
  const std::string& font = options.Text(Opt::HyphFont);
  if (font == kEveryBreakItem.substr(2)) return std::string(kEveryBreakItem);
  return (options.Flag(Opt::ILikeOrientation) ? "I " : "- ") + font;
}

OptionPanel::OptionPanel(Options& options, DocumentProperties& doc, const StringTable& strings,
                         OptionPanelHost& host)
    : options_(options), doc_(doc), strings_(strings), host_(host) {}

void OptionPanel::Select(int node) {
  if (view_.kind != E::None) {
    host_.Invalidate();
    Commit();
  }
  Open(node);
  host_.EditorChanged();
}

void OptionPanel::Reselect() { Select(view_.node); }

bool OptionPanel::Toggle(int node) {
  if (node < 0 || node >= kOptionNodeCount || !NodeSwitchable(node, options_)) return false;
  // A toggle acts on the selected node with its editor open, as a click
  // selects the node before its icon reacts.
  if (node != view_.node) Select(node);
  host_.Invalidate();
  const OptionNode& n = NodeAt(node);
  const bool open = view_.kind == n.editor && n.editor != E::None;
  {
    Applying guard(applying_);
    switch (node) {
      case 21:  // "Londg strings min": off is the largest number
        if (!options_.LongStringsOn()) {
          options_.SetNumber(n.option, kSuggestedLength);
        } else if (open) {
          NumberChanged(kLengthOff);
        } else {
          options_.SetNumber(n.option, kLengthOff);
        }
        break;
      case 22:  // "Short strings max": off is 0
      case 26:  // "Detect two empty lines": off is 0
        if (options_.Number(n.option) < 1) {
          options_.SetNumber(n.option, node == 22 ? kSuggestedLength : kSuggestedEmptyLines);
        } else if (open) {
          NumberChanged(0);
        } else {
          options_.SetNumber(n.option, 0);
        }
        break;
      case 29:
      case 34: {
        const bool head = node == 34;
        const Opt start = head ? Opt::HeadStartTag : Opt::ParagraphStartTag;
        const Opt end = head ? Opt::HeadCloseTag : Opt::ParagraphEndTag;
        if (options_.Text(start).empty()) {
          options_.SetText(start, std::string(head ? kSuggestedHeadTag : kSuggestedParagraphTag));
          options_.SetText(end, std::string(head ? kSuggestedHeadClose : kSuggestedParagraphEnd));
        } else {
          // An empty open tag brings back the built-in close tag.
          options_.SetText(start, "");
          if (open) {
            view_.edit1.clear();
            edit1Touched_ = true;
          }
        }
        break;
      }
      default:
        options_.SetFlag(n.option, !options_.Flag(n.option));
        break;
    }
  }
  Select(node);
  return true;
}

void OptionPanel::Open(int node) {
  Applying guard(applying_);
  view_ = EditorView{};
  view_.node = node;
  edit1Touched_ = false;
  if (node < 0 || node >= kOptionNodeCount) return;
  const OptionNode& n = NodeAt(node);
  if (n.editor == E::None) {
    if (!n.descrKey.empty()) view_.description = strings_.Get(kDescr, n.descrKey);
    return;
  }
  const EditorInfo& info = EditorOf(n.editor);
  view_.description = strings_.Get(kDescr, info.descrKey);
  if (SwitchedEditor(n.editor) && NodeIcon(node, options_) != kTreeIconOn) {
    // An editor of an off node stays closed; the two lengths are put on
    // their off values, whatever number stood there.
    if (n.editor == E::Longer) SetNumberIfOther(options_, Opt::LongStringsMin, kLengthOff);
    if (n.editor == E::Shorter) SetNumberIfOther(options_, Opt::ShortStringsMax, 0);
    return;
  }
  view_.kind = n.editor;
  view_.prompt = strings_.Get(kDescr, info.promptKey);
  switch (n.editor) {
    case E::Spaces:
      view_.showNumber = true;
      view_.number = options_.Number(Opt::NumberOfNbsp);
      break;
    case E::Author:
      view_.showEdit1 = true;
      view_.edit1 = doc_.author;
      break;
    case E::Title:
      view_.showEdit1 = true;
      view_.edit1 = doc_.title;
      break;
    case E::ShortTitle:
      if (doc_.shortTitle.empty() && !doc_.title.empty()) SetDoc(DocField::ShortTitle, MakeShortTitle(doc_, false));
      view_.showEdit1 = true;
      view_.edit1 = doc_.shortTitle;
      break;
    case E::Comment:
      view_.showEdit1 = true;
      view_.edit1 = doc_.comment;
      break;
    case E::Cover:
      view_.showEdit1 = true;
      view_.edit1 = doc_.coverImage;
      break;
    case E::Longer:
      if (!options_.LongStringsOn()) options_.SetNumber(Opt::LongStringsMin, kSuggestedLength);
      view_.showNumber = true;
      view_.number = options_.Number(Opt::LongStringsMin);
      break;
    case E::Shorter:
      if (!options_.ShortStringsOn()) options_.SetNumber(Opt::ShortStringsMax, kSuggestedLength);
      view_.showNumber = true;
      view_.number = options_.Number(Opt::ShortStringsMax);
      break;
    case E::HeadTag:
    case E::ParagraphTag: {
      const bool head = n.editor == E::HeadTag;
      const std::string& start = options_.Text(head ? Opt::HeadStartTag : Opt::ParagraphStartTag);
      view_.showEdit1 = view_.showEdit2 = true;
      view_.edit1 = start.empty() ? std::string(head ? kSuggestedHeadTag : kSuggestedParagraphTag) : start;
      view_.edit2 = start.empty() ? std::string(head ? kSuggestedHeadClose : kSuggestedParagraphEnd)
                                  : options_.Text(head ? Opt::HeadCloseTag : Opt::ParagraphEndTag);
      break;
    }
    case E::SourceFont:
    case E::HtmlFont: {
      const bool source = n.editor == E::SourceFont;
      view_.showFont = view_.showNumber = true;
      view_.fontName = options_.Text(source ? Opt::SrcFontName : Opt::HtmFontName);
      view_.number = options_.Number(source ? Opt::SrcFontSize : Opt::HtmFontSize);
      break;
    }
    case E::Language: {
      view_.showLanguage = true;
      const int language = options_.Number(Opt::Language);
      view_.language = language >= 0 && language < static_cast<int>(kLanguageCount) ? language : kDefaultLanguage;
      break;
    }
    case E::EmptyLines:
      view_.showNumber = view_.showEdit2 = true;
      view_.number = options_.Number(Opt::DetectTwoEmptyLines);
      view_.edit2 = options_.Text(Opt::EmptyLinesReplaceWith);
      break;
    case E::Hyphenation: {
      const std::vector<std::string> names = host_.HyphFontNames();
      if (names.empty()) host_.NoFontsFound();
      view_.hyphItems = HyphFontItems(names);
      view_.hyphText = HyphFontItemText(options_);
      for (std::size_t i = 0; i < view_.hyphItems.size(); ++i)
        if (view_.hyphItems[i] == view_.hyphText) view_.hyphIndex = static_cast<int>(i);
      view_.showHyphFont = view_.showEdit2 = true;
      view_.edit2 = options_.Text(Opt::HyphString);
      break;
    }
    case E::Epigraph:
      view_.showEdit1 = view_.showEdit2 = view_.showPresBreak = true;
      view_.edit1 = options_.Text(Opt::OpenEpigraph);
      view_.edit2 = options_.Text(Opt::CloseEpigraph);
      view_.presBreak = options_.Flag(Opt::PreserveBreaksInEpigraph);
      break;
    case E::None:
      break;
  }
}

void OptionPanel::Commit() {
  Applying guard(applying_);
  switch (view_.kind) {
    case E::Spaces:
      options_.SetNumber(Opt::NumberOfNbsp, view_.number);
      break;
    case E::Author: SetDoc(DocField::Author, view_.edit1); break;
    case E::Title: SetDoc(DocField::Title, view_.edit1); break;
    case E::ShortTitle: SetDoc(DocField::ShortTitle, view_.edit1); break;
    case E::Comment: SetDoc(DocField::Comment, view_.edit1); break;
    case E::Longer:
      // A length below 1 cannot be meant as "every line is long": it
      // switches the option off, as the node's icon then shows.
      options_.SetNumber(Opt::LongStringsMin, view_.number < 1 ? kLengthOff : view_.number);
      break;
    case E::Shorter:
      options_.SetNumber(Opt::ShortStringsMax, view_.number < 1 ? 0 : view_.number);
      break;
    case E::HeadTag:
    case E::ParagraphTag:
      // The suggested tag shown for an empty one is written only when the
      // user worked on it; looking at the node changes nothing.
      if (edit1Touched_)
        options_.SetText(view_.kind == E::HeadTag ? Opt::HeadStartTag : Opt::ParagraphStartTag, view_.edit1);
      break;
    case E::SourceFont:
    case E::HtmlFont: {
      const bool source = view_.kind == E::SourceFont;
      options_.SetNumber(source ? Opt::SrcFontSize : Opt::HtmFontSize, view_.number);
      options_.SetText(source ? Opt::SrcFontName : Opt::HtmFontName, view_.fontName);
      break;
    }
    case E::EmptyLines:
      options_.SetNumber(Opt::DetectTwoEmptyLines, view_.number);
      break;
    case E::Hyphenation: {
      const std::string& text = view_.hyphText;
      options_.SetFlag(Opt::ILikeOrientation, !text.empty() && text[0] == 'I');
      options_.SetText(Opt::HyphFont, text.size() > 2 ? text.substr(2) : std::string());
      options_.SetText(Opt::HyphString, view_.edit2);
      if (text != kEveryBreakItem) host_.ReloadFontWidths();
      break;
    }
    case E::Epigraph:
      options_.SetText(Opt::OpenEpigraph, view_.edit1);
      options_.SetText(Opt::CloseEpigraph, view_.edit2);
      options_.SetFlag(Opt::PreserveBreaksInEpigraph, view_.presBreak);
      break;
    case E::Language:
    case E::Cover:
    case E::None:
      break;
  }
  HideControls();
}

void OptionPanel::HideControls() {
  view_.kind = E::None;
  view_.prompt.clear();
  view_.showEdit1 = view_.showEdit2 = view_.showNumber = view_.showFont = false;
  view_.showHyphFont = view_.showLanguage = view_.showPresBreak = false;
}

void OptionPanel::SetDoc(DocField field, std::string text) {
  switch (field) {
    case DocField::Author: doc_.author = std::move(text); break;
    case DocField::Title: doc_.title = std::move(text); break;
    case DocField::ShortTitle: doc_.shortTitle = std::move(text); break;
    case DocField::Comment: doc_.comment = std::move(text); break;
    case DocField::Cover: doc_.coverImage = std::move(text); break;
    case DocField::None: return;
  }
  host_.DocumentChanged(field);
}

void OptionPanel::Edit1Changed(std::string text) {
  if (!view_.showEdit1) return;
  view_.edit1 = std::move(text);
  edit1Touched_ = true;
  host_.Invalidate();
  Applying guard(applying_);
  switch (view_.kind) {
    case E::Author: SetDoc(DocField::Author, view_.edit1); break;
    case E::Title: SetDoc(DocField::Title, view_.edit1); break;
    case E::ShortTitle: SetDoc(DocField::ShortTitle, view_.edit1); break;
    case E::Comment: SetDoc(DocField::Comment, view_.edit1); break;
    case E::Cover: SetDoc(DocField::Cover, view_.edit1); break;
    case E::HeadTag: options_.SetText(Opt::HeadStartTag, view_.edit1); break;
    case E::ParagraphTag: options_.SetText(Opt::ParagraphStartTag, view_.edit1); break;
    case E::Epigraph: options_.SetText(Opt::OpenEpigraph, view_.edit1); break;
    default: break;
  }
}

void OptionPanel::Edit2Changed(std::string text) {
  if (!view_.showEdit2) return;
  view_.edit2 = std::move(text);
  host_.Invalidate();
  Applying guard(applying_);
  switch (view_.kind) {
    case E::HeadTag: options_.SetText(Opt::HeadCloseTag, view_.edit2); break;
    case E::ParagraphTag: options_.SetText(Opt::ParagraphEndTag, view_.edit2); break;
    case E::EmptyLines: options_.SetText(Opt::EmptyLinesReplaceWith, view_.edit2); break;
    case E::Hyphenation: options_.SetText(Opt::HyphString, view_.edit2); break;
    case E::Epigraph: options_.SetText(Opt::CloseEpigraph, view_.edit2); break;
    default: break;
  }
}

void OptionPanel::NumberChanged(int value) {
  if (!view_.showNumber) return;
  view_.number = value;
  host_.Invalidate();
  Applying guard(applying_);
  switch (view_.kind) {
    case E::Spaces: options_.SetNumber(Opt::NumberOfNbsp, value); break;
    case E::Longer: options_.SetNumber(Opt::LongStringsMin, value); break;
    case E::Shorter: options_.SetNumber(Opt::ShortStringsMax, value); break;
    case E::EmptyLines: options_.SetNumber(Opt::DetectTwoEmptyLines, value); break;
    default: break;  // the font sizes apply when the editor closes
  }
}

void OptionPanel::FontChanged(std::string name) {
  if (view_.showFont) view_.fontName = std::move(name);
}

void OptionPanel::LanguageChanged(int index) {
  if (!view_.showLanguage) return;
  view_.language = index;
  host_.Invalidate();
  Applying guard(applying_);
  options_.SetNumber(Opt::Language, index);
}

void OptionPanel::PresBreakChanged(bool on) {
  if (view_.showPresBreak) view_.presBreak = on;
}

void OptionPanel::HyphFontChosen(int index) {
  if (view_.kind != E::Hyphenation || index < 0 || index >= static_cast<int>(view_.hyphItems.size())) return;
  view_.hyphIndex = index;
  view_.hyphText = view_.hyphItems[static_cast<std::size_t>(index)];
  host_.Invalidate();
  Commit();
  host_.EditorChanged();
}

bool OptionPanel::EditorShows(Opt id) const {
  if (view_.node < 0) return false;
  switch (NodeAt(view_.node).editor) {
    case E::Spaces: return id == Opt::NumberOfNbsp;
    case E::Longer: return id == Opt::LongStringsMin;
    case E::Shorter: return id == Opt::ShortStringsMax;
    case E::HeadTag: return id == Opt::HeadStartTag || id == Opt::HeadCloseTag;
    case E::ParagraphTag: return id == Opt::ParagraphStartTag || id == Opt::ParagraphEndTag;
    case E::SourceFont: return id == Opt::SrcFontName || id == Opt::SrcFontSize;
    case E::HtmlFont: return id == Opt::HtmFontName || id == Opt::HtmFontSize;
    case E::Language: return id == Opt::Language;
    case E::EmptyLines: return id == Opt::DetectTwoEmptyLines || id == Opt::EmptyLinesReplaceWith;
    case E::Hyphenation:
      return id == Opt::Hyphenate || id == Opt::HyphFont || id == Opt::ILikeOrientation || id == Opt::HyphString;
    case E::Epigraph:
      return id == Opt::DetectEpigraphs || id == Opt::OpenEpigraph || id == Opt::CloseEpigraph ||
             id == Opt::PreserveBreaksInEpigraph;
    default: return false;
  }
}

void OptionPanel::OptionChanged(Opt id) {
  if (applying_ || !EditorShows(id)) return;
  Open(view_.node);
  host_.EditorChanged();
}

void OptionPanel::DocumentReplaced() {
  if (view_.node < 0 || NodeAt(view_.node).field == DocField::None) return;
  Open(view_.node);
  host_.EditorChanged();
}

}  // namespace norvella
