#pragma once

// The option panel's behaviour without a window: which editor a tree node
// opens, what its controls show, how each edit applies at once, what
// closing an editor writes back, and how a node is switched by its icon or
// a key. The window shows the view and reports the user's edits; the panel
// reports back through its host.

#include <string>
#include <vector>

#include "core/settings/options.h"
#include "core/ui/option_tree.h"

namespace norvella {

struct DocumentProperties;
class StringTable;

// What the editor area below the tree shows. Texts are Windows-1251.
struct EditorView {
  EditorKind kind = EditorKind::None;  // the open editor; None when closed
  int node = -1;                       // the selected node
  std::string prompt;                  // shown only while an editor is open
  std::string description;

  bool showEdit1 = false;
  bool showEdit2 = false;
  bool showNumber = false;
  bool showFont = false;       // the editor font list
  bool showHyphFont = false;   // the hyphenation font list
  bool showLanguage = false;
  bool showPresBreak = false;

  std::string edit1;
  std::string edit2;
  int number = 0;
  std::string fontName;
  std::vector<std::string> hyphItems;  // "I " names, "- " names, "+ totaly &shy;"
  int hyphIndex = -1;                  // the item matching hyphText, -1 when none does
  std::string hyphText;
  int language = 0;
  bool presBreak = false;
};

// The pseudo-font entry that ends the hyphenation font list.
inline constexpr std::string_view kEveryBreakItem = "+ totaly &shy;";

// The hyphenation font list: every font name prefixed "I " (upright
// orientation), then every name prefixed "- " (horizontal), then the
// pseudo-font that puts "&shy;" at every break.
std::vector<std::string> HyphFontItems(const std::vector<std::string>& fontNames);
// The list text of the current "Hyph font" and orientation.
std::string HyphFontItemText(const Options& options);

class OptionPanelHost {
 public:
  virtual ~OptionPanelHost() = default;
  // An option or a document property changed: the converted text is out of
  // date.
  virtual void Invalidate() = 0;
  // The names of the stored font width tables, in key order.
  virtual std::vector<std::string> HyphFontNames() = 0;
  // Loads the widths of "Hyph font" in the orientation of "I-like
  // orientation".
  virtual void ReloadFontWidths() = 0;
  // The hyphenation editor opened and no font table is stored.
  virtual void NoFontsFound() = 0;
  // A document property changed; its node's caption follows.
  virtual void DocumentChanged(DocField field) = 0;
  // The editor area changed (opened, closed, refilled): show View() again.
  virtual void EditorChanged() = 0;
};

class OptionPanel {
 public:
  OptionPanel(Options& options, DocumentProperties& doc, const StringTable& strings, OptionPanelHost& host);

  const EditorView& View() const { return view_; }
  int Selected() const { return view_.node; }
  EditorKind OpenKind() const { return view_.kind; }

  // The tree's selection moved to `node` (-1: none): the open editor is
  // closed, writing its value back, and the node's editor or description
  // is shown.
  void Select(int node);
  // Switches a node as a click on its icon or a key does; false, changing
  // nothing, for a node that is not an on/off node.
  bool Toggle(int node);
  // The focus left the panel: the open editor writes its value back and
  // opens again on the same node.
  void Reselect();

  // The user's edits in the controls, applied at once where the editor
  // does so.
  void Edit1Changed(std::string text);
  void Edit2Changed(std::string text);
  void NumberChanged(int value);
  void FontChanged(std::string name);
  void LanguageChanged(int index);
  void PresBreakChanged(bool on);
  // Choosing an item of the hyphenation font list applies it and closes
  // the editor.
  void HyphFontChosen(int index);

  // An option changed elsewhere (a preset, autodetection, a loaded store):
  // the editor that shows it is filled again, so that closing it later does
  // not write the old value back.
  void OptionChanged(Opt id);
  // The document properties were replaced (a new load).
  void DocumentReplaced();

 private:
  void Open(int node);
  void Commit();
  void HideControls();
  bool EditorShows(Opt id) const;
  void SetDoc(DocField field, std::string text);

  Options& options_;
  DocumentProperties& doc_;
  const StringTable& strings_;
  OptionPanelHost& host_;
  EditorView view_;
  bool edit1Touched_ = false;  // Edit1 was edited since the editor opened
  bool applying_ = false;      // the panel itself is writing options
};

}  // namespace norvella
