#pragma once

// A conversion context for tests: default options, strings and templates,
// and an observer that records what the stages report.

#include <ostream>
#include <string>
#include <vector>

#include "core/convert/context.h"
#include "core/convert/working_list.h"
#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/settings/options.h"

namespace norvella::test {

class RecordingObserver final : public ConversionObserver {
 public:
  void TaskChanged(const std::string& text) override { tasks.push_back(text); }
  void ProgressChanged(int percent) override { percents.push_back(percent); }
  std::vector<std::string> tasks;
  std::vector<int> percents;
};

struct TestContext {
  Options options;
  StringTable strings;
  HtmlTemplates templates;
  DocumentProperties document;
  RecordingObserver observer;
  StatusReporter status{observer, strings};
  ConversionQuestions questions;
  StageContext ctx{options, strings, templates, document, status, questions};
};

// Builds a working list from (text, tag) pairs.
inline WorkingList ListOf(std::initializer_list<Line> lines) {
  return WorkingList(std::vector<Line>(lines));
}

inline std::vector<Line> LinesOf(const WorkingList& list) { return list.lines(); }

}  // namespace norvella::test

namespace norvella {
inline bool operator==(const Line& a, const Line& b) { return a.text == b.text && a.tag == b.tag; }
inline std::ostream& operator<<(std::ostream& os, const Line& l) {
  return os << "{" << l.tag << ", \"" << l.text << "\"}";
}
}  // namespace norvella
