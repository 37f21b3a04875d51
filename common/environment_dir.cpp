#include "common/environment_dir.h"

namespace raz {

std::string EnvironmentDirFromInstallValue(std::string_view install_value) {
  if (install_value.empty()) return {};
  const std::size_t drop = install_value.back() == '\\' ? 4 : 3;
  if (install_value.size() <= drop) return {};
  return std::string(install_value.substr(0, install_value.size() - drop));
}

}  // namespace raz
