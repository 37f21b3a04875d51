#pragma once

namespace raz {

// Makes the folder of the running program the current directory, so relative
// paths resolve there until a confirmed open-file dialog changes it.
void EnterProgramFolder();

}  // namespace raz
