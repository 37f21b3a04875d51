#include "repair/progid_readers.h"

namespace raz {

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

}  // namespace raz
