#include "core/i18n/localisation.h"

#include "core/base/program_path.h"
#include "core/settings/settings_io.h"

namespace norvella {

std::string LocalisationCheck::BuildText() const {
  return target ? std::to_string(*target) : std::string("Unknown");
}

std::string LocalisationCheck::BuildCheckMessage() const {
  return "Interface localization was created for build [" + BuildText() +
         "], and is incompatible with curent version. Download latest localization from " +
         std::string(kWebAddress);
}

LocalisationCheck LoadLocalisation(const Registry& registry, StringTable& strings,
                                   HtmlTemplates& templates, std::string_view programFolderText) {
  LocalisationCheck check;
  const TMyReg root(registry, kInterface);
  if (root.Opened()) {
    check.installed = true;
    check.target = root.Key()->ReadInteger("target");
    check.accepted = check.target && *check.target >= kOldestLocalisationTarget;
    if (check.accepted) {
      for (const std::string_view section : kLocalisedSections) {
        const TMyReg reader(registry, section);
        if (!reader.Opened()) continue;
        for (const std::string& key : strings.Keys(section))
          strings.Set(section, key, reader.ReadString(strings.Get(section, key), key));
      }
    }
  }
  LoadHtmlSkin(registry, templates, programFolderText);
  return check;
}

void LoadHtmlSkin(const Registry& registry, HtmlTemplates& templates, std::string_view programFolderText) {
  const TMyReg skin(registry, kSkinSection);
  if (!skin.Opened()) return;
  for (const std::string_view name : kTemplateNames) {
    std::string* text = templates.ByName(name);
    *text = ExpandProgramPath(skin.ReadString(*text, name), programFolderText);
  }
}

std::string RunningProgramFolderText() { return ProgramFolderText(RunningExecutablePath()); }

std::map<std::string, std::string, std::less<>> LoadDialogTexts(
    const Registry& registry, std::string_view dialog, std::initializer_list<StringDefault> defaults) {
  const TMyReg reader(registry, std::string(kDialogControls) + std::string(dialog));
  std::map<std::string, std::string, std::less<>> texts;
  for (const StringDefault& row : defaults)
    texts[std::string(row.key)] = reader.ReadString(row.text, row.key);
  return texts;
}

}  // namespace norvella
