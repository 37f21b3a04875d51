#include "repair/register_libraries.h"

#include <string>

#include "repair/classes_root_items.h"
#include "repair/progid_readers.h"
#include "repair/repair_paths.h"

namespace raz {
namespace {

struct LibraryType {
  std::string_view extension;
  std::string_view default_prog_id;
  std::string_view description;  // written for the default ProgID; none when empty
  CarriedFile icon;
  RepairOption icon_option;
  RepairOption copy_option;
};

constexpr LibraryType kSupportLibrary = {".fne", "FNE.Document", "raz支持库", CarriedFile::FneIcon,
                                         RepairOption::FneIcon, RepairOption::FneCopy};
constexpr LibraryType kStaticLibrary = {".lib", "LIB.Document", "", CarriedFile::LibIcon,
                                        RepairOption::LibIcon, RepairOption::LibCopy};

void RegisterLibrary(const RepairContext& c, const LibraryType& type, std::string_view environment_directory) {
  RegistryItems& registry = c.registry;
  const std::string icon_path = CarriedFilePath(environment_directory, type.icon);
  // A ProgID that is not a class of its own gives way to the default one.
  OtherExtensionClasses local_others(registry);
  OtherExtensionClasses& others = c.other_classes != nullptr ? *c.other_classes : local_others;
  const TypeProgId read = ReadTypeProgId(registry, others, type.extension, type.default_prog_id);
  const std::string& prog_id = read.prog_id;
  const std::string copier_path = CarriedFilePath(environment_directory, CarriedFile::Ferrydrop);
  const std::string copy_command = ShellCommand(copier_path);

  const std::string default_prog_id(type.default_prog_id);
  const bool default_in_use = prog_id == default_prog_id;  // byte for byte: case counts
  const std::string extension_item = std::string(type.extension) + "\\";
  const bool icon_on = c.options.IsEnabled(type.icon_option) && c.options.IsChecked(type.icon_option);
  const bool copy_on = c.options.IsChecked(type.copy_option);
  // The extension left pointing at a class not its own goes back to the default
  // even when neither step below writes it.
  if (read.refused && !icon_on && !copy_on) WriteClassesRoot(registry, extension_item, prog_id);

  // A disabled icon option means another program's icon is kept: treat it as off.
  if (icon_on) {
    InstallCarriedFileIfMissing(c.files, type.icon, icon_path);
    if (default_in_use) {
      WriteClassesRoot(registry, extension_item, prog_id);
      if (!type.description.empty()) WriteClassesRoot(registry, prog_id + "\\", type.description);
    }
    WriteClassesRoot(registry, prog_id + "\\DefaultIcon\\", icon_path);
  } else {
    // Only the default ProgID loses its icon; another program's keeps its own.
    DeleteClassesRoot(registry, {default_prog_id + "\\DefaultIcon\\", default_prog_id + "\\"});
  }

  const std::string verb_key = prog_id + "\\Shell\\复制到raz目录";
  if (copy_on) {
    InstallCarriedFileIfMissing(c.files, CarriedFile::Ferrydrop, copier_path);
    if (default_in_use) WriteClassesRoot(registry, extension_item, prog_id);
    WriteClassesRoot(registry, verb_key + "\\Command\\", copy_command);
  } else {
    DeleteVerb(registry, verb_key);
  }
}

}  // namespace

void RegisterFneType(const RepairContext& context, std::string_view environment_directory) {
  RegisterLibrary(context, kSupportLibrary, environment_directory);
}

void RegisterLibType(const RepairContext& context, std::string_view environment_directory) {
  RegisterLibrary(context, kStaticLibrary, environment_directory);
}

}  // namespace raz
