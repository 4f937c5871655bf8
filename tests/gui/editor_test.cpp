#include "gui/editor/editor_controller.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "core/i18n/keyboard_layout.h"
#include "core/i18n/strings.h"
#include "gui/editor/editor_commands.h"
#include "gui/editor/editor_widgets.h"
#include "gui/editor/search_dialogs.h"
#include "gui/common/control_texts.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {
namespace {

// Answers the end-note dialog with what a test wants.
class ScriptedNote final : public EndNoteQuestion {
 public:
  bool answer = true;
  QString proposedTitle;
  QString proposedBody;
  QString title;  // replaces the proposal when not empty
  bool Ask(QString& t, QString& b) override {
    proposedTitle = t;
    proposedBody = b;
    if (!title.isEmpty()) t = title;
    return answer;
  }
};

}  // namespace

class EditorTest : public QObject {
  Q_OBJECT

  struct Fixture {
    Options options;
    StringTable strings;
    UnicodeKeyboardLayouts layouts;
    SourceEditor source;
    HtmlEditor html;
    EditorController editor{source, html, options, strings, layouts};
    Fixture() {
      int calls = 0;
      editor.SetRandom([calls]() mutable { return calls++ % 2 == 0 ? 11 : 22; });
    }
    void Select(int from, int to) {
      QTextCursor cursor(source.document());
      cursor.setPosition(from);
      cursor.setPosition(to, QTextCursor::KeepAnchor);
      source.setTextCursor(cursor);
    }
    QString Text() const { return source.toPlainText(); }
    QTextCharFormat FormatAt(int position) const {
      QTextCursor cursor(source.document());
      cursor.setPosition(position + 1);
      return cursor.charFormat();
    }
  };

 private slots:
  void MarkupWrapsTheSelectionAndShowsIt() {
    Fixture f;
    f.editor.PutSourceText("word\r\nnext");
    f.Select(0, 5);  // the word with its line break
    QVERIFY(f.editor.Wrap(MarkupKind::Bold));
    QCOMPARE(f.Text(), QString("<b>word</b>\nnext"));
    QVERIFY(f.FormatAt(3).fontWeight() == QFont::Bold);
    QCOMPARE(f.source.textCursor().position(), 12);  // after the moved break
    // The formatting is only how the text looks.
    QCOMPARE(f.editor.SourceText(), std::string("<b>word</b>\r\nnext"));

    f.editor.PutSourceText("before\r\nChapter\r\nafter");
    f.Select(7, 15);
    QVERIFY(f.editor.Wrap(MarkupKind::Head1));
    QCOMPARE(f.Text(), QString("before\n\n<h1>Chapter</h1>\nafter"));
    const QTextCharFormat head = f.FormatAt(12);
    QVERIFY(head.fontWeight() == QFont::Bold);
    QCOMPARE(head.fontPointSize(), 13.0 + 4);

    f.editor.PutSourceText("x2");
    f.Select(1, 2);
    QVERIFY(f.editor.Wrap(MarkupKind::UpperIndex));
    QCOMPARE(f.Text(), QString("x<sup>2</sup>"));
    QCOMPARE(f.FormatAt(6).verticalAlignment(), QTextCharFormat::AlignSuperScript);

    // Commands that need a selection leave the text alone without one.
    f.editor.PutSourceText("plain");
    f.Select(2, 2);
    QVERIFY(!f.editor.Wrap(MarkupKind::Italic));
    QVERIFY(f.editor.Wrap(MarkupKind::Blockquote));
    QCOMPARE(f.Text(), QString("pl\n<blockquote></blockquote>\nain"));
  }

