#include "core/convert/working_list.h"

#include <algorithm>
#include <utility>

namespace norvella {

WorkingList::WorkingList(std::vector<Line> lines)
    : items_(std::move(lines)), gapBegin_(items_.size()), gapEnd_(items_.size()) {}

void WorkingList::moveGapTo(std::size_t i) {
  if (gapSize() == 0) {
    // An empty gap can stand anywhere; moving lines onto themselves would
    // self-move-assign them.
    gapBegin_ = gapEnd_ = i;
  } else if (i < gapBegin_) {
    // Lines [i, gapBegin_) move to the far side of the gap.
    std::move_backward(items_.begin() + static_cast<std::ptrdiff_t>(i),
                       items_.begin() + static_cast<std::ptrdiff_t>(gapBegin_),
                       items_.begin() + static_cast<std::ptrdiff_t>(gapEnd_));
    gapEnd_ -= gapBegin_ - i;
    gapBegin_ = i;
  } else if (i > gapBegin_) {
    const std::size_t count = i - gapBegin_;
    std::move(items_.begin() + static_cast<std::ptrdiff_t>(gapEnd_),
              items_.begin() + static_cast<std::ptrdiff_t>(gapEnd_ + count),
              items_.begin() + static_cast<std::ptrdiff_t>(gapBegin_));
    gapBegin_ += count;
    gapEnd_ += count;
  }
}

void WorkingList::grow() {
  const std::size_t used = size();
  const std::size_t newGap = std::max<std::size_t>(16, used / 2);
  std::vector<Line> bigger;
  bigger.reserve(used + newGap);
  for (std::size_t k = 0; k < gapBegin_; ++k) bigger.push_back(std::move(items_[k]));
  bigger.resize(gapBegin_ + newGap);
  for (std::size_t k = gapEnd_; k < items_.size(); ++k) bigger.push_back(std::move(items_[k]));
  items_ = std::move(bigger);
  gapEnd_ = gapBegin_ + newGap;
}

void WorkingList::insert(std::size_t i, Line line) {
  assert(i <= size());
  moveGapTo(i);
  if (gapSize() == 0) grow();
  items_[gapBegin_++] = std::move(line);
}

void WorkingList::erase(std::size_t i, std::size_t count) {
  assert(i + count <= size());
  if (count == 0) return;
  moveGapTo(i);
  for (std::size_t k = 0; k < count; ++k) items_[gapEnd_ + k] = Line{};
  gapEnd_ += count;
}

void WorkingList::clear() {
  items_.clear();
  gapBegin_ = gapEnd_ = 0;
}

std::vector<Line> WorkingList::lines() const {
  std::vector<Line> out;
  out.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) out.push_back((*this)[i]);
  return out;
}

std::vector<std::string> WorkingList::texts() const {
  std::vector<std::string> out;
  out.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) out.push_back(text(i));
  return out;
}

}  // namespace norvella
