#pragma once

// Loading an installed localisation into the interface strings, with the
// check that it was made for a compatible build, and an installed HTML skin
// into the templates.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/settings/registry.h"

namespace norvella {

// The oldest build a localisation may have been made for, and this
// program's build, which the localisations shipped with it name.
inline constexpr std::int32_t kOldestLocalisationTarget = 518;
inline constexpr std::int32_t kProgramBuild = 535;

// The skin's subkey of the settings key.
inline constexpr std::string_view kSkinSection = "html";

// The build-check window's texts.
inline constexpr std::string_view kBuildCheckCaption = "Error loaidng settings";
inline constexpr std::string_view kBuildCheckButton = "Ok";

struct LocalisationCheck {
  bool installed = false;  // the "interface" key exists
  bool accepted = false;   // its "target" is new enough, so its sections were loaded
  std::optional<std::int32_t> target;

  // The build-check window is shown for an installed, refused localisation.
  bool ShowBuildCheck() const { return installed && !accepted; }
  // The build as the window names it: the "target" number or "Unknown".
  std::string BuildText() const;
  // "Interface localization was created for build [517], and is
  // incompatible with curent version. Download latest localization from "
  // and the web address.
  std::string BuildCheckMessage() const;
};

// Replaces the interface strings from the localisation's sections when its
// "target" (a 32-bit integer value) is 518 or more; each key keeps its
// current text when its value is missing or empty. Then loads the skin,
// whether or not the localisation was accepted.
LocalisationCheck LoadLocalisation(const Registry& registry, StringTable& strings,
                                   HtmlTemplates& templates, std::string_view programFolderText);

// Replaces the templates from the skin's "html" section when it exists:
// each value that is not empty, with "%norvellapath%" expanded to the
// program folder text (see ProgramFolderText), in the skin's load order.
void LoadHtmlSkin(const Registry& registry, HtmlTemplates& templates, std::string_view programFolderText);

// The program folder text of the running executable.
std::string RunningProgramFolderText();

// An installed localisation or skin as the About box names it.
struct InstalledAddOn {
  bool installed = false;  // its key exists
  std::string name;        // its "name", or "Unknown language" / "Unknown html skin"
};
InstalledAddOn InstalledLocalisation(const Registry& registry);
InstalledAddOn InstalledSkin(const Registry& registry);
// The full paths of their keys, which the About box deletes.
std::string LocalisationKeyPath();
std::string SkinKeyPath();

// The dialogs' own sections, read into the table whatever the build check
// said (also when only they are installed): the dialogs take their texts
// from them when they are created.
void LoadDialogSections(const Registry& registry, StringTable& strings);

}  // namespace norvella