  void ParagraphCommandsFormatTheirLines() {
    Fixture f;
    f.editor.PutSourceText("one\r\nquote\r\nthree");
    f.Select(4, 9);
    QVERIFY(f.editor.Wrap(MarkupKind::Blockquote));
    const QTextBlock quote = f.source.document()->findBlockByNumber(2);
    QCOMPARE(quote.text(), QString("<blockquote>quote</blockquote>"));
    QVERIFY(quote.blockFormat().leftMargin() > 0);
    QCOMPARE(f.source.document()->findBlockByNumber(0).blockFormat().leftMargin(), 0.0);

    f.editor.PutSourceText("item");
    f.Select(0, 4);
    QVERIFY(f.editor.Wrap(MarkupKind::List));
    QVERIFY(f.source.document()->findBlockByNumber(1).textList() != nullptr);
    QCOMPARE(f.editor.SourceText(), std::string("\r\n<li type=\"1\">item</li>\r\n"));

    f.editor.PutSourceText("middle");
    f.Select(0, 6);
    QVERIFY(f.editor.Wrap(MarkupKind::AlignCenter));
    QVERIFY(f.source.document()->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHCenter);

    f.options.SetText(Opt::ParagraphStartTag, "");
    f.editor.PutSourceText("para");
    f.Select(0, 4);
    QVERIFY(f.editor.Wrap(MarkupKind::Paragraph));
    QCOMPARE(f.Text(), QString("\n<div align=\"justify\">para</div>\n"));
  }

  void BreakLineAndCase() {
    Fixture f;
    f.editor.PutSourceText("ab");
    f.Select(1, 1);
    QVERIFY(f.editor.BreakLine());
    QCOMPARE(f.Text(), QString("a<br>\nb"));
    f.editor.PutSourceText(std::string("\xEF\xF0\xE8\xE2\xE5\xF2 world"));
    f.Select(0, 12);
    QVERIFY(f.editor.ChangeCase(true));
    QCOMPARE(f.Text(), QString::fromUtf8("ПРИВЕТ WORLD"));
    QCOMPARE(f.source.textCursor().selectedText(), QString::fromUtf8("ПРИВЕТ WORLD"));
    QVERIFY(f.editor.ChangeCase(false));
    QCOMPARE(f.Text(), QString::fromUtf8("привет world"));
  }

