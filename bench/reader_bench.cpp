// Reader timings on a real page: opening a converted novel for reading
// until it is shown at its saved position, saving it with ten bookmarks
// and ten notes, entering and leaving the full-screen view (the live page
// carried into a browser of a full-screen window and back), and applying a
// colour scheme. Prints the figures; not a test.
//
//   norvella-reader-bench DOCUMENT.html

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/reader/book_info.h"
#include "core/settings/options.h"
#include "gui/common/qt_text.h"
#include "gui/reader/reader_controller.h"
#include "gui/ui/browser_page.h"
#include "gui/ui/web_browser.h"

using namespace norvella;

namespace {

// Answers every question at once: go to the position, name and note given.
class Answers final : public ReaderQuestions {
 public:
  SaveAnswer AskSaveChanges() override { return SaveAnswer::Yes; }
  bool AskGoToPosition(bool&) override { return true; }
  NotConvertedAnswer AskNotConverted(bool&) override { return NotConvertedAnswer::Read; }
  std::optional<std::vector<std::string>> AskNote() override {
    return std::vector<std::string>{"a note", "of two lines"};
  }
  std::optional<std::string> AskBookmarkName(const std::string& proposed) override { return proposed; }
  bool ManageBookmarks(std::vector<Bookmark>&) override { return false; }
  void ShowError(const Error& error) override {
    std::fprintf(stderr, "error: %s %s\n", error.message.c_str(), error.reason.c_str());
  }
  void ShowSelectText() override { std::fprintf(stderr, "nothing selected\n"); }
  void Beep() override {}
  void ShowTask(const std::string&) override {}
  void SetBusy(bool) override {}
};

double Ms(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: norvella-reader-bench DOCUMENT.html\n");
    return 2;
  }
  QTemporaryDir dir;
  const QString path = dir.filePath("book.html");
  if (!QFile::copy(QString::fromLocal8Bit(argv[1]), path)) return 1;

  Options options;
  options.SetNumber(Opt::AutobookmarksBehavior, 1);
  StringTable strings;
  HtmlTemplates templates;
  Answers answers;
  WebBrowser browser;
  browser.resize(900, 700);
  browser.show();
  BrowserPage page(&browser);
  ReaderController reader(options, strings, templates, answers);
  reader.SetPage(&page);

  // A first reading leaves ten bookmarks, ten notes and a place in the file.
  reader.OpenForReading(PathBytes(path));
  browser.WaitUntilReady();
  const int height = browser.ScrollHeight().value_or(0);
  const char* words[] = {"\xD0\xBE\xD0\xBD", "\xD0\xB8", "\xD0\xB2", "\xD0\xBD\xD0\xB0"};  // short Russian words
  int made = 0;
  for (int i = 0; i < 10; ++i) {
    browser.ScrollTo(0, height * i / 11);
    // A word near the middle of the screen.
    if (!browser.SelectText(QString::fromUtf8(words[i % 4]) + " ")) continue;
    reader.AddNote();
    browser.ScrollTo(0, height * i / 11 + 300);
    if (!browser.SelectText(QString::fromUtf8(words[(i + 1) % 4]) + " ")) continue;
    reader.AddBookmark();
    ++made;
  }
  browser.ScrollTo(0, height * 2 / 3);
  // Save timings: the best of five saves of the marked document.
  double save = 1e9;
  for (int i = 0; i < 5; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    reader.SaveReaderDocument();
    save = std::min(save, Ms(t0));
  }
  QFile saved(path);
  saved.open(QIODevice::ReadOnly);
  const BookInfo info = ReadBookInfo(saved.readAll().toStdString());

