#include "repair/register_e_types.h"

#include <string>

#include "repair/classes_root_items.h"
#include "repair/progid_readers.h"
#include "repair/repair_paths.h"

namespace raz {
namespace {

// A type started with e.exe itself: its icon is one of e.exe's own resources.
struct SourceType {
  std::string_view extension;
  std::string_view prog_id;
  std::string_view description;
  std::string_view icon_suffix;  // appended to the e.exe path
  RepairOption new_file;
  RepairOption icon;
  RepairOption open;
};

constexpr SourceType kSourceProgram = {".e", "E.Document", "易程序", ",-127",
                                       RepairOption::ENew, RepairOption::EIcon, RepairOption::EOpen};
constexpr SourceType kConfiguration = {".e8", "E8.Document", "易程序配置信息", ",-134",
                                       RepairOption::E8New, RepairOption::E8Icon, RepairOption::E8Open};

constexpr std::string_view kNotepadCommand = "notepad.exe \"%1\"";

// One registration run: the texts derived from the e.exe path and the context.
class ETypesRun {
 public:
  ETypesRun(const RepairContext& context, std::string_view e_exe_path)
      : c_(context),
        local_others_(context.registry),
        others_(context.other_classes != nullptr ? *context.other_classes : local_others_),
        e_exe_path_(e_exe_path),
        environment_directory_(EnvironmentDirectoryOf(e_exe_path)),
        open_command_(ShellCommand(e_exe_path)) {}

  bool Run() {
    c_.files.CreateFolder(environment_directory_ + "help");
    c_.files.CreateFolder(environment_directory_ + "tools");
    c_.registry.WriteRegistryText(RegistryRoot::CurrentUser, kInstallValuePath, environment_directory_ + "lib\\");
    return RegisterSourceType(kSourceProgram) && RegisterSourceType(kConfiguration) && RegisterConfigurationVerbs() &&
           RegisterModules() && RegisterDatabases();
  }

 private:
  bool Checked(RepairOption option) const { return c_.options.IsChecked(option); }
  bool Write(const std::string& path, std::string_view text) { return WriteClassesRoot(c_.registry, path, text); }

  // Extension, new-file entry, description, icon and open command of .e or .e8.
  bool RegisterSourceType(const SourceType& type) {
    const std::string prog_id(type.prog_id);
    const std::string extension(type.extension);
    if (!Write(extension + "\\", prog_id)) return false;

    const std::string null_file = extension + "\\ShellNew\\NullFile";
    if (Checked(type.new_file)) {
      if (!Write(null_file, "")) return false;
    } else {
      DeleteClassesRoot(c_.registry, {null_file});
    }

    if (!Write(prog_id + "\\", type.description)) return false;

    const std::string icon = prog_id + "\\DefaultIcon\\";
    if (Checked(type.icon)) {
      if (!Write(icon, e_exe_path_ + std::string(type.icon_suffix))) return false;
    } else {
      DeleteClassesRoot(c_.registry, {icon});
    }

    const std::string shell = prog_id + "\\Shell\\";
    const std::string command = prog_id + "\\Shell\\Open\\Command\\";
    if (Checked(type.open)) {
      if (!Write(shell, "Open") || !Write(command, open_command_)) return false;
    } else {
      DeleteClassesRoot(c_.registry, {command, shell});
    }
    return true;
  }

  bool RegisterVerb(RepairOption option, const std::string& verb_key, std::string_view command) {
    if (Checked(option)) return Write(verb_key + "\\Command\\", command);
    DeleteVerb(c_.registry, verb_key);
    return true;
  }

  bool RegisterConfigurationVerbs() {
    return RegisterVerb(RepairOption::E8OpenWithRaz, "E8.Document\\Shell\\用raz打开", open_command_) &&
           RegisterVerb(RepairOption::E8OpenWithNotepad, "E8.Document\\Shell\\用记事本打开", kNotepadCommand);
  }

  // .ec: the ProgID already set for it when it is a class of its own, else
  // EC.Document, with the carried icon.
  bool RegisterModules() {
    const TypeProgId type = ReadTypeProgId(c_.registry, others_, ".ec", "EC.Document");
    const std::string& prog_id = type.prog_id;
    if (!Checked(RepairOption::EcIcon)) {
      // The extension keeps its own ProgID, whose entries go; one that pointed
      // at a class not its own is pointed back at EC.Document.
      if (type.refused && !Write(".ec\\", prog_id)) return false;
      DeleteClassesRoot(c_.registry, {prog_id + "\\DefaultIcon\\", prog_id + "\\"});
      return true;
    }
    const std::string icon_path = CarriedFilePath(environment_directory_, CarriedFile::EcIcon);
    InstallCarriedFileIfMissing(c_.files, CarriedFile::EcIcon, icon_path);
    return Write(".ec\\", prog_id) && Write(prog_id + "\\", "raz模块") && Write(prog_id + "\\DefaultIcon\\", icon_path);
  }

  // .edb: the ProgID already set for it, else EDB.Document, opened with the
  // viewer. A .edb pointing at the module ProgID is moved to its own.
  bool RegisterDatabases() {
    TypeProgId type{ReadExtensionProgId(c_.registry, ".edb", "EDB.Document")};
    if (type.prog_id == "EC.Document") {
      type.prog_id = "EDB.Document";
    } else if (!IsOwnClass(others_, type.prog_id, "EDB.Document")) {
      type = {"EDB.Document", true};
    }
    const std::string& prog_id = type.prog_id;
    const bool icon = Checked(RepairOption::EdbIcon);
    const bool open = Checked(RepairOption::EdbOpen);
    const std::string icon_path = CarriedFilePath(environment_directory_, CarriedFile::EdbIcon);
    const std::string viewer_path = CarriedFilePath(environment_directory_, CarriedFile::Tallyscope);

    if (icon || open) {
      InstallCarriedFileIfMissing(c_.files, CarriedFile::EdbIcon, icon_path);
      InstallCarriedFileIfMissing(c_.files, CarriedFile::Tallyscope, viewer_path);
      if (!Write(".edb\\", prog_id) || !Write(prog_id + "\\", "raz数据库")) return false;
    } else if (type.refused && !Write(".edb\\", prog_id)) {
      return false;
    }

    if (icon) {
      if (!Write(prog_id + "\\DefaultIcon\\", icon_path)) return false;
    } else {
      DeleteClassesRoot(c_.registry, {prog_id + "\\DefaultIcon\\"});
    }

    if (open) {
      return Write(prog_id + "\\Shell\\", "Open") && Write(prog_id + "\\Shell\\Open\\Command\\", ShellCommand(viewer_path));
    }
    DeleteClassesRoot(c_.registry, {prog_id + "\\Shell\\Open\\Command\\", prog_id + "\\Shell\\Open\\Command",
                                    prog_id + "\\Shell\\", prog_id + "\\Shell"});
    return true;
  }

  const RepairContext& c_;
  OtherExtensionClasses local_others_;
  OtherExtensionClasses& others_;
  const std::string e_exe_path_;
  const std::string environment_directory_;
  const std::string open_command_;
};

}  // namespace

bool RegisterEFileTypes(const RepairContext& context, std::string_view e_exe_path) {
  return ETypesRun(context, e_exe_path).Run();
}

}  // namespace raz
