#include "core/convert/cleanup_stages.h"

#include <gtest/gtest.h>

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