  // Open timings: from the command until the page stands at its place,
  // beside the page engine's own load of the same file (navigating and
  // waiting until the page is ready, nothing else), taken in turns so that
  // both meet the same state of the machine. The engine's time varies by a
  // few hundred milliseconds from run to run, so the best and the median of
  // five are printed.
  std::vector<double> opens, loads;
  int top = 0;
  for (int i = 0; i < 5; ++i) {
    browser.Navigate("about:blank");
    browser.WaitUntilReady();
    auto t0 = std::chrono::steady_clock::now();
    browser.Navigate(path);
    browser.WaitUntilReady();
    loads.push_back(Ms(t0));
    browser.Navigate("about:blank");
    browser.WaitUntilReady();
    t0 = std::chrono::steady_clock::now();
    reader.OpenForReading(PathBytes(path));
    top = browser.ScrollTop().value_or(0);
    opens.push_back(Ms(t0));
  }
  std::sort(opens.begin(), opens.end());
  std::sort(loads.begin(), loads.end());
  const double open = opens.front();
  // Full screen: in through the copy beside the document, out by carrying
  // the live body back; the best and the worst of three.
  QWidget fullScreen;
  auto* layout = new QVBoxLayout(&fullScreen);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* fullBrowser = new WebBrowser(&fullScreen);
  layout->addWidget(fullBrowser);
  fullScreen.resize(1280, 800);
  fullScreen.showFullScreen();
  BrowserPage fullPage(fullBrowser);
  // Three kinds of visit: only reading, choosing a scheme (the body's style
  // comes back), adding a bookmark (the whole body comes back).
  double enterBest = 1e9, enterWorst = 0, copyBest = 1e9;
  double leaveBest[3] = {1e9, 1e9, 1e9}, leaveWorst[3] = {0, 0, 0};
  int fullTop = 0;
  for (int i = 0; i < 6; ++i) {
    browser.ScrollTo(0, height * (i + 1) / 8);
    const auto t0 = std::chrono::steady_clock::now();
    const auto copy = reader.SnapshotToTempFile();
    copyBest = std::min(copyBest, Ms(t0));
    reader.SetPage(&fullPage);
    if (copy) reader.LoadSnapshot(*copy);
    const double in = Ms(t0);
    fullTop = fullBrowser->ScrollTop().value_or(0);
    const int kind = i % 3;
    if (kind == 1) reader.ApplyScheme(i % 2 + 1);
    if (kind == 2 && fullBrowser->SelectText(QString::fromUtf8(words[i % 4]) + " ")) reader.AddBookmark();
    fullBrowser->ScrollHeight();  // the view laid out after its change
    const auto t1 = std::chrono::steady_clock::now();
    reader.CarryPage(fullPage, page);
    reader.SetPage(&page);
    fullBrowser->Navigate("about:blank");
    browser.ScrollHeight();  // the window's page laid out
    const double out = Ms(t1);
    enterBest = std::min(enterBest, in);
    enterWorst = std::max(enterWorst, in);
    leaveBest[kind] = std::min(leaveBest[kind], out);
    leaveWorst[kind] = std::max(leaveWorst[kind], out);
  }
  const bool copiesLeft = !QDir(dir.path()).entryList({"~$$$*"}, QDir::Files).isEmpty();

  // A colour scheme on the whole novel, each time on a page without one:
  // the command itself, and until the engine has laid the page out again
  // in the scheme's font.
  double scheme = 1e9, schemeWorst = 0, laidOut = 1e9;
  for (int i = 0; i < 4; ++i) {
    reader.RemoveStyle();
    browser.ScrollHeight();
    const auto t0 = std::chrono::steady_clock::now();
    reader.ApplyScheme(i % 2 + 1);
    const double took = Ms(t0);
    browser.ScrollHeight();
    laidOut = std::min(laidOut, Ms(t0));
    scheme = std::min(scheme, took);
    schemeWorst = std::max(schemeWorst, took);
  }

  std::printf("document            %8.2f MB, %zu bookmarks, %zu notes (%d pairs made)\n",
              static_cast<double>(QFileInfo(path).size()) / 1048576.0, info.bookmarks.size(), info.notes.size(),
              made);
  std::printf("open for reading    %8.0f ms   target 1000 ms   ratio %.2f   (median %.0f ms; shown at %d px of %d)\n",
              open, open / 1000.0, opens[opens.size() / 2], top, browser.ScrollHeight().value_or(0));
  std::printf("  the engine's load %6.0f ms   (median %.0f ms: the file shown, with nothing of the reader)\n",
              loads.front(), loads[loads.size() / 2]);
  std::printf("save                %8.0f ms   target  300 ms   ratio %.2f\n", save, save / 300.0);
  std::printf("enter full screen   %8.0f ms   target 1500 ms   ratio %.2f   (worst %.0f ms; copy %.0f ms; shown at %d px)\n",
              enterBest, enterBest / 1500.0, enterWorst, copyBest, fullTop);
  const char* kinds[] = {"leave, only read   ", "leave, scheme      ", "leave, bookmark    "};
  for (int kind = 0; kind < 3; ++kind)
    std::printf("%s %8.0f ms   target 1500 ms   ratio %.2f   (worst %.0f ms)%s\n", kinds[kind], leaveBest[kind],
                leaveBest[kind] / 1500.0, leaveWorst[kind], kind == 0 && copiesLeft ? "   COPIES LEFT BEHIND" : "");
  std::printf("colour scheme       %8.1f ms   target  100 ms   ratio %.2f   (worst %.1f ms; laid out after %.0f ms)\n",
              scheme, scheme / 100.0, schemeWorst, laidOut);
  return 0;
}
