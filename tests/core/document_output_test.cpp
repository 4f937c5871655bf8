#include "core/convert/document_output.h"

#include <gtest/gtest.h>

#include "core/i18n/templates.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::ListOf;
using test::TestContext;

TEST(DocumentFrame, ReplacesOldHeadAndEndWithTheTemplates) {
  TestContext t;
  t.document.author = "Gogol";
  t.document.shortTitle = "Nos";
  auto list = ListOf({{"<html>", 1}, {"<head>", 1}, {"<body bgcolor=white>", 1}, {"text", 0},
                      {"more", 0}, {"end", 0}, {"</body>", 1}, {"</html>", 1}});
  AddDocumentFrame(list, t.ctx);
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(list.text(0), FormatTemplate(t.templates.header, {"Gogol"}));
  EXPECT_NE(list.text(0).find("<meta name=\"Generator\" content=\"Norvella\">"), std::string::npos);
  EXPECT_EQ(list.text(1), "<title>Nos</title></head><body>");
  EXPECT_EQ(list.text(2), "text");
  EXPECT_EQ(list.text(5), "</body></html>");
  for (std::size_t i : {0u, 1u, 5u}) EXPECT_EQ(list.tag(i), kTagFinished);
  EXPECT_EQ(t.observer.tasks, (std::vector<std::string>{"CurrentTask: Adding new header",
                                                         "CurrentTask: Adding correct end"}));
}

TEST(DocumentFrame, BodyInTheLastTwoLinesIsNotLookedFor) {
  TestContext t;
  auto list = ListOf({{"a", 0}, {"b", 0}, {"<body>", 1}, {"c", 0}});
  AddDocumentFrame(list, t.ctx);
  EXPECT_EQ(list.text(2), "a");
  EXPECT_EQ(list.text(4), "<body>");
}

TEST(DocumentFrame, EndIsCutFromTheLastBodyCloseAfterTheFourthLine) {
  TestContext t;
  auto list = ListOf({{"</body>", 1}, {"a", 0}, {"b", 0}, {"</body>", 1}, {"junk", 0}});
  AddDocumentFrame(list, t.ctx);
  // After the two frame lines the second "</body>" is the sixth line.
  EXPECT_EQ(list.texts(), (std::vector<std::string>{list.text(0), list.text(1), "</body>", "a",
                                                    "b", "</body></html>"}));
}

TEST(DocumentFrame, CoverPictureUsesTheImageTitle) {
  TestContext t;
  t.document.shortTitle = "T";
  t.document.coverImage = "cover.png";
  auto list = ListOf({{"x", 0}});
  AddDocumentFrame(list, t.ctx);
  EXPECT_EQ(list.text(1), "<title>T</title></head><body><img src=\"cover.png\" border=\"0\"><hr size=\"0\">");
}

TEST(ClosingComment, GoesBeforeTheLastLineOnlyWhenSet) {
  TestContext t;
  auto list = ListOf({{"h", 100}, {"x", 0}, {"</body></html>", 100}});
  AddClosingComment(list, t.ctx);
  EXPECT_EQ(list.size(), 3u);
  t.document.comment = "The end";
  AddClosingComment(list, t.ctx);
  EXPECT_EQ(list.text(2), "<hr size=\"0\"><div align=\"center\">The end</div>");
  EXPECT_EQ(list.tag(2), kTagFinished);
  EXPECT_EQ(list.text(3), "</body></html>");
}

TEST(ComposeDocument, FooterBeforeTheLastBodyClose) {
  TestContext t;
  const std::string doc = ComposeDocument({"<body>", "</body>", "x</body></html>"}, t.options, t.templates);
  const auto footer = doc.find(CreditFooter());
  ASSERT_NE(footer, std::string::npos);
  EXPECT_EQ(doc.substr(footer + CreditFooter().size()), "</body></html>\r\n");
  EXPECT_EQ(doc.find("Hyphenated"), std::string::npos);
}

TEST(ComposeDocument, WithoutBodyCloseTheFooterLeads) {
  TestContext t;
  EXPECT_EQ(ComposeDocument({"plain"}, t.options, t.templates), CreditFooter() + "plain\r\n");
}

TEST(ComposeDocument, HyphenationNoticeFollowsTheFooter) {
  TestContext t;
  t.options.SetFlag(Opt::Hyphenate, true);
  const std::string doc = ComposeDocument({"</body></html>"}, t.options, t.templates);
  EXPECT_NE(doc.find(CreditFooter() +
                     "<br><br><br><div align=\"center\">Hyphenated for <i>&quot;ThielVerdana 1.2 "
                     "small&quot;</i> in vertical (I-like) orientation</div></body>"),
            std::string::npos);
  t.options.SetFlag(Opt::ILikeOrientation, false);
  EXPECT_NE(ComposeDocument({"</body>"}, t.options, t.templates).find("horisontal (--like)"),
            std::string::npos);
}

}  // namespace
}  // namespace norvella
