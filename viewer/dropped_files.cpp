#include "viewer/dropped_files.h"

namespace raz::viewer {

std::string DroppedFilesText(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return paths.front();
  std::string text;
  for (const std::string& path : paths) {
    text += path;
    text += "\r\n";
  }
  return text;
}

std::string FirstDroppedPath(std::string_view text) {
  // CR and LF are single-byte characters and never the trail byte of a GBK
  // character (trail bytes are 0x40 or above).
  return std::string(text.substr(0, text.find("\r\n")));
}

}  // namespace raz::viewer
