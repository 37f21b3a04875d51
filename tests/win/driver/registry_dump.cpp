#include "win/driver/registry_dump.h"

#include <algorithm>
#include <cstdio>

#include "common/gbk_text.h"
#include "common/win32/unique_handle.h"

namespace raz::test {
namespace {

std::string Hex(const BYTE* data, DWORD size) {
  std::string out;
  char buf[3];
  for (DWORD i = 0; i < size; ++i) {
    std::snprintf(buf, sizeof buf, "%02x", data[i]);
    out += buf;
  }
  return out;
}

void Walk(HKEY root, const std::string& key, std::vector<std::string>& lines) {
  UniqueHKey k;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) return;
  DWORD values = 0;
  RegQueryInfoKeyA(k.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                   nullptr, nullptr);
  if (values == 0) lines.push_back(key + "|");
  for (DWORD i = 0;; ++i) {
    char name[1024];
    DWORD name_size = sizeof name;
    BYTE data[8192];
    DWORD data_size = sizeof data;
    DWORD type = 0;
    if (RegEnumValueA(k.get(), i, name, &name_size, nullptr, &type, data, &data_size) != ERROR_SUCCESS) break;
    std::string text;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
      text.assign(reinterpret_cast<const char*>(data), data_size);
      text = text.substr(0, text.find('\0'));
    } else {
      text = Hex(data, data_size);
    }
    lines.push_back(key + "|" + name + "|" + std::to_string(type) + "|" + text);
  }
  for (DWORD i = 0;; ++i) {
    char sub[1024];
    DWORD sub_size = sizeof sub;
    if (RegEnumKeyExA(k.get(), i, sub, &sub_size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Walk(root, key + "\\" + sub, lines);
  }
}

}  // namespace

std::vector<std::string> DumpRegistry(HKEY root, const std::string& key) {
  std::vector<std::string> lines;
  Walk(root, key, lines);
  std::sort(lines.begin(), lines.end(),
            [](const std::string& a, const std::string& b) { return AsciiLower(a) < AsciiLower(b); });
  return lines;
}

void DeleteRegistryTree(HKEY root, const std::string& key) {
  RegDeleteTreeA(root, key.c_str());
  RegDeleteKeyA(root, key.c_str());
}

}  // namespace raz::test
