#include "repair/progid_readers.h"

#include <algorithm>
#include <array>

#include "common/gbk_text.h"

namespace raz {
namespace {

// The environment's six extensions and their default ProgIDs.
constexpr std::array<std::string_view, 6> kOwnExtensions = {".e", ".e8", ".ec", ".edb", ".fne", ".lib"};
constexpr std::array<std::string_view, 6> kOwnDefaultProgIds = {"E.Document",   "E8.Document",  "EC.Document",
                                                                "EDB.Document", "FNE.Document", "LIB.Document"};

// Keys of HKEY_CLASSES_ROOT that belong to the shell itself, not to a file type.
constexpr std::array<std::string_view, 11> kShellKeys = {
    "*",      "AllFilesystemObjects", "AppID",     "CLSID",   "Directory", "Drive",
    "Folder", "Interface",            "SystemFileAssociations", "TypeLib", "Unknown"};

template <std::size_t N>
bool AnyEqualsNoCase(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(), [&](std::string_view n) { return EqualsAsciiNoCase(n, name); });
}

}  // namespace

std::string ReadExtensionProgId(RegistryItems& registry, std::string_view extension, std::string_view fallback) {
  std::string path(extension);
  path += '\\';
  std::string prog_id = registry.ReadRegistryText(RegistryRoot::ClassesRoot, path, fallback);
  if (prog_id.empty()) prog_id = fallback;
  return prog_id;
}

std::string ReadProgIdIcon(RegistryItems& registry, std::string_view prog_id) {
  std::string path(prog_id);
  path += "\\DefaultIcon\\";
  return registry.ReadRegistryText(RegistryRoot::ClassesRoot, path);
}

bool OtherExtensionClasses::Contains(std::string_view prog_id) {
  if (!lower_) {
    lower_.emplace();
    for (const std::string& key : registry_.SubkeyNames(RegistryRoot::ClassesRoot, "")) {
      if (key.empty() || key[0] != '.' || AnyEqualsNoCase(kOwnExtensions, key)) continue;
      std::string prog_id_of_key = registry_.ReadRegistryText(RegistryRoot::ClassesRoot, key + "\\");
      if (!prog_id_of_key.empty()) lower_->insert(AsciiLower(prog_id_of_key));
    }
  }
  return lower_->count(AsciiLower(prog_id)) > 0;
}

bool IsOwnClass(OtherExtensionClasses& others, std::string_view prog_id, std::string_view default_prog_id) {
  if (prog_id.empty() || prog_id[0] == '.' || FindFirstSingleByte(prog_id, '\\') != kNoPos) return false;
  if (AnyEqualsNoCase(kShellKeys, prog_id)) return false;
  // The type's own default class is its own, in any case; another type's is not.
  if (EqualsAsciiNoCase(prog_id, default_prog_id)) return true;
  if (AnyEqualsNoCase(kOwnDefaultProgIds, prog_id)) return false;
  return !others.Contains(prog_id);
}

TypeProgId ReadTypeProgId(RegistryItems& registry, OtherExtensionClasses& others, std::string_view extension,
                          std::string_view default_prog_id) {
  std::string prog_id = ReadExtensionProgId(registry, extension, default_prog_id);
  if (IsOwnClass(others, prog_id, default_prog_id)) return {std::move(prog_id), false};
  return {std::string(default_prog_id), true};
}

}  // namespace raz
