#include "libcopier/copy_request.h"

#include "libcopier/command_line.h"

namespace raz {

std::string DestinationPath(const FileFacts& source, std::string_view environment_dir) {
  const char* folder = nullptr;
  if (source.extension == ".fne") {
    folder = "lib\\";
  } else if (source.extension == ".lib") {
    folder = "static_lib\\";
  } else {
    return {};
  }
  return std::string(environment_dir) + folder + source.name;
}

CopyRequest ResolvePaths(std::string_view command_line, std::string_view install_value, const PathFacts& fs) {
  CopyRequest request;
  const std::vector<std::string> args = SplitCommandLine(command_line);
  FillFileFacts(args.empty() ? std::string() : args.front(), request.source, fs);
  request.environment_dir = EnvironmentDirFromInstallValue(install_value);
  FillFileFacts(DestinationPath(request.source, request.environment_dir), request.destination, fs);
  return request;
}

CopyRoad ChooseRoad(const CopyRequest& request, const PathFacts& fs) {
  if (request.source.full_path.empty() || request.destination.name.empty()) return CopyRoad::kSilentEnd;
  if (!fs.Exists(request.environment_dir + "e.exe")) return CopyRoad::kNoEnvironment;
  if (!fs.Exists(request.destination.full_path)) return CopyRoad::kDirectCopy;
  if (fs.SameFile(request.source.full_path, request.destination.full_path)) return CopyRoad::kSilentEnd;
  return CopyRoad::kReplaceWindow;
}

}  // namespace raz
