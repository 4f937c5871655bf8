// "Export as EPUB..." and "Export as FB2..." of the File menu: the file
// dialog, the book written, and a book without device hyphenation.

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/options.h"
#include "gui/export/book_export.h"
#include "gui/ui/main_window.h"
#include "gui/common/qt_text.h"
#include "tests/core/export/export_support.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {

class ExportTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  test::MemoryStore store_;

  std::unique_ptr<TMain> Window() {
    auto window = std::make_unique<TMain>(std::make_unique<ConverterController>(store_), QString());
    window->show();
    return window;
  }

  QString Sample() {
    const QString path = dir_.filePath("shinel.txt");
    if (!QFile::exists(path)) QFile::copy(NORVELLA_SAMPLES_DIR "/shinel.txt", path);
    return path;
  }

  // Triggers the command and answers its file dialog with `target`.
  static QStringList ExportThroughTheDialog(TMain& window, const char* control, const QString& target) {
    test::ModalAnswerer answerer([&](QWidget* dialog) {
      if (auto* files = qobject_cast<QFileDialog*>(dialog)) test::ChooseFile(files, target);
    });
    window.Control(control)->trigger();
    return answerer.seen;
  }

 private slots:
  void init() {
    store_ = test::MemoryStore();
    store_.Set("Ask about title", "0");
    store_.Set("Confirm table of content", "0");
  }

  void TheFileMenuExportsBothFormats() {
    auto window = Window();
    QMenu* file = window->menuBar()->findChildren<QMenu*>().value(0);
    QVERIFY(file != nullptr);
    QVERIFY(file->actions().contains(window->Control("ExportEpub1")));
    QVERIFY(file->actions().contains(window->Control("ExportFb21")));

    window->SetSourceFileName(Sample());
    window->LoadSrc(TMain::kLoadNamedFile);
    const QString epub = dir_.filePath("out/book.epub");
    QDir().mkpath(dir_.filePath("out"));
    QCOMPARE(ExportThroughTheDialog(*window, "ExportEpub1", epub), QStringList{"Export as EPUB"});
    const std::vector<test::ArchiveEntry> entries = test::ReadArchive(test::ReadFile(epub).toStdString());
    QVERIFY(!entries.empty());
    QCOMPARE(QString::fromStdString(entries[0].name), QString("mimetype"));
    QVERIFY(test::FindEntry(entries, "OEBPS/nav.xhtml") != nullptr);
    // The next dialog opens in the folder of this export.
    QCOMPARE(ToQt(window->options().Text(Opt::LastEditSaveDir)), dir_.filePath("out"));

    const QString fb2 = dir_.filePath("out/book.fb2");
    QCOMPARE(ExportThroughTheDialog(*window, "ExportFb21", fb2), QStringList{"Export as FB2"});
    QVERIFY(test::WellFormedXml(test::ReadFile(fb2).toStdString()));
    QVERIFY(test::ReadFile(fb2).contains("<FictionBook"));
    // Written through a temporary file that is renamed: nothing else is left.
    QCOMPARE(QDir(dir_.filePath("out")).entryList(QDir::Files), (QStringList{"book.epub", "book.fb2"}));
  }

  void NothingConvertedNothingAsked() {
    auto window = Window();
    test::ModalAnswerer answerer([](QWidget* dialog) { dialog->close(); });
    QVERIFY(!window->ExportBook(BookFormat::kEpub));
    QVERIFY(answerer.seen.isEmpty());
  }

  void TheBookLeavesOutDeviceHyphenation() {
    ConverterController controller(store_);
    controller.LoadSettings();
    const SourceRead read = controller.ReadSourceFile(PathBytes(Sample()), 0);
    QCOMPARE(read.kind, SourceRead::Kind::Text);
    controller.SetSourceText(read.text);
    controller.ConvertText(controller.GetSourceLines());
    const std::vector<std::string> unhyphenated = controller.GetResultLines();
    const std::string plain = PathBytes(dir_.filePath("plain.fb2"));
    QVERIFY(ExportCurrentBook(controller, BookFormat::kFb2, plain).file.ok());

    controller.options().SetFlag(Opt::Hyphenate, true);
    controller.Invalidate();
    controller.ConvertText(controller.GetSourceLines());
    const std::vector<std::string> hyphenated = controller.GetResultLines();
    QVERIFY(hyphenated != unhyphenated);
    const std::string book = PathBytes(dir_.filePath("hyph.fb2"));
    QVERIFY(ExportCurrentBook(controller, BookFormat::kFb2, book).file.ok());
    QCOMPARE(test::ReadFile(PathText(book)), test::ReadFile(PathText(plain)));
    // The kept result is the hyphenated one still.
    QVERIFY(controller.GetResultLines() == hyphenated);

    const BookExportOutcome failed = ExportCurrentBook(controller, BookFormat::kFb2, "/nonexistent/dir/x.fb2");
    QVERIFY(!failed.file.ok());
    QVERIFY(!failed.file.error().reason.empty());
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::ExportTest)
#include "export_test.moc"
