#pragma once

// Reads option choices from the first bytes of a fuzz input, so that option
// combinations are fuzzed along with the text.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace norvella::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : data_(reinterpret_cast<const char*>(data), size) {}

  // The next byte of the prefix (0 once the input is used up).
  std::uint8_t Byte() {
    if (data_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(data_.front());
    data_.remove_prefix(1);
    return b;
  }
  bool Bit() {
    if (bitsLeft_ == 0) {
      bits_ = Byte();
      bitsLeft_ = 8;
    }
    const bool bit = (bits_ & 1) != 0;
    bits_ = static_cast<std::uint8_t>(bits_ >> 1);
    --bitsLeft_;
    return bit;
  }
  // The rest of the input.
  std::string_view Rest() const { return data_; }

 private:
  std::string_view data_;
  std::uint8_t bits_ = 0;
  int bitsLeft_ = 0;
};

}  // namespace norvella::fuzz
