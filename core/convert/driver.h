#pragma once

// The conversion driver: runs the stages over the working list in their
// fixed order and keeps the result and the converted flag.

#include <string>
#include <vector>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

using StageFunction = void (*)(WorkingList&, StageContext&);

struct StageRow {
  int row;  // position in the full pipeline, 2 to 23 (row 1 is the split)
  StageFunction run;
};

// The stages after the split, in their fixed order.
const std::vector<StageRow>& StageTable();

// One whole conversion of source lines into a finished working list.
WorkingList RunConversion(std::vector<std::string> sourceLines, StageContext& ctx);

class ConversionDriver {
 public:
  // Returns false and leaves the source untouched when the result is
  // already up to date; otherwise converts, keeps the result, sets the
  // converted flag, reports "Ready" and returns true. An exception from a
  // stage leaves the flag clear and the previous result in place.
  bool ConvertText(std::vector<std::string>& sourceLines, StageContext& ctx);

  bool Converted() const { return converted_; }
  // Marks the result out of date (a source or option change).
  void Invalidate() { converted_ = false; }

  const WorkingList& Result() const { return result_; }
  std::vector<std::string> ResultLines() const { return result_.texts(); }
  // Replaces the kept result (an edited HTML text, for instance).
  void StoreResult(WorkingList result) { result_ = std::move(result); }

 private:
  WorkingList result_;
  bool converted_ = false;
};

}  // namespace norvella