  void TextCrossesToTheCoreWithoutLoss() {
    Fixture f;
    f.editor.PutSourceText("a\xA0" "b\r\n\tc\r\n");
    QCOMPARE(f.editor.SourceText(), std::string("a\xA0" "b\r\n\tc\r\n"));
    QTextCursor end(f.source.document());
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromUtf8("→ ok"));
    QCOMPARE(f.editor.SourceText(), std::string("a\xA0" "b\r\n\tc\r\n&#8594; ok"));
  }

  void EverySourceEditButNotAFillIsReported() {
    Fixture f;
    QSignalSpy edited(&f.editor, &EditorController::SourceEdited);
    f.editor.PutSourceText("text");
    QCOMPARE(edited.count(), 0);
    f.source.setFocus();
    QTest::keyClicks(&f.source, "x");
    QVERIFY(edited.count() >= 1);
    const qsizetype typed = edited.count();
    f.Select(0, 1);
    f.editor.Wrap(MarkupKind::Bold);
    QVERIFY(edited.count() > typed);
  }

  void UndoAndRedoNamesFollowTheActions() {
    Fixture f;
    QCOMPARE(f.editor.UndoHint(EditorPane::Source), QString("Undo "));
    f.source.setFocus();
    QTest::keyClicks(&f.source, "hello");
    QCOMPARE(f.editor.UndoHint(EditorPane::Source), QString("Undo typing"));
    f.Select(0, 2);
    f.source.CutNamed();
    QCOMPARE(f.Text(), QString("llo"));
    QCOMPARE(f.editor.UndoHint(EditorPane::Source), QString("Undo cut"));
    f.source.moveCursor(QTextCursor::End);
    f.source.PasteNamed();
    QCOMPARE(f.Text(), QString("llohe"));
    QCOMPARE(f.editor.UndoHint(EditorPane::Source), QString("Undo paste"));
    QTest::keyClick(&f.source, Qt::Key_Backspace);
    QCOMPARE(f.editor.UndoHint(EditorPane::Source), QString("Undo delete"));
    f.source.UndoStep();
    QCOMPARE(f.editor.RedoHint(EditorPane::Source), QString("Redo delete"));
    QCOMPARE(f.editor.UndoHint(EditorPane::Source), QString("Undo paste"));
    QTest::keySequence(&f.source, QKeySequence::Undo);
    QCOMPARE(f.Text(), QString("llo"));
    QCOMPARE(f.editor.RedoHint(EditorPane::Source), QString("Redo paste"));
    f.source.RedoStep();
    QCOMPARE(f.Text(), QString("llohe"));
    QCOMPARE(f.editor.UndoHint(EditorPane::Source), QString("Undo paste"));
    // A new edit drops what could be redone.
    QTest::keyClicks(&f.source, "!");
    QVERIFY(!f.source.document()->isRedoAvailable());
    QCOMPARE(f.editor.RedoHint(EditorPane::Source), QString("Redo "));
    // The HTML editor keeps its own names.
    f.html.setFocus();
    QTest::keyClicks(&f.html, "<p>");
    QCOMPARE(f.editor.UndoHint(EditorPane::Html), QString("Undo typing"));
  }

  void InsertCommentLinksTheSelectionToAnEndNote() {
    Fixture f;
    ScriptedNote note;
    const QString link = "<a href=\"#11~~22\" name=\"11~~22back\" id=\"Norvella~link\">A long selection...</a>";
    const QString endNote =
        "<hr size=\"0\" id=\"norvella\"><a id=\"NorvellaEndlink\" name=\"11~~22\">A long selection</a> "
        "<a href=\"#11~~22back\">[^^Back^^]</a>";

    // Links are removed by the options: nothing happens.
    f.editor.PutSourceText("<html><body>\r\nA long selection\r\nmore\r\n</body></html>");
    f.Select(13, 29);
    const auto refused = f.editor.InsertComment(note);
    QVERIFY(refused.has_value());
    QCOMPARE(*refused, f.strings.Message("CantEnterLink"));
    QVERIFY(note.proposedBody.isEmpty());

    f.options.SetFlag(Opt::KillLinks, false);
    QVERIFY(!f.editor.InsertComment(note).has_value());
    QCOMPARE(note.proposedTitle, QString("A long sel..."));
    QCOMPARE(note.proposedBody, QString("A long selection"));
    QCOMPARE(f.Text(), "<html><body>\n" + QString(link).replace("A long selection...", "A long sel...") + "\n" +
                           endNote + "\nmore\n</body></html>");

    // A fragment gets the note as its last line; the title is the user's.
    f.editor.PutSourceText("A long selection\r\n");
    f.Select(0, 16);
    note.title = "A long selection...";
    QVERIFY(!f.editor.InsertComment(note).has_value());
    QCOMPARE(f.Text(), link + "\n" + endNote + "\n");
    QCOMPARE(f.source.textCursor().selectedText(), link);

    // The note goes in front of the only line; the link stays selected.
    f.editor.PutSourceText("A long selection</body></html>");
    f.Select(0, 16);
    QVERIFY(!f.editor.InsertComment(note).has_value());
    QCOMPARE(f.Text(), endNote + "\n" + link + "</body></html>");
    QCOMPARE(f.source.textCursor().selectedText(), link);

    // Cancelled: nothing is inserted.
    note.answer = false;
    f.editor.PutSourceText("text");
    f.Select(0, 4);
    QVERIFY(!f.editor.InsertComment(note).has_value());
    QCOMPARE(f.Text(), QString("text"));
  }

  void TheHtmlEditorTakesTheResultAndKeepsItsCaret() {
    Fixture f;
    f.editor.PutResult({"<html>", "<body>", "</body></html>"});
    QCOMPARE(f.html.toPlainText(), QString("<html>\n<body>\n</body></html>"));
    QVERIFY(!f.editor.ResultModified());
    QTextCursor cursor = f.html.textCursor();
    cursor.setPosition(9);
    f.html.setTextCursor(cursor);
    f.html.setFocus();
    QTest::keyClicks(&f.html, "X");
    QVERIFY(f.editor.ResultModified());
    QCOMPARE(f.editor.ResultLines(), (std::vector<std::string>{"<html>", "<bXody>", "</body></html>"}));
    f.editor.PutResult({"<html>", "<body>changed", "</body></html>"});
    QCOMPARE(f.html.textCursor().position(), 10);
    QVERIFY(!f.editor.ResultModified());
    QVERIFY(!f.html.document()->isUndoAvailable());
  }

  void LoadingSafelyGoesThroughTheClipboardAndGivesItBack() {
    Fixture f;
    QApplication::clipboard()->setText("the user's");
    f.options.SetFlag(Opt::LoadSafely, true);
    f.editor.PutSourceText("first\r\nsecond");
    QVERIFY(f.editor.LoadedThroughClipboard());
    QCOMPARE(f.Text(), QString("first\nsecond"));
    QCOMPARE(QApplication::clipboard()->text(), QString("the user's"));
    QVERIFY(!f.source.document()->isUndoAvailable());
  }

  void FontsAndWrapFollowTheirOptions() {
    Fixture f;
    QCOMPARE(f.source.font().pointSize(), 13);
    QCOMPARE(f.source.lineWrapMode(), QTextEdit::NoWrap);
    SetEditorFont(f.options, EditorPane::Html, {"DejaVu Sans Mono", 17});
    f.editor.ApplyOption(Opt::HtmFontName);
    f.editor.ApplyOption(Opt::HtmFontSize);
    QCOMPARE(f.html.font().pointSize(), 17);
    QCOMPARE(f.html.font().family(), QString("DejaVu Sans Mono"));
    SetEditorWordWrap(f.options, EditorPane::Source, true);
    f.editor.ApplyOption(Opt::WrapInSrc);
    QCOMPARE(f.source.lineWrapMode(), QTextEdit::WidgetWidth);
    QCOMPARE(f.html.lineWrapMode(), QPlainTextEdit::NoWrap);
  }

  void FindInSourceSelectsTheFirstMatch() {
    Fixture f;
    f.editor.PutSourceText("one two\r\nthree two");
    f.Select(10, 10);
    QVERIFY(f.editor.FindInSource("two"));
    QCOMPARE(f.source.textCursor().selectionStart(), 4);
    QVERIFY(f.editor.FindInSource("two\nthree"));
    QCOMPARE(f.source.textCursor().selectedText(), QString("two") + QChar::ParagraphSeparator + "three");
    QVERIFY(!f.editor.FindInSource("four"));
  }

  void FindAndReplaceDialogsShareTheirText() {
    Fixture f;
    f.editor.PutSourceText("cat dog cat");
    f.Select(0, 3);
    QWidget host;
    EditorSearch search(&f.source, f.strings, &host);
    search.OpenFind();
    QVERIFY(search.findDialog()->isVisible());
    QVERIFY(!search.findDialog()->isModal());
    QCOMPARE(search.findDialog()->findChild<QLineEdit*>("what")->text(), QString("cat"));
    QVERIFY(search.FindNext());
    QCOMPARE(f.source.textCursor().selectionStart(), 8);
    search.findDialog()->hide();

    f.Select(4, 7);
    search.OpenReplace();
    QCOMPARE(search.replaceDialog()->findChild<QLineEdit*>("what")->text(), QString("dog"));
    QCOMPARE(search.findDialog()->findChild<QLineEdit*>("what")->text(), QString("dog"));
    search.replaceDialog()->findChild<QLineEdit*>("with")->setText("fox");
    QCOMPARE(search.ReplaceAll(), 1);
    QCOMPARE(f.Text(), QString("cat fox cat"));

    // A miss says so, with the searched text.
    test::ModalAnswerer answerer([](QWidget* dialog) { test::ModalAnswerer::Click(dialog, QMessageBox::Ok); });
    auto* what = search.replaceDialog()->findChild<QLineEdit*>("what");
    what->end(false);
    QTest::keyClicks(what, "zz");
    QCOMPARE(search.searchText(), QString("dogzz"));
    QVERIFY(!search.FindNext());
    QCOMPARE(answerer.seen, QStringList{"Text \"dogzz\" not found."});
  }

  void ToolbarControlsRunTheirCommands() {
    Fixture f;
    QWidget window;
    std::map<QString, QAction*> actions;
    for (const char* name : {"UndoBtn", "RedoBtn", "htmUndo", "htmRedo", "FindButton"})
      actions[name] = new QAction(&window);
    EditorCommands commands(
        f.editor, f.options, f.strings, [&](const QString& name) { return actions.count(name) ? actions[name] : nullptr; },
        [&] { return f.editor.SourceText(); }, &window);
    QVERIFY(!actions["UndoBtn"]->isEnabled());
    QVERIFY(EditorCommands::IsEditorControl("BoldButton"));
    QVERIFY(!EditorCommands::IsEditorControl("ToolButton37"));

    f.editor.PutSourceText("some words");
    f.Select(5, 10);
    commands.Run("BoldButton");
    QCOMPARE(f.Text(), QString("some <b>words</b>"));
    QVERIFY(actions["UndoBtn"]->isEnabled());
    QTest::keyClicks(&f.source, "!");
    QCOMPARE(actions["UndoBtn"]->toolTip(), QString("Undo typing"));
    QVERIFY(!actions["RedoBtn"]->isEnabled());
    commands.Run("UndoBtn");
    QCOMPARE(f.Text(), QString("some <b>words</b>"));
    QVERIFY(actions["RedoBtn"]->isEnabled());
    QCOMPARE(actions["RedoBtn"]->toolTip(), QString("Redo typing"));
    QVERIFY(!actions["htmUndo"]->isEnabled());

    // Insert comment while links are removed says why and changes nothing.
    test::ModalAnswerer answerer([](QWidget* dialog) { test::ModalAnswerer::Click(dialog, QMessageBox::Ok); });
    f.Select(0, 4);
    commands.Run("ToolButton71");
    QCOMPARE(answerer.seen, QStringList{MessageText(f.strings, "CantEnterLink")});
    QCOMPARE(f.Text(), QString("some <b>words</b>"));

    // The pop-up menus carry the search commands.
    QStringList captions;
    for (QAction* action : commands.sourcePopup()->actions()) captions << action->text();
    QVERIFY(captions.contains("Find...") && captions.contains("Replace...") && captions.contains("&Paste"));
    commands.sourcePopup()->findChild<QAction*>("FindButtonPopup");
  }

  void AlignmentButtonsWrapAndAlignTheirLines_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("align");
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << "ToolButton13" << "left" << int(Qt::AlignLeft);
    QTest::newRow("right") << "ToolButton15" << "right" << int(Qt::AlignRight);
    QTest::newRow("centre") << "ToolButton14" << "center" << int(Qt::AlignHCenter);
    QTest::newRow("justify") << "ToolButton32" << "justify" << int(Qt::AlignJustify);
  }
  void AlignmentButtonsWrapAndAlignTheirLines() {
    QFETCH(QString, button);
    QFETCH(QString, align);
    QFETCH(int, alignment);
    Fixture f;
    QWidget window;
    EditorCommands commands(f.editor, f.options, f.strings, [](const QString&) { return nullptr; },
                            [&] { return f.editor.SourceText(); }, &window);
    f.editor.PutSourceText("before\r\nthe line\r\nafter");
    f.Select(7, 15);
    commands.Run(button.toStdString());
    const QString wrapped = "<div align=\"" + align + "\">the line</div>";
    QVERIFY2(f.Text().contains(wrapped), qPrintable(f.Text()));
    QTextBlock line = f.source.document()->begin();
    while (line.isValid() && !line.text().contains(wrapped)) line = line.next();
    QVERIFY(line.isValid());
    QVERIFY(line.blockFormat().alignment() & alignment);
    QVERIFY(!(f.source.document()->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHCenter));
  }

  void CopyCutAndPasteGoThroughTheClipboard() {
    Fixture f;
    QWidget window;
    EditorCommands commands(f.editor, f.options, f.strings, [](const QString&) { return nullptr; },
                            [&] { return f.editor.SourceText(); }, &window);
    f.editor.PutSourceText("copy these words");
    f.Select(5, 10);
    commands.Run("ToolButton9");  // Copy
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("these"));
    QCOMPARE(f.Text(), QString("copy these words"));
    f.Select(16, 16);
    commands.Run("ToolButton10");  // Paste
    QCOMPARE(f.Text(), QString("copy these wordsthese"));
    f.Select(0, 5);
    commands.Run("ToolButton8");  // Cut
    QCOMPARE(f.Text(), QString("these wordsthese"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("copy "));

    // The HTML editor's copy leaves the source alone.
    f.html.setPlainText("<p>html</p>");
    QTextCursor cursor(f.html.document());
    cursor.setPosition(3);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    f.html.setTextCursor(cursor);
    commands.Run("ToolButton29");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("html"));
    QCOMPARE(f.Text(), QString("these wordsthese"));
  }

  void SaveSourceTextAsksForTheFileAndItsType() {
    Fixture f;
    QWidget window;
    EditorCommands commands(f.editor, f.options, f.strings, [](const QString&) { return nullptr; },
                            [] { return std::string("the source\r\n"); }, &window);
    QTemporaryDir dir;
    QString title;
    test::ModalAnswerer answerer([&](QWidget* dialog) {
      auto* files = qobject_cast<QFileDialog*>(dialog);
      if (files == nullptr) return;
      title = files->windowTitle();
      files->selectNameFilter("HTML files (*.html *.htm)");
      test::ChooseFile(files, dir.filePath("marked"));
    });
    QTest::qWait(0);
    QVERIFY(commands.SaveSourceText());
    QCOMPARE(title, QString("Save source text"));
    QCOMPARE(test::ReadFile(dir.filePath("marked.html")), QByteArray("the source\r\n"));
    QCOMPARE(f.options.Text(Opt::LastEditSaveSrcDir), FromQt(dir.path()));
  }

  void SaveSourceTextAddsTheTypesExtension() {
    Fixture f;
    QWidget window;
    EditorCommands commands(f.editor, f.options, f.strings, [](const QString&) { return nullptr; },
                            [] { return std::string("line one\r\nline two\r\n"); }, &window);
    QTemporaryDir dir;
    QVERIFY(commands.WriteSourceText(dir.filePath("book"), 1, nullptr));
    QCOMPARE(test::ReadFile(dir.filePath("book.txt")), QByteArray("line one\r\nline two\r\n"));
    QVERIFY(commands.WriteSourceText(dir.filePath("book"), 2, nullptr));
    QVERIFY(QFile::exists(dir.filePath("book.html")));
    QVERIFY(commands.WriteSourceText(dir.filePath("book.text"), 2, nullptr));
    QVERIFY(QFile::exists(dir.filePath("book.text")));
    QCOMPARE(f.options.Text(Opt::LastEditSaveSrcDir), FromQt(dir.path()));
    QString error;
    QVERIFY(!commands.WriteSourceText(dir.filePath("missing/book"), 1, &error));
    QVERIFY(!error.isEmpty());
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::EditorTest)
#include "editor_test.moc"
