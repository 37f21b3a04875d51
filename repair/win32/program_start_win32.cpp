#include "repair/win32/program_start_win32.h"

#include <ole2.h>

#include "common/win32/program_folder.h"

namespace raz {

ProgramStart::ProgramStart() : ole_(OleInitialize(nullptr)) { EnterProgramFolder(); }

ProgramStart::~ProgramStart() {
  if (SUCCEEDED(ole_)) OleUninitialize();
}

}  // namespace raz
