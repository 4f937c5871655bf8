#include "core/convert/cleanup_stages.h"

#include <gtest/gtest.h>

#include "core/convert/document_output.h"
#include "core/convert/driver.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::ListOf;
using test::TestContext;

std::vector<std::string> Texts(const WorkingList& l) { return l.texts(); }

TEST(RemoveFormsAndScripts, DropsBlocksWithEverythingInside) {
  TestContext t;
  auto list = ListOf({{"a", 0}, {"<form action=x>", 1}, {"in", 0}, {"<script>", 1}, {"js", 0},
                      {"</script>", 1}, {"still in", 0}, {"</form>", 1}, {"b", 0}});
  RemoveFormsAndScripts(list, t.ctx);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(t.observer.tasks.front(), "CurrentTask: Removing forms and scripts");
}

TEST(RemoveFormsAndScripts, StrayClosingTagLeavesTheDepthBelowZero) {
  TestContext t;
  auto list = ListOf({{"</script>", 1}, {"a", 0}, {"<form>", 1}, {"kept", 0}, {"</form>", 1},
                      {"b", 0}});
  RemoveFormsAndScripts(list, t.ctx);
  // The stray closing tag goes and leaves the depth at -1, so the form
  // that follows never rises above 0: only its closing tag is removed.
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"a", "<form>", "kept", "b"}));
}

// An unclosed <script> or <form> (broken or saved web pages) used to take
// every line after it, the document end included; the saved document then
// had no end and its credit footer landed in front of the head.
TEST(RemoveFormsAndScripts, AnUnclosedScriptOrFormKeepsTheDocumentEnd) {
  TestContext t;
  auto list = ListOf({{"<html><head>", 100}, {"<title>with <script> in it</title><body>", 100},
                      {"a", 0}, {"<form action=x>", 1}, {"in", 0}, {"</body></html>", 100}});
  RemoveFormsAndScripts(list, t.ctx);
  // The frame lines neither go nor count: the form is still open at the end.
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"<html><head>", "<title>with <script> in it</title><body>",
                                                   "a", "</body></html>"}));

  const HtmlTemplates templates;
  for (const std::vector<std::string>& source :
       {std::vector<std::string>{"<script>"}, {"Text", "<form action=x>", "more"},
        {"<SCRIPT language=js>", "x = 1;"}, {"<script>", "</form>", "<form>", "</script>", "tail"}}) {
    TestContext run;
    const WorkingList result = RunConversion(source, run.ctx);
    ASSERT_GE(result.size(), 3u);
    EXPECT_EQ(result[result.size() - 1], (Line{templates.end, 100})) << source.front();
    const std::string document = ComposeDocument(result.texts(), run.options, templates);
    const std::size_t end = document.find("</body>");
    EXPECT_EQ(document.rfind("</body>"), end) << source.front();
    EXPECT_GT(document.find(CreditFooter()), document.find("<body>")) << source.front();
    EXPECT_LT(document.find(CreditFooter()), end) << source.front();
  }
}

TEST(RemoveFormsAndScripts, OffKeepsEverythingButStillReports) {
  TestContext t;
  t.options.SetFlag(Opt::KillFormsScripts, false);
  auto list = ListOf({{"<script>", 1}, {"x", 0}, {"</script>", 1}});
  RemoveFormsAndScripts(list, t.ctx);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(t.observer.tasks.size(), 1u);
}

TEST(RemoveImages, OnlyBelowFinished) {
  TestContext t;
  auto list = ListOf({{"<img src=a>", 1}, {"text", 0}, {"<img src=b>", 100}});
  RemoveImages(list, t.ctx);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"text", "<img src=b>"}));
}

TEST(RemoveLinks, RemovesLinkTagsButKeepsTheirText) {
  TestContext t;
  auto list = ListOf({{"<a href=x>", 1}, {"link text", 0}, {"</a>", 1}, {"<abbr>", 1},
                      {"<a name=top>", 100}, {"<p>", 1}});
  RemoveLinks(list, t.ctx);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"link text", "<p>"}));
}

TEST(RemovePre, ExactTagsAndServerDates) {
  TestContext t;
  auto list = ListOf({{"<pre>", 1}, {"<pre width=80>", 1}, {"</pre>", 1},
                      {"Last-modified: Mon, 01 Jan 2001 GMT", 0},
                      {"Last-modified: GMT soon", 0}, {"x", 0}});
  RemovePre(list, t.ctx);
  EXPECT_EQ(Texts(list),
            (std::vector<std::string>{"<pre width=80>", "Last-modified: GMT soon", "x"}));
  EXPECT_EQ(t.observer.tasks.front(), "CurrentTask: Removing <pre> tags");
}

TEST(RemovePre, OffSetsNoStatus) {
  TestContext t;
  t.options.SetFlag(Opt::KillPreTags, false);
  auto list = ListOf({{"<pre>", 1}});
  RemovePre(list, t.ctx);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_TRUE(t.observer.tasks.empty());
}

}  // namespace
}  // namespace norvella
