// The pathological shapes of bench/hostile, each one megabyte, through the
// whole load and conversion. The time bound is generous on purpose: a
// linear pass takes a fraction of a second even under the sanitizers, so
// only a quadratic regression comes near it. The benchmark still measures.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/book/book.h"
#include "core/source/source_loader.h"

namespace norvella {
namespace {

constexpr std::size_t kSize = 1024 * 1024;
constexpr auto kBound = std::chrono::seconds(40);

std::string Fill(std::string_view unit, std::size_t size = kSize) {
  std::string out;
  out.reserve(size + unit.size());
  while (out.size() < size) out += unit;
  out.resize(size);
  return out;
}

// Loads and converts the bytes as the command line does; returns the
// document's size.
std::size_t Convert(std::string bytes, bool hyphenate) {
  BookSetup setup;
  setup.options.SetFlag(Opt::AskAboutTitle, false);
  setup.options.SetFlag(Opt::Hyphenate, hyphenate);
  NullObserver observer;
  StatusReporter status(observer, setup.strings);
  SourceQuestions questions;
  DocumentProperties doc;
  SourceState state;
  SourceLoadContext load{setup.options, setup.strings, doc, state, questions, &status};
  const LoadResult loaded = LoadSourceBytes(std::move(bytes), "hostile.txt", SourceEncoding::kAutodetect, load);
  EXPECT_EQ(loaded.outcome, LoadOutcome::kLoaded);
  return ConvertBook(loaded.text, setup, doc, status, questions).document.size();
}

TEST(HostileInput, EveryShapeConvertsWellWithinTheBound) {
  const struct {
    const char* name;
    std::string bytes;
    bool hyphenate;
  } shapes[] = {
      {"one-line", Fill("word and more words, "), false},
      {"lt-lines", Fill("<\r\n"), false},
      {"unclosed-comment", "<!--" + Fill("\r\nline of text"), false},
      {"spaces", Fill(" "), false},
      {"open-brackets", Fill("["), false},
      {"underscores", Fill("_"), false},
      {"nested-form-script", Fill("<form><script>"), false},
      {"one-word", Fill("\xe0\xe1\xe2\xe3\xe4\xe5"), true},
  };
  for (const auto& shape : shapes) {
    const auto start = std::chrono::steady_clock::now();
    const std::size_t size = Convert(shape.bytes, shape.hyphenate);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GT(size, 0u) << shape.name;
    EXPECT_LT(took, kBound) << shape.name << " took "
                            << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
                            << " ms";
  }
}

}  // namespace
}  // namespace norvella
