#include "repair/win32/carried_files_win32.h"

#include <algorithm>

#include "common/win32/unique_handle.h"
#include "repair/carried_resource_ids.h"

namespace raz {
namespace {

int ResourceId(CarriedFile file) {
  switch (file) {
    case CarriedFile::EcIcon: return RAZ_CARRIED_EC_ICON;
    case CarriedFile::EdbIcon: return RAZ_CARRIED_EDB_ICON;
    case CarriedFile::FneIcon: return RAZ_CARRIED_FNE_ICON;
    case CarriedFile::LibIcon: return RAZ_CARRIED_LIB_ICON;
    case CarriedFile::Tallyscope: return RAZ_CARRIED_TALLYSCOPE;
    case CarriedFile::Ferrydrop: return RAZ_CARRIED_FERRYDROP;
  }
  return 0;
}

}  // namespace

std::string_view CarriedBytes(CarriedFile file, HMODULE module) {
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(ResourceId(file)), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!info) return {};
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const char*>(data), SizeofResource(module, info)};
}

bool WriteNewFile(const std::string& target, std::string_view bytes, const WriteFn& write) {
  UniqueFile file(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bool whole = true;
  while (!bytes.empty() && whole) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    const BOOL ok = write ? write(file.get(), bytes.data(), chunk, &written)
                          : WriteFile(file.get(), bytes.data(), chunk, &written, nullptr);
    whole = ok && written > 0;
    bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
  }
  file.reset();
  if (!whole) DeleteFileA(target.c_str());
  return whole;
}

}  // namespace raz
