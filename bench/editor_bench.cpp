// The editors on a large book: loading it into the source editor, a markup
// command on a selection in it, a typed character, and converting from the
// editor's text against converting from the kept list. Prints the best of
// a few runs of each; not a test.
//
//   norvella-editor-bench BOOK

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include "core/base/file_io.h"
#include "core/base/text.h"
#include "core/i18n/keyboard_layout.h"
#include "gui/convert/app_store.h"
#include "gui/convert/converter_controller.h"
#include "gui/editor/editor_controller.h"
#include "gui/editor/editor_widgets.h"

namespace norvella {
namespace {

// A store in memory that starts empty.
class EmptyStore final : public AppStore {
 public:
  Registry& Keys() override { return keys_; }
  const Registry& Keys() const override { return keys_; }

 private:
  Registry keys_;
};

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double BestOf(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
  double best = 1e18;
  for (int i = 0; i < runs; ++i) {
    prepare();
    best = std::min(best, Milliseconds(work));
  }
  return best;
}

// Lets the editor lay out and paint what the work changed.
void Settle() { QApplication::processEvents(); }

}  // namespace
}  // namespace norvella

int main(int argc, char** argv) {
  using namespace norvella;
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: norvella-editor-bench BOOK\n");
    return 2;
  }
  std::string book;
  if (const FileResult read = ReadWholeFile(argv[1], book); !read.ok()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], read.error().reason.c_str());
    return 1;
  }

  EmptyStore store;
  ConverterController converter(store);
  converter.LoadSettings();
  Options& options = converter.options();
  options.SetNumber(Opt::InterfaceMode, kAdvancedMode);
  options.SetFlag(Opt::UseSourceEditor, true);
  options.SetFlag(Opt::ShowHtml, true);
  options.SetFlag(Opt::AskAboutTitle, false);
  options.SetFlag(Opt::ConfirmToc, false);
  UnicodeKeyboardLayouts layouts;
  SourceEditor source;
  HtmlEditor html;
  source.resize(900, 700);
  html.resize(900, 700);
  source.show();
  html.show();
  EditorController editor(source, html, options, converter.strings(), layouts);
  converter.SetEditors(&editor);

  std::printf("book: %s, %.2f MB\n", argv[1], static_cast<double>(book.size()) / 1e6);
  const double load = BestOf(3, [] {}, [&] {
    converter.SetSourceText(book);
    Settle();
  });
  std::printf("%-52s %9.1f ms  (target < 1000)\n", "load into the source editor, shown", load);
  const double laidOut = BestOf(3, [] {}, [&] {
    converter.SetSourceText(book);
    // The whole text laid out, as scrolling to its end needs.
    source.document()->documentLayout()->documentSize();
    Settle();
  });
  std::printf("%-52s %9.1f ms\n", "  and laid out to its end", laidOut);
  options.SetFlag(Opt::LoadSafely, true);
  const double safe = BestOf(3, [] {}, [&] {
    converter.SetSourceText(book);
    Settle();
  });
  options.SetFlag(Opt::LoadSafely, false);
  std::printf("%-52s %9.1f ms\n", "load safely (through the clipboard), shown", safe);
  converter.SetSourceText(book);
  Settle();

  const int middle = source.document()->characterCount() / 2;
  const auto selectMiddle = [&] {
    QTextCursor cursor(source.document());
    cursor.setPosition(middle);
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    source.setTextCursor(cursor);
  };
  const double wrapOnly = BestOf(5, selectMiddle, [&] { editor.Wrap(MarkupKind::Italic); });
  std::printf("%-52s %9.2f ms\n", "\"Italic\", the edit alone", wrapOnly);
  const double wrap = BestOf(5, selectMiddle, [&] {
    editor.Wrap(MarkupKind::Italic);
    Settle();
  });
  std::printf("%-52s %9.2f ms  (target well under 50)\n", "\"Italic\" on a paragraph in the middle", wrap);
  const double head = BestOf(5, selectMiddle, [&] {
    editor.Wrap(MarkupKind::Head1);
    Settle();
  });
  std::printf("%-52s %9.2f ms\n", "\"Head1\" on a paragraph in the middle", head);

  source.setFocus();
  const double typed = BestOf(20, [] {}, [&] {
    QTest::keyClick(&source, Qt::Key_A);
    Settle();
  });
  std::printf("%-52s %9.2f ms  (target well under 50)\n", "a typed character", typed);

  // Converting: from the editor's text (read back, split) and from the
  // kept list of the same text.
  const std::string edited = editor.SourceText();
  const double fromEditor = BestOf(3, [&] { converter.Invalidate(); }, [&] {
    converter.ConvertText(converter.GetSourceLines());
  });
  const double readBack = BestOf(3, [] {}, [&] { (void)converter.GetSourceLines(); });
  options.SetFlag(Opt::UseSourceEditor, false);
  options.SetFlag(Opt::ShowHtml, false);
  converter.SetSourceText(edited);
  const double fromList = BestOf(3, [&] { converter.Invalidate(); }, [&] {
    converter.ConvertText(converter.GetSourceLines());
  });
  std::printf("%-52s %9.1f ms\n", "convert from the editor (result into the HTML editor)", fromEditor);
  std::printf("%-52s %9.1f ms\n", "  of which reading the editor's text", readBack);
  const std::vector<std::string> result = converter.GetResultLines();
  const double putResult = BestOf(3, [] {}, [&] { editor.PutResult(result); });
  std::printf("%-52s %9.1f ms\n", "  of which putting the result into the HTML editor", putResult);
  std::printf("%-52s %9.1f ms\n", "convert from the kept list", fromList);
  std::printf("%-52s %9.2f\n", "editor / (kept list + read)", fromEditor / (fromList + readBack));
  // The kept list's conversion shows nothing in an editor: like with like,
  // the editor's side without putting the result into the HTML editor.
  std::printf("%-52s %9.2f  (target <= 1)\n", "editor without showing the result / (kept list + read)",
              (fromEditor - putResult) / (fromList + readBack));
  return 0;
}
