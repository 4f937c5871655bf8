#pragma once

// Texts of controls and dialogs: the built-in English text, unless the
// interface strings hold a non-empty replacement under the control's
// section and key (a localisation).

#include <string_view>

#include <QString>

#include "core/i18n/strings.h"
#include "gui/common/qt_text.h"

namespace norvella {

// The key must be one of the table's (StringTable::Get throws for any
// other), so that no control can go without its place in a localisation.
inline QString ControlText(const StringTable& strings, std::string_view section,
                           std::string_view key, const QString& builtIn) {
  const std::string& text = strings.Get(section, key);
  return text.empty() ? builtIn : ToQt(text);
}

inline QString MessageText(const StringTable& strings, std::string_view key) {
  return ToQt(strings.Message(key));
}

}  // namespace norvella

namespace norvella {

// Message texts keep the line breaks they were written with on their
// original platform ("\n\r", "\r\n" or a lone "\r"); a label wants "\n".
inline QString DisplayText(QString text) {
  text.replace("\r\n", "\n");
  text.replace("\n\r", "\n");
  text.replace('\r', '\n');
  return text;
}

}  // namespace norvella
