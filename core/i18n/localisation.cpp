#include "core/i18n/localisation.h"

#include "core/base/program_path.h"
#include "core/settings/settings_io.h"

namespace norvella {
namespace {

// Each key of the section takes the stored text; a missing or empty value
// keeps the current one.
void LoadSection(const Registry& registry, std::string_view section, StringTable& strings) {
  const TMyReg reader(registry, section);
  if (!reader.Opened()) return;
  for (const std::string& key : strings.Keys(section))
    strings.Set(section, key, reader.ReadString(strings.Get(section, key), key));
}

}  // namespace

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
      for (const std::string_view section : kLocalisedSections) LoadSection(registry, section, strings);
    }
  }
  LoadDialogSections(registry, strings);
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

namespace {

InstalledAddOn Installed(const Registry& registry, std::string_view section, std::string_view unknown) {
  const TMyReg key(registry, section);
  if (!key.Opened()) return {};
  return {true, key.ReadString(unknown, "name")};
}

}  // namespace

InstalledAddOn InstalledLocalisation(const Registry& registry) {
  return Installed(registry, kInterface, "Unknown language");
}

InstalledAddOn InstalledSkin(const Registry& registry) {
  return Installed(registry, kSkinSection, "Unknown html skin");
}

std::string LocalisationKeyPath() { return std::string(kSettingsKey) + "\\" + std::string(kInterface); }
std::string SkinKeyPath() { return std::string(kSettingsKey) + "\\" + std::string(kSkinSection); }

void LoadDialogSections(const Registry& registry, StringTable& strings) {
  for (const std::string_view dialog : kDialogs) LoadSection(registry, DialogSection(dialog), strings);
}

}  // namespace norvella
