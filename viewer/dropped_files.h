// The text of a files-dropped event: one path alone, or each of several
// paths followed by CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace raz::viewer {

std::string DroppedFilesText(const std::vector<std::string>& paths);

// The path to open for a drop: the first of the paths in the event's text.
std::string FirstDroppedPath(std::string_view text);

}  // namespace raz::viewer
