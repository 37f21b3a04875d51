// The registry contract against the real registry, in scratch keys under
// HKEY_CURRENT_USER and HKEY_CLASSES_ROOT that are removed afterwards.
#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "registry/registry_win32.h"
#include "shared/registry_contract.h"

namespace raz {
namespace {

class Win32Harness {
 public:
  Win32Harness() {
    SetEnvironmentVariableA("RAZ_TEST_VAR", "C:\\raz");
    SetEnvironmentVariableA("RAZ_TEST_GBK", kGbkFolder);
    static int counter = 0;
    scratch_ = "RazTest_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
  }
  ~Win32Harness() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT}) {
      RegDeleteTreeA(root, scratch_.c_str());
      RegDeleteKeyA(root, scratch_.c_str());
      RegDeleteValueA(root, scratch_.c_str());
    }
  }
  RegistryItems& items() { return reg_; }
  const std::string& scratch() const { return scratch_; }
  void Plant(RegistryRoot root, const std::string& key, const std::string& name, RegType type,
             const std::string& bytes) {
    UniqueHKey k;
    ASSERT_EQ(RegCreateKeyA(ToHkey(root), key.c_str(), k.put()), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(k.get(), name.c_str(), 0, static_cast<DWORD>(type),
                             reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  std::string RawBytes(RegistryRoot root, const std::string& key, const std::string& name) {
    UniqueHKey k;
    if (RegOpenKeyExA(ToHkey(root), key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) return "<missing>";
    std::vector<char> data(1024);
    DWORD size = static_cast<DWORD>(data.size());
    if (RegQueryValueExA(k.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS) {
      return "<missing>";
    }
    return std::string(data.data(), size);
  }
  bool KeyExists(RegistryRoot root, const std::string& key) const {
    UniqueHKey k;
    return RegOpenKeyExA(ToHkey(root), key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS;
  }

 private:
  Win32Registry reg_;
  std::string scratch_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Harness);

// A text whose size the registry reports as `g_reported_size`, more than
// memory can hold; reading its data finds no room.
DWORD g_reported_size = 0;
LSTATUS APIENTRY ReportHugeText(HKEY, LPCSTR, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  *type = REG_SZ;
  *size = g_reported_size;
  return data == nullptr ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

TEST(Win32Registry, ValueTooLargeToHoldReadsAsTheFallback) {
  Win32Registry registry(ReportHugeText);
  for (DWORD reported : {DWORD{0x7FFFFFFF}, DWORD{0xFFFFFFF0}, DWORD{0xFFFFFFFF}}) {
    g_reported_size = reported;
    EXPECT_EQ(registry.ReadRegistryText(RegistryRoot::CurrentUser, "Software\\v", "fallback"), "fallback") << reported;
  }
}

}  // namespace
}  // namespace raz
