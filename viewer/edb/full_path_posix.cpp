// Full paths on POSIX hosts: a relative name joins the working directory, and
// "." and ".." parts are resolved by the text alone (the file need not exist).
#include <unistd.h>

#include <string>
#include <vector>

#include "viewer/edb/full_path.h"

namespace raz::edb {

bool MakeFullPath(const std::string& name, std::string* full) {
  std::string joined;
  if (name.empty() || name[0] != '/') {
    std::vector<char> cwd(4096);
    if (getcwd(cwd.data(), cwd.size()) == nullptr) return false;
    joined = cwd.data();
    joined += '/';
  }
  joined += name;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    std::string part = joined.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  full->clear();
  for (const std::string& part : parts) *full += "/" + part;
  if (full->empty()) *full = "/";
  if (!name.empty() && name.back() == '/') *full += '/';
  return true;
}

}  // namespace raz::edb
