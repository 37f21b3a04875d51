// What a run of the copier is asked to do: the source named on the command
// line, the environment directory from the install value, and the destination
// in its lib\ or static_lib\ folder; and which road the run takes.
#pragma once

#include <string>
#include <string_view>

#include "common/environment_dir.h"
#include "libcopier/file_facts.h"

namespace raz {

// The environment's install value under HKEY_CURRENT_USER.
constexpr const char* kInstallKey = "Software\\VidOvu\\E\\Install";
constexpr const char* kInstallValueName = "Path";

struct CopyRequest {
  FileFacts source;
  std::string environment_dir;  // normally ends in a backslash; "" without an install value
  FileFacts destination;
};

// environment_dir + "lib\" + name for a .fne source, environment_dir +
// "static_lib\" + name for a .lib source, "" for any other.
std::string DestinationPath(const FileFacts& source, std::string_view environment_dir);

// Fills the source from the first argument of `command_line`, the environment
// directory from `install_value`, and the destination.
CopyRequest ResolvePaths(std::string_view command_line, std::string_view install_value, const PathFacts& fs);

enum class CopyRoad {
  kSilentEnd,      // nothing to copy
  kNoEnvironment,  // no e.exe in the environment directory
  kDirectCopy,     // the destination does not exist yet
  kReplaceWindow,  // the destination exists: ask first
};

// The road of a run. The silent ends come first, so a file of another type
// never reaches the e.exe test. A source that already is its destination has
// nothing to copy either: it ends silently instead of asking to replace the
// file with itself.
CopyRoad ChooseRoad(const CopyRequest& request, const PathFacts& fs);

}  // namespace raz
