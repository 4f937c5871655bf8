#pragma once

// The browsers' "Find": a small bar over the page with the text to find,
// next and previous, and a close button. It searches the active browser's
// page through the page engine's own find.

#include <functional>

#include <QWidget>

class QLabel;
class QLineEdit;

namespace norvella {

class StringTable;

class WebBrowser;

class BrowserFindBar : public QWidget {
  Q_OBJECT

 public:
  // `browser` gives the browser to search each time (the active one).
  BrowserFindBar(std::function<WebBrowser*()> browser, const StringTable& strings, QWidget* parent = nullptr);

  // Shows the bar with the focus in its field; nothing when no document is
  // loaded.
  void Open();
  // Finds the next (or previous) occurrence; false when there is none.
  bool FindNext(bool backward = false);
  QLineEdit* field() const { return field_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<WebBrowser*()> browser_;
  QLineEdit* field_;
  QLabel* result_;
  QString notFound_;
};

}  // namespace norvella
