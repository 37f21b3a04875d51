// What a repair run needs from the world around it: the registry, the state of
// the main window's option check boxes, and the environment's folders and
// files. The window supplies the real ones; tests supply doubles.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_items.h"

namespace raz {

// The option check boxes of the main window, one per file-type setting.
enum class RepairOption {
  ENew,               // 选择框_E新建
  EIcon,              // 选择框_E图标显示
  EOpen,              // 选择框_E双击打开
  E8New,              // 选择框_E8新建
  E8Icon,             // 选择框_E8图标显示
  E8Open,             // 选择框_E8双击打开
  E8OpenWithRaz,      // 选择框_E8右键raz
  E8OpenWithNotepad,  // 选择框_E8右键记事本
  EcIcon,             // 选择框_EC图标显示
  EdbIcon,            // 选择框_EDB图标显示
  EdbOpen,            // 选择框_EDB双击打开
  FneIcon,            // 选择框_FNE图标显示
  FneCopy,            // 选择框_FNE复制到raz
  LibIcon,            // 选择框_LIB图标显示
  LibCopy,            // 选择框_LIB复制到raz
};
constexpr std::size_t kRepairOptionCount = 15;

// The layout name of the option's check box (GBK bytes), for the window to map
// each option to its control.
std::string_view CheckBoxName(RepairOption option);

// Checked and enabled state of the option check boxes, read when a step needs it.
class OptionState {
 public:
  virtual ~OptionState() = default;
  virtual bool IsChecked(RepairOption option) const = 0;
  virtual bool IsEnabled(RepairOption option) const = 0;
};

// The option boxes as they stood when it was taken. A repair reads its options
// from one of these, so nothing the window does while the repair runs (a box
// clicked, the window closed) changes what the repair writes.
class OptionSnapshot final : public OptionState {
 public:
  explicit OptionSnapshot(const OptionState& source);
  bool IsChecked(RepairOption option) const override { return checked_[static_cast<std::size_t>(option)]; }
  bool IsEnabled(RepairOption option) const override { return enabled_[static_cast<std::size_t>(option)]; }

 private:
  std::array<bool, kRepairOptionCount> checked_{};
  std::array<bool, kRepairOptionCount> enabled_{};
};

// The six files that Ravelmend carries and installs when they are missing.
enum class CarriedFile { EcIcon, EdbIcon, FneIcon, LibIcon, Tallyscope, Ferrydrop };

// Where the carried file goes, relative to the environment directory.
std::string_view CarriedFileTargetName(CarriedFile file);

// The path check's answer for a typed program path.
struct ProgramFileCheck {
  enum class Outcome { Missing, Found, TooLong };
  Outcome outcome = Outcome::Missing;
  std::string path;  // the full path, when found
};

// Files and folders under the environment directory.
class RepairFiles {
 public:
  virtual ~RepairFiles() = default;
  // True for an existing file or directory of that name; false for "".
  virtual bool Exists(const std::string& path) = 0;
  // What `path` names as the environment's program file: Found with its full
  // path for an existing file, not a directory, named without wildcard
  // characters (a relative path is taken from the current directory); TooLong
  // when the full path or a file the repair puts beside it does not fit the
  // file functions (FitsFileFunctions); Missing for anything else.
  virtual ProgramFileCheck ProgramFile(const std::string& path) = 0;
  // Creates one folder level with default security; true iff it was created.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Writes the carried file at `target` unless something of that name exists.
  // A failed write is silent.
  virtual void InstallCarriedFile(CarriedFile file, const std::string& target) = 0;
};

// The environment directory followed by the carried file's target name.
std::string CarriedFilePath(std::string_view environment_directory, CarriedFile file);

// Installs the carried file at `target` only when no file or directory of that
// name exists, so an existing one is never replaced or examined.
void InstallCarriedFileIfMissing(RepairFiles& files, CarriedFile file, const std::string& target);

class OtherExtensionClasses;

// Everything a registration run works on, by reference. `other_classes`, when
// given, is shared by the registrations of one repair, so the extensions are
// listed at most once; without it each registration lists them for itself.
struct RepairContext {
  RegistryItems& registry;
  const OptionState& options;
  RepairFiles& files;
  OtherExtensionClasses* other_classes = nullptr;
};

}  // namespace raz
