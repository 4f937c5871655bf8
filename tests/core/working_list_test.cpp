#include "core/convert/working_list.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace norvella {
namespace {

TEST(WorkingList, InsertEraseAndIndexKeepOrder) {
  WorkingList list;
  list.push_back("b", 0);
  list.insert(0, "a", 1);
  list.push_back("d", 100);
  list.insert(2, "c", 101);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list.texts(), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(list.tag(0), 1);
  EXPECT_EQ(list.tag(2), 101);
  list.erase(1, 2);
  EXPECT_EQ(list.texts(), (std::vector<std::string>{"a", "d"}));
  list.erase(0, 0);
  EXPECT_EQ(list.size(), 2u);
  list.clear();
  EXPECT_TRUE(list.empty());
}

// Random edits checked against a plain vector doing the same.
TEST(WorkingList, MatchesAVectorUnderRandomEdits) {
  std::mt19937 rng(12345);
  WorkingList list;
  std::vector<std::string> model;
  for (int step = 0; step < 20000; ++step) {
    const auto op = rng() % 4;
    if (op < 2 || model.empty()) {
      const std::size_t at = rng() % (model.size() + 1);
      const std::string text = std::to_string(step);
      list.insert(at, text, 0);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), text);
    } else if (op == 2) {
      const std::size_t at = rng() % model.size();
      const std::size_t count = std::min<std::size_t>(rng() % 3, model.size() - at);
      list.erase(at, count);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at),
                  model.begin() + static_cast<std::ptrdiff_t>(at + count));
    } else {
      const std::size_t at = rng() % model.size();
      list.text(at) += "x";
      model[at] += "x";
    }
    ASSERT_EQ(list.size(), model.size());
  }
  EXPECT_EQ(list.texts(), model);
}

}  // namespace
}  // namespace norvella
