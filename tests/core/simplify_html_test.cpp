#include "core/convert/simplify_html.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/base/text.h"
#include "core/convert/driver.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::TestContext;

std::vector<Line> Split(std::vector<std::string> source) {
  TestContext t;
  return SimplifyHtml(std::move(source), t.ctx).lines();
}

TEST(SimplifyHtml, InlineTagsInCapitalsSplitAroundTheWords) {
  EXPECT_EQ(Split({"one <I>two</I> three"}),
            (std::vector<Line>{{"one ", 0}, {"<i>", 1}, {"two", 0}, {"</I> three", 0}}));
}

TEST(SimplifyHtml, TagSpreadOverTwoLinesIsGluedWithoutSpace) {
  EXPECT_EQ(Split({"<img", "src=\"a.png\">"}), (std::vector<Line>{{"<imgsrc=\"a.png\">", 1}}));
}

TEST(SimplifyHtml, TrailingSpacesAfterATagGiveAnEmptyTextItem) {
  EXPECT_EQ(Split({"<p>   "}), (std::vector<Line>{{"<p>", 1}, {"", 0}}));
  EXPECT_EQ(Split({"<p>"}), (std::vector<Line>{{"<p>", 1}}));
}

TEST(SimplifyHtml, TagsAreNormalised) {
  EXPECT_EQ(Split({"<P   CLASS=X  <B>"}), (std::vector<Line>{{"<p class=x<b>", 1}}));
  EXPECT_EQ(Split({"<DIV Title=\"\xC0\xC1\">"}), (std::vector<Line>{{"<div title=\"\xE0\xE1\">", 1}}));
}

TEST(SimplifyHtml, TabsAndNonBreakingSpacesBecomeSpaces) {
  EXPECT_EQ(Split({"<!--\tx-->text"}), (std::vector<Line>{{"<!--  x-->", 101}, {"text", 0}}));
  EXPECT_EQ(Split({"a\xA0" "b"}), (std::vector<Line>{{"a b", 0}}));
}

TEST(SimplifyHtml, CommentOverTwoLinesJoinsThemWithALineFeed) {
  EXPECT_EQ(Split({"<!-- one", "two --> rest", "next"}),
            (std::vector<Line>{{"<!-- one\ntwo -->", 101}, {" restnext", 0}}));
  EXPECT_EQ(Split({"<!-- one", "middle", "two -->", "<b>"}),
            (std::vector<Line>{{"<!-- one\nmiddle\ntwo -->", 101}, {"<b>", 1}}));
}

TEST(SimplifyHtml, CommentAfterTextIsSplitOff) {
  EXPECT_EQ(Split({"text <!-- c --> more"}),
            (std::vector<Line>{{"text ", 0}, {"<!-- c -->", 101}, {" more", 0}}));
}

TEST(SimplifyHtml, TextAfterACommentClosedOnTheLastLineIsKept) {
  EXPECT_EQ(Split({"<!-- a", "b --> tail"}),
            (std::vector<Line>{{"<!-- a\nb -->", 101}, {" tail", 0}}));
}

// A comment the source never closes used to stay open in the document and
// hide everything after it there: the credit footer and the document end.
TEST(SimplifyHtml, AnUnclosedCommentIsClosedWhereItStops) {
  EXPECT_EQ(Split({"text <!-- note"}), (std::vector<Line>{{"text ", 0}, {"<!-- note-->", 101}}));
  EXPECT_EQ(Split({"<!-- one", "two", "three"}), (std::vector<Line>{{"<!-- one\ntwo\nth-->", 101}, {"ree", 0}}));
  TestContext t;
  const std::vector<std::string> out = RunConversion({"Text.", "<!-- <b>note", "more."}, t.ctx).texts();
  EXPECT_NE(std::find(out.begin(), out.end(), "<!-- <b>note\nmo-->"), out.end());
  EXPECT_EQ(out.back(), t.templates.end);
}

TEST(SimplifyHtml, UnclosedTagAtTheEndIsDropped) {
  EXPECT_EQ(Split({"word <"}), (std::vector<Line>{{"word ", 0}}));
  EXPECT_EQ(Split({"<b", "<i"}), (std::vector<Line>{}));
}

TEST(SimplifyHtml, BlankLinesGiveEmptyTextItems) {
  EXPECT_EQ(Split({"a", "", "   ", "b"}),
            (std::vector<Line>{{"a", 0}, {"", 0}, {"", 0}, {"b", 0}}));
}

TEST(SimplifyHtml, InlineClosingTagKeepsTheTextUpToTheNextTag) {
  EXPECT_EQ(Split({"</b>bold end<br>x"}),
            (std::vector<Line>{{"</b>bold end", 0}, {"<br>", 1}, {"x", 0}}));
  EXPECT_EQ(Split({"</sup>"}), (std::vector<Line>{{"</sup>", 0}}));
}

TEST(SimplifyHtml, ReportsTaskAndProgressOncePerChange) {
  TestContext t;
  std::vector<std::string> source(400, "line");
  SimplifyHtml(source, t.ctx);
  ASSERT_FALSE(t.observer.tasks.empty());
  EXPECT_EQ(t.observer.tasks.front(), "CurrentTask: Simplyfy HTML");
  // One report per whole percentage: 0 .. 100 (399 / 400 rounds up).
  EXPECT_EQ(t.observer.percents.size(), 101u);
  EXPECT_EQ(t.observer.percents.back(), 100);
}

