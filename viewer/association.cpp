#include "viewer/association.h"

#include <array>

#include "common/gbk_text.h"

namespace raz::viewer {

namespace {
constexpr auto kRoot = RegistryRoot::ClassesRoot;
constexpr unsigned kInformationIcon = 0x40;
constexpr unsigned kErrorIcon = 0x10;
}  // namespace

std::optional<AssociationNames> NormaliseExtension(std::string_view extension) {
  if (extension.empty()) return std::nullopt;
  std::string x = Trim(AsciiLower(extension));
  if (x.empty()) return std::nullopt;
  if (x.front() != '.') x.insert(x.begin(), '.');
  return AssociationNames{x, x.substr(1) + "file"};
}

std::string OpenCommandText(std::string_view program) {
  std::string command = "\"";
  command += program;
  command += "\"  \"%1\"";
  return command;
}

bool WriteAssociation(AssociationContext& context, std::string_view extension, std::string_view content_type,
                      std::string_view program_path, std::string_view icon) {
  const auto names = NormaliseExtension(extension);
  if (!names) return false;
  const std::string program = program_path.empty() ? context.running_program : std::string(program_path);
  const std::string icon_text = icon.empty() ? program + ",0" : std::string(icon);
  const std::string type = content_type.empty() ? "application/" + names->file_class : std::string(content_type);

  const std::array<std::pair<std::string, std::string>, 4> entries = {{
      {names->extension + "\\", names->file_class},
      {names->extension + "\\Content Type", type},
      {names->file_class + "\\shell\\open\\command\\", OpenCommandText(program)},
      {names->file_class + "\\DefaultIcon\\", icon_text},
  }};
  bool changed = false;
  for (const auto& [path, wanted] : entries) {
    if (context.registry.ReadRegistryText(kRoot, path) == wanted) continue;
    changed = true;
    if (!context.registry.WriteRegistryText(kRoot, path, wanted)) return false;
  }
  if (changed && context.refresh_icons) context.refresh_icons();
  return true;
}

bool RemoveAssociation(AssociationContext& context, std::string_view extension) {
  const auto names = NormaliseExtension(extension);
  if (!names) return false;
  const std::array<std::string, 4> items = {
      names->extension + "\\Content Type",
      names->extension + "\\",
      names->file_class + "\\shell\\open\\command\\",
      names->file_class + "\\DefaultIcon\\",
  };
  bool changed = false;
  for (const std::string& path : items) {
    if (!context.registry.RegistryItemExists(kRoot, path)) continue;
    changed = true;
    if (!context.registry.DeleteRegistryItem(kRoot, path)) return false;
  }
  if (changed && context.refresh_icons) context.refresh_icons();
  return true;
}

Notice SetAssociationNotice(bool ok) {
  if (ok) return {"设置文件关联成功", "提示", kInformationIcon};
  return {"设置文件关联失败\r\n如果是Windows7、Windows8系统请用管理员方式运行本程序再设置", "错误", kErrorIcon};
}

Notice CancelAssociationNotice(bool ok) {
  if (ok) return {"取消文件关联成功", "提示", kInformationIcon};
  return {"取消文件关联失败\r\n如果是Windows7、Windows8系统请用管理员方式运行本程序再取消", "错误", kErrorIcon};
}

}  // namespace raz::viewer
