#pragma once

// The working list of a conversion: ordered 8-bit Windows-1251 lines, each
// with its LineTag. Stages walk it by index and delete or insert lines at or
// near the index they stand on, so the list is a gap buffer: the free space
// follows the most recent edit, and an edit next to the previous one costs
// O(1) amortised instead of shifting the rest of the list. Moving the gap
// from one place to another costs the distance between them, so a stage that
// walks forward and edits as it goes stays linear in the list's length.

#include <cassert>
#include <cstddef>
#include <string>
#include <vector>

namespace norvella {

// Line tags of the working list.
enum LineTag : int {
  kTagText = 0,       // text not yet handled by the stages
  kTagHtml = 1,       // one normalised HTML tag (also a divider line)
  kTagFinished = 100, // finished line that later stages leave alone
  kTagComment = 101,  // protected HTML comment
};

struct Line {
  std::string text;
  int tag = kTagText;
};

class WorkingList {
 public:
  WorkingList() = default;
  explicit WorkingList(std::vector<Line> lines);

  std::size_t size() const { return items_.size() - gapSize(); }
  bool empty() const { return size() == 0; }

  Line& operator[](std::size_t i) { return items_[slot(i)]; }
  const Line& operator[](std::size_t i) const { return items_[slot(i)]; }
  std::string& text(std::size_t i) { return (*this)[i].text; }
  const std::string& text(std::size_t i) const { return (*this)[i].text; }
  int tag(std::size_t i) const { return (*this)[i].tag; }
  Line& back() { return (*this)[size() - 1]; }

  void insert(std::size_t i, Line line);
  void insert(std::size_t i, std::string text, int tag) { insert(i, Line{std::move(text), tag}); }
  void push_back(Line line) { insert(size(), std::move(line)); }
  void push_back(std::string text, int tag) { push_back(Line{std::move(text), tag}); }
  void erase(std::size_t i) { erase(i, 1); }
  // Removes count lines starting at i.
  void erase(std::size_t i, std::size_t count);
  void clear();

  // A copy of the lines in order.
  std::vector<Line> lines() const;
  std::vector<std::string> texts() const;

 private:
  std::size_t gapSize() const { return gapEnd_ - gapBegin_; }
  std::size_t slot(std::size_t i) const {
    assert(i < size());
    return i < gapBegin_ ? i : i + gapSize();
  }
  void moveGapTo(std::size_t i);
  void grow();

  std::vector<Line> items_;
  std::size_t gapBegin_ = 0;  // first free slot
  std::size_t gapEnd_ = 0;    // one past the last free slot
};

}  // namespace norvella