// A direct transcription of the split's rules, with a plain pending string
// that is searched from its start in every round and a source list that
// takes inserted lines; the stage must give the same items.
std::vector<Line> ReferenceSplit(std::vector<std::string> src) {
  std::vector<Line> out;
  std::string pending;
  std::size_t i = 0;
  std::size_t reached = std::string::npos;
  auto addText = [&](const std::string& s) { out.push_back({IsBlank(s) ? "" : s, 0}); };
  auto clean = [&](std::string& s) {
    std::string r;
    for (char c : s) {
      if (c == '\t') r += "  ";
      else if (c == '\xA0') r += ' ';
      else r += c;
    }
    s = r;
  };
  static const char* kInline[] = {"</sub>", "</sup>", "</i>", "</em>", "</strong>", "</font>", "</b>"};
  bool final = false;
  bool deferred = false;
  std::size_t splitOff = std::string::npos;  // index of a split-off comment line
  for (;;) {
    if (i < src.size()) {
      if (reached != i) {
        pending += src[i];
        clean(pending);
        reached = i;
      }
    } else if (!pending.empty()) {
      if (!final) clean(pending);
      final = true;
    } else {
      break;
    }
    auto next = [&] {
      if (deferred) {
        deferred = false;
        reached = std::string::npos;
      } else if (i < src.size()) {
        ++i;
      }
      if (splitOff != std::string::npos && i >= splitOff) splitOff = std::string::npos;
    };
    const auto c = pending.find("<!--");
    if (c != std::string::npos) {
      if (c == 0) {
        const auto e = pending.find("-->");
        if (e != std::string::npos) {
          out.push_back({pending.substr(0, e + 3), 101});
          pending = pending.substr(e + 3);
          if (pending.empty()) next();
        } else if (i + 1 >= src.size()) {
          out.push_back({pending + "-->", 101});  // closed where the source ends
          pending.clear();
          i = src.size();
        } else {
          std::size_t j = i + 1;
          while (j < src.size() - 1 && src[j].find("-->") == std::string::npos) {
            pending += "\n" + src[j];
            ++j;
          }
          const auto at = src[j].find("-->");
          const std::size_t end = at == std::string::npos ? std::min<std::size_t>(2, src[j].size()) : at + 3;
          pending += "\n" + src[j].substr(0, end);
          if (at == std::string::npos) pending += "-->";
          out.push_back({pending, 101});
          pending = src[j].substr(end);
          i = j + 1;
        }
      } else if (i < src.size()) {
        src.insert(src.begin() + static_cast<std::ptrdiff_t>(i + 1), pending.substr(c));
        splitOff = i + 1;
        pending = pending.substr(0, c);
      } else {
        // After the last line: the comment becomes a new last line, reached
        // when the text before it asks for the next line.
        src.push_back(pending.substr(c));
        reached = i;
        deferred = true;
        pending = pending.substr(0, c);
      }
      continue;
    }
    const auto lt = pending.find('<');
    if (lt == std::string::npos) {
      addText(pending);
      pending.clear();
      next();
      continue;
    }
    if (lt > 0) {
      addText(pending.substr(0, lt));
      pending = pending.substr(lt);
      continue;
    }
    const auto gt = pending.find('>');
    if (gt == std::string::npos) {
      // Dropped at the end, and before a split-off comment (glued to it, it
      // would be split off again for ever).
      if (final || deferred || splitOff == i + 1) pending.clear();
      next();
      continue;
    }
    const std::string lower = LowerCase(pending);
    bool isInline = false;
    for (const char* t : kInline) {
      const auto at = lower.find(t);
      if (at != std::string::npos && at + std::string(t).size() == gt + 1) isInline = true;
    }
    if (isInline) {
      const auto n = pending.find('<', 1);
      if (n == std::string::npos) {
        addText(pending);
        pending.clear();
        next();
      } else {
        addText(pending.substr(0, n));
        pending = pending.substr(n);
      }
      continue;
    }
    out.push_back({NormaliseTag(pending.substr(0, gt + 1)), 1});
    pending = pending.substr(gt + 1);
    if (pending.empty()) {
      next();
      continue;
    }
    pending.erase(0, pending.find_first_not_of(' ') == std::string::npos ? pending.size()
                                                                           : pending.find_first_not_of(' '));
    if (pending.empty()) {
      out.push_back({"", 0});
      next();
    }
  }
  return out;
}

TEST(SimplifyHtml, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(2024);
  static const char* kPieces[] = {"<", ">", "<!--", "-->", "</i>", "</B>", "<p>", " ", "  ",
                                  "\t", "\xA0", "a", "word", "<img", "src=x>", "-", "!"};
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> source(1 + rng() % 6);
    for (auto& line : source) {
      const int pieces = static_cast<int>(rng() % 7);
      for (int k = 0; k < pieces; ++k) line += kPieces[rng() % std::size(kPieces)];
    }
    ASSERT_EQ(Split(source), ReferenceSplit(source)) << "source: " << JoinLines(source);
  }
}

TEST(NormaliseTag, MatchesRepeatedDeletion) {
  // The rule as written: delete a space before "<" and one of two spaces in
  // a row until none is left, then lower-case.
  auto reference = [](std::string s) {
    for (auto at = s.find(" <"); at != std::string::npos; at = s.find(" <")) s.erase(at, 1);
    for (auto at = s.find("  "); at != std::string::npos; at = s.find("  ")) s.erase(at, 1);
    return LowerCase(s);
  };
  std::mt19937 rng(7);
  static const char kChars[] = {' ', ' ', '<', 'A', 'b', '=', '"'};
  for (int round = 0; round < 20000; ++round) {
    std::string tag = "<";
    const int len = static_cast<int>(rng() % 12);
    for (int k = 0; k < len; ++k) tag += kChars[rng() % sizeof kChars];
    tag += '>';
    ASSERT_EQ(NormaliseTag(tag), reference(tag)) << tag;
  }
}

}  // namespace
}  // namespace norvella
