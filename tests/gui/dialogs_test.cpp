// The dialogs of loading and converting, answered the way a user would.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "core/i18n/strings.h"
#include "gui/convert/document_dialogs.h"
#include "gui/source/source_dialogs.h"
#include "gui/common/control_texts.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {

using test::ModalAnswerer;

class DialogsTest : public QObject {
  Q_OBJECT

  StringTable strings_;

  static bool HasLabel(QWidget* dialog, const QString& text) {
    for (QLabel* label : dialog->findChildren<QLabel*>())
      if (label->text() == text) return true;
    return false;
  }

 private slots:
  void TheLargeFileQuestionOffersProceedAndCancel() {
    TLarge large(strings_, nullptr);
    QCOMPARE(large.windowTitle(), QString("Large file!"));
    const QString message = MessageText(strings_, "LargeFile");
    QString cancelText;
    ModalAnswerer proceed([&](QWidget* dialog) {
      QVERIFY(HasLabel(dialog, "File is larger, than 2MB. Convertion may take a while.\nProceed?"));
      cancelText = dialog->findChild<QAbstractButton*>("cancel")->text();
      dialog->findChild<QCheckBox*>("neverAsk")->setChecked(true);
      ModalAnswerer::Click(dialog, "proceed");
    });
    TLarge::Answer answer = large.Ask(message, "Cancel");
    QVERIFY(answer.proceed);
    QVERIFY(answer.neverAsk);
    QCOMPARE(cancelText, QString("Cancel"));

    // Reused for the reading position: another message, "Skip", the box
    // unticked again.
    bool boxWasTicked = true;
    ModalAnswerer skip([&](QWidget* dialog) {
      boxWasTicked = dialog->findChild<QCheckBox*>("neverAsk")->isChecked();
      cancelText = dialog->findChild<QAbstractButton*>("cancel")->text();
      ModalAnswerer::Click(dialog, "cancel");
    });
    answer = large.Ask(MessageText(strings_, "LastOpenPage"), "Skip");
    QVERIFY(!answer.proceed);
    QVERIFY(!answer.neverAsk);
    QVERIFY(!boxWasTicked);
    QCOMPARE(cancelText, QString("Skip"));
  }

  void TheFormattedDocumentQuestionPreselectsAndReportsTheChoice() {
    TDetectWnd detect(strings_, nullptr);
    QCOMPARE(detect.windowTitle(), QString("Formating detected"));
    bool readingWasPreselected = false;
    ModalAnswerer editing([&](QWidget* dialog) {
      QVERIFY(HasLabel(dialog, "This document WAS ALREADY formated using Norvella program."));
      QVERIFY(HasLabel(dialog, "What should be done?"));
      readingWasPreselected = dialog->findChild<QRadioButton*>("reading")->isChecked();
      dialog->findChild<QRadioButton*>("editing")->setChecked(true);
      dialog->findChild<QCheckBox*>("neverAsk")->setChecked(true);
      ModalAnswerer::Click(dialog, "ok");
    });
    TDetectWnd::Answer answer = detect.Ask(MessageText(strings_, "AlreadyCleared"), true);
    QVERIFY(readingWasPreselected);
    QVERIFY(answer.confirmed);
    QVERIFY(!answer.openForReading);
    QVERIFY(answer.neverAsk);

    bool editingWasPreselected = false;
    ModalAnswerer cancel([&](QWidget* dialog) {
      editingWasPreselected = dialog->findChild<QRadioButton*>("editing")->isChecked();
      ModalAnswerer::Click(dialog, "cancel");
    });
    answer = detect.Ask(MessageText(strings_, "DocNotYet"), false);
    QVERIFY(editingWasPreselected);
    QVERIFY(!answer.confirmed);
    QVERIFY(!answer.neverAsk);
  }

