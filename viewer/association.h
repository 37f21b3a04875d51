// Tallyscope's own association of an extension (".edb") with the file class
// K ("edbfile"): the extension's default value and Content Type, and the
// class's open command and icon, all under HKEY_CLASSES_ROOT.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_items.h"

namespace raz::viewer {

struct AssociationNames {
  std::string extension;  // X: lower case, trimmed, with its leading dot
  std::string file_class;  // K: X without its dot, then "file"
};

// Lower-cases the ASCII letters, trims blanks and puts a dot in front when
// missing. Nothing for an empty or blank-only extension.
std::optional<AssociationNames> NormaliseExtension(std::string_view extension);

// The shell command that opens a file with `program`: the path in double
// quotes (so a path with blanks stays one argument), two blanks, "%1".
std::string OpenCommandText(std::string_view program);

// What the association routines work with: the registry, the running
// program's full path (the default program path) and the icon-cache refresh.
struct AssociationContext {
  RegistryItems& registry;
  std::string running_program;
  std::function<void()> refresh_icons;
};

// Writes each of the four entries whose current text differs from the wanted
// one, stopping with false at the first failed write; refreshes the icons when
// anything was written. Empty content type, program path or icon select
// "application/" + K, the running program and program + ",0".
bool WriteAssociation(AssociationContext& context, std::string_view extension, std::string_view content_type,
                      std::string_view program_path, std::string_view icon);

// Deletes whichever of Content Type, the extension's default value, the open
// command and the icon exist, stopping with false at the first failed delete;
// refreshes the icons when anything was deleted.
bool RemoveAssociation(AssociationContext& context, std::string_view extension);

// The outcome boxes of the two menu commands.
struct Notice {
  std::string text;
  std::string caption;
  unsigned flags;  // 0x40 information, 0x10 error
};
Notice SetAssociationNotice(bool ok);
Notice CancelAssociationNotice(bool ok);

}  // namespace raz::viewer
