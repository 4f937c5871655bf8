#pragma once

// Random strings for the equivalence tests: up to maxPieces pieces, each
// drawn from the given list, so a test chooses the characters and
// fragments its rule reacts to.

#include <random>
#include <string>
#include <vector>

namespace norvella::test {

inline std::string RandomText(std::mt19937& rng, const std::vector<std::string>& pieces, int maxPieces) {
  std::string s;
  const int count = static_cast<int>(rng() % static_cast<unsigned>(maxPieces + 1));
  for (int k = 0; k < count; ++k) s += pieces[rng() % pieces.size()];
  return s;
}

}  // namespace norvella::test
