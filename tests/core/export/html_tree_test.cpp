#include "core/export/html_tree.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/cp1251.h"

namespace norvella {
namespace {

using Node = HtmlTree::Node;

// The tree written out compactly: elements as <name attr=value>...</name>,
// text in brackets, so that a test reads the whole shape at once.
void Write(const HtmlTree& tree, const Node* node, std::string& out) {
  for (; node; node = tree.Next(node)) {
    if (tree.IsText(node)) {
      out += "[" + std::string(tree.Text(node)) + "]";
      continue;
    }
    out += "<" + std::string(tree.Name(node));
    for (const char* attr : {"id", "href", "name", "class"})
      if (!tree.Attr(node, attr).empty()) out += " " + std::string(attr) + "=" + std::string(tree.Attr(node, attr));
    out += ">";
    Write(tree, tree.FirstChild(node), out);
    out += "</" + std::string(tree.Name(node)) + ">";
  }
}

std::string Shape(const std::string& html) {
  const HtmlTree tree = HtmlTree::Parse(html);
  std::string out;
  Write(tree, tree.Root(), out);
  return out;
}

// The body of the shape, without the html and body elements around it.
std::string Body(const std::string& html) {
  const std::string shape = Shape(html);
  const std::string open = "<html><body>", close = "</body></html>";
  if (shape.rfind(open, 0) != 0 || shape.size() < open.size() + close.size()) return shape;
  return shape.substr(open.size(), shape.size() - open.size() - close.size());
}

TEST(HtmlTree, TagSoupIsRepairedTheWayTheParserRepairsIt) {
  // Unclosed inline tags end with their block; a stray end tag is dropped;
  // text outside any element goes into the body.
  EXPECT_EQ(Body("<p>a <i>b</p><p>c</p>"), "<p>[a ]<i>[b]</i></p><p>[c]</p>");
  EXPECT_EQ(Body("<p>x</b>y</p>"), "<p>[xy]</p>");
  EXPECT_EQ(Shape("just text"), "<html><body><p>[just text]</p></body></html>");
  EXPECT_EQ(Body("<P ID=One><A HREF=\"#n\">t</A></P>"), "<p id=One><a href=#n>[t]</a></p>");
}

TEST(HtmlTree, TextIsOneNodeAcrossReferencesAndCommentsGo) {
  // "&nbsp;" and "&#1072;" are resolved inside one text node; a comment
  // leaves nothing, so the text on both sides of it reads on as one.
  EXPECT_EQ(Body("<p>a&nbsp;b&#1072;&amp;c</p>"), "<p>[a\xC2\xA0" "b\xD0\xB0&c]</p>");
  EXPECT_EQ(Body("<p>one<!-- note -->two</p>"), "<p>[onetwo]</p>");
  EXPECT_EQ(Body("<p>a<script>if (1 < 2) x();</script>b</p>"), "<p>[a]<script>[if (1 < 2) x();]</script>[b]</p>");
}

TEST(HtmlTree, TheTextIsUtf8WhateverTheDocumentDeclares) {
  // A converted document still names the code page it was made in; the
  // text handed over is UTF-8 by then and must be read as such.
  const std::string html =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"></head>"
      "<body><p>\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0</p></body></html>";
  const HtmlTree tree = HtmlTree::Parse(html);
  std::string out;
  Write(tree, tree.Root(), out);
  EXPECT_NE(out.find("<p>[\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0]</p>"), std::string::npos) << out;
}

TEST(HtmlTree, NothingToReadGivesAnEmptyTreeAndBadBytesNoCrash) {
  EXPECT_EQ(HtmlTree::Parse("").Root(), nullptr);
  // Bytes that are no UTF-8 become U+FFFD, also where the parser would
  // have taken them for the start of a reference; NULs and a half tag at
  // the end are read as well as they can be. Every text is UTF-8.
  const std::string bad("<p>\xFF\xFE\x00\xC0 x &\xDD\xC9" "3849;</p><di", 26);
  const HtmlTree tree = HtmlTree::Parse(bad);
  ASSERT_NE(tree.Root(), nullptr);
  std::string out;
  Write(tree, tree.Root(), out);
  EXPECT_TRUE(IsValidUtf8(out)) << out;
  EXPECT_NE(out.find("\xEF\xBF\xBD\xEF\xBF\xBD"), std::string::npos) << out;
  EXPECT_NE(out.find(" x &\xEF\xBF\xBD\xEF\xBF\xBD" "3849;"), std::string::npos) << out;
}

TEST(HtmlTree, DeepNestingAndManyNodesStayIntact) {
  std::string html = "<body>";
  for (int i = 0; i < 200; ++i) html += "<div>";
  html += "deep";
  for (int i = 0; i < 200; ++i) html += "</div>";
  for (int i = 0; i < 5000; ++i) html += "<p>" + std::to_string(i) + "</p>";
  const HtmlTree tree = HtmlTree::Parse(html + "</body>");
  const Node* body = tree.FirstChild(tree.Root());
  ASSERT_TRUE(tree.Is(body, "body"));
  int depth = 0;
  const Node* node = tree.FirstChild(body);
  while (tree.Is(node, "div")) {
    ++depth;
    node = tree.FirstChild(node);
  }
  EXPECT_EQ(depth, 200);
  EXPECT_EQ(tree.Text(node), "deep");
  int paragraphs = 0;
  std::string last;
  for (const Node* p = tree.Next(tree.FirstChild(body)); p; p = tree.Next(p)) {
    ++paragraphs;
    last = std::string(tree.Text(tree.FirstChild(p)));
  }
  EXPECT_EQ(paragraphs, 5000);
  EXPECT_EQ(last, "4999");
}

}  // namespace
}  // namespace norvella
