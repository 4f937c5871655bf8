#include "core/convert/context.h"

#include "core/base/text.h"
#include "core/i18n/strings.h"

namespace norvella {

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
