#include "core/convert/title.h"

#include <gtest/gtest.h>

#include "core/settings/options.h"

namespace norvella {
namespace {

TEST(FindTitle, ReadsAuthorMetaAndTitleInTheirOwnCase) {
  DocumentProperties doc;
  FindTitle("<HTML><META NAME=\"author\" CONTENT=\"Gogol N.\"><TITLE>The Nose</TITLE>x", doc, nullptr);
  EXPECT_EQ(doc.author, "Gogol N.");
  EXPECT_EQ(doc.title, "The Nose");
}

TEST(FindTitle, LooksOnlyAtTheFirst3000Characters) {
  DocumentProperties doc;
  FindTitle(std::string(2990, ' ') + "<title>Late</title>", doc, nullptr);
  EXPECT_EQ(doc.title, "");  // found, but its end lies beyond the sample
  DocumentProperties none;
  FindTitle(std::string(3000, ' ') + "<title>Later</title>", none, nullptr);
  EXPECT_EQ(none.title, "");
  // A short text loses its last character: "</title>" cut there is not found.
  DocumentProperties cut;
  FindTitle("<title>T</title>", cut, nullptr);
  EXPECT_EQ(cut.title, "");
}

TEST(SplitTitle, SurnameFullStopTitle) {
  Options o;
  DocumentProperties doc;
  doc.title = "Gogol. Nos";
  SplitTitle(doc, o);
  EXPECT_EQ(doc.author, "Gogol");
  EXPECT_EQ(doc.title, "Nos");

  DocumentProperties withAuthor;
  withAuthor.title = "A. B";
  withAuthor.author = "C";
  SplitTitle(withAuthor, o);
  EXPECT_EQ(withAuthor.title, "A. B");

  o.SetFlag(Opt::TrySplitTitle, false);
  DocumentProperties off;
  off.title = "A. B";
  SplitTitle(off, o);
  EXPECT_EQ(off.author, "");
}

TEST(ShortTitle, TransliteratesAndCutsAt35) {
  DocumentProperties doc;
  doc.author = "\xC3\xEE\xE3\xEE\xEB\xFC";  // Гоголь
  doc.title = "\xCD\xEE\xF1";                 // Нос
  EXPECT_EQ(MakeShortTitle(doc, true), "Gogol_ Nos");
  EXPECT_EQ(MakeShortTitle(doc, false), "Nos");
  doc.title = std::string(50, 'x');
  EXPECT_EQ(MakeShortTitle(doc, false).size(), 35u);
  // Capital and small tables differ in their last letters (Ю, Я).
  EXPECT_EQ(Transliterate("\xDE\xDF\xFE\xFF\xA8"), "UJvj\xA8");
}

class AnsweringQuestions : public ConversionQuestions {
 public:
  bool AskTitle(DocumentProperties& doc, bool& addAuthor) override {
    asked = true;
    doc.title = "Changed";
    addAuthor = false;
    return true;
  }
  bool asked = false;
};

TEST(DetectDocumentTitle, AsksWhenConfiguredAndTakesTheAnswers) {
  Options o;
  AnsweringQuestions q;
  DocumentProperties doc;
  DetectDocumentTitle("<title>A. B</title>  ", doc, o, q, nullptr);
  EXPECT_TRUE(q.asked);
  EXPECT_EQ(doc.title, "Changed");
  EXPECT_FALSE(o.Flag(Opt::AddAuthorToTitle));

  o.SetFlag(Opt::AskAboutTitle, false);
  AnsweringQuestions silent;
  DocumentProperties doc2;
  DetectDocumentTitle("<title>A. B</title>  ", doc2, o, silent, nullptr);
  EXPECT_FALSE(silent.asked);
  EXPECT_EQ(doc2.shortTitle, "B");
}

}  // namespace
}  // namespace norvella
