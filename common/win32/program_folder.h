#pragma once

#include <string>

namespace raz {

// The full path of the running program's executable, however long.
std::string RunningProgramPath();

// Makes the folder of the running program the current directory, so relative
// paths resolve there until a confirmed open-file dialog changes it.
void EnterProgramFolder();

}  // namespace raz
