#include "repair/repair_context.h"

namespace raz {

std::string_view CheckBoxName(RepairOption option) {
  static constexpr std::array<const char*, kRepairOptionCount> kNames = {
      "选择框_E新建",        "选择框_E图标显示",    "选择框_E双击打开",    "选择框_E8新建",
      "选择框_E8图标显示",   "选择框_E8双击打开",   "选择框_E8右键raz",    "选择框_E8右键记事本",
      "选择框_EC图标显示",   "选择框_EDB图标显示",  "选择框_EDB双击打开",  "选择框_FNE图标显示",
      "选择框_FNE复制到raz", "选择框_LIB图标显示",  "选择框_LIB复制到raz",
  };
  return kNames[static_cast<std::size_t>(option)];
}

OptionSnapshot::OptionSnapshot(const OptionState& source) {
  for (std::size_t i = 0; i < kRepairOptionCount; ++i) {
    const auto option = static_cast<RepairOption>(i);
    checked_[i] = source.IsChecked(option);
    enabled_[i] = source.IsEnabled(option);
  }
}

std::string_view CarriedFileTargetName(CarriedFile file) {
  switch (file) {
    case CarriedFile::EcIcon:
      return "help\\ec.ico";
    case CarriedFile::EdbIcon:
      return "help\\edb.ico";
    case CarriedFile::FneIcon:
      return "help\\fne.ico";
    case CarriedFile::LibIcon:
      return "help\\lib.ico";
    case CarriedFile::Tallyscope:
      return "tools\\Tallyscope.exe";
    case CarriedFile::Ferrydrop:
      return "tools\\Ferrydrop.exe";
  }
  return {};
}

std::string CarriedFilePath(std::string_view environment_directory, CarriedFile file) {
  std::string path(environment_directory);
  path += CarriedFileTargetName(file);
  return path;
}

void InstallCarriedFileIfMissing(RepairFiles& files, CarriedFile file, const std::string& target) {
  if (!files.Exists(target)) files.InstallCarriedFile(file, target);
}

}  // namespace raz