  void TheEncodingQuestionIsAYesOrNoOnTop_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("expected");
    QTest::newRow("MS-DOS, yes") << "DosCoded" << "yes" << true;
    QTest::newRow("KOI8, no") << "COICoded" << "no" << false;
  }
  void TheEncodingQuestionIsAYesOrNoOnTop() {
    QFETCH(QString, key);
    QFETCH(QString, button);
    QFETCH(bool, expected);
    bool onTop = false;
    QString message;
    ModalAnswerer answerer([&](QWidget* dialog) {
      onTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
      message = dialog->findChild<QLabel*>()->text();
      ModalAnswerer::Click(dialog, button.toLatin1().constData());
    });
    QCOMPARE(AskWrongEncoding(nullptr, strings_, key.toStdString()), expected);
    QCOMPARE(answerer.seen, QStringList{"Wrong encoding detected"});
    QVERIFY(onTop);
    QCOMPARE(message, MessageText(strings_, key.toStdString()));
  }

  void TheDocumentPropertiesComeBackFromTheFields() {
    TTetleWnd dialog(strings_, nullptr);
    QCOMPARE(dialog.windowTitle(), QString("Document properties"));
    DocumentProperties doc;
    doc.title = "\xd8\xe8\xed\xe5\xeb\xfc";  // Шинель
    doc.author = "Gogol";
    doc.shortTitle = "Gogol Shinel";
    bool addAuthor = true;
    QString shownTitle;
    bool boxShown = false;
    ModalAnswerer answerer([&](QWidget* d) {
      shownTitle = d->findChild<QLineEdit*>("Title")->text();
      boxShown = d->findChild<QCheckBox*>("addAuthor")->isChecked();
      d->findChild<QLineEdit*>("Autor")->setText(QString::fromUtf8("Н. В. Гоголь →"));
      d->findChild<QCheckBox*>("addAuthor")->setChecked(false);
      ModalAnswerer::Click(d, "done");
    });
    dialog.Ask(doc, addAuthor);
    QCOMPARE(shownTitle, QString::fromUtf8("Шинель"));
    QVERIFY(boxShown);
    QCOMPARE(doc.title, std::string("\xd8\xe8\xed\xe5\xeb\xfc"));
    // A character Windows-1251 lacks survives as a character reference.
    QCOMPARE(doc.author, std::string("\xcd. \xc2. \xc3\xee\xe3\xee\xeb\xfc &#8594;"));
    QCOMPARE(doc.shortTitle, std::string("Gogol Shinel"));
    QVERIFY(!addAuthor);

    // Closing the window instead of "Done" keeps the edits too.
    ModalAnswerer closer([&](QWidget* d) {
      d->findChild<QLineEdit*>("ShortTitle")->setText("Shinel");
      d->close();
    });
    dialog.Ask(doc, addAuthor);
    QCOMPARE(doc.shortTitle, std::string("Shinel"));
  }

  void TheContentsCheckerTakesBackTheTicks() {
    DialogQuestions questions(strings_, nullptr);
    QCOMPARE(questions.contentChecker().windowTitle(), QString("Table of content confirmation"));
    std::vector<ContentsEntry> entries = {{"Part one", 1, true}, {"Part two", 2, true}, {"III >>>", 1, false}};
    QStringList listed;
    ModalAnswerer answerer([&](QWidget* d) {
      auto* list = d->findChild<QListWidget*>("Content");
      for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
      ModalAnswerer::Click(d, "uncheckAll");
      list->item(1)->setCheckState(Qt::Checked);
      ModalAnswerer::Click(d, "done");
    });
    questions.ConfirmContents(entries);
    QCOMPARE(listed, (QStringList{"Part one", "Part two", "III >>>"}));
    QVERIFY(!entries[0].ticked);
    QVERIFY(entries[1].ticked);
    QVERIFY(!entries[2].ticked);

    ModalAnswerer checkAll([&](QWidget* d) {
      ModalAnswerer::Click(d, "checkAll");
      d->close();  // like "Done"
    });
    questions.ConfirmContents(entries);
    QVERIFY(entries[0].ticked && entries[1].ticked && entries[2].ticked);

    // Nothing to confirm: no dialog.
    std::vector<ContentsEntry> none;
    ModalAnswerer watcher([](QWidget* d) { d->close(); });
    questions.ConfirmContents(none);
    QTest::qWait(30);
    QVERIFY(watcher.seen.isEmpty());
  }

  void MessageLineBreaksShowAsLineBreaks() {
    QCOMPARE(DisplayText("a\n\rb\r\nc\rd"), QString("a\nb\nc\nd"));
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::DialogsTest)
#include "dialogs_test.moc"
