#pragma once

// A reader page without an engine: its document, scroll values, selection,
// anchors and body style are plain values the test sets and reads.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

#include "gui/reader/reader_page.h"

namespace norvella::test {

class FakeReaderPage final : public ReaderPage {
 public:
  QString navigated;
  QString shown;  // where a link took the page; the navigated file when empty
  QString body = "<body>text</body>";
  bool hasDocument = true;
  int top = 0, height = 1000;
  QString selectionText, selectionHtml, pasted;
  QList<int> scrolledTo;
  QStringList anchors;
  // The body's style as the assignments left it, property by property.
  std::map<std::string, std::string> style;
  int waits = 0;

  void Navigate(const QString& path) override {
    navigated = path;
    shown.clear();
  }
  bool WaitUntilReady() override {
    ++waits;
    return hasDocument;
  }
  bool HasDocument() override { return hasDocument; }
  QString ReadyState() override { return hasDocument ? "complete" : "loading"; }
  std::optional<QString> BodyHtml() override { return hasDocument ? std::optional<QString>(body) : std::nullopt; }
  std::optional<int> ScrollTop() override { return top; }
  std::optional<int> ScrollHeight() override { return height; }
  bool ScrollTo(int, int y) override {
    scrolledTo << y;
    top = y;
    return true;
  }
  bool ScrollBy(int, int dy) override {
    top += dy;
    return true;
  }
  QString SelectionText() override { return selectionText; }
  QString SelectionHtml() override { return selectionHtml; }
  bool PasteHtml(const QString& html) override {
    pasted = html;
    return true;
  }
  bool ScrollToElement(const QString& id) override { return anchors.contains(id); }
  QString DocumentPath() override { return shown.isEmpty() ? navigated : shown; }
  bool StyleBody(const std::vector<BodyStyleSetting>& settings) override {
    if (!hasDocument) return false;
    for (const BodyStyleSetting& s : settings) {
      if (s.property == "cssText") style.clear();
      else style[std::string(s.property)] = s.value;
    }
    return true;
  }
  bool ReplaceBody(const QString& html) override {
    if (!hasDocument) return false;
    body = html;
    return true;
  }

  // Watching the body for changes, when the test asks for it: a change is
  // a body, style or paste other than at the start of the watch.
  bool watches = false;
  void WatchBody() override {
    watchedBody = body;
    watchedStyle = style;
    watchedPaste = pasted;
    watching = watches;
  }
  BodyChange ChangeSinceWatched() override {
    if (!watching) return BodyChange::Unknown;
    if (body != watchedBody || pasted != watchedPaste) return BodyChange::Content;
    return style != watchedStyle ? BodyChange::StyleOnly : BodyChange::None;
  }

 private:
  bool watching = false;
  QString watchedBody, watchedPaste;
  std::map<std::string, std::string> watchedStyle;
};

}  // namespace norvella::test
