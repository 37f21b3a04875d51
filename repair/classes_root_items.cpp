#include "repair/classes_root_items.h"

namespace raz {

bool WriteClassesRoot(RegistryItems& registry, const std::string& path, std::string_view text) {
  return registry.WriteRegistryText(RegistryRoot::ClassesRoot, path, text);
}

void DeleteClassesRoot(RegistryItems& registry, std::initializer_list<std::string> paths) {
  for (const std::string& path : paths) registry.DeleteRegistryItem(RegistryRoot::ClassesRoot, path);
}

void DeleteVerb(RegistryItems& registry, const std::string& verb_key) {
  DeleteClassesRoot(registry, {verb_key + "\\Command\\", verb_key + "\\Command", verb_key + "\\", verb_key});
}

}  // namespace raz
