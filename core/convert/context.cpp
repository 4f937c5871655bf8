#include "core/convert/context.h"

#include "core/base/text.h"
#include "core/i18n/strings.h"
#include "core/settings/options.h"

namespace norvella {

std::string NbspRun(const Options& options) {
  std::string run;
  for (int k = 0; k < options.Number(Opt::NumberOfNbsp); ++k) run += kNbsp;
  return run;
}

void StatusReporter::Task(std::string_view processKey) {
  observer_.TaskChanged(strings_.Process("CurrentTask") + strings_.Process(processKey));
}

void StatusReporter::Ready() { observer_.TaskChanged(strings_.Process("Ready")); }

void StatusReporter::Progress(std::size_t index, std::size_t count) {
  const int percent = Percent(index, count);
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  observer_.ProgressChanged(percent);
}

}  // namespace norvella
