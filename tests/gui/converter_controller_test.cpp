#include "gui/convert/converter_controller.h"

#include <sstream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "cli/convert_command.h"
#include "core/convert/document_output.h"
#include "core/convert/text_style.h"
#include "core/settings/store.h"
#include "gui/app/settings_app_store.h"
#include "gui/common/qt_text.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::ReadFile;
using test::WriteFile;

class RecordingQuestions final : public ConversionQuestions {
 public:
  bool AskTitle(DocumentProperties& doc, bool& addAuthor) override {
    asked.push_back(doc.title);
    doc.title = "Edited";
    addAuthor = false;
    return true;
  }
  std::vector<std::string> asked;
};

}  // namespace

class ConverterControllerTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  test::MemoryStore store_;

  QString Sample() {
    const QString path = dir_.filePath("shinel.txt");
    if (!QFile::exists(path)) QFile::copy(NORVELLA_SAMPLES_DIR "/shinel.txt", path);
    return path;
  }

 private slots:
  void LoadingSettingsPreparesThePreviewAndReadsTheStore() {
    ConverterController plain(store_);
    plain.LoadSettings();
    const std::string before = PathBytes(QDir::tempPath() + "/$~$~marn_temp9223372036854775807.htm");
    QCOMPARE(plain.PreviewPath(), before);
    QCOMPARE(plain.temporaryFiles().Paths(), std::vector<std::string>{before});
    QVERIFY(!plain.LibrarianInstalled());
    QCOMPARE(plain.Caption(), QString("Norvella - no file"));

    test::MemoryStore stored;
    stored.AddKey(kLibrarianKey);
    stored.Set("Londg strings min", "81");
    ConverterController loaded(stored);
    loaded.LoadSettings();
    QVERIFY(loaded.LibrarianInstalled());
    QCOMPARE(loaded.options().Number(Opt::LongStringsMin), 81);
  }

  void ReadingASourcePutsThePreviewBesideItAndDetectsItsStyle() {
    ConverterController c(store_);
    c.LoadSettings();
    const QString path = Sample();
    const SourceRead read = c.ReadSourceFile(PathBytes(path), 1);
    QCOMPARE(read.kind, SourceRead::Kind::Text);
    QCOMPARE(QByteArray::fromStdString(read.text), ReadFile(path));
    QCOMPARE(read.appliedStyle, DetectTextStyle(read.text));
    Options preset;
    ApplyTextStyle(preset, read.appliedStyle);
    QCOMPARE(c.options().Number(Opt::LongStringsMin), preset.Number(Opt::LongStringsMin));
    QCOMPARE(c.options().Number(Opt::ShortStringsMax), preset.Number(Opt::ShortStringsMax));
    QCOMPARE(PathText(c.PreviewPath()), dir_.filePath("$~$~tmp_shinel.txt.html"));
    QCOMPARE(c.temporaryFiles().Paths().size(), std::size_t{2});
    QCOMPARE(c.Caption(), QString("Norvella (converter) - shinel.txt"));

    // Without autodetection the options stay as they are.
    c.options().SetFlag(Opt::AutoDetectTextFormat, false);
    c.options().SetNumber(Opt::LongStringsMin, 77);
    QCOMPARE(c.ReadSourceFile(PathBytes(path), 1).appliedStyle, -1);
    QCOMPARE(c.options().Number(Opt::LongStringsMin), 77);
  }

  void ReadingFindsTitleAndAuthorAndAsksAboutThem() {
    const QString path = dir_.filePath("book.html");
    QVERIFY(WriteFile(path, "<html><head><title>Gogol. Shinel</title></head><body>text</body></html>"));
    ConverterController c(store_);
    RecordingQuestions questions;
    c.SetQuestions(&questions);
    c.document().comment = "left over from the last book";
    c.ReadSourceFile(PathBytes(path), 1);
    QCOMPARE(questions.asked, std::vector<std::string>{"Shinel"});
    QCOMPARE(c.document().author, std::string("Gogol"));
    QCOMPARE(c.document().title, std::string("Edited"));
    QCOMPARE(c.document().comment, std::string());
    QVERIFY(!c.options().Flag(Opt::AddAuthorToTitle));

    c.options().SetFlag(Opt::AskAboutTitle, false);
    c.ReadSourceFile(PathBytes(path), 1);
    QCOMPARE(questions.asked.size(), std::size_t{1});
    QCOMPARE(c.document().title, std::string("Shinel"));
  }

  void AFileThatCannotBeReadChangesNoText() {
    ConverterController c(store_);
    c.SetSourceText("kept");
    const SourceRead read = c.ReadSourceFile(PathBytes(dir_.filePath("missing.txt")), 1);
    QCOMPARE(read.kind, SourceRead::Kind::Failed);
    QVERIFY(QString::fromStdString(read.error).contains("missing.txt"));
    QCOMPARE(c.GetSourceLines(), std::vector<std::string>{"kept"});
    QCOMPARE(c.Caption(), QString("Norvella - no file"));
  }

  void ConvertsOnlyWhenTheResultIsOutOfDate() {
    ConverterController c(store_);
    test::RecordingObserver observer;
    c.SetObserver(&observer);
    auto conversions = [&] {
      return std::count(observer.tasks.begin(), observer.tasks.end(), "CurrentTask: Simplyfy HTML");
    };
    QVERIFY(!c.HasResult());
    c.SetSourceText("first line\r\nsecond line");
    QCOMPARE(c.GetSourceLines(), (std::vector<std::string>{"first line", "second line"}));
    QVERIFY(c.ConvertForPreview());
    QVERIFY(c.Converted());
    QVERIFY(c.HasResult());
    QVERIFY(!c.ConvertForPreview());
    QCOMPARE(conversions(), 1);
    QCOMPARE(observer.tasks.back(), std::string("Ready"));

    c.SetSourceText("other");
    QVERIFY(!c.Converted());
    QVERIFY(c.ConvertForPreview());
    c.Invalidate();
    QVERIFY(c.ConvertForPreview());
    QCOMPARE(conversions(), 3);
    // The kept source survives a conversion.
    QCOMPARE(c.GetSourceLines(), std::vector<std::string>{"other"});
  }

  void ThePreviewCarriesTheFooterAndGoesWithTheTemporaryFiles() {
    ConverterController c(store_);
    test::RecordingObserver observer;
    c.SetObserver(&observer);
    QCOMPARE(c.WritePreview().kind, PreviewWrite::Kind::NoPreviewPath);
    c.ReadSourceFile(PathBytes(Sample()), 1);
    c.SetSourceText("Akaky Akakievich");
    c.ConvertText(c.GetSourceLines());

    const PreviewWrite first = c.WritePreview();
    QCOMPARE(first.kind, PreviewWrite::Kind::Written);
    QVERIFY(!first.shownBefore);
    QCOMPARE(observer.tasks.back(), std::string("CurrentTask: Saving to file for browser"));
    const QByteArray written = ReadFile(PathText(first.path));
    QCOMPARE(written, QByteArray::fromStdString(c.DocumentText()));
    QVERIFY(written.contains(QByteArray::fromStdString(CreditFooter() + "</body>")));
    QVERIFY(written.contains("Akaky Akakievich"));

    c.MarkPreviewShown();
    QVERIFY(c.WritePreview().shownBefore);
    // A new source moves the preview; the new file was never shown.
    c.ReadSourceFile(PathBytes(Sample()), 1);
    QVERIFY(!c.WritePreview().shownBefore);

    c.temporaryFiles().DeleteAll();
    QVERIFY(!QFile::exists(PathText(first.path)));
    QVERIFY(c.temporaryFiles().Paths().empty());
  }

  void AFailedPreviewWriteIsReported() {
    QTemporaryDir gone;
    const QString path = gone.filePath("book.txt");
    QVERIFY(WriteFile(path, "text"));
    ConverterController c(store_);
    c.ReadSourceFile(PathBytes(path), 1);
    c.SetSourceText("text");
    c.ConvertText(c.GetSourceLines());
    gone.remove();
    const PreviewWrite write = c.WritePreview();
    QCOMPARE(write.kind, PreviewWrite::Kind::Failed);
    QVERIFY(!write.error.empty());
    QVERIFY(!c.SaveHtml(PathBytes(gone.filePath("out.html"))).ok);
  }

  void SavingWritesTheBytesTheCommandLineWrites_data() {
    QTest::addColumn<QByteArray>("source");
    QTest::newRow("fixed-width sample") << ReadFile(NORVELLA_SAMPLES_DIR "/shinel.txt");
    QTest::newRow("html with title and author")
        << QByteArray("<html><head><meta name=\"author\" content=\"\xc3\xee\xe3\xee\xeb\xfc\">"
                      "<title>\xd8\xe8\xed\xe5\xeb\xfc</title></head><body><p>text <span>one</span>"
                      "<script>x()</script></p></body></html>");
  }
  void SavingWritesTheBytesTheCommandLineWrites() {
    QFETCH(QByteArray, source);
    const QString input = dir_.filePath("input.txt");
    QVERIFY(WriteFile(input, source));
    ConverterController c(store_);
    c.LoadSettings();
    const SourceRead read = c.ReadSourceFile(PathBytes(input), 1);
    c.SetSourceText(read.text);
    c.ConvertText(c.GetSourceLines());
    const QString ours = dir_.filePath("ours.html");
    QVERIFY(c.SaveHtml(PathBytes(ours)).ok);

    const QString theirs = dir_.filePath("theirs.html");
    std::ostringstream out, err;
    QCOMPARE(RunConvertCommand({PathBytes(input), "-o", PathBytes(theirs), "-q"}, out, err, false), 0);
    QCOMPARE(ReadFile(ours), ReadFile(theirs));
  }

  // The desktop program and the command line read the same settings file,
  // with options away from their defaults and a skin, and write the same
  // document: both go through the one setup and conversion of core.
  void StoredSettingsAndASkinGiveBothFrontEndsTheSameBytes() {
    const std::string storePath = PathBytes(dir_.filePath("registry.reg"));
    {
      SettingsStore file(storePath);
      Options options;
      options.SetNumber(Opt::NumberOfNbsp, 3);
      options.SetFlag(Opt::Hyphenate, true);
      options.SetFlag(Opt::ILikeOrientation, !options.Flag(Opt::ILikeOrientation));
      options.SetNumber(Opt::LongStringsMin, 50);
      SaveSettings(file.Keys(), options, SaveSettingsState{});
      file.Keys()
          .Create(std::string(kSettingsKey) + "\\" + std::string(kSkinSection))
          .WriteString("lEnd", "<p class=\"skin-end\">~</p></body></html>");
      QVERIFY(file.Save().ok);
    }
    const QString input = Sample();

    SettingsAppStore store(storePath);
    ConverterController c(store);
    c.LoadSettings();
    QCOMPARE(c.options().Number(Opt::NumberOfNbsp), 3);
    const SourceRead read = c.ReadSourceFile(PathBytes(input), 1);
    QCOMPARE(read.kind, SourceRead::Kind::Text);
    c.SetSourceText(read.text);
    c.ConvertText(c.GetSourceLines());
    const QString ours = dir_.filePath("ours.html");
    QVERIFY(c.SaveHtml(PathBytes(ours)).ok);

    const QString theirs = dir_.filePath("theirs.html");
    std::ostringstream out, err;
    QCOMPARE(RunConvertCommand({"--settings", storePath, PathBytes(input), "-o", PathBytes(theirs), "-q"},
                               out, err, false),
             0);
    const QByteArray document = ReadFile(ours);
    QVERIFY(document.contains("skin-end"));
    QVERIFY(document.contains("&nbsp;&nbsp;&nbsp;"));
    QCOMPARE(document, ReadFile(theirs));
  }

  void TemporaryFilesAreKeptOnceAndDeletedQuietly() {
    TemporaryFiles files;
    const QString a = dir_.filePath("a.tmp");
    QVERIFY(WriteFile(a, "a"));
    files.Add(PathBytes(a));
    files.Add(PathBytes(a));
    files.Add(PathBytes(dir_.filePath("never-written.tmp")));
    QCOMPARE(files.Paths().size(), std::size_t{2});
    files.DeleteAll();
    QVERIFY(!QFile::exists(a));
  }
};

}  // namespace norvella

QTEST_GUILESS_MAIN(norvella::ConverterControllerTest)
#include "converter_controller_test.moc"
